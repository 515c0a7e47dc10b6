#include "LiteralEvaluation.h"

#include <algorithm>
#include <string>

#include "data/Gbk.h"

namespace tabrel::literal {

namespace {

// Texts are GBK: a name stands in a text where one of its characters begins. The text is cut into
// its characters first (a byte from 0x81 up and the byte after it form one), and the name is
// compared at each character's start; the result is the byte position, or npos.
std::size_t position(const std::string& text, const std::string& name)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); i += (static_cast<unsigned char>(text[i]) >= 0x81 && i + 1 < text.size()) ? 2 : 1)
        starts.push_back(i);
    starts.push_back(text.size());
    for (std::size_t i : starts)
        if (text.size() - i >= name.size() && text.substr(i, name.size()) == name)
            return i;
    return std::string::npos;
}

bool contains(const std::string& text, const char* utf8) { return position(text, gbk::literal(utf8)) != std::string::npos; }

struct Grid {
    int L, M, N, E, T, D;
};

Grid gridOf(const DataSet& ds)
{
    Grid g{ds.earlyReadingCount, ds.morningCount, ds.afternoonCount, ds.eveningCount, 0, 0};
    g.T = std::min(ds.periodsPerDay(), 12);
    g.D = std::min(ds.dayCount(), 7);
    return g;
}

int countPlaced(const ClassTable& c, const Grid& g, const std::string& s)
{
    int n = 0;
    for (int p = 0; p < g.T; ++p)
        for (int d = 0; d < g.D; ++d)
            if (c.cells[p][d].subject == s)
                ++n;
    return n;
}

int countDoubles(const ClassTable& c, const Grid& g, const std::string& s)
{
    int n = 0;
    for (int p = 0; p < g.T - 1; ++p)
        for (int d = 0; d < g.D; ++d) {
            if (p == g.L - 1 || p == g.L + g.M - 1 || p == g.L + g.M + g.N - 1)
                continue;
            if (c.cells[p][d].subject == s && c.cells[p + 1][d].subject == s)
                ++n;
        }
    return n;
}

int progressBefore(const ClassTable& c, const Grid& g, const std::string& s, int day, int period)
{
    int n = 0;
    for (int d = 0; d < day && d < g.D; ++d)
        for (int p = 0; p < g.T; ++p)
            if (c.cells[p][d].subject == s)
                ++n;
    if (day < g.D)
        for (int p = 0; p < period && p < g.T; ++p)
            if (c.cells[p][day].subject == s)
                ++n;
    return n;
}

int doublesOnDay(const ClassTable& c, const Grid& g, int day)
{
    int n = 0;
    for (int p = g.L; p <= g.L + g.M - 2; ++p)
        if (!c.cells[p][day].subject.empty() && c.cells[p][day].subject == c.cells[p + 1][day].subject)
            ++n;
    for (int p = g.L + g.M; p <= g.L + g.M + g.N - 2; ++p)
        if (!c.cells[p][day].subject.empty() && c.cells[p][day].subject == c.cells[p + 1][day].subject)
            ++n;
    return n;
}

int daytimeLessonsThrough(const DataSet& ds, const TeacherInfoRecord& t, const Grid& g, int day)
{
    int n = 0;
    for (int i = 0; i < 8; ++i) {
        const std::string& s = t.courseSubject[i];
        if (contains(s, "早") || contains(s, "晚") || s == gbk::literal("班会"))
            continue;
        for (const ClassTable* c : t.courseClasses[i])
            for (int p = g.L; p <= g.L + g.M + g.N - 1; ++p)
                for (int d = 0; d <= std::min(day, g.D - 1); ++d)
                    if (c->cells[p][d].subject == s)
                        ++n;
    }
    (void)ds;
    return n;
}

void applyRule(const std::string& r, int& cost, int32_t& never)
{
    if (r == gbk::literal("尽量排"))
        cost -= 2;
    else if (r == gbk::literal("一定排"))
        cost = -100;
    else if (r == gbk::literal("不排")) {
        cost = 100;
        never = 1;
    }
}

} // namespace

int EvaluateSlot(ClassTable& c, const LessonCell& cell, int autoRunning)
{
    DataSet& ds = *c.dataSet;
    const Grid g = gridOf(ds);
    const int L = g.L, M = g.M, N = g.N, D = g.D;
    const int H = cell.period, I = cell.day;
    // 1.
    c.candidates.clear();
    c.candidateTexts.clear();
    // 2.
    for (auto& a : c.assignments) {
        a->placedCount = 0;
        a->placedDoubles = 0;
        a->clash = a->timeMismatch = a->lunchAdjacent = a->paceAhead = a->subjectNever = a->teacherNever = 0;
        a->sameDayCount = 0;
        a->cost = 0;
        a->placedCount = countPlaced(c, g, a->subject);
        a->placedDoubles = countDoubles(c, g, a->subject);
    }
    // 3.
    for (auto& a : c.assignments) {
        int n = 0;
        for (int p = 0; p < g.T; ++p)
            if (c.cells[p][I].subject == a->subject)
                ++n;
        a->sameDayCount = n;
        if (n >= 2)
            a->cost = 90;
        if (n == 1) {
            if (a->weeklyLessons <= D)
                a->cost = 90;
            else if (H == L || H == L + M || H == L + M + N)
                a->cost = 90;
            else
                a->cost += 5;
        }
    }
    // 4.
    for (auto& a : c.assignments) {
        const bool zao = contains(a->subject, "早"), wan = contains(a->subject, "晚");
        if ((zao && H >= L) || (wan && H < L + M + N) || (!zao && H < L) || (!wan && H >= L + M + N))
            a->timeMismatch = 1;
    }
    // 5.
    for (auto& a : c.assignments) {
        int cost = a->cost;
        applyRule(ClassTable::cellRule(cell, a->subject), cost, a->subjectNever);
        a->cost = cost;
    }
    // 6.
    for (auto& a : c.assignments) {
        int cost = a->cost;
        applyRule(ds.teacherSlotValue(H, I, a->teacher), cost, a->teacherNever);
        a->cost = cost;
    }
    // 7.
    for (auto& a : c.assignments) {
        if (a->teacher == gbk::literal("专门人") || a->teacher.empty())
            continue;
        a->clash = ds.teacherHasLessonAt(a->teacher, I, H);
        if (contains(a->subject, "早") && H < L)
            a->clash = 0;
        if (contains(a->subject, "晚") && H >= L + M + N)
            a->clash = 0;
    }
    // 8.
    for (auto& a : c.assignments) {
        if (H == L + M - 1 || H == L + M) {
            const int mirror = 2 * (L + M) - 1 - H;
            if (ds.teacherHasLessonAt(a->teacher, I, mirror)) {
                a->lunchAdjacent = 1;
                a->cost += 2;
            }
        }
    }
    // 9.
    if (autoRunning == 1)
        for (auto& a : c.assignments) {
            if (a->teacher == gbk::literal("专门人") || a->teacher.empty())
                continue;
            TeacherInfoRecord* t = ds.findTeacher(a->teacher);
            if (!t)
                continue;
            int course = -1;
            for (int i = 0; i < 8; ++i)
                if (t->courseGrade[i] == c.gradeName && t->courseSubject[i] == a->subject) {
                    course = i;
                    break;
                }
            if (course < 0 || t->courseClasses[course].size() <= 1 || a->weeklyLessons == 1 || a->clash ||
                a->timeMismatch || contains(a->subject, "早") || contains(a->subject, "晚"))
                continue;
            const int own = progressBefore(c, g, a->subject, I, H);
            for (ClassTable* other : t->courseClasses[course]) {
                if (other == &c)
                    continue;
                if (progressBefore(*other, g, a->subject, I, H) < own) {
                    a->paceAhead = 1;
                    a->cost += 10;
                }
            }
        }
    // 10.
    for (auto& a : c.assignments) {
        if (a->teacher == gbk::literal("专门人") || a->teacher.empty())
            continue;
        TeacherInfoRecord* t = ds.findTeacher(a->teacher);
        if (!t)
            continue;
        const int done = daytimeLessonsThrough(ds, *t, g, I);
        const int load = t->assignedPeriods;
        const double expected = static_cast<double>(I + 1) * load / D;
        a->cost += static_cast<int>((done - expected) * 5.0);
    }
    // 11.
    for (auto& a : c.assignments) {
        int n = 0;
        for (int d = 0; d < D; ++d)
            if (d != I && c.cells[H][d].subject == a->subject)
                ++n;
        if (n == 1)
            a->cost += 1;
        if (n == 2)
            a->cost += 2;
        if (n == 3)
            a->cost += 4;
        if (n == 4)
            a->cost += 8;
    }
    // 12.
    for (auto& a : c.assignments) {
        if (H == 0 || H == L || H == L + M || H == L + M + N)
            continue;
        if (c.cells[H - 1][I].subject != a->subject)
            continue;
        if (doublesOnDay(c, g, I) != 0)
            continue;
        if (!(a->doubleCount == 0 || a->doubleCount > a->placedDoubles))
            continue;
        if (D - I <= a->weeklyLessons - a->placedCount)
            a->cost -= 20;
    }
    // 13.
    for (auto& a : c.assignments)
        for (const std::string& line : ds.requirementTexts) {
            const auto daily = position(line, gbk::literal("每天最少上1节"));
            if (daily == std::string::npos || daily == 0)
                continue;
            const auto at = position(line, a->subject);
            if (at == std::string::npos || at == 0)
                continue;
            if (!contains(line, "各班") && position(line, c.name) == std::string::npos)
                continue;
            if (a->sameDayCount == 0)
                a->cost -= 10;
        }
    // 14.
    for (auto& a : c.assignments) {
        if (a->clash)
            a->cost = 100;
        if (a->subjectNever)
            a->cost = 100;
        if (a->placedCount >= a->weeklyLessons)
            a->cost = 101;
        else if (a->cost > 100)
            a->cost = 100;
        if (a->cost < 100)
            c.candidates.push_back(a.get());
    }
    // 15.
    for (std::size_t i = 0; i + 1 < c.candidates.size(); ++i)
        for (std::size_t j = i + 1; j < c.candidates.size(); ++j) {
            TeachingAssignment* x = c.candidates[i];
            TeachingAssignment* y = c.candidates[j];
            if (y->cost < x->cost)
                std::swap(c.candidates[i], c.candidates[j]);
            else if (y->cost == x->cost && y->weeklyLessons > x->weeklyLessons)
                std::swap(c.candidates[i], c.candidates[j]);
        }
    for (auto& a : c.assignments)
        if (a->cost == 100)
            c.candidates.push_back(a.get());
    // 16.
    for (TeachingAssignment* a : c.candidates) {
        std::string text = a->subject + gbk::literal("(剩") + std::to_string(a->weeklyLessons - a->placedCount) +
                           gbk::literal("节)");
        std::string reason = gbk::literal("√");
        if (a->timeMismatch)
            reason = gbk::literal("×(时间不匹配)");
        if (a->clash)
            reason = gbk::literal("×(重课)");
        if (a->subjectNever)
            reason = gbk::literal("×(不排本节课)");
        if (a->teacherNever)
            reason = gbk::literal("×(本节课不排该教师)");
        if (a->lunchAdjacent)
            reason = gbk::literal("√(上午最后节与下午第一节冲突,建议不排)");
        c.candidateTexts.push_back(text + reason);
    }
    return static_cast<int>(c.candidateTexts.size());
}

std::vector<LessonCell*> BuildSlotList(DataSet& ds, const std::vector<ClassTable*>& classes)
{
    const Grid g = gridOf(ds);
    std::vector<LessonCell*> list;
    for (int d = 0; d < g.D; ++d)
        for (ClassTable* c : classes)
            for (int p = 0; p < g.T; ++p)
                if (c->commonPeriods[p][d].empty() && c->cells[p][d].subject.empty())
                    list.push_back(&c->cells[p][d]);
    return list;
}

int PlaceBest(ClassTable& c, LessonCell& cell)
{
    if (c.candidates.empty()) {
        cell.alternatives.clear();
        cell.alternatives.push_back("1-empty");
        c.setCellSubject(cell, "empty");
        return 1;
    }
    if (c.candidates[0]->cost == 100)
        return -1;
    cell.alternatives.clear();
    c.setCellSubject(cell, c.candidates[0]->subject);
    c.dataSet->relinkCell(cell);
    cell.alternatives.push_back("1-" + c.candidates[0]->subject);
    for (std::size_t i = 1; i < c.candidates.size(); ++i)
        if (c.candidates[i]->cost == c.candidates[0]->cost || c.candidates[i]->cost <= 0)
            cell.alternatives.push_back("0-" + c.candidates[i]->subject);
    return 1;
}

int NextAlternative(ClassTable& c, LessonCell& cell)
{
    for (auto& line : cell.alternatives) {
        if (line.rfind("1", 0) == 0)
            continue;
        c.setCellSubject(cell, line.substr(2));
        c.dataSet->relinkCell(cell);
        line[0] = '1';
        return 1;
    }
    cell.alternatives.clear();
    c.setCellSubject(cell, "");
    c.dataSet->relinkCell(cell);
    return -1;
}

RunOutcome RunSearch(DataSet& ds, const std::vector<LessonCell*>& slots, int stepLimit)
{
    (void)ds;
    RunOutcome out;
    int cursor = 0;
    int counter = 0;
    const int n = static_cast<int>(slots.size());
    while (cursor < n) {
        counter += 1;
        if (counter == stepLimit)
            break;
        ++out.steps;
        LessonCell* cell = slots[cursor];
        ClassTable& c = *cell->classTable;
        int r;
        if (cell->subject.empty()) {
            literal::EvaluateSlot(c, *cell, 1);
            r = literal::PlaceBest(c, *cell);
        } else
            r = literal::NextAlternative(c, *cell);
        if (r == 1)
            cursor += 1;
        if (r == -1)
            cursor -= 1;
        if (cursor < 0)
            break;
    }
    out.cursor = cursor;
    return out;
}

} // namespace tabrel::literal
