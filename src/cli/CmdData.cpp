// tabrel-cli new, dump and build: a new schedule, the JSON form of a data file, and a data file
// from the JSON form.
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

#include "cli/Commands.h"
#include "cli/JsonSchedule.h"
#include "data/DataFile.h"
#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel::cli {

namespace {

// Parses the arguments of a command that takes `positionals` plain arguments; returns -1 when the
// command should go on, otherwise the status to return (usage printed).
int checkArgs(const char* command, const Args& args, std::size_t positionals, Io io)
{
    if (args.helpAsked()) {
        printUsage(*findCommand(command), io.out);
        return ExitDone;
    }
    if (!args.ok())
        return usageError(command, args.error(), io);
    if (args.positionals().size() < positionals)
        return usageError(command, "missing argument", io);
    if (args.positionals().size() > positionals)
        return usageError(command, "unexpected argument " + args.positionals()[positionals], io);
    return -1;
}

} // namespace

int cmdNew(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {}, {});
    if (int s = checkArgs("new", args, 1, io); s >= 0)
        return s;
    DataSet ds;
    ds.fillDefaultTitle();
    ds.applyNewDocumentDefaults();
    return saveForCommand(ds, args.positionals()[0], io);
}

int cmdDump(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {}, {});
    if (int s = checkArgs("dump", args, 1, io); s >= 0)
        return s;
    const std::string& path = args.positionals()[0];
    DataSet ds;
    ds.fillDefaultTitle();
    FileResult r = loadDataFile(ds, path);
    // The program shows each new name that its sidecar lists twice; the line is used anyway.
    for (const auto& name : r.duplicateNewNames)
        io.err << sidecarPath(path) << ": warning: the new name " << gbk::toUtf8(name)
               << " is given more than once\n";
    if (!r.ok())
        return reportFileFailure(path, r, io);
    io.out << toJson(ds).dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
    io.out.flush();
    if (!io.out.good()) {
        io.err << path << ": the JSON form could not be written to the output\n";
        return ExitBadInput;
    }
    return ExitDone;
}

int cmdBuild(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {"-o"}, {});
    if (int s = checkArgs("build", args, 1, io); s >= 0)
        return s;
    if (!args.has("-o"))
        return usageError("build", "missing -o OUT.qtf", io);
    const std::string& input = args.positionals()[0];
    const std::string output = *args.value("-o");

    std::error_code ec;
    std::ifstream in(input, std::ios::binary);
    if (!in || std::filesystem::is_directory(input, ec)) {
        io.err << input << ": cannot open the file for reading\n";
        return ExitBadInput;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        io.err << input << ": cannot read the file\n";
        return ExitBadInput;
    }

    Json json;
    try {
        json = Json::parse(text.str());
    } catch (const Json::exception& e) {
        // "[json.exception.parse_error.101] parse error at line 3, column 5: ..." without the tag.
        std::string what = e.what();
        if (auto pos = what.find("] "); what.rfind("[json.exception", 0) == 0 && pos != std::string::npos)
            what = what.substr(pos + 2);
        io.err << input << ": " << what << "\n";
        return ExitBadInput;
    }

    DataSet ds;
    ds.fillDefaultTitle();
    JsonError error;
    if (!fromJson(json, ds, error)) {
        io.err << input << ": " << error.text() << "\n";
        return ExitBadInput;
    }
    ds.relinkTeacherCells();
    return saveForCommand(ds, output, io);
}

} // namespace tabrel::cli
