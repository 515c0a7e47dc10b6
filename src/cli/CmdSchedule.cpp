// tabrel-cli schedule and report: the automatic run over a scope, and the unplaced-lesson report.
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/Commands.h"
#include "data/DataFile.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "manual/UnplacedReport.h"
#include "scheduling/AutoRun.h"
#include "scheduling/TeacherAssignment.h"

namespace tabrel::cli {

namespace {

// A scope name from the command line as GBK; false when it has no GBK form (the message names the
// data file it was meant for and the option).
bool scopeName(const std::string& file, const std::string& option, const std::string& utf8, std::string& out, Io io)
{
    std::string error;
    auto g = gbk::fromUtf8(utf8, error);
    if (!g) {
        io.err << file << ": " << option << ": " << error << "\n";
        return false;
    }
    out = *g;
    return true;
}

} // namespace

int cmdSchedule(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {"-o", "--grade", "--class"}, {"--in-place", "--complete", "--optimize"});
    if (args.helpAsked()) {
        printUsage(*findCommand("schedule"), io.out);
        return ExitDone;
    }
    if (!args.ok())
        return usageError("schedule", args.error(), io);
    if (args.positionals().size() != 1)
        return usageError("schedule", args.positionals().empty() ? "missing FILE.qtf" : "unexpected argument " + args.positionals()[1], io);
    if (args.has("-o") == args.has("--in-place"))
        return usageError("schedule", "give exactly one of -o OUT.qtf and --in-place", io);
    if (args.has("--grade") && args.has("--class"))
        return usageError("schedule", "give at most one of --grade and --class", io);
    const std::string& input = args.positionals()[0];
    const std::string output = args.has("-o") ? *args.value("-o") : input;

    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    // As the program prepares an opened file for the run: the teachers' loads, then their courses.
    PrepareForScheduling(ds);

    SchedulingState state;
    AutoRun run(ds, state);
    if (auto grade = args.value("--grade")) {
        std::string name;
        if (!scopeName(input, "--grade", *grade, name, io))
            return ExitBadInput;
        int found = -1;
        for (std::size_t g = 0; g < ds.gradeNames.size() && found < 0; ++g)
            if (ds.gradeNames[g] == name)
                found = static_cast<int>(g);
        if (found < 0) {
            io.err << input << ": no grade is named " << *grade << "\n";
            return ExitNothingToDo;
        }
        run.SelectGrade(found);
    } else if (auto cls = args.value("--class")) {
        std::string name;
        if (!scopeName(input, "--class", *cls, name, io))
            return ExitBadInput;
        int gradeIndex = -1, classIndex = -1;
        for (std::size_t g = 0; g < ds.grades.size() && gradeIndex < 0; ++g)
            for (std::size_t j = 0; j < ds.grades[g]->classes.size(); ++j)
                if (ds.grades[g]->classes[j]->name == name) {
                    gradeIndex = static_cast<int>(g);
                    classIndex = static_cast<int>(j);
                    break;
                }
        if (gradeIndex < 0) {
            io.err << input << ": no class is named " << *cls << "\n";
            return ExitNothingToDo;
        }
        run.SelectClass(gradeIndex, classIndex);
    } else
        run.SelectSchool();

    run.completeAfterSearch = args.has("--complete");
    run.optimizeAfterSearch = args.has("--optimize");
    run.Start();
    for (const ClassTable* c : run.classList())
        io.out << gbk::toUtf8(c->name) << ' ' << c->placedLessonCount() << '/' << c->requiredLessonCount() << '\n';
    io.out << AutoRun::EndMessage() << '\n';
    io.out.flush();

    return saveForCommand(ds, output, io);
}

int cmdReport(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {"--class"}, {"--json"});
    if (args.helpAsked()) {
        printUsage(*findCommand("report"), io.out);
        return ExitDone;
    }
    if (!args.ok())
        return usageError("report", args.error(), io);
    if (args.positionals().size() != 1)
        return usageError("report", args.positionals().empty() ? "missing FILE.qtf" : "unexpected argument " + args.positionals()[1], io);
    const std::string& input = args.positionals()[0];

    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    // As the manual scheduling panel is shown: the teachers' loads, then their courses.
    PrepareForScheduling(ds);

    std::vector<std::pair<int, ClassTable*>> classes; // grade index, class
    std::string wanted;
    const bool one = args.has("--class");
    if (one && !scopeName(input, "--class", *args.value("--class"), wanted, io))
        return ExitBadInput;
    for (std::size_t g = 0; g < ds.grades.size(); ++g)
        for (const auto& c : ds.grades[g]->classes)
            if (!one || (classes.empty() && c->name == wanted))
                classes.emplace_back(static_cast<int>(g), c.get());
    if (one && classes.empty()) {
        io.err << input << ": no class is named " << *args.value("--class") << "\n";
        return ExitNothingToDo;
    }

    const int periods = std::min(ds.periodsPerDay(), MaxPeriodRows);
    const int days = std::min(ds.dayCount(), DayColumns);
    nlohmann::ordered_json out;
    out["classes"] = nlohmann::ordered_json::array();
    std::string text;
    for (auto [g, c] : classes) {
        c->RecountPlaced();
        nlohmann::ordered_json jc;
        jc["grade"] = gbk::toUtf8(ds.gradeNames[g]);
        jc["name"] = gbk::toUtf8(c->name);
        jc["lessons"] = nlohmann::ordered_json::array();
        text += gbk::toUtf8(ds.gradeNames[g]) + " " + gbk::toUtf8(c->name) + "\n";
        for (const auto& a : c->assignments) {
            const long long remaining = static_cast<long long>(a->weeklyLessons) - a->placedCount;
            jc["lessons"].push_back({{"subject", gbk::toUtf8(a->subject)},
                                     {"teacher", gbk::toUtf8(a->teacher)},
                                     {"weeklyLessons", a->weeklyLessons},
                                     {"placed", a->placedCount},
                                     {"remaining", remaining}});
            text += "  " + gbk::toUtf8(a->subject) + " " + (a->teacher.empty() ? "-" : gbk::toUtf8(a->teacher)) +
                    " weekly " + std::to_string(a->weeklyLessons) + " placed " + std::to_string(a->placedCount) +
                    " remaining " + std::to_string(remaining) + "\n";
        }
        jc["freeSlots"] = nlohmann::ordered_json::array();
        for (int p = 0; p < periods; ++p)
            for (int d = 0; d < days; ++d) {
                const LessonCell& cell = c->cells[p][d];
                if (!cell.subject.empty() || !c->commonPeriods[p][d].empty())
                    continue;
                const auto lines = report::classViewLines(*c, cell, 0);
                nlohmann::ordered_json jl = nlohmann::ordered_json::array();
                text += "  " + gbk::toUtf8(ds.dayNames[d]) + " " + gbk::toUtf8(ds.periodLabel(p)) + " (period " +
                        std::to_string(p) + ", day " + std::to_string(d) + ")\n";
                for (const auto& line : lines) {
                    jl.push_back(gbk::toUtf8(line));
                    text += "    " + gbk::toUtf8(line) + "\n";
                }
                jc["freeSlots"].push_back({{"period", p}, {"day", d}, {"lines", jl}});
            }
        out["classes"].push_back(jc);
    }
    if (args.has("--json"))
        io.out << out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    else
        io.out << text;
    io.out.flush();
    if (!io.out.good()) {
        io.err << input << ": the report could not be written to the output\n";
        return ExitBadInput;
    }
    return ExitDone;
}

} // namespace tabrel::cli
