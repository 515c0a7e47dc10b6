#include "cli/JsonSchedule.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "data/DataFile.h"
#include "data/DataSet.h"
#include "data/ExtensionJson.h"
#include "data/Gbk.h"

namespace tabrel::cli {

namespace {

// A table may not hold more cells than this: a typed count must not make the program allocate
// without bound. Real teacher-group tables hold a few hundred cells.
constexpr long long MaxTableCells = 1000000;

std::string utf8(const std::string& gbkText)
{
    return gbk::toUtf8(gbkText);
}

template <typename Container>
Json textArray(const Container& texts)
{
    Json a = Json::array();
    for (const auto& t : texts)
        a.push_back(utf8(t));
    return a;
}

Json tableJson(const DataTable& table)
{
    Json cells = Json::array();
    for (int32_t r = 0; r < table.rowCount(); ++r) {
        Json row = Json::array();
        for (int32_t c = 0; c < table.columnCount(); ++c)
            row.push_back(utf8(table.cell(r, c)));
        cells.push_back(std::move(row));
    }
    Json j;
    j["rows"] = table.rowCount();
    j["columns"] = table.columnCount();
    j["cells"] = std::move(cells);
    return j;
}

Json classJson(const ClassTable& c, int periods, int days)
{
    Json cells = Json::array();
    for (int p = 0; p < periods; ++p) {
        Json row = Json::array();
        for (int d = 0; d < days; ++d) {
            const LessonCell& cell = c.cells[p][d];
            Json jc;
            jc["commonPeriod"] = utf8(c.commonPeriods[p][d]);
            jc["subject"] = utf8(cell.subject);
            jc["teacher"] = utf8(cell.teacher);
            jc["reservedValue"] = cell.reservedValue;
            jc["markFlag"] = cell.markFlag;
            jc["subjectRules"] = textArray(cell.subjectRules);
            row.push_back(std::move(jc));
        }
        cells.push_back(std::move(row));
    }
    Json assignments = Json::array();
    for (const auto& a : c.assignments) {
        Json ja;
        ja["subject"] = utf8(a->subject);
        ja["teacher"] = utf8(a->teacher);
        ja["weeklyLessons"] = a->weeklyLessons;
        ja["doubleCount"] = a->doubleCount;
        ja["placedCount"] = a->placedCount;
        assignments.push_back(std::move(ja));
    }
    Json j;
    j["name"] = utf8(c.name);
    j["cells"] = std::move(cells);
    j["assignments"] = std::move(assignments);
    return j;
}

// Reads the JSON form value by value; the first misfit is recorded in `error` and every reader
// returns false from then on.
class Reader {
public:
    Reader(DataSet& ds, JsonError& error) : ds_(ds), error_(error) {}

    bool document(const Json& j);

private:
    DataSet& ds_;
    JsonError& error_;

    bool fail(const std::string& path, const std::string& message)
    {
        error_.path = path;
        error_.message = message;
        return false;
    }

    static std::string member(const std::string& path, const char* key)
    {
        return path.empty() ? std::string(key) : path + "." + key;
    }
    static std::string index(const std::string& path, std::size_t i) { return path + "[" + std::to_string(i) + "]"; }

    // An object whose keys are all among `keys`.
    bool object(const Json& j, const std::string& path, std::initializer_list<const char*> keys)
    {
        if (!j.is_object())
            return fail(path, "expected an object");
        for (const auto& item : j.items()) {
            if (std::none_of(keys.begin(), keys.end(), [&](const char* k) { return item.key() == k; }))
                return fail(member(path, item.key().c_str()), "unknown key");
        }
        return true;
    }

    // An array of at most `limit` entries (`what` names the limit in the message).
    bool array(const Json& j, const std::string& path, std::size_t limit, const std::string& what)
    {
        if (!j.is_array())
            return fail(path, "expected an array");
        if (j.size() > limit)
            return fail(path, "has " + std::to_string(j.size()) + (j.size() == 1 ? " entry" : " entries") +
                                  "; at most " + std::to_string(limit) + " " + what);
        return true;
    }

    bool text(const Json& j, const std::string& path, std::string& out)
    {
        if (!j.is_string())
            return fail(path, "expected a string");
        std::string message;
        auto converted = gbk::fromUtf8(j.get_ref<const std::string&>(), message);
        if (!converted)
            return fail(path, message);
        if (converted->size() > static_cast<std::size_t>(MaxTextBytes))
            return fail(path, "a text of " + std::to_string(converted->size()) + " bytes; a data file holds at most " +
                                  std::to_string(MaxTextBytes));
        out = std::move(*converted);
        return true;
    }

    bool integer(const Json& j, const std::string& path, int32_t& out, long long lo = std::numeric_limits<int32_t>::min(),
                 long long hi = std::numeric_limits<int32_t>::max())
    {
        long long v = 0;
        if (j.is_number_unsigned()) {
            auto u = j.get<std::uint64_t>();
            if (u > static_cast<std::uint64_t>(std::numeric_limits<int32_t>::max()))
                return fail(path, rangeMessage(lo, hi));
            v = static_cast<long long>(u);
        } else if (j.is_number_integer()) {
            v = j.get<std::int64_t>();
        } else {
            return fail(path, "expected an integer");
        }
        if (v < lo || v > hi)
            return fail(path, rangeMessage(lo, hi));
        out = static_cast<int32_t>(v);
        return true;
    }

    static std::string rangeMessage(long long lo, long long hi)
    {
        if (lo == std::numeric_limits<int32_t>::min() && hi == std::numeric_limits<int32_t>::max())
            return "expected an integer that fits in 32 bits";
        return "expected an integer from " + std::to_string(lo) + " to " + std::to_string(hi);
    }

    // Optional members: absent keys keep what is there.
    bool optText(const Json& obj, const char* key, const std::string& path, std::string& out)
    {
        auto it = obj.find(key);
        return it == obj.end() || text(*it, member(path, key), out);
    }
    bool optInt(const Json& obj, const char* key, const std::string& path, int32_t& out)
    {
        auto it = obj.find(key);
        return it == obj.end() || integer(*it, member(path, key), out);
    }

    // A list of texts of any length (appended to `out`).
    bool textList(const Json& j, const std::string& path, std::vector<std::string>& out, std::size_t limit,
                  const std::string& what)
    {
        if (!array(j, path, limit, what))
            return false;
        for (std::size_t i = 0; i < j.size(); ++i) {
            std::string t;
            if (!text(j[i], index(path, i), t))
                return false;
            out.push_back(std::move(t));
        }
        return true;
    }

    // A fixed-size text array: a shorter input leaves the rest as it is.
    template <std::size_t N>
    bool fixedTexts(const Json& obj, const char* key, const std::string& path, std::array<std::string, N>& out)
    {
        auto it = obj.find(key);
        if (it == obj.end())
            return true;
        const std::string p = member(path, key);
        if (!array(*it, p, N, "texts"))
            return false;
        for (std::size_t i = 0; i < it->size(); ++i)
            if (!text((*it)[i], index(p, i), out[i]))
                return false;
        return true;
    }

    bool timeGrid(const Json& j);
    bool grades(const Json& j, const std::string& path);
    bool classTable(const Json& j, const std::string& path, ClassTable& c);
    bool cell(const Json& j, const std::string& path, ClassTable& c, int p, int d);
    bool subjects(const Json& j, const std::string& path);
    bool teachers(const Json& j, const std::string& path);
    bool slotSettings(const Json& j, const std::string& path);
    bool table(const Json& j, const std::string& path, DataTable& t);
    bool extension(const Json& j);
};

bool Reader::document(const Json& j)
{
    if (!object(j, "",
                {"earlyReadingCount", "morningCount", "afternoonCount", "eveningCount", "dayNames", "commonRowNames",
                 "commonRowStarts", "commonRowEnds", "periodStarts", "periodEnds", "lessonMinutes", "breakMinutes",
                 "grades", "subjects", "teachers", "teacherSlotSettings", "teacherGroupTable", "spareTable",
                 "schoolName", "venues", "term", "absences", "changes"}))
        return false;
    // The time grid comes first whatever the key order: the class cells are sized by it.
    if (!timeGrid(j))
        return false;
    if (auto it = j.find("grades"); it != j.end() && !grades(*it, "grades"))
        return false;
    if (auto it = j.find("subjects"); it != j.end() && !subjects(*it, "subjects"))
        return false;
    if (auto it = j.find("teachers"); it != j.end() && !teachers(*it, "teachers"))
        return false;
    if (auto it = j.find("teacherSlotSettings"); it != j.end() && !slotSettings(*it, "teacherSlotSettings"))
        return false;
    if (auto it = j.find("teacherGroupTable"); it != j.end() && !table(*it, "teacherGroupTable", ds_.teacherGroupTable))
        return false;
    if (auto it = j.find("spareTable"); it != j.end() && !table(*it, "spareTable", ds_.spareTable))
        return false;
    return extension(j);
}

// The extension keys: their kinds and forms as the data file's block reads them, then the names
// and slots they refer to against the school just read.
bool Reader::extension(const Json& j)
{
    SchoolExtension& x = ds_.extension;
    for (const char* key : ExtensionKeys) {
        auto it = j.find(key);
        if (it == j.end())
            continue;
        std::string path, message;
        if (!extensionKeyFromJson(key, *it, x, path, message))
            return fail(path.empty() ? std::string(key) : path[0] == '[' ? key + path : std::string(key) + "." + path,
                        message);
    }
    if (!x.schoolName.empty())
        ds_.schoolName = x.schoolName;
    const int periods = ds_.periodsPerDay();
    auto period = [&](int p, const std::string& path) { return p < periods || fail(path, "period outside the time grid"); };
    auto teacher = [&](const std::string& name, const std::string& path) {
        return ds_.findTeacher(name) != nullptr || fail(path, "no teacher is named " + utf8(name));
    };
    auto subjectKnown = [&](const std::string& name) {
        for (const auto& s : ds_.subjects)
            if (s->name == name)
                return true;
        return false;
    };
    for (std::size_t i = 0; i < x.venues.size(); ++i) {
        const VenueRecord& v = x.venues[i];
        const std::string at = "venues[" + std::to_string(i) + "]";
        for (std::size_t k = 0; k < v.subjects.size(); ++k)
            if (!subjectKnown(v.subjects[k]))
                return fail(at + ".subjects[" + std::to_string(k) + "]", "no subject is named " + utf8(v.subjects[k]));
        for (std::size_t k = 0; k < v.unavailable.size(); ++k) {
            const std::string sat = at + ".unavailable[" + std::to_string(k) + "]";
            if (v.unavailable[k].period >= periods)
                return fail(sat + "[0]", "period outside the time grid");
            if (v.unavailable[k].day >= ds_.gridDays())
                return fail(sat + "[1]", "day outside the time grid");
        }
        for (std::size_t k = 0; k < v.plans.size(); ++k) {
            const VenuePlan& p = v.plans[k];
            const std::string pat = at + ".plans[" + std::to_string(k) + "]";
            bool classFound = false;
            for (const auto* c : ds_.classesInGradeOrder())
                classFound = classFound || c->name == p.className;
            if (!classFound)
                return fail(pat + ".class", "no class is named " + utf8(p.className));
            if (!subjectKnown(p.subject))
                return fail(pat + ".subject", "no subject is named " + utf8(p.subject));
        }
    }
    for (std::size_t i = 0; i < x.term.makeUpDays.size(); ++i) {
        const MakeUpDay& m = x.term.makeUpDays[i];
        const std::string at = "term.makeUpDays[" + std::to_string(i) + "]";
        if (weekdayOf(m.date) < 5)
            return fail(at + ".date", "a make-up day must be a Saturday or Sunday");
        if (std::find(ds_.dayNames.begin(), ds_.dayNames.end(), m.follows) == ds_.dayNames.end())
            return fail(at + ".follows", "no day is named " + utf8(m.follows));
    }
    for (std::size_t i = 0; i < x.absences.size(); ++i) {
        const AbsenceRecord& a = x.absences[i];
        const std::string at = "absences[" + std::to_string(i) + "]";
        if (!teacher(a.teacher, at + ".teacher") || !period(a.fromPeriod, at + ".fromPeriod")
            || !period(a.toPeriod, at + ".toPeriod"))
            return false;
    }
    for (std::size_t i = 0; i < x.changes.size(); ++i) {
        const ChangeRecord& c = x.changes[i];
        const std::string at = "changes[" + std::to_string(i) + "]";
        bool classFound = false;
        for (const auto* k : ds_.classesInGradeOrder())
            classFound = classFound || k->name == c.className;
        if (!classFound)
            return fail(at + ".class", "no class is named " + utf8(c.className));
        if (!teacher(c.teacher, at + ".teacher") || (!c.newTeacher.empty() && !teacher(c.newTeacher, at + ".newTeacher"))
            || !period(c.period, at + ".period") || (c.hasSwap && !period(c.swapPeriod, at + ".swapPeriod")))
            return false;
        if (c.absence != 0 && !x.findAbsence(c.absence))
            return fail(at + ".absence", "no absence has the id " + std::to_string(c.absence));
    }
    return true;
}

bool Reader::timeGrid(const Json& j)
{
    struct Section {
        const char* key;
        int32_t* field;
        int max;
    };
    // The same limits the data file accepts (each count non-negative, at most 12 periods a day),
    // so that every file `dump` prints builds back.
    const Section sections[] = {{"earlyReadingCount", &ds_.earlyReadingCount, MaxPeriodRows},
                                {"morningCount", &ds_.morningCount, MaxPeriodRows},
                                {"afternoonCount", &ds_.afternoonCount, MaxPeriodRows},
                                {"eveningCount", &ds_.eveningCount, MaxPeriodRows}};
    for (const auto& s : sections) {
        auto it = j.find(s.key);
        if (it != j.end() && !integer(*it, s.key, *s.field, 0, s.max))
            return false;
    }
    if (ds_.periodsPerDay() > MaxPeriodRows)
        return fail("", "the four section counts add up to " + std::to_string(ds_.periodsPerDay()) +
                            " periods a day; a timetable holds at most " + std::to_string(MaxPeriodRows));
    if (auto it = j.find("dayNames"); it != j.end()) {
        std::vector<std::string> names;
        if (!textList(*it, "dayNames", names, DayColumns, "day names"))
            return false;
        ds_.dayNames = std::move(names);
    }
    return fixedTexts(j, "commonRowNames", "", ds_.commonRowNames) &&
           fixedTexts(j, "commonRowStarts", "", ds_.commonRowStarts) &&
           fixedTexts(j, "commonRowEnds", "", ds_.commonRowEnds) &&
           fixedTexts(j, "periodStarts", "", ds_.periodStarts) && fixedTexts(j, "periodEnds", "", ds_.periodEnds) &&
           optInt(j, "lessonMinutes", "", ds_.lessonMinutes) && optInt(j, "breakMinutes", "", ds_.breakMinutes);
}

bool Reader::grades(const Json& j, const std::string& path)
{
    if (!array(j, path, MaxGradeColumns, "grades"))
        return false;
    ds_.setGradeCount(static_cast<int>(j.size()));
    for (std::size_t g = 0; g < j.size(); ++g) {
        const std::string gp = index(path, g);
        const Json& jg = j[g];
        if (!object(jg, gp, {"name", "classes"}) || !optText(jg, "name", gp, ds_.gradeNames[g]))
            return false;
        auto it = jg.find("classes");
        if (it == jg.end())
            continue;
        const std::string cp = member(gp, "classes");
        if (!array(*it, cp, MaxClassesPerGrade, "classes"))
            return false;
        // The count first, so every class takes the grade's name and its position.
        ds_.setClassCount(static_cast<int>(g), static_cast<int>(it->size()));
        for (std::size_t c = 0; c < it->size(); ++c)
            if (!classTable((*it)[c], index(cp, c), *ds_.grades[g]->classes[c]))
                return false;
    }
    return true;
}

bool Reader::classTable(const Json& j, const std::string& path, ClassTable& c)
{
    if (!object(j, path, {"name", "cells", "assignments"}) || !optText(j, "name", path, c.name))
        return false;
    if (auto it = j.find("cells"); it != j.end()) {
        const std::string cp = member(path, "cells");
        const auto periods = static_cast<std::size_t>(ds_.periodsPerDay());
        const auto days = static_cast<std::size_t>(ds_.dayCount());
        if (!array(*it, cp, periods, "period rows (periodsPerDay)"))
            return false;
        for (std::size_t p = 0; p < it->size(); ++p) {
            const Json& row = (*it)[p];
            const std::string rp = index(cp, p);
            if (!array(row, rp, days, "cells (one per day name)"))
                return false;
            for (std::size_t d = 0; d < row.size(); ++d)
                if (!cell(row[d], index(rp, d), c, static_cast<int>(p), static_cast<int>(d)))
                    return false;
        }
    }
    if (auto it = j.find("assignments"); it != j.end()) {
        const std::string ap = member(path, "assignments");
        if (!array(*it, ap, static_cast<std::size_t>(std::numeric_limits<int32_t>::max()), "assignments"))
            return false;
        for (std::size_t i = 0; i < it->size(); ++i) {
            const Json& ja = (*it)[i];
            const std::string p = index(ap, i);
            TeachingAssignment& a = *c.appendAssignment();
            if (!object(ja, p, {"subject", "teacher", "weeklyLessons", "doubleCount", "placedCount"}) ||
                !optText(ja, "subject", p, a.subject) || !optText(ja, "teacher", p, a.teacher) ||
                !optInt(ja, "weeklyLessons", p, a.weeklyLessons) || !optInt(ja, "doubleCount", p, a.doubleCount) ||
                !optInt(ja, "placedCount", p, a.placedCount))
                return false;
        }
    }
    return true;
}

bool Reader::cell(const Json& j, const std::string& path, ClassTable& c, int p, int d)
{
    LessonCell& cell = c.cells[p][d];
    if (!object(j, path, {"commonPeriod", "subject", "teacher", "reservedValue", "markFlag", "subjectRules"}) ||
        !optText(j, "commonPeriod", path, c.commonPeriods[p][d]) || !optText(j, "subject", path, cell.subject) ||
        !optText(j, "teacher", path, cell.teacher) || !optInt(j, "reservedValue", path, cell.reservedValue) ||
        !optInt(j, "markFlag", path, cell.markFlag))
        return false;
    if (auto it = j.find("subjectRules"); it != j.end()) {
        std::vector<std::string> rules;
        if (!textList(*it, member(path, "subjectRules"), rules, static_cast<std::size_t>(std::numeric_limits<int32_t>::max()),
                      "rules"))
            return false;
        cell.subjectRules = std::move(rules);
    }
    return true;
}

bool Reader::subjects(const Json& j, const std::string& path)
{
    if (!array(j, path, static_cast<std::size_t>(std::numeric_limits<int32_t>::max()), "subjects"))
        return false;
    for (std::size_t i = 0; i < j.size(); ++i) {
        const std::string p = index(path, i);
        const Json& js = j[i];
        ds_.appendSubject();
        Subject& s = *ds_.subjects.back();
        if (!object(js, p, {"name", "gradeLessons", "sameSubjectLimit", "progressAligned", "ruleSummary"}) ||
            !optText(js, "name", p, s.name) || !fixedTexts(js, "gradeLessons", p, s.gradeLessons) ||
            !optInt(js, "sameSubjectLimit", p, s.sameSubjectLimit) ||
            !optInt(js, "progressAligned", p, s.progressAligned) || !optText(js, "ruleSummary", p, s.ruleSummary))
            return false;
    }
    return true;
}

bool Reader::teachers(const Json& j, const std::string& path)
{
    if (!array(j, path, MaxTeacherCount, "teachers"))
        return false;
    for (std::size_t i = 0; i < j.size(); ++i) {
        const std::string p = index(path, i);
        const Json& jt = j[i];
        ds_.appendTeacher();
        TeacherInfoRecord& t = *ds_.teachers.back();
        if (!object(jt, p, {"name", "shortName", "taughtSubjects", "workload", "remark", "ruleSummary"}) ||
            !optText(jt, "name", p, t.name) || !optText(jt, "shortName", p, t.shortName) ||
            !optText(jt, "taughtSubjects", p, t.taughtSubjects) || !optInt(jt, "workload", p, t.workload) ||
            !optText(jt, "remark", p, t.remark) || !optText(jt, "ruleSummary", p, t.ruleSummary))
            return false;
    }
    return true;
}

bool Reader::slotSettings(const Json& j, const std::string& path)
{
    if (!array(j, path, MaxPeriodRows, "period rows"))
        return false;
    for (std::size_t p = 0; p < j.size(); ++p) {
        const std::string rp = index(path, p);
        if (!array(j[p], rp, DayColumns, "day lists"))
            return false;
        for (std::size_t d = 0; d < j[p].size(); ++d) {
            std::vector<std::string> entries;
            if (!textList(j[p][d], index(rp, d), entries, static_cast<std::size_t>(std::numeric_limits<int32_t>::max()),
                          "entries"))
                return false;
            ds_.teacherSlotSettings[p][d] = std::move(entries);
        }
    }
    return true;
}

bool Reader::table(const Json& j, const std::string& path, DataTable& t)
{
    int32_t rows = t.rowCount();
    int32_t columns = t.columnCount();
    if (!object(j, path, {"rows", "columns", "cells"}))
        return false;
    if (auto it = j.find("rows"); it != j.end() && !integer(*it, member(path, "rows"), rows, 0))
        return false;
    if (auto it = j.find("columns"); it != j.end() && !integer(*it, member(path, "columns"), columns, 0))
        return false;
    if (static_cast<long long>(rows) * columns > MaxTableCells)
        return fail(path, std::to_string(rows) + " x " + std::to_string(columns) + " cells; a table holds at most " +
                              std::to_string(MaxTableCells));
    t.setRowCount(0);
    t.setColumnCount(columns);
    t.setRowCount(rows);
    auto it = j.find("cells");
    if (it == j.end())
        return true;
    const std::string cp = member(path, "cells");
    if (!array(*it, cp, static_cast<std::size_t>(rows), "rows (the table's rows)"))
        return false;
    for (std::size_t r = 0; r < it->size(); ++r) {
        const std::string rp = index(cp, r);
        if (!array((*it)[r], rp, static_cast<std::size_t>(columns), "texts (the table's columns)"))
            return false;
        for (std::size_t c = 0; c < (*it)[r].size(); ++c) {
            std::string text;
            if (!this->text((*it)[r][c], index(rp, c), text))
                return false;
            t.setCell(static_cast<int32_t>(r), static_cast<int32_t>(c), text);
        }
    }
    return true;
}

} // namespace

Json toJson(const DataSet& ds)
{
    const int periods = std::clamp(ds.periodsPerDay(), 0, MaxPeriodRows);
    const int days = std::clamp(ds.dayCount(), 0, DayColumns);

    Json j;
    j["earlyReadingCount"] = ds.earlyReadingCount;
    j["morningCount"] = ds.morningCount;
    j["afternoonCount"] = ds.afternoonCount;
    j["eveningCount"] = ds.eveningCount;
    j["dayNames"] = textArray(ds.dayNames);
    j["commonRowNames"] = textArray(ds.commonRowNames);
    j["commonRowStarts"] = textArray(ds.commonRowStarts);
    j["commonRowEnds"] = textArray(ds.commonRowEnds);
    j["periodStarts"] = textArray(ds.periodStarts);
    j["periodEnds"] = textArray(ds.periodEnds);
    j["lessonMinutes"] = ds.lessonMinutes;
    j["breakMinutes"] = ds.breakMinutes;

    Json grades = Json::array();
    for (std::size_t g = 0; g < ds.grades.size(); ++g) {
        Json classes = Json::array();
        for (const auto& c : ds.grades[g]->classes)
            classes.push_back(classJson(*c, periods, days));
        Json jg;
        jg["name"] = utf8(g < ds.gradeNames.size() ? ds.gradeNames[g] : std::string());
        jg["classes"] = std::move(classes);
        grades.push_back(std::move(jg));
    }
    j["grades"] = std::move(grades);

    Json subjects = Json::array();
    for (const auto& s : ds.subjects) {
        Json js;
        js["name"] = utf8(s->name);
        js["gradeLessons"] = textArray(s->gradeLessons);
        js["sameSubjectLimit"] = s->sameSubjectLimit;
        js["progressAligned"] = s->progressAligned;
        js["ruleSummary"] = utf8(s->ruleSummary);
        subjects.push_back(std::move(js));
    }
    j["subjects"] = std::move(subjects);

    Json teachers = Json::array();
    for (const auto& t : ds.teachers) {
        Json jt;
        jt["name"] = utf8(t->name);
        jt["shortName"] = utf8(t->shortName);
        jt["taughtSubjects"] = utf8(t->taughtSubjects);
        jt["workload"] = t->workload;
        jt["remark"] = utf8(t->remark);
        jt["ruleSummary"] = utf8(t->ruleSummary);
        teachers.push_back(std::move(jt));
    }
    j["teachers"] = std::move(teachers);

    Json slots = Json::array();
    for (const auto& row : ds.teacherSlotSettings) {
        Json jr = Json::array();
        for (const auto& list : row)
            jr.push_back(textArray(list));
        slots.push_back(std::move(jr));
    }
    j["teacherSlotSettings"] = std::move(slots);
    j["teacherGroupTable"] = tableJson(ds.teacherGroupTable);
    j["spareTable"] = tableJson(ds.spareTable);
    // the extension keys, each only when it holds something
    for (const char* key : ExtensionKeys)
        if (Json v = extensionKeyToJson(ds.extension, key); !v.is_null())
            j[key] = std::move(v);
    return j;
}

bool fromJson(const Json& json, DataSet& dataSet, JsonError& error)
{
    Reader reader(dataSet, error);
    return reader.document(json);
}

} // namespace tabrel::cli
