// tabrel-cli check: the problems of a timetable, as text lines or JSON.
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/Commands.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "scheduling/TimetableCheck.h"

namespace tabrel::cli {

int cmdCheck(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {}, {"--json"});
    if (args.helpAsked()) {
        printUsage(*findCommand("check"), io.out);
        return ExitDone;
    }
    if (!args.ok())
        return usageError("check", args.error(), io);
    if (args.positionals().size() != 1)
        return usageError("check", args.positionals().empty() ? "missing FILE.qtf" : "unexpected argument " + args.positionals()[1], io);
    const std::string& input = args.positionals()[0];

    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    const auto problems = CheckTimetable(ds);

    if (args.has("--json")) {
        nlohmann::ordered_json out;
        out["problems"] = nlohmann::ordered_json::array();
        for (const TimetableProblem& p : problems) {
            nlohmann::ordered_json jp;
            jp["kind"] = problemKindName(p.kind);
            jp["class"] = gbk::toUtf8(p.className);
            jp["period"] = p.period + 1;
            jp["day"] = p.day + 1;
            jp["subject"] = gbk::toUtf8(p.subject);
            jp["teacher"] = gbk::toUtf8(p.teacher);
            if (p.counted())
                jp["count"] = p.count;
            out["problems"].push_back(std::move(jp));
        }
        out["count"] = problems.size();
        io.out << out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    } else {
        std::string text;
        for (const TimetableProblem& p : problems) {
            text += gbk::toUtf8(p.className) + "\t" + gbk::toUtf8(problemSlotText(ds, p)) + "\t" +
                    problemKindName(p.kind) + "\t" + gbk::toUtf8(p.subject) + "\t" + gbk::toUtf8(p.teacher);
            if (p.counted())
                text += "\t" + std::to_string(p.count);
            text += "\n";
        }
        io.out << text << "problems: " << problems.size() << "\n";
    }
    io.out.flush();
    if (!io.out.good()) {
        io.err << input << ": the problems could not be written to the output\n";
        return ExitBadInput;
    }
    return ExitDone;
}

} // namespace tabrel::cli
