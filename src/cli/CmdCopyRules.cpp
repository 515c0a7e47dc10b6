// tabrel-cli copy-rules: "复制设置" on one subject or teacher, then "粘贴设置" on another.
#include <ostream>

#include "cli/CliSupport.h"
#include "cli/CmdSubjectKinds.h"
#include "data/DataSet.h"

namespace tabrel::cli {

int cmdCopyRules(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {"-o", "--subject", "--teacher", "--to"}, {"--in-place"});
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
    if (args.has("--subject") == args.has("--teacher"))
        return usageError("copy-rules", "give exactly one of --subject A and --teacher A", io);
    if (!args.has("--to"))
        return usageError("copy-rules", "missing --to B", io);
    if (args.has("--teacher"))
        return usageError("copy-rules", "--teacher is not available in this build", io);
    const std::string& input = args.positionals()[0];
    std::string usage;
    auto output = changedSchoolPath(args, input, usage);
    if (!output)
        return usageError("copy-rules", usage, io);
    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    if (int s = copyRulesSubject(ds, *args.value("--subject"), *args.value("--to"), io, input); s != ExitDone)
        return s;
    return saveForCommand(ds, *output, io);
}

} // namespace tabrel::cli
