// tabrel-cli term, absence, cover, day, changes, notice and cover-stats: running the term, on the
// core operations of src/term.
#include <algorithm>
#include <optional>
#include <ostream>

#include "app/CoverStatisticsBook.h"
#include "cli/CliSupport.h"
#include "cli/JsonSchedule.h"
#include "data/DataSet.h"
#include "data/ExtensionJson.h"
#include "data/Gbk.h"
#include "output/XlsxWorkbook.h"
#include "term/CoverStatistics.h"
#include "term/TermCover.h"

namespace tabrel::cli {

namespace {

// Takes every "OPTION VALUE" pair of a repeatable option out of the arguments.
bool takeRepeated(std::vector<std::string>& args, const std::string& option, std::vector<std::string>& values)
{
    for (std::size_t i = 0; i < args.size();) {
        if (args[i] != option) {
            ++i;
            continue;
        }
        if (i + 1 >= args.size())
            return false;
        values.push_back(args[i + 1]);
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    }
    return true;
}

// The common start: --help, a usage error, exactly one FILE.qtf. -1 when the command goes on.
int start(const char* name, const Args& args, Io io)
{
    if (args.helpAsked()) {
        printUsage(*findCommand(name), io.out);
        return ExitDone;
    }
    if (!args.ok())
        return usageError(name, args.error(), io);
    if (args.positionals().size() != 1)
        return usageError(name, args.positionals().empty() ? "missing FILE.qtf" : "unexpected argument " + args.positionals()[1], io);
    return -1;
}

// A date option: nothing when absent; a malformed one sets `bad`.
std::optional<DayNumber> dateOption(const Args& args, const std::string& option, bool& bad)
{
    auto v = args.value(option);
    if (!v)
        return std::nullopt;
    auto d = parseIsoDate(*v);
    if (!d)
        bad = true;
    return d;
}

// "DATE" or "DATE:P": the date now, the period text kept for when the file is loaded.
struct DateSlot {
    DayNumber date = 0;
    std::string periodText; // "" when none was given
    int period = -1;
};
bool parseDateSlot(const std::string& text, DateSlot& out)
{
    const std::size_t colon = text.find(':');
    auto d = parseIsoDate(std::string_view(text).substr(0, colon));
    if (!d)
        return false;
    out.date = *d;
    if (colon != std::string::npos) {
        out.periodText = text.substr(colon + 1);
        if (out.periodText.empty())
            return false;
    }
    return true;
}

int notInTerm(const std::string& input, DayNumber date, const DataSet& ds, Io io)
{
    if (!ds.extension.term.isSet())
        io.err << input << ": no term is set, so " << isoDate(date) << " names nothing\n";
    else
        io.err << input << ": " << isoDate(date) << " is not in the term\n";
    return ExitNothingToDo;
}

int refused(const std::string& input, const std::string& why, Io io)
{
    io.err << input << ": refused: " << gbk::toUtf8(why) << "\n";
    return ExitNothingToDo;
}

int badInput(const std::string& input, const std::string& why, Io io)
{
    io.err << input << ": " << gbk::toUtf8(why) << "\n";
    return ExitBadInput;
}

int saveTo(const DataSet& ds, const std::string& out, Io io)
{
    return saveForCommand(ds, out, io);
}

// Resolves a period text of a DATE:P; -1 when fine, else the status (printed).
int resolvePeriod(const char* command, const DataSet& ds, const std::string& input, DateSlot& s, int wholeDayDefault,
                  Io io)
{
    if (s.periodText.empty()) {
        s.period = wholeDayDefault;
        return -1;
    }
    s.period = parsePeriod(ds, s.periodText);
    if (s.period < 0) {
        io.err << input << ": no period " << s.periodText << " in the time grid\n";
        return ExitNothingToDo;
    }
    return -1;
}

std::string u(const std::string& g) { return gbk::toUtf8(g); }

} // namespace

// ---- term -----------------------------------------------------------------------------------------
int cmdTerm(const std::vector<std::string>& argv, Io io)
{
    std::vector<std::string> rest = argv;
    std::vector<std::string> offs, makeUps;
    const bool repeatedOk = takeRepeated(rest, "--off", offs) && takeRepeated(rest, "--makeup", makeUps);
    Args args(rest, {"--start", "--weeks", "-o"}, {"--in-place"});
    if (int s = start("term", args, io); s >= 0)
        return s;
    if (!repeatedOk)
        return usageError("term", "option --off and --makeup need a value", io);
    if (!args.has("--start") || !args.has("--weeks"))
        return usageError("term", "give --start DATE and --weeks N", io);
    const std::string& input = args.positionals()[0];
    std::string usage;
    auto out = changedSchoolPath(args, input, usage);
    if (!out)
        return usageError("term", usage, io);
    TermRecord term;
    bool bad = false;
    term.start = dateOption(args, "--start", bad).value_or(0);
    if (bad)
        return usageError("term", "--start takes a date YYYY-MM-DD", io);
    const std::string weeks = *args.value("--weeks");
    if (weeks.empty() || weeks.size() > 6 || !std::all_of(weeks.begin(), weeks.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return usageError("term", "--weeks takes a number", io);
    term.weeks = std::stoi(weeks);
    for (const std::string& o : offs) {
        const std::size_t dots = o.find("..");
        auto a = parseIsoDate(std::string_view(o).substr(0, dots));
        auto b = dots == std::string::npos ? a : parseIsoDate(std::string_view(o).substr(dots + 2));
        if (!a || !b)
            return usageError("term", "--off takes DATE or DATE..DATE, not " + o, io);
        term.daysOff.push_back({*a, *b});
    }
    std::vector<std::string> followsUtf8;
    for (const std::string& m : makeUps) {
        const std::size_t eq = m.find('=');
        auto d = parseIsoDate(std::string_view(m).substr(0, eq));
        if (!d || eq == std::string::npos || eq + 1 >= m.size())
            return usageError("term", "--makeup takes DATE=DAYNAME, not " + m, io);
        MakeUpDay day;
        day.date = *d;
        term.makeUpDays.push_back(day);
        followsUtf8.push_back(m.substr(eq + 1));
    }
    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    for (std::size_t i = 0; i < followsUtf8.size(); ++i) {
        auto g = gbkArgument(input, "--makeup", followsUtf8[i], io);
        if (!g)
            return ExitBadInput;
        term.makeUpDays[i].follows = *g;
    }
    if (std::string why = termRefusal(term, ds.dayNames); !why.empty())
        return badInput(input, why, io);
    ds.extension.term = term;
    return saveTo(ds, *out, io);
}

// ---- absence --------------------------------------------------------------------------------------
int cmdAbsence(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {"--teacher", "--from", "--to", "--kind", "--note", "--remove", "-o"}, {"--in-place"});
    if (int s = start("absence", args, io); s >= 0)
        return s;
    const std::string& input = args.positionals()[0];
    std::string usage;
    auto out = changedSchoolPath(args, input, usage);
    if (!out)
        return usageError("absence", usage, io);
    if (args.has("--remove")) {
        if (args.has("--teacher") || args.has("--from") || args.has("--to") || args.has("--kind") || args.has("--note"))
            return usageError("absence", "--remove takes no other absence option", io);
        const std::string id = *args.value("--remove");
        if (id.empty() || id.size() > 9 || !std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return usageError("absence", "--remove takes an absence id", io);
        DataSet ds;
        if (int s = loadForCommand(ds, input, io); s >= 0)
            return s;
        if (!removeAbsence(ds, std::stoi(id))) {
            io.err << input << ": no absence has the id " << id << "\n";
            return ExitNothingToDo;
        }
        return saveTo(ds, *out, io);
    }
    if (!args.has("--teacher") || !args.has("--from") || !args.has("--to"))
        return usageError("absence", "give --teacher NAME --from DATE[:P] --to DATE[:P], or --remove ID", io);
    DateSlot from, to;
    if (!parseDateSlot(*args.value("--from"), from))
        return usageError("absence", "--from takes DATE or DATE:P", io);
    if (!parseDateSlot(*args.value("--to"), to))
        return usageError("absence", "--to takes DATE or DATE:P", io);
    std::string kindUtf8 = args.value("--kind").value_or("其他");
    if (std::none_of(std::begin(AbsenceKinds), std::end(AbsenceKinds), [&](const char* k) { return kindUtf8 == k; }))
        return usageError("absence", "--kind takes 病假, 事假, 公假, 培训 or 其他", io);
    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    auto teacher = gbkArgument(input, "--teacher", *args.value("--teacher"), io);
    auto note = gbkArgument(input, "--note", args.value("--note").value_or(""), io);
    if (!teacher || !note)
        return ExitBadInput;
    if (int s = resolvePeriod("absence", ds, input, from, 0, io); s >= 0)
        return s;
    if (int s = resolvePeriod("absence", ds, input, to, std::max(0, ds.periodsPerDay() - 1), io); s >= 0)
        return s;
    if (findTeacher(ds, *teacher) < 0) {
        io.err << input << ": no teacher is named " << *args.value("--teacher") << "\n";
        return ExitNothingToDo;
    }
    const TermCalendar cal(ds);
    for (DayNumber d : {from.date, to.date})
        if (!cal.contains(d))
            return notInTerm(input, d, ds, io);
    AbsenceRecord a;
    a.teacher = *teacher;
    a.from = from.date;
    a.fromPeriod = from.period;
    a.to = to.date;
    a.toPeriod = to.period;
    a.kind = gbk::literal(kindUtf8);
    a.note = *note;
    std::string why;
    const int id = addAbsence(ds, a, &why);
    if (id == 0)
        return badInput(input, why, io);
    if (int s = saveTo(ds, *out, io); s != ExitDone)
        return s;
    io.out << id << "\n";
    return ExitDone;
}

// ---- cover ----------------------------------------------------------------------------------------
int cmdCover(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {"--absence", "--date", "--period", "--class", "--teacher", "--swap", "-o"},
              {"--auto", "--self-study", "--cancel", "--in-place"});
    if (int s = start("cover", args, io); s >= 0)
        return s;
    const std::string& input = args.positionals()[0];
    std::string usage;
    auto out = changedSchoolPath(args, input, usage);
    if (!out)
        return usageError("cover", usage, io);

    if (args.has("--absence") || args.has("--auto")) {
        if (!args.has("--absence") || !args.has("--auto") || args.has("--date") || args.has("--period")
            || args.has("--class") || args.has("--teacher") || args.has("--swap") || args.has("--self-study")
            || args.has("--cancel"))
            return usageError("cover", "--absence ID --auto takes no lesson option", io);
        const std::string id = *args.value("--absence");
        if (id.empty() || id.size() > 9 || !std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return usageError("cover", "--absence takes an absence id", io);
        DataSet ds;
        if (int s = loadForCommand(ds, input, io); s >= 0)
            return s;
        if (!ds.extension.findAbsence(std::stoi(id))) {
            io.err << input << ": no absence has the id " << id << "\n";
            return ExitNothingToDo;
        }
        const auto proposal = proposeCover(ds, {std::stoi(id)});
        acceptProposal(ds, proposal);
        if (int s = saveTo(ds, *out, io); s != ExitDone)
            return s;
        for (const ChangeRecord& c : proposal)
            io.out << u(noticeLine(ds, c)) << "\n";
        return ExitDone;
    }

    const int ways = (args.has("--teacher") && !args.has("--self-study")) + args.has("--swap") + args.has("--self-study")
                     + args.has("--cancel");
    if (!args.has("--date") || !args.has("--period") || !args.has("--class") || ways != 1)
        return usageError("cover", "give --date DATE --period P --class NAME and one of --teacher NAME, --swap DATE:P, "
                                   "--self-study [--teacher NAME], --cancel",
                          io);
    bool bad = false;
    const DayNumber date = dateOption(args, "--date", bad).value_or(0);
    if (bad)
        return usageError("cover", "--date takes a date YYYY-MM-DD", io);
    DateSlot swap;
    if (args.has("--swap") && (!parseDateSlot(*args.value("--swap"), swap) || swap.periodText.empty()))
        return usageError("cover", "--swap takes DATE:P", io);
    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    auto className = gbkArgument(input, "--class", *args.value("--class"), io);
    if (!className)
        return ExitBadInput;
    std::optional<std::string> teacher;
    if (args.has("--teacher") && !(teacher = gbkArgument(input, "--teacher", *args.value("--teacher"), io)))
        return ExitBadInput;
    const int period = parsePeriod(ds, *args.value("--period"));
    if (args.has("--swap"))
        if (int s = resolvePeriod("cover", ds, input, swap, 0, io); s >= 0)
            return s;
    if (period < 0) {
        io.err << input << ": no period " << *args.value("--period") << " in the time grid\n";
        return ExitNothingToDo;
    }
    const ClassPosition at = findClass(ds, *className);
    if (!at.found()) {
        io.err << input << ": no class is named " << *args.value("--class") << "\n";
        return ExitNothingToDo;
    }
    if (teacher && findTeacher(ds, *teacher) < 0) {
        io.err << input << ": no teacher is named " << *args.value("--teacher") << "\n";
        return ExitNothingToDo;
    }
    const TermCalendar cal(ds);
    if (!cal.contains(date))
        return notInTerm(input, date, ds, io);
    if (args.has("--swap") && !cal.contains(swap.date))
        return notInTerm(input, swap.date, ds, io);
    CoverRequest r;
    r.date = date;
    r.period = period;
    r.classIndex = at.listIndex;
    r.teacher = teacher.value_or("");
    if (args.has("--swap")) {
        r.kind = ChangeKind::Swap;
        r.swapDate = swap.date;
        r.swapPeriod = swap.period;
    } else if (args.has("--self-study")) {
        r.kind = ChangeKind::SelfStudy;
    } else if (args.has("--cancel")) {
        r.kind = ChangeKind::Cancel;
    }
    std::string why;
    if (!coverLesson(ds, r, why))
        return refused(input, why, io);
    return saveTo(ds, *out, io);
}

// ---- day ------------------------------------------------------------------------------------------
int cmdDay(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {"--date", "--class", "--teacher"}, {"--json"});
    if (int s = start("day", args, io); s >= 0)
        return s;
    if (!args.has("--date") || args.has("--class") == args.has("--teacher"))
        return usageError("day", "give --date DATE and one of --class NAME, --teacher NAME", io);
    bool bad = false;
    const DayNumber date = dateOption(args, "--date", bad).value_or(0);
    if (bad)
        return usageError("day", "--date takes a date YYYY-MM-DD", io);
    const std::string& input = args.positionals()[0];
    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    const bool byClass = args.has("--class");
    const std::string option = byClass ? "--class" : "--teacher";
    auto name = gbkArgument(input, option, *args.value(option), io);
    if (!name)
        return ExitBadInput;
    int classIndex = -1;
    if (byClass) {
        classIndex = findClass(ds, *name).listIndex;
        if (classIndex < 0) {
            io.err << input << ": no class is named " << *args.value(option) << "\n";
            return ExitNothingToDo;
        }
    } else if (findTeacher(ds, *name) < 0) {
        io.err << input << ": no teacher is named " << *args.value(option) << "\n";
        return ExitNothingToDo;
    }
    const TermCalendar cal(ds);
    if (!cal.contains(date))
        return notInTerm(input, date, ds, io);
    const DayPlan plan(ds, cal, date);
    Json periods = Json::array();
    std::string text;
    for (int p = 0; p < plan.periods(); ++p) {
        std::string cls, subject, teacher, kind;
        bool changed = false;
        if (plan.column() >= 0) {
            const DatedLesson* l = nullptr;
            int k = classIndex;
            if (!byClass) {
                k = plan.classOfTeacher(*name, p);
                if (k < 0) // a lesson of the teacher that a change took away
                    for (std::size_t j = 0; j < plan.classes().size(); ++j) {
                        const DatedLesson& o = plan.at(static_cast<int>(j), p);
                        if (o.changed && o.originalTeacher == *name) {
                            changed = true;
                            kind = changeKindText(o.kind);
                            break;
                        }
                    }
            }
            if (k >= 0)
                l = &plan.at(k, p);
            if (l) {
                cls = plan.classes()[k]->name;
                subject = l->subject;
                teacher = l->teacher;
                changed = l->changed;
                kind = l->changed ? changeKindText(l->kind) : std::string();
            }
        }
        Json e;
        e["period"] = p;
        e["class"] = u(cls);
        e["subject"] = u(subject);
        e["teacher"] = u(teacher);
        e["changed"] = changed;
        e["kind"] = u(kind);
        periods.push_back(std::move(e));
        text += u(ds.periodLabel(p)) + "\t" + u(cls) + "\t" + u(subject) + "\t" + u(teacher) + "\t" + u(kind) + "\n";
    }
    if (args.has("--json")) {
        Json j;
        j["date"] = isoDate(date);
        j["weekday"] = u(weekdayName(weekdayOf(date)));
        j["week"] = cal.week(date);
        j["parity"] = u(cal.parityText(date));
        j["periods"] = std::move(periods);
        io.out << j.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
    } else {
        io.out << text;
    }
    return ExitDone;
}

// ---- changes --------------------------------------------------------------------------------------
int cmdChanges(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {"--from", "--to", "--teacher", "--class"}, {"--json"});
    if (int s = start("changes", args, io); s >= 0)
        return s;
    bool bad = false;
    const auto from = dateOption(args, "--from", bad);
    const auto to = dateOption(args, "--to", bad);
    if (bad)
        return usageError("changes", "--from and --to take a date YYYY-MM-DD", io);
    const std::string& input = args.positionals()[0];
    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    std::optional<std::string> teacher, cls;
    if (args.has("--teacher") && !(teacher = gbkArgument(input, "--teacher", *args.value("--teacher"), io)))
        return ExitBadInput;
    if (args.has("--class") && !(cls = gbkArgument(input, "--class", *args.value("--class"), io)))
        return ExitBadInput;
    if (teacher && findTeacher(ds, *teacher) < 0) {
        io.err << input << ": no teacher is named " << *args.value("--teacher") << "\n";
        return ExitNothingToDo;
    }
    if (cls && !findClass(ds, *cls).found()) {
        io.err << input << ": no class is named " << *args.value("--class") << "\n";
        return ExitNothingToDo;
    }
    const TermCalendar cal(ds);
    for (const auto& d : {from, to})
        if (d && !cal.contains(*d))
            return notInTerm(input, *d, ds, io);
    SchoolExtension picked;
    for (int i : changesInOrder(ds)) {
        const ChangeRecord& c = ds.extension.changes[i];
        const bool inRange = (!from || c.date >= *from || (c.hasSwap && c.swapDate >= *from))
                             && (!to || c.date <= *to || (c.hasSwap && c.swapDate <= *to));
        if (!inRange || (cls && c.className != *cls) || (teacher && c.teacher != *teacher && c.newTeacher != *teacher))
            continue;
        picked.changes.push_back(c);
    }
    if (args.has("--json")) {
        Json list = extensionKeyToJson(picked, "changes");
        io.out << (list.is_null() ? Json::array() : list).dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
        return ExitDone;
    }
    for (const ChangeRecord& c : picked.changes) {
        io.out << isoDate(c.date) << "\t" << u(ds.periodLabel(c.period)) << "\t" << u(c.className) << "\t"
               << u(c.subject) << "\t" << u(c.teacher) << "\t" << u(changeKindText(c.kind)) << "\t"
               << u(c.newTeacher) << "\t" << (c.hasSwap ? isoDate(c.swapDate) : "") << "\t"
               << (c.hasSwap ? u(ds.periodLabel(c.swapPeriod)) : "") << "\t" << c.absence << "\n";
    }
    return ExitDone;
}

// ---- notice ---------------------------------------------------------------------------------------
int cmdNotice(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {"--date"}, {});
    if (int s = start("notice", args, io); s >= 0)
        return s;
    if (!args.has("--date"))
        return usageError("notice", "give --date DATE", io);
    bool bad = false;
    const DayNumber date = dateOption(args, "--date", bad).value_or(0);
    if (bad)
        return usageError("notice", "--date takes a date YYYY-MM-DD", io);
    const std::string& input = args.positionals()[0];
    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    if (!TermCalendar(ds).contains(date))
        return notInTerm(input, date, ds, io);
    io.out << u(noticeText(ds, date));
    return ExitDone;
}

// ---- cover-stats ----------------------------------------------------------------------------------
int cmdCoverStats(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {"--from", "--to", "--xlsx"}, {"--json"});
    if (int s = start("cover-stats", args, io); s >= 0)
        return s;
    if (!args.has("--from") || !args.has("--to"))
        return usageError("cover-stats", "give --from DATE --to DATE", io);
    bool bad = false;
    const DayNumber from = dateOption(args, "--from", bad).value_or(0);
    const DayNumber to = dateOption(args, "--to", bad).value_or(0);
    if (bad)
        return usageError("cover-stats", "--from and --to take a date YYYY-MM-DD", io);
    const std::string& input = args.positionals()[0];
    DataSet ds;
    if (int s = loadForCommand(ds, input, io); s >= 0)
        return s;
    const TermCalendar cal(ds);
    for (DayNumber d : {from, to})
        if (!cal.contains(d))
            return notInTerm(input, d, ds, io);
    if (to < from)
        return badInput(input, GBK("结束日期早于开始日期"), io);
    const auto rows = coverStatistics(ds, from, to);
    if (auto path = args.value("--xlsx")) {
        XlsxWorkbook book;
        writeCoverStatistics(book, GBK("代课统计 ") + isoDate(from) + GBK(" 至 ") + isoDate(to), rows);
        std::string error;
        if (!book.saveAs(*path, error)) {
            io.err << *path << ": " << (error.empty() ? "cannot write the workbook" : error) << "\n";
            return ExitBadInput;
        }
    }
    if (args.has("--json")) {
        Json j;
        j["from"] = isoDate(from);
        j["to"] = isoDate(to);
        j["teachers"] = Json::array();
        for (const TeacherCoverStats& s : rows) {
            Json e;
            e["teacher"] = u(s.teacher);
            e["due"] = s.due;
            e["taught"] = s.taught;
            e["coverGiven"] = s.coverGiven;
            e["coveredByOthers"] = s.coveredByOthers;
            e["swaps"] = s.swaps;
            e["selfStudy"] = s.selfStudy;
            j["teachers"].push_back(std::move(e));
        }
        io.out << j.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
        return ExitDone;
    }
    std::string text;
    const auto& headings = coverStatisticsHeadings();
    for (std::size_t i = 0; i < headings.size(); ++i)
        text += (i ? "\t" : "") + u(headings[i]);
    text += "\n";
    for (const TeacherCoverStats& s : rows)
        text += u(s.teacher) + "\t" + std::to_string(s.due) + "\t" + std::to_string(s.taught) + "\t"
                + std::to_string(s.coverGiven) + "\t" + std::to_string(s.coveredByOthers) + "\t"
                + std::to_string(s.swaps) + "\t" + std::to_string(s.selfStudy) + "\n";
    io.out << text;
    return ExitDone;
}

} // namespace tabrel::cli
