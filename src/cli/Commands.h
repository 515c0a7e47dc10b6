#pragma once
// tabrel-cli: one function per command. Each takes the arguments after the command name and
// returns the exit status of the command-line contract.
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tabrel {
class DataSet;
struct FileResult;
}

namespace tabrel::cli {

enum Exit : int { ExitDone = 0, ExitBadInput = 1, ExitUsage = 2, ExitDamaged = 3, ExitNothingToDo = 4 };

struct Io {
    std::ostream& out;
    std::ostream& err;
};

using CommandFn = int (*)(const std::vector<std::string>& args, Io io);

struct Command {
    const char* name;
    const char* usage; // printed for --help and usage errors
    CommandFn run;
};

// The command table, in the order `tabrel-cli --help` lists it.
const std::vector<Command>& commands();

// Runs argv; returns the exit status.
int dispatch(const std::vector<std::string>& argv, Io io);

// Small argument parser: options with a value ("-o X", "--grade X"), flags ("--json") and
// positionals. Unknown options or a missing value are usage errors.
class Args {
public:
    // `valued`: options that take a value; `flags`: options without one.
    Args(const std::vector<std::string>& args, std::vector<std::string> valued, std::vector<std::string> flags);
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    bool helpAsked() const { return help_; }
    bool has(const std::string& option) const;
    std::optional<std::string> value(const std::string& option) const;
    const std::vector<std::string>& positionals() const { return positionals_; }

private:
    std::string error_;
    bool help_ = false;
    std::map<std::string, std::string> values_;
    std::vector<std::string> positionals_;
};

// Prints "tabrel-cli COMMAND: message" and the command's usage on stderr; returns ExitUsage.
int usageError(const char* command, const std::string& message, Io io);

// Loads a data file as the program opens it (sidecar, then the post-load rebuild). Returns -1 when
// it was read; otherwise prints "FILE: message" and returns the status (3 for damage, else 1).
int loadForCommand(DataSet& dataSet, const std::string& path, Io io);

// Saves the data set; returns ExitDone, or prints "FILE: message" and returns ExitBadInput.
int saveForCommand(const DataSet& dataSet, const std::string& path, Io io);

// Prints a failed load or save of `path` and returns the matching status.
int reportFileFailure(const std::string& path, const FileResult& result, Io io);

// Prints "usage" for a command to `os`.
void printUsage(const Command& c, std::ostream& os);
const Command* findCommand(const std::string& name);

// Commands.
int cmdNew(const std::vector<std::string>& args, Io io);
int cmdDump(const std::vector<std::string>& args, Io io);
int cmdBuild(const std::vector<std::string>& args, Io io);
int cmdSchedule(const std::vector<std::string>& args, Io io);
int cmdReport(const std::vector<std::string>& args, Io io);
int cmdExport(const std::vector<std::string>& args, Io io);
int cmdMerge(const std::vector<std::string>& args, Io io);
int cmdCopy(const std::vector<std::string>& args, Io io);
int cmdPaste(const std::vector<std::string>& args, Io io);
int cmdPlan(const std::vector<std::string>& args, Io io);
int cmdAddTeachers(const std::vector<std::string>& args, Io io);
int cmdCopyRules(const std::vector<std::string>& args, Io io);
int cmdCandidates(const std::vector<std::string>& args, Io io);
int cmdPlace(const std::vector<std::string>& args, Io io);
int cmdMarks(const std::vector<std::string>& args, Io io);
int cmdSwap(const std::vector<std::string>& args, Io io);
int cmdCheck(const std::vector<std::string>& args, Io io);
int cmdQuality(const std::vector<std::string>& args, Io io);
int cmdTerm(const std::vector<std::string>& args, Io io);
int cmdAbsence(const std::vector<std::string>& args, Io io);
int cmdCover(const std::vector<std::string>& args, Io io);
int cmdDay(const std::vector<std::string>& args, Io io);
int cmdChanges(const std::vector<std::string>& args, Io io);
int cmdNotice(const std::vector<std::string>& args, Io io);
int cmdCoverStats(const std::vector<std::string>& args, Io io);

} // namespace tabrel::cli
