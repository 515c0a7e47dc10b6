#include "support/RandomSchool.h"

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "data/Gbk.h"

namespace tabrel::test {

namespace {

// Draws from the raw engine output only, so the same seed gives the same school with any
// standard library.
class Draw {
public:
    explicit Draw(uint32_t seed) : engine_(seed) {}

    int between(int lo, int hi) // inclusive
    {
        if (hi <= lo)
            return lo;
        return lo + static_cast<int>(engine_() % static_cast<uint32_t>(hi - lo + 1));
    }
    bool chance(int percent) { return between(0, 99) < percent; }
    int pick(int option, int lo, int hi) { return option >= 0 ? option : between(lo, hi); }

    int32_t anyInt()
    {
        switch (between(0, 5)) {
        case 0: return between(1, 9);
        case 1: return -between(1, 1000);
        case 2: return static_cast<int32_t>(engine_());
        case 3: return INT32_MIN;
        case 4: return INT32_MAX;
        default: return between(10, 99);
        }
    }

    // One GB2312 Chinese character (lead 0xB0 … 0xD6, trail 0xA1 … 0xFE are all assigned).
    std::string hanzi()
    {
        std::string s(2, '\0');
        s[0] = static_cast<char>(between(0xB0, 0xD6));
        s[1] = static_cast<char>(between(0xA1, 0xFE));
        return s;
    }

    // 1 … maxChars Chinese characters, now and then with ASCII digits, letters or a colon mixed in.
    std::string text(int maxChars)
    {
        std::string s;
        const int n = between(1, std::max(1, maxChars));
        for (int i = 0; i < n; ++i) {
            if (chance(15))
                s += static_cast<char>("0123456789:AZaz()"[between(0, 16)]);
            else
                s += hanzi();
        }
        if (s.size() < 2) // always at least one Chinese character
            s += hanzi();
        return s;
    }

    std::string uniqueText(std::set<std::string>& used, int minChars, int maxChars)
    {
        for (;;) {
            std::string s;
            const int n = between(minChars, maxChars);
            for (int i = 0; i < n; ++i)
                s += hanzi();
            if (used.insert(s).second)
                return s;
        }
    }

    template <typename T>
    const T& from(const std::vector<T>& v) { return v[static_cast<std::size_t>(between(0, static_cast<int>(v.size()) - 1))]; }

private:
    std::mt19937 engine_;
};

const std::vector<std::string>& ruleLevels()
{
    static const std::vector<std::string> levels = {GBK("尽量排"), GBK("一定排"), GBK("不排")};
    return levels;
}

const std::vector<std::string>& commonPeriodNames()
{
    static const std::vector<std::string> names = {GBK("无课"), GBK("自习"), GBK("劳动"), GBK("教研活动"),
                                                   GBK("党团活动")};
    return names;
}

void fillTable(DataTable& table, Draw& draw, const RandomSchoolOptions& o)
{
    const int rows = draw.pick(o.tableRows, 0, 4);
    const int columns = draw.pick(o.tableColumns, 0, 4);
    table.setRowCount(rows);
    table.setColumnCount(columns);
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < columns; ++k)
            table.setCell(r, k, draw.text(o.maxTextChars));
}

} // namespace

std::unique_ptr<DataSet> randomSchool(uint32_t seed, const RandomSchoolOptions& o)
{
    Draw draw(seed);
    auto ds = std::make_unique<DataSet>();
    const int maxChars = o.maxTextChars;

    // Time grid: the periods spread over the sections without passing any section's range.
    const int periods = std::clamp(draw.pick(o.periodsPerDay, 0, MaxPeriodRows), 0, MaxPeriodRows);
    int32_t* sections[] = {&ds->earlyReadingCount, &ds->morningCount, &ds->afternoonCount, &ds->eveningCount};
    const int caps[] = {MaxEarlyReading, MaxMorning, MaxAfternoon, MaxEvening};
    for (int placed = 0; placed < periods;) {
        const int s = draw.between(0, 3);
        if (*sections[s] < caps[s]) {
            ++*sections[s];
            ++placed;
        }
    }
    const int days = std::clamp(draw.pick(o.days, 0, DayColumns), 0, DayColumns);
    for (int d = 0; d < days; ++d)
        ds->dayNames.push_back(GBK("星期") + draw.text(1));
    for (int n = 0; n < TimeSlotCount; ++n) {
        ds->commonRowNames[n] = draw.text(maxChars);
        ds->commonRowStarts[n] = draw.text(3);
        ds->commonRowEnds[n] = draw.text(3);
        ds->periodStarts[n] = draw.text(3);
        ds->periodEnds[n] = draw.text(3);
    }
    ds->lessonMinutes = draw.anyInt();
    ds->breakMinutes = draw.anyInt();

    // Subjects and teachers with distinct names.
    std::set<std::string> used;
    std::vector<std::string> subjectNames, teacherNames;
    const int subjectCount = draw.pick(o.subjects, 0, 12);
    for (int i = 0; i < subjectCount; ++i) {
        ds->appendSubject();
        Subject& s = *ds->subjects.back();
        s.name = draw.uniqueText(used, 1, 3);
        subjectNames.push_back(s.name);
        for (auto& lessons : s.gradeLessons)
            lessons = draw.chance(60) ? gbk::formatInt(draw.between(0, 12)) : draw.text(2);
        s.sameSubjectLimit = draw.anyInt();
        s.progressAligned = draw.anyInt();
        s.ruleSummary = draw.text(maxChars);
    }
    const int teacherCount = draw.pick(o.teachers, 0, 16);
    for (int i = 0; i < teacherCount; ++i) {
        ds->appendTeacher();
        TeacherInfoRecord& t = *ds->teachers.back();
        t.name = draw.uniqueText(used, 2, 4);
        teacherNames.push_back(t.name);
        t.shortName = draw.chance(70) ? gbk::lastBytes(t.name, 4) : draw.text(2);
        t.taughtSubjects = subjectNames.empty() ? draw.text(2) : draw.from(subjectNames);
        t.workload = draw.anyInt();
        t.remark = draw.text(maxChars);
        t.ruleSummary = draw.text(maxChars);
    }
    auto someSubject = [&] { return subjectNames.empty() || draw.chance(10) ? draw.text(3) : draw.from(subjectNames); };
    auto someTeacher = [&] { return teacherNames.empty() || draw.chance(10) ? draw.text(3) : draw.from(teacherNames); };

    // Grades, classes, teaching plans and the stored cells.
    const int gradeCount = std::clamp(draw.pick(o.grades, 0, MaxGradeColumns), 0, MaxGradeColumns);
    ds->setGradeCount(gradeCount);
    for (int g = 0; g < gradeCount; ++g) {
        ds->gradeNames[g] = draw.text(3);
        ds->setClassCount(g, draw.pick(o.classesPerGrade, 0, 4));
        for (int c = 0; c < ds->classCount(g); ++c) {
            ClassTable& cls = *ds->classAt(g, c);
            cls.name = draw.chance(50) ? ds->gradeNames[g] + "(" + gbk::formatInt(c + 1) + ")" : draw.text(4);
            const int assignments = draw.pick(o.assignmentsPerClass, 0, 6);
            for (int a = 0; a < assignments; ++a) {
                TeachingAssignment& ta = *cls.appendAssignment();
                ta.subject = someSubject();
                ta.teacher = someTeacher();
                ta.weeklyLessons = draw.chance(80) ? draw.between(1, 8) : draw.anyInt();
                ta.doubleCount = draw.anyInt();
                ta.placedCount = draw.anyInt();
            }
            for (int p = 0; p < periods; ++p)
                for (int d = 0; d < days; ++d) {
                    LessonCell& cell = cls.cells[p][d];
                    if (draw.chance(25))
                        cls.commonPeriods[p][d] = draw.chance(70) ? draw.from(commonPeriodNames()) : draw.text(4);
                    const int kind = draw.between(0, 99);
                    if (kind < 60 && !cls.assignments.empty()) {
                        const TeachingAssignment& ta = *draw.from(cls.assignments);
                        cell.subject = ta.subject;
                        cell.teacher = ta.teacher;
                    } else if (kind < 75) {
                        cell.subject = someSubject();
                        cell.teacher = someTeacher();
                    } else if (kind < 85) {
                        cell.subject = "empty";
                    }
                    cell.reservedValue = draw.anyInt();
                    cell.markFlag = draw.chance(50) ? draw.between(0, 1) : draw.anyInt();
                    const int rules = draw.between(0, 3);
                    for (int r = 0; r < rules; ++r)
                        cell.subjectRules.push_back(someSubject() + "-" + draw.from(ruleLevels()));
                }
        }
    }

    // Teacher slot rules in all 12 x 7 slots, whatever the grid.
    for (auto& row : ds->teacherSlotSettings)
        for (auto& list : row) {
            const int n = draw.between(0, 2);
            for (int i = 0; i < n; ++i)
                list.push_back(someTeacher() + "-" + (draw.chance(80) ? draw.from(ruleLevels()) : draw.text(3)));
        }

    fillTable(ds->teacherGroupTable, draw, o);
    fillTable(ds->spareTable, draw, o);
    return ds;
}

} // namespace tabrel::test
