// tabrel-cli candidates, place, marks and swap: the commands of the manual scheduling panel, run on
// the class view's and the teacher view's own operations after the panel's preparation.
#include <optional>
#include <ostream>

#include "cli/CliSupport.h"
#include "data/ClipboardTable.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "manual/ClassTableTiaoKe.h"
#include "manual/TeacherPaike.h"
#include "scheduling/TeacherAssignment.h"

namespace tabrel::cli {

namespace {

using manual::Slot;

// What every command of the panel does first: option checks that need no file are done by the
// caller; this loads the file and prepares it as showing the panel does.
int loadPrepared(DataSet& ds, const std::string& input, Io io)
{
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    ComputeAssignedPeriods(ds);
    ds.syncTeacherAssignments();
    return -1;
}

// A slot given by --period/--day (or --to-period/--to-day). The values are read once the file is
// loaded (names and labels come from it); a value that is neither a name or label of the school nor
// a number within its grid names no slot.
struct SlotOption {
    std::string periodOption, dayOption;
    int period = -1, day = -1;
};

void parseSlot(const DataSet& ds, const Args& args, SlotOption& slot)
{
    slot.period = parsePeriod(ds, *args.value(slot.periodOption));
    slot.day = parseDay(ds, *args.value(slot.dayOption));
}

// Returns -1 when the slot lies in the grid, else prints why and returns ExitNothingToDo.
int slotInGrid(const std::string& input, const Args& args, const SlotOption& slot, Io io)
{
    if (slot.period < 0) {
        io.err << input << ": no period " << *args.value(slot.periodOption) << " in the time grid\n";
        return ExitNothingToDo;
    }
    if (slot.day < 0) {
        io.err << input << ": no day " << *args.value(slot.dayOption) << " in the time grid\n";
        return ExitNothingToDo;
    }
    return -1;
}

// The names of the command as GBK (status 1 on failure), in the order given.
bool gbkNames(const std::string& input, const Args& args, const std::vector<std::string>& options,
              std::vector<std::optional<std::string>>& out, Io io)
{
    for (const std::string& o : options) {
        if (!args.has(o)) {
            out.emplace_back();
            continue;
        }
        auto g = gbkArgument(input, o, *args.value(o), io);
        if (!g)
            return false;
        out.push_back(std::move(g));
    }
    return true;
}

int refused(const std::string& input, const std::string& why, Io io)
{
    io.err << input << ": refused: " << gbk::toUtf8(why) << "\n";
    return ExitNothingToDo;
}

// The view (class or teacher) a command runs in, set up on the named record.
struct Views {
    manual::ClassTableTiaoKe classView;
    manual::TeacherPaike teacherView;
    bool byTeacher = false;
};

// Resolves --class or --teacher and shows that record in its view; -1 when found.
int chooseRecord(DataSet& ds, const std::string& input, const Args& args, const std::optional<std::string>& className,
                 const std::optional<std::string>& teacherName, Views& v, Io io)
{
    if (className) {
        const ClassPosition at = findClass(ds, *className);
        if (!at.found()) {
            io.err << input << ": no class is named " << *args.value("--class") << "\n";
            return ExitNothingToDo;
        }
        v.classView.refresh(ds);
        v.classView.chooseClass(ds, at.listIndex);
        return -1;
    }
    const int t = findTeacher(ds, *teacherName);
    if (t < 0) {
        io.err << input << ": no teacher is named " << *args.value("--teacher") << "\n";
        return ExitNothingToDo;
    }
    v.byTeacher = true;
    v.teacherView.refresh(ds);
    v.teacherView.chooseTeacher(ds, t);
    return -1;
}

bool helpOrUsage(const char* command, const Args& args, int& status, Io io)
{
    if (args.helpAsked()) {
        printUsage(*findCommand(command), io.out);
        status = ExitDone;
        return true;
    }
    if (!args.ok()) {
        status = usageError(command, args.error(), io);
        return true;
    }
    if (args.positionals().size() != 1) {
        status = usageError(command,
                            args.positionals().empty() ? "missing FILE.qtf" : "unexpected argument " + args.positionals()[1],
                            io);
        return true;
    }
    return false;
}

// Exactly one of --class and --teacher.
bool oneRecordOption(const char* command, const Args& args, int& status, Io io)
{
    if (args.has("--class") == args.has("--teacher")) {
        status = usageError(command, "give exactly one of --class NAME and --teacher NAME", io);
        return false;
    }
    return true;
}

bool required(const char* command, const Args& args, const std::vector<std::string>& options, int& status, Io io)
{
    for (const std::string& o : options)
        if (!args.has(o)) {
            status = usageError(command, "missing " + o, io);
            return false;
        }
    return true;
}

} // namespace

int cmdCandidates(const std::vector<std::string>& argv, Io io)
{
    const char* cmd = "candidates";
    Args args(argv, {"--class", "--teacher", "--period", "--day"}, {});
    int status = ExitDone;
    if (helpOrUsage(cmd, args, status, io) || !oneRecordOption(cmd, args, status, io))
        return status;
    if (args.has("--class") && !required(cmd, args, {"--period", "--day"}, status, io))
        return status;
    if (args.has("--period") != args.has("--day"))
        return usageError(cmd, "give --period and --day together", io);
    const std::string& input = args.positionals()[0];

    DataSet ds;
    if (int s = loadPrepared(ds, input, io); s >= 0)
        return s;
    SlotOption slot{"--period", "--day"};
    const bool oneSlot = args.has("--period");
    if (oneSlot)
        parseSlot(ds, args, slot);
    std::vector<std::optional<std::string>> names;
    if (!gbkNames(input, args, {"--class", "--teacher"}, names, io))
        return ExitBadInput;
    Views v;
    if (int s = chooseRecord(ds, input, args, names[0], names[1], v, io); s >= 0)
        return s;
    if (oneSlot)
        if (int s = slotInGrid(input, args, slot, io); s >= 0)
            return s;

    std::string text;
    if (!v.byTeacher) {
        for (const manual::MenuEntry& e : v.classView.placementMenu(ds, {slot.period, slot.day}))
            text += e.text + "\n";
    } else {
        const int T = manual::shownPeriods(ds), D = manual::shownDays(ds);
        for (int p = 0; p < T; ++p)
            for (int d = 0; d < D; ++d) {
                if (oneSlot && (p != slot.period || d != slot.day))
                    continue;
                text += gbk::formatInt(p + 1) + "\t" + gbk::formatInt(d + 1);
                for (const auto& c : v.teacherView.candidates({p, d}))
                    text += "\t" + c.text;
                text += "\n";
            }
    }
    io.out << gbk::toUtf8(text);
    io.out.flush();
    return ExitDone;
}

int cmdPlace(const std::vector<std::string>& argv, Io io)
{
    const char* cmd = "place";
    Args args(argv, {"--class", "--teacher", "--period", "--day", "--subject", "--in-class", "-o"}, {"--empty", "--in-place"});
    int status = ExitDone;
    if (helpOrUsage(cmd, args, status, io) || !oneRecordOption(cmd, args, status, io) ||
        !required(cmd, args, {"--period", "--day"}, status, io))
        return status;
    if (args.has("--subject") == args.has("--empty"))
        return usageError(cmd, "give exactly one of --subject S and --empty", io);
    if (args.has("--in-class") && (!args.has("--teacher") || !args.has("--subject")))
        return usageError(cmd, "--in-class belongs to --teacher NAME --subject S", io);
    const std::string& input = args.positionals()[0];
    std::string usage;
    auto output = changedSchoolPath(args, input, usage);
    if (!output)
        return usageError(cmd, usage, io);

    DataSet ds;
    if (int s = loadPrepared(ds, input, io); s >= 0)
        return s;
    SlotOption slot{"--period", "--day"};
    parseSlot(ds, args, slot);
    std::vector<std::optional<std::string>> names;
    if (!gbkNames(input, args, {"--class", "--teacher", "--subject", "--in-class"}, names, io))
        return ExitBadInput;
    Views v;
    if (int s = chooseRecord(ds, input, args, names[0], names[1], v, io); s >= 0)
        return s;
    if (int s = slotInGrid(input, args, slot, io); s >= 0)
        return s;
    int inClass = -1;
    if (names[3]) {
        const ClassPosition at = findClass(ds, *names[3]);
        if (!at.found()) {
            io.err << input << ": no class is named " << *args.value("--in-class") << "\n";
            return ExitNothingToDo;
        }
        inClass = at.listIndex;
    }

    const Slot s{slot.period, slot.day};
    std::string why;
    bool done = false;
    if (!v.byTeacher)
        done = names[2] ? v.classView.placeSubject(ds, s, *names[2], &why) : v.classView.emptyCell(ds, s, &why);
    else
        done = names[2] ? v.teacherView.placeSubject(ds, s, *names[2], inClass, &why) : v.teacherView.emptySlot(ds, s, &why);
    if (!done)
        return refused(input, why, io);
    return saveForCommand(ds, *output, io);
}

int cmdMarks(const std::vector<std::string>& argv, Io io)
{
    const char* cmd = "marks";
    Args args(argv, {"--class", "--period", "--day"}, {});
    int status = ExitDone;
    if (helpOrUsage(cmd, args, status, io) || !required(cmd, args, {"--class", "--period", "--day"}, status, io))
        return status;
    const std::string& input = args.positionals()[0];

    DataSet ds;
    if (int s = loadPrepared(ds, input, io); s >= 0)
        return s;
    SlotOption slot{"--period", "--day"};
    parseSlot(ds, args, slot);
    std::vector<std::optional<std::string>> names;
    if (!gbkNames(input, args, {"--class"}, names, io))
        return ExitBadInput;
    Views v;
    if (int s = chooseRecord(ds, input, args, names[0], std::nullopt, v, io); s >= 0)
        return s;
    if (int s = slotInGrid(input, args, slot, io); s >= 0)
        return s;
    if (!v.classView.pickSwapSource(ds, {slot.period, slot.day}))
        return refused(input, "the class view takes no swap source there (a common period or a marked cell)", io);
    io.out << gbk::toUtf8(joinClipboardTable(v.classView.marks(ds)));
    io.out.flush();
    return ExitDone;
}

int cmdSwap(const std::vector<std::string>& argv, Io io)
{
    const char* cmd = "swap";
    Args args(argv, {"--class", "--teacher", "--period", "--day", "--to-period", "--to-day", "-o"}, {"--in-place"});
    int status = ExitDone;
    if (helpOrUsage(cmd, args, status, io) || !oneRecordOption(cmd, args, status, io) ||
        !required(cmd, args, {"--period", "--day", "--to-period", "--to-day"}, status, io))
        return status;
    const std::string& input = args.positionals()[0];
    std::string usage;
    auto output = changedSchoolPath(args, input, usage);
    if (!output)
        return usageError(cmd, usage, io);

    DataSet ds;
    if (int s = loadPrepared(ds, input, io); s >= 0)
        return s;
    SlotOption from{"--period", "--day"}, to{"--to-period", "--to-day"};
    parseSlot(ds, args, from);
    parseSlot(ds, args, to);
    std::vector<std::optional<std::string>> names;
    if (!gbkNames(input, args, {"--class", "--teacher"}, names, io))
        return ExitBadInput;
    Views v;
    if (int s = chooseRecord(ds, input, args, names[0], names[1], v, io); s >= 0)
        return s;
    if (int s = slotInGrid(input, args, from, io); s >= 0)
        return s;
    if (int s = slotInGrid(input, args, to, io); s >= 0)
        return s;

    const Slot source{from.period, from.day}, target{to.period, to.day};
    std::string why;
    if (!v.byTeacher) {
        v.classView.setMode(manual::ClassTableTiaoKe::Swap);
        if (!v.classView.pickSwapSource(ds, source))
            return refused(input, "the class view takes no swap source there (a common period or a marked cell)", io);
        v.classView.startDrag(0, 0);
        if (!v.classView.dropOn(ds, target, &why))
            return refused(input, "the target is marked " + why, io);
    } else {
        v.teacherView.setMode(ds, manual::TeacherPaike::Swap);
        if (!v.teacherView.pickLesson(ds, source))
            return refused(input, "the teacher has no lesson in that slot", io);
        v.teacherView.hover(ds, target, true);
        if (!v.teacherView.dropOn(ds, target, &why))
            return refused(input, "the target is " + why, io);
    }
    return saveForCommand(ds, *output, io);
}

} // namespace tabrel::cli
