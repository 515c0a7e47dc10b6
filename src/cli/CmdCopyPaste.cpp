// tabrel-cli copy and paste: the clipboard commands of the editing panels. Each KIND is one row of
// a table; the argument checks, the loading, the clipboard file and the saving are shared.
#include <ostream>

#include "cli/CliSupport.h"
#include "cli/CmdGradeKinds.h"
#include "cli/CmdSubjectKinds.h"
#include "cli/CopyPasteKinds.h"
#include "cli/TeacherKinds.h"
#include "cli/MasterKinds.h"
#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel::cli {

namespace {

// The kinds, in the order the usage lists them. Each panel's commands add their rows here.
const std::vector<CopyKind>& copyKinds()
{
    static const std::vector<CopyKind> kinds = {
        {"teachers", false, copyTeachers},
        {"assignments", false, copyAssignments},
        {"teacher-load", false, copyTeacherLoad},
        {"master1", true, copyMaster1},
        {"master2", true, copyMaster2},
        {"distribution", false, copyDistribution},
    };
    return kinds;
}

const std::vector<PasteKind>& pasteKinds()
{
    static const std::vector<PasteKind> kinds = {
        {"grades", false, false, pasteGrades},
        {"class-names", false, false, pasteClassNames},
        {"subjects", false, false, pasteSubjects},
        {"teachers", true, false, pasteTeachers},
        {"assignments", true, false, pasteAssignments},
        {"master1", false, true, pasteMaster1},
    };
    return kinds;
}

template <class Kind>
const Kind* findKind(const std::vector<Kind>& kinds, const std::string& name)
{
    for (const Kind& k : kinds)
        if (name == k.name)
            return &k;
    return nullptr;
}

// "--at ROW,COL" with two decimal numbers, a sign allowed; false when malformed.
bool parseAt(const std::string& text, int& row, int& column)
{
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        return false;
    auto number = [](const std::string& t, int& out) {
        std::size_t i = 0;
        bool negative = false;
        if (i < t.size() && (t[i] == '-' || t[i] == '+'))
            negative = t[i++] == '-';
        if (i == t.size())
            return false;
        long long v = 0;
        for (; i < t.size(); ++i) {
            if (t[i] < '0' || t[i] > '9')
                return false;
            v = std::min(v * 10 + (t[i] - '0'), 1000000000LL);
        }
        out = static_cast<int>(negative ? -v : v);
        return true;
    };
    return number(text.substr(0, comma), row) && number(text.substr(comma + 1), column);
}

// Resolves --grade NAME when given: -1 without the option; -2 after printing why it failed
// (`status` is set).
int gradeOption(const DataSet& ds, const Args& args, const std::string& input, int& status, Io io)
{
    auto value = args.value("--grade");
    if (!value)
        return -1;
    auto name = gbkArgument(input, "--grade", *value, io);
    if (!name) {
        status = ExitBadInput;
        return -2;
    }
    const int g = findGrade(ds, *name);
    if (g < 0) {
        io.err << input << ": no grade is named " << *value << "\n";
        status = ExitNothingToDo;
        return -2;
    }
    return g;
}

} // namespace

int cmdCopy(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {"--grade"}, {});
    if (args.helpAsked()) {
        printUsage(*findCommand("copy"), io.out);
        return ExitDone;
    }
    if (!args.ok())
        return usageError("copy", args.error(), io);
    if (args.positionals().size() < 2)
        return usageError("copy", "missing argument", io);
    if (args.positionals().size() > 2)
        return usageError("copy", "unexpected argument " + args.positionals()[2], io);
    const CopyKind* kind = findKind(copyKinds(), args.positionals()[1]);
    if (!kind)
        return usageError("copy", "unknown KIND " + args.positionals()[1], io);
    if (args.has("--grade") && !kind->takesGrade)
        return usageError("copy", std::string("--grade does not belong to ") + kind->name, io);

    const std::string& input = args.positionals()[0];
    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    CopyRequest request;
    request.input = input;
    int status = ExitDone;
    request.grade = gradeOption(ds, args, input, status, io);
    if (request.grade == -2)
        return status;
    std::string text;
    if (int s = kind->run(ds, request, text, io); s != ExitDone)
        return s;
    io.out << gbk::toUtf8(text);
    io.out.flush();
    return ExitDone;
}

int cmdPaste(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {"-o", "--at", "--grade"}, {"--in-place"});
    if (args.helpAsked()) {
        printUsage(*findCommand("paste"), io.out);
        return ExitDone;
    }
    if (!args.ok())
        return usageError("paste", args.error(), io);
    if (args.positionals().size() < 3)
        return usageError("paste", "missing argument", io);
    if (args.positionals().size() > 3)
        return usageError("paste", "unexpected argument " + args.positionals()[3], io);
    const PasteKind* kind = findKind(pasteKinds(), args.positionals()[1]);
    if (!kind)
        return usageError("paste", "unknown KIND " + args.positionals()[1], io);
    if (args.has("--at") && !kind->takesAt)
        return usageError("paste", std::string("--at does not belong to ") + kind->name, io);
    if (args.has("--grade") && !kind->takesGrade)
        return usageError("paste", std::string("--grade does not belong to ") + kind->name, io);
    PasteRequest request;
    if (auto at = args.value("--at")) {
        if (!parseAt(*at, request.row, request.column))
            return usageError("paste", "--at takes ROW,COL, not " + *at, io);
        request.atGiven = true;
    }
    const std::string& input = args.positionals()[0];
    std::string usage;
    auto output = changedSchoolPath(args, input, usage);
    if (!output)
        return usageError("paste", usage, io);

    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    auto text = readClipboardFile(args.positionals()[2], io);
    if (!text)
        return ExitBadInput;
    request.input = input;
    request.text = std::move(*text);
    int status = ExitDone;
    request.grade = gradeOption(ds, args, input, status, io);
    if (request.grade == -2)
        return status;
    if (int s = kind->run(ds, request, io); s != ExitDone)
        return s;
    return saveForCommand(ds, *output, io);
}

} // namespace tabrel::cli
