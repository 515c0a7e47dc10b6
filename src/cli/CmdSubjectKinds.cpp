// tabrel-cli paste subjects, plan and copy-rules --subject: the subjects panel's quick import,
// its take-over on "返回", and the copying of one subject's rule settings onto another.
#include "cli/CmdSubjectKinds.h"

#include <ostream>

#include "cli/CliSupport.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "setup/LessonTakeOver.h"
#include "setup/SubjectQuickImport.h"
#include "setup/SubjectRuleSettings.h"

namespace tabrel::cli {

int pasteSubjects(DataSet& ds, const PasteRequest& request, Io io)
{
    SubjectQuickImport dialog(ds);
    dialog.clear();
    dialog.paste(1, 1, request.text);
    if (const std::string why = dialog.numberRefusal(); !why.empty()) {
        io.err << request.input << ": " << gbk::toUtf8(why) << "\n";
        return ExitBadInput;
    }
    if (!dialog.accept(ds)) {
        io.err << request.input << ": " << gbk::toUtf8(SubjectQuickImport::noRowsMessage()) << "\n";
        return ExitBadInput;
    }
    return ExitDone;
}

int copyRulesSubject(DataSet& ds, const std::string& from, const std::string& to, Io io, const std::string& input)
{
    const std::string file = input.empty() ? std::string("copy-rules") : input;
    auto fromName = gbkArgument(file, "--subject", from, io);
    if (!fromName)
        return ExitBadInput;
    auto toName = gbkArgument(file, "--to", to, io);
    if (!toName)
        return ExitBadInput;
    const int source = findSubject(ds, *fromName);
    if (source < 0) {
        io.err << file << ": no subject is named " << from << "\n";
        return ExitNothingToDo;
    }
    const int target = findSubject(ds, *toName);
    if (target < 0) {
        io.err << file << ": no subject is named " << to << "\n";
        return ExitNothingToDo;
    }
    pasteSubjectSettings(ds, target, copySubjectSettings(ds, source));
    return ExitDone;
}

int cmdPlan(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {"-o"}, {"--in-place"});
    if (args.helpAsked()) {
        printUsage(*findCommand("plan"), io.out);
        return ExitDone;
    }
    if (!args.ok())
        return usageError("plan", args.error(), io);
    if (args.positionals().empty())
        return usageError("plan", "missing argument", io);
    if (args.positionals().size() > 1)
        return usageError("plan", "unexpected argument " + args.positionals()[1], io);
    const std::string& input = args.positionals()[0];
    std::string usage;
    auto output = changedSchoolPath(args, input, usage);
    if (!output)
        return usageError("plan", usage, io);
    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    takeOverLessonCounts(ds);
    return saveForCommand(ds, *output, io);
}

} // namespace tabrel::cli
