// tabrel-cli quality: how good a timetable is, per class and per teacher, and one score.
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/Commands.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "scheduling/QualityPhase.h"

namespace tabrel::cli {

int cmdQuality(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {}, {"--json"});
    if (args.helpAsked()) {
        printUsage(*findCommand("quality"), io.out);
        io.out << "Per class: the lessons of each day, the holes (free ordinary slots between two lessons of a day),\n"
                  "the same-day repeats (lessons of a subject beyond one a day, beyond ceil(n / days) for a subject of\n"
                  "n lessons when n exceeds the days), the \"尽量排\" slots of a subject of the plan that hold another\n"
                  "(common-period slots aside) and the lessons the teaching days lack of floor(lessons / days).\n"
                  "Per teacher: the free periods between two lessons of a day, in every class of the school.\n"
                  "score (lower is better) = "
               << QualityWeights::Hole << " x holes + " << QualityWeights::ShortDay << " x short + "
               << QualityWeights::Repeat << " x repeats + " << QualityWeights::PreferMissed << " x prefer + "
               << QualityWeights::TeacherGap << " x teacher gaps\n";
        return ExitDone;
    }
    if (!args.ok())
        return usageError("quality", args.error(), io);
    if (args.positionals().size() != 1)
        return usageError("quality", args.positionals().empty() ? "missing FILE.qtf" : "unexpected argument " + args.positionals()[1], io);
    const std::string& input = args.positionals()[0];

    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    const QualityReport r = MeasureQuality(ds);

    if (args.has("--json")) {
        nlohmann::ordered_json out;
        out["classes"] = nlohmann::ordered_json::array();
        for (const ClassQuality& c : r.classes) {
            nlohmann::ordered_json jc;
            jc["grade"] = gbk::toUtf8(ds.gradeNames[c.gradeIndex]);
            jc["class"] = gbk::toUtf8(c.className);
            jc["lessonsPerDay"] = c.lessonsPerDay;
            jc["holes"] = c.holes;
            jc["repeats"] = c.repeats;
            jc["preferMissed"] = c.preferMissed;
            jc["short"] = c.shortDays;
            out["classes"].push_back(std::move(jc));
        }
        out["teachers"] = nlohmann::ordered_json::array();
        for (const TeacherQuality& t : r.teachers)
            out["teachers"].push_back({{"teacher", gbk::toUtf8(t.teacher)}, {"gaps", t.gaps}});
        out["holes"] = r.holes;
        out["repeats"] = r.repeats;
        out["preferMissed"] = r.preferMissed;
        out["short"] = r.shortDays;
        out["teacherGaps"] = r.teacherGaps;
        out["score"] = r.score;
        io.out << out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    } else {
        std::string text;
        for (const ClassQuality& c : r.classes) {
            text += gbk::toUtf8(c.className) + "\tlessons";
            for (int n : c.lessonsPerDay)
                text += " " + std::to_string(n);
            text += "\tholes " + std::to_string(c.holes) + "\trepeats " + std::to_string(c.repeats) + "\tprefer " +
                    std::to_string(c.preferMissed) + "\tshort " + std::to_string(c.shortDays) + "\n";
        }
        for (const TeacherQuality& t : r.teachers)
            text += gbk::toUtf8(t.teacher) + "\tgaps " + std::to_string(t.gaps) + "\n";
        io.out << text << "score: " << r.score << "\n";
    }
    io.out.flush();
    if (!io.out.good()) {
        io.err << input << ": the quality report could not be written to the output\n";
        return ExitBadInput;
    }
    return ExitDone;
}

} // namespace tabrel::cli
