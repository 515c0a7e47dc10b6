#include "cli/Commands.h"

#include <algorithm>
#include <ostream>

#include "data/DataFile.h"
#include "data/DataSet.h"

namespace tabrel::cli {

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"new", "tabrel-cli new OUT.qtf", cmdNew},
        {"dump", "tabrel-cli dump FILE.qtf", cmdDump},
        {"build", "tabrel-cli build FILE.json -o OUT.qtf", cmdBuild},
        {"schedule", "tabrel-cli schedule FILE.qtf (-o OUT.qtf | --in-place) [--grade NAME | --class NAME] [--complete] [--optimize]", cmdSchedule},
        {"report", "tabrel-cli report FILE.qtf [--class NAME] [--json]", cmdReport},
        {"export", "tabrel-cli export FILE.qtf --out DIR [--tables-per-row N] [--teacher-tables-per-row N] [--name-style full|short] [--no-subject] [--no-teacher] [--no-class] [--title TEXT] [--bmp-depth 16|24|32] [--grade NAME] KIND...", cmdExport},
        {"merge", "tabrel-cli merge A.qtf B.qtf -o OUT.qtf", cmdMerge},
        {"copy", "tabrel-cli copy FILE.qtf KIND [--grade NAME]", cmdCopy},
        {"paste", "tabrel-cli paste FILE.qtf KIND TEXT (-o OUT.qtf | --in-place) [--at ROW,COL] [--grade NAME]", cmdPaste},
        {"plan", "tabrel-cli plan FILE.qtf (-o OUT.qtf | --in-place)", cmdPlan},
        {"add-teachers", "tabrel-cli add-teachers FILE.qtf (-o OUT.qtf | --in-place)", cmdAddTeachers},
        {"copy-rules", "tabrel-cli copy-rules FILE.qtf (--subject A --to B | --teacher A --to B) (-o OUT.qtf | --in-place)", cmdCopyRules},
        {"candidates", "tabrel-cli candidates FILE.qtf (--class NAME --period P --day D | --teacher NAME [--period P --day D])", cmdCandidates},
        {"place", "tabrel-cli place FILE.qtf (--class NAME | --teacher NAME) --period P --day D (--subject S [--in-class NAME] | --empty) (-o OUT.qtf | --in-place)", cmdPlace},
        {"marks", "tabrel-cli marks FILE.qtf --class NAME --period P --day D", cmdMarks},
        {"swap", "tabrel-cli swap FILE.qtf (--class NAME | --teacher NAME) --period P --day D --to-period P2 --to-day D2 (-o OUT.qtf | --in-place)", cmdSwap},
        {"check", "tabrel-cli check FILE.qtf [--json]", cmdCheck},
        {"quality", "tabrel-cli quality FILE.qtf [--json]", cmdQuality},
        {"term", "tabrel-cli term FILE.qtf --start DATE --weeks N [--off DATE | --off DATE..DATE]... [--makeup DATE=DAYNAME]... (-o OUT.qtf | --in-place)", cmdTerm},
        {"absence", "tabrel-cli absence FILE.qtf (--teacher NAME --from DATE[:P] --to DATE[:P] [--kind 病假|事假|公假|培训|其他] [--note TEXT] | --remove ID) (-o OUT.qtf | --in-place)", cmdAbsence},
        {"cover", "tabrel-cli cover FILE.qtf (--absence ID --auto | --date DATE --period P --class NAME (--teacher NAME | --swap DATE:P | --self-study [--teacher NAME] | --cancel)) (-o OUT.qtf | --in-place)", cmdCover},
        {"day", "tabrel-cli day FILE.qtf --date DATE (--class NAME | --teacher NAME) [--json]", cmdDay},
        {"changes", "tabrel-cli changes FILE.qtf [--from DATE] [--to DATE] [--teacher NAME] [--class NAME] [--json]", cmdChanges},
        {"notice", "tabrel-cli notice FILE.qtf --date DATE", cmdNotice},
        {"cover-stats", "tabrel-cli cover-stats FILE.qtf --from DATE --to DATE [--json] [--xlsx OUT.xlsx]", cmdCoverStats},
    };
    return table;
}

const Command* findCommand(const std::string& name)
{
    for (const auto& c : commands())
        if (name == c.name)
            return &c;
    return nullptr;
}

void printUsage(const Command& c, std::ostream& os)
{
    os << "usage: " << c.usage << "\n";
}

int usageError(const char* command, const std::string& message, Io io)
{
    io.err << "tabrel-cli " << command << ": " << message << "\n";
    if (const Command* c = findCommand(command))
        printUsage(*c, io.err);
    return ExitUsage;
}

int reportFileFailure(const std::string& path, const FileResult& r, Io io)
{
    std::string message = r.message;
    if (message.empty()) {
        switch (r.status) {
        case FileStatus::CannotOpen: message = "cannot open the file for reading"; break;
        case FileStatus::Damaged: message = "the data file is damaged"; break;
        case FileStatus::CannotWrite: message = "cannot write the file"; break;
        case FileStatus::Ok: break;
        }
    }
    // The reader's message may already begin with the path.
    if (message.rfind(path + ":", 0) == 0)
        io.err << message << "\n";
    else
        io.err << path << ": " << message << "\n";
    return r.status == FileStatus::Damaged ? ExitDamaged : ExitBadInput;
}

int loadForCommand(DataSet& dataSet, const std::string& path, Io io)
{
    const FileResult r = loadDataFile(dataSet, path);
    return r.ok() ? -1 : reportFileFailure(path, r, io);
}

int saveForCommand(const DataSet& dataSet, const std::string& path, Io io)
{
    const FileResult r = saveDataFile(dataSet, path);
    return r.ok() ? ExitDone : reportFileFailure(path, r, io);
}

static void printAllUsage(std::ostream& os)
{
    os << "usage: tabrel-cli COMMAND [ARGS]\n\ncommands:\n";
    for (const auto& c : commands())
        os << "  " << c.usage << "\n";
}

int dispatch(const std::vector<std::string>& argv, Io io)
{
    if (argv.size() < 2) {
        printAllUsage(io.err);
        return ExitUsage;
    }
    const std::string& name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printAllUsage(io.out);
        return ExitDone;
    }
    const Command* c = findCommand(name);
    if (!c) {
        io.err << "tabrel-cli: unknown command '" << name << "'\n";
        printAllUsage(io.err);
        return ExitUsage;
    }
    return c->run(std::vector<std::string>(argv.begin() + 2, argv.end()), io);
}

Args::Args(const std::vector<std::string>& args, std::vector<std::string> valued, std::vector<std::string> flags)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            help_ = true;
            continue;
        }
        if (a.size() > 1 && a[0] == '-') {
            if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
                values_[a] = "";
                continue;
            }
            if (std::find(valued.begin(), valued.end(), a) != valued.end()) {
                if (i + 1 >= args.size()) {
                    error_ = "option " + a + " needs a value";
                    break;
                }
                values_[a] = args[++i];
                continue;
            }
            error_ = "unknown option " + a;
            break;
        }
        positionals_.push_back(a);
    }
    // A help request anywhere wins over a usage error found before it.
    if (!error_.empty())
        for (const std::string& a : args)
            if (a == "--help" || a == "-h")
                help_ = true;
}

bool Args::has(const std::string& option) const
{
    return values_.count(option) != 0;
}

std::optional<std::string> Args::value(const std::string& option) const
{
    auto it = values_.find(option);
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

} // namespace tabrel::cli
