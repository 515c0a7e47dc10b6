// tabrel-cli add-teachers (leaving the assignment page with "返回") and copy-rules (the rule
// settings of one record carried onto another).
#include <ostream>

#include "cli/CliSupport.h"
#include "cli/CmdSubjectKinds.h"
#include "cli/CopyRules.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "scheduling/TeacherAssignment.h"
#include "setup/TeacherInfoGrid.h"

namespace tabrel::cli {

// The subjects panel's half takes the names as the command line gave them.
static int copyRulesSubjectByGbk(DataSet& ds, const std::string& from, const std::string& to, const std::string& input,
                                 Io io)
{
    return copyRulesSubject(ds, gbk::toUtf8(from), gbk::toUtf8(to), io, input);
}

const std::vector<CopyRulesHalf>& copyRulesHalves()
{
    static const std::vector<CopyRulesHalf> halves = {
        {"--teacher", copyRulesTeacher},
        {"--subject", copyRulesSubjectByGbk},
    };
    return halves;
}

int copyRulesTeacher(DataSet& ds, const std::string& from, const std::string& to, const std::string& input, Io io)
{
    const int a = findTeacher(ds, from);
    if (a < 0) {
        io.err << input << ": no teacher is named " << gbk::toUtf8(from) << "\n";
        return ExitNothingToDo;
    }
    const int b = findTeacher(ds, to);
    if (b < 0) {
        io.err << input << ": no teacher is named " << gbk::toUtf8(to) << "\n";
        return ExitNothingToDo;
    }
    TeacherInfoGrid::applySettings(ds, b, TeacherInfoGrid::settingsOf(ds, a));
    return ExitDone;
}

int cmdAddTeachers(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {"-o"}, {"--in-place"});
    if (args.helpAsked()) {
        printUsage(*findCommand("add-teachers"), io.out);
        return ExitDone;
    }
    if (!args.ok())
        return usageError("add-teachers", args.error(), io);
    if (args.positionals().empty())
        return usageError("add-teachers", "missing argument", io);
    if (args.positionals().size() > 1)
        return usageError("add-teachers", "unexpected argument " + args.positionals()[1], io);
    const std::string& input = args.positionals()[0];
    std::string usage;
    auto output = changedSchoolPath(args, input, usage);
    if (!output)
        return usageError("add-teachers", usage, io);
    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    ComputeAssignedPeriods(ds);
    AddMissingTeachers(ds);
    return saveForCommand(ds, *output, io);
}

int cmdCopyRules(const std::vector<std::string>& argv, Io io)
{
    std::vector<std::string> valued{"-o", "--to", "--teacher", "--subject"};
    Args args(argv, valued, {"--in-place"});
    if (args.helpAsked()) {
        printUsage(*findCommand("copy-rules"), io.out);
        return ExitDone;
    }
    if (!args.ok())
        return usageError("copy-rules", args.error(), io);
    if (args.positionals().empty())
        return usageError("copy-rules", "missing argument", io);
    if (args.positionals().size() > 1)
        return usageError("copy-rules", "unexpected argument " + args.positionals()[1], io);
    if (args.has("--teacher") == args.has("--subject"))
        return usageError("copy-rules", "give either --subject A or --teacher A", io);
    if (!args.has("--to"))
        return usageError("copy-rules", "missing --to B", io);
    const std::string option = args.has("--teacher") ? "--teacher" : "--subject";
    const CopyRulesHalf* half = nullptr;
    for (const CopyRulesHalf& h : copyRulesHalves())
        if (option == h.option)
            half = &h;
    if (!half)
        return usageError("copy-rules", option + " is not available in this build", io);
    const std::string& input = args.positionals()[0];
    std::string usage;
    auto output = changedSchoolPath(args, input, usage);
    if (!output)
        return usageError("copy-rules", usage, io);

    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    ComputeAssignedPeriods(ds);
    auto from = gbkArgument(input, option, *args.value(option), io);
    if (!from)
        return ExitBadInput;
    auto to = gbkArgument(input, "--to", *args.value("--to"), io);
    if (!to)
        return ExitBadInput;
    if (int s = half->run(ds, *from, *to, input, io); s != ExitDone)
        return s;
    return saveForCommand(ds, *output, io);
}

} // namespace tabrel::cli
