// The placement checks of a class timetable: counting, slot evaluation, cell fitness, swap hints.
#include <algorithm>
#include <cstdint>

#include "data/ClassTable.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "scheduling/GridShape.h"
#include "scheduling/SlotEvaluation.h"
#include "scheduling/TimetableCheck.h"

namespace tabrel {

namespace {

GridShape shapeOf(const ClassTable& c)
{
    return c.dataSet ? GridShape::of(*c.dataSet) : GridShape{};
}

// Counts read straight from the grids and the teachers' lesson lists (one evaluation at a time,
// as the manual views and the report ask for it).
class GridInputs {
public:
    GridInputs(const ClassTable& c, int H, int I, const GridShape& g) : c_(c), ds_(*c.dataSet), H_(H), I_(I), g_(g)
    {
        const int n = static_cast<int>(c.assignments.size());
        info_.resize(n);
        for (int k = 0; k < n; ++k) {
            const TeachingAssignment& a = *c.assignments[k];
            Info& f = info_[k];
            f.record = ds_.findTeacher(a.teacher);
            f.exempt = names::exemptTeacher(a.teacher);
        }
        doublesOnDay_ = c.DoublesOnDay(I);
    }

    bool holds(int p, int d, int k) const { return c_.cells[p][d].subject == subject(k); }
    int placed(int k) const
    {
        int n = 0;
        for (int p = 0; p < g_.T; ++p)
            for (int d = 0; d < g_.D; ++d)
                n += holds(p, d, k);
        return n;
    }
    int doubles(int k) const
    {
        int n = 0;
        for (int p = 0; p + 1 < g_.T; ++p) {
            if (g_.straddles(p))
                continue;
            for (int d = 0; d < g_.D; ++d)
                n += holds(p, d, k) && holds(p + 1, d, k);
        }
        return n;
    }
    int sameDay(int k) const
    {
        int n = 0;
        for (int p = 0; p < g_.T; ++p)
            n += holds(p, I_, k);
        return n;
    }
    bool zao(int k) const { return names::hasZao(subject(k)); }
    bool wan(int k) const { return names::hasWan(subject(k)); }
    RuleCode subjectRule(int k) const { return ruleCode(ClassTable::cellRule(c_.cells[H_][I_], subject(k))); }
    RuleCode teacherRule(int k) const { return ruleCode(ds_.teacherSlotValue(H_, I_, teacher(k))); }
    bool exempt(int k) const { return info_[k].exempt; }
    bool hasRecord(int k) const { return info_[k].record != nullptr; }
    bool teacherBusy(int k, int period) const { return ds_.teacherHasLessonAt(teacher(k), I_, period) != 0; }
    int paceLagging(int k) const
    {
        const TeacherInfoRecord* t = info_[k].record;
        for (int i = 0; i < MaxCourses; ++i) {
            if (t->courseGrade[i] != c_.gradeName || t->courseSubject[i] != subject(k))
                continue;
            const auto& classes = t->courseClasses[i];
            if (classes.size() <= 1)
                return 0;
            const int own = c_.ProgressBefore(subject(k), I_, H_);
            int lagging = 0;
            for (const ClassTable* other : classes)
                if (other != &c_ && other->ProgressBefore(subject(k), I_, H_) < own)
                    ++lagging;
            return lagging;
        }
        return 0;
    }
    int daytimeDone(int k) const { return info_[k].record->TeacherDaytimeLessonsThrough(I_); }
    int load(int k) const { return info_[k].record->assignedPeriods; }
    int samePeriodOther(int k) const
    {
        int n = 0;
        for (int d = 0; d < g_.D; ++d)
            if (d != I_ && holds(H_, d, k))
                ++n;
        return n;
    }
    bool previousHolds(int k) const { return H_ > 0 && holds(H_ - 1, I_, k); }
    int doublesOnDay() const { return doublesOnDay_; }
    int requirementMatches(int k) const { return names::requirementMatches(ds_.requirementTexts, subject(k), c_.name); }

private:
    struct Info {
        const TeacherInfoRecord* record = nullptr;
        bool exempt = false;
    };
    const std::string& subject(int k) const { return c_.assignments[k]->subject; }
    const std::string& teacher(int k) const { return c_.assignments[k]->teacher; }

    const ClassTable& c_;
    const DataSet& ds_;
    int H_, I_;
    GridShape g_;
    std::vector<Info> info_;
    int doublesOnDay_ = 0;
};

} // namespace

int ClassTable::UpdateAssignmentFromLessonText(const std::string& subjectName, const std::string& lessonText)
{
    const int w = gbk::leadingInt(lessonText);
    int k = 0;
    const auto dot = lessonText.find('.');
    if (dot != std::string::npos && dot > 0)
        k = gbk::leadingInt(std::string_view(lessonText).substr(dot + 1));
    const long long sum = static_cast<long long>(w) + k;
    for (auto it = assignments.begin(); it != assignments.end(); ++it) {
        if ((*it)->subject != subjectName)
            continue;
        if (sum != 0) {
            (*it)->weeklyLessons = w;
            (*it)->doubleCount = k;
        } else {
            // Nothing may keep pointing at the destroyed assignment: the last evaluation is dropped
            // whole, so its candidates and texts stay parallel.
            candidates.clear();
            candidateTexts.clear();
            assignments.erase(it);
        }
        return 1;
    }
    if (sum == 0)
        return 0;
    TeachingAssignment* a = appendAssignment();
    a->subject = subjectName;
    a->weeklyLessons = w;
    a->doubleCount = k;
    return 1;
}

TeachingAssignment* ClassTable::FindAssignment(const std::string& subjectName) const
{
    for (const auto& a : assignments)
        if (a->subject == subjectName)
            return a.get();
    return nullptr;
}

int ClassTable::WeeklyLessonsOf(const std::string& subjectName) const
{
    const TeachingAssignment* a = FindAssignment(subjectName);
    return a ? a->weeklyLessons : 0;
}

int ClassTable::RecountPlaced()
{
    const GridShape g = shapeOf(*this);
    for (auto& a : assignments) {
        int placed = 0, doubles = 0;
        for (int p = 0; p < g.T; ++p)
            for (int d = 0; d < g.D; ++d) {
                if (cells[p][d].subject != a->subject)
                    continue;
                ++placed;
                if (p + 1 < g.T && !g.straddles(p) && cells[p + 1][d].subject == a->subject)
                    ++doubles;
            }
        a->placedCount = placed;
        a->placedDoubles = doubles;
    }
    return 1;
}

int ClassTable::ProgressBefore(const std::string& subjectName, int day, int period) const
{
    const GridShape g = shapeOf(*this);
    int n = 0;
    for (int d = 0; d < std::min(day, g.D); ++d)
        for (int p = 0; p < g.T; ++p)
            n += cells[p][d].subject == subjectName;
    if (day >= 0 && day < g.D)
        for (int p = 0; p < std::min(period, g.T); ++p)
            n += cells[p][day].subject == subjectName;
    return n;
}

int ClassTable::DoublesOnDay(int day) const
{
    const GridShape g = shapeOf(*this);
    if (day < 0 || day >= DayColumns)
        return 0;
    int n = 0;
    for (int p = 0; p + 1 < MaxPeriodRows; ++p) {
        if (!g.daytimePair(p))
            continue;
        const std::string& s = cells[p][day].subject;
        if (!s.empty() && s == cells[p + 1][day].subject)
            ++n;
    }
    return n;
}

int ClassTable::EvaluateSlot(const LessonCell& cell, int autoRunning)
{
    candidates.clear();
    candidateTexts.clear();
    const int H = cell.period, I = cell.day;
    if (!dataSet || H < 0 || H >= MaxPeriodRows || I < 0 || I >= DayColumns)
        return 0;
    const GridShape g = shapeOf(*this);
    GridInputs in(*this, H, I, g);
    evaluateSlotCosts(*this, H, I, g, autoRunning, in);
    BuildCandidateTexts();
    return static_cast<int>(candidateTexts.size());
}

void ClassTable::BuildCandidateTexts()
{
    candidateTexts.clear();
    candidateTexts.reserve(candidates.size());
    for (const TeachingAssignment* a : candidates) {
        std::string text = a->subject + GBK("(剩") + gbk::formatInt(static_cast<long long>(a->weeklyLessons) - a->placedCount) + GBK("节)");
        const std::string* reason = &GBK("√");
        if (a->timeMismatch)
            reason = &GBK("×(时间不匹配)");
        if (a->clash)
            reason = &GBK("×(重课)");
        if (a->subjectNever)
            reason = &GBK("×(不排本节课)");
        if (a->teacherNever)
            reason = &GBK("×(本节课不排该教师)");
        if (a->lunchAdjacent)
            reason = &GBK("√(上午最后节与下午第一节冲突,建议不排)");
        candidateTexts.push_back(text + *reason);
    }
}

LessonFault ForbiddenReason(const ClassTable& c, const LessonCell& cell)
{
    const std::string& S = cell.subject;
    const std::string& R = cell.teacher;
    const int P = cell.period, Q = cell.day;
    if (S.empty() || !c.dataSet || P < 0 || P >= MaxPeriodRows || Q < 0 || Q >= DayColumns)
        return LessonFault::None;
    const GridShape g = shapeOf(c);
    const bool zao = names::hasZao(S), wan = names::hasWan(S);
    if (g.timeMismatch(zao, wan, P))
        return LessonFault::Section;
    if (!names::exemptTeacher(R) && !g.clashExempt(zao, wan, P) && c.dataSet->teacherBusyElsewhere(R, Q, P, &c))
        return LessonFault::TeacherClash;
    if (ClassTable::cellRule(cell, S) == GBK("不排"))
        return LessonFault::SubjectNever;
    if (c.dataSet->teacherSlotValue(P, Q, R) == GBK("不排"))
        return LessonFault::TeacherNever;
    return LessonFault::None;
}

int ClassTable::CellFitness(const LessonCell& cell) const
{
    const std::string& S = cell.subject;
    const std::string& R = cell.teacher;
    const int P = cell.period, Q = cell.day;
    if (S.empty())
        return 20;
    if (!dataSet || P < 0 || P >= MaxPeriodRows || Q < 0 || Q >= DayColumns)
        return 20;
    const GridShape g = shapeOf(*this);
    if (ForbiddenReason(*this, cell) != LessonFault::None)
        return -1;
    if ((P == g.L + g.M - 1 || P == g.L + g.M) && dataSet->teacherHasLessonAt(R, Q, 2 * (g.L + g.M) - 1 - P))
        return 5;
    int k = 0;
    for (int p = 0; p < g.T; ++p)
        k += cells[p][Q].subject == S;
    if (WeeklyLessonsOf(S) > g.D ? k > 2 : k > 1)
        return 5;
    int m = 0;
    for (int d = 0; d < g.D; ++d)
        m += cells[P][d].subject == S;
    if (m > 3)
        return 5;
    return 20;
}

int ClassTable::MarkSwapTargets(LessonCell& selected)
{
    const GridShape g = shapeOf(*this);
    selected.mark = GBK("★");
    for (int p = 0; p < g.T; ++p)
        for (int d = 0; d < g.D; ++d) {
            LessonCell& c = cells[p][d];
            if (&c == &selected)
                continue;
            if (c.subject == selected.subject || c.markFlag == 1 || selected.markFlag == 1) {
                c.mark = GBK("╳");
                continue;
            }
            c.mark = GBK("√");
            // The trial must leave both cells exactly as they were, teacher included (a lesson keeps
            // the teacher it was written with even when the plan's teacher changed since).
            const std::string mine = selected.subject, theirs = c.subject;
            const std::string myTeacher = selected.teacher, theirTeacher = c.teacher;
            setCellSubject(c, mine);
            setCellSubject(selected, theirs);
            const int a = CellFitness(c), b = CellFitness(selected);
            if (a < 10 || b < 10)
                c.mark = GBK("≈");
            if (a < 0 || b < 0)
                c.mark = GBK("╳");
            c.subject = theirs;
            c.teacher = theirTeacher;
            selected.subject = mine;
            selected.teacher = myTeacher;
        }
    return 1;
}

int ClassTable::ClearMarks()
{
    const GridShape g = shapeOf(*this);
    for (int p = 0; p < g.T; ++p)
        for (int d = 0; d < g.D; ++d)
            cells[p][d].mark.clear();
    return 1;
}

int ClassTable::RemainingIfPlaceable(const std::string& subjectName, int period, int day) const
{
    if (!dataSet || period < 0 || period >= MaxPeriodRows || day < 0 || day >= DayColumns)
        return 0;
    const LessonCell& cell = cells[period][day];
    if (!cell.subject.empty() || !commonPeriods[period][day].empty())
        return 0;
    const GridShape g = shapeOf(*this);
    if (g.timeMismatch(names::hasZao(subjectName), names::hasWan(subjectName), period))
        return 0;
    if (cellRule(cell, subjectName) == GBK("不排"))
        return 0;
    const std::string teacher = teacherForSubject(subjectName);
    if (dataSet->teacherSlotValue(period, day, teacher) == GBK("不排"))
        return 0;
    if (!dataSet->findTeacher(teacher))
        return 0;
    const TeachingAssignment* a = FindAssignment(subjectName);
    if (!a)
        return 0;
    // placedCount may still be the stored value of the data file, any int32: held inside int.
    const long long left = static_cast<long long>(a->weeklyLessons) - a->placedCount;
    return static_cast<int>(std::clamp<long long>(left, INT32_MIN, INT32_MAX));
}

void ClassTable::ClearAllCells()
{
    if (!dataSet)
        return;
    const GridShape g = shapeOf(*this);
    for (int p = 0; p < g.T; ++p)
        for (int d = 0; d < g.D; ++d) {
            setCellSubject(cells[p][d], "");
            dataSet->relinkCell(cells[p][d]);
        }
}

} // namespace tabrel
