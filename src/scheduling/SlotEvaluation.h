#pragma once
// The cost model of one slot evaluation. The arithmetic lives here once; where the counts come from
// is the business of an Inputs object: the class operation reads them from the grid
// (ClassPlacement.cpp), the automatic engine from its running counters (PlacementEngine.cpp).
//
// Inputs must provide, for assignment k of the class and the evaluated slot (H, I):
//   placed(k), doubles(k), sameDay(k)      lessons of the subject in the grid / double periods / on day I
//   zao(k), wan(k)                         the subject names the early-reading / evening section
//   subjectRule(k), teacherRule(k)         RuleCode of the cell's subject rule / the teacher's slot rule
//   exempt(k)                              the teacher is "专门人" or ""
//   hasRecord(k)                           the teacher has a TeacherInfoRecord
//   teacherBusy(k, period)                 teacherHasLessonAt(teacher, I, period)
//   paceLagging(k)                         pace step: classes of the teacher's course lagging behind,
//                                          0 when the course is missing or lists at most one class
//   daytimeDone(k), load(k)                TeacherDaytimeLessonsThrough(I), assignedPeriods
//   samePeriodOther(k)                     days other than I with the subject at period H
//   previousHolds(k)                       cell [H-1][I] holds the subject
//   doublesOnDay()                         DoublesOnDay(I)
//   requirementMatches(k)                  requirement lines granting the subject the daily bonus
#include "data/ClassTable.h"
#include "scheduling/GridShape.h"

namespace tabrel {

// The balance term: (done - (I + 1) x load / D) x 5 in double precision, truncated toward zero.
// A load typed as a huge lesson count would take the term outside int; it is held at +-10^9, which
// still ranks such a teacher far ahead or far behind and leaves room for the other terms. Without
// teaching days there is nothing to balance.
inline int balanceCost(int done, int load, int I, int D)
{
    if (D <= 0)
        return 0;
    const double expected = static_cast<double>(I + 1) * load / D;
    const double term = (done - expected) * 5.0;
    constexpr double bound = 1e9;
    if (term >= bound)
        return static_cast<int>(bound);
    if (term <= -bound)
        return -static_cast<int>(bound);
    return static_cast<int>(term);
}

template <class Inputs>
inline int evaluateAssignment(TeachingAssignment& a, int k, int H, int I, const GridShape& g, int autoRunning,
                              Inputs& in)
{
    // 2. reset and recount
    a.placedCount = in.placed(k);
    a.placedDoubles = in.doubles(k);
    a.clash = a.timeMismatch = a.lunchAdjacent = a.paceAhead = a.subjectNever = a.teacherNever = 0;
    int cost = 0;
    // 3. same day
    const int sameDay = in.sameDay(k);
    a.sameDayCount = sameDay;
    if (sameDay >= 2)
        cost = 90;
    else if (sameDay == 1) {
        if (a.weeklyLessons <= g.D)
            cost = 90;
        else if (g.sectionStart(H))
            cost = 90;
        else
            cost += 5;
    }
    // 4. time fit (flag only)
    const bool zao = in.zao(k), wan = in.wan(k);
    a.timeMismatch = g.timeMismatch(zao, wan, H) ? 1 : 0;
    // 5. subject rule
    switch (in.subjectRule(k)) {
    case RulePrefer: cost -= 2; break;
    case RuleMust: cost = -100; break;
    case RuleNever: cost = 100; a.subjectNever = 1; break;
    default: break;
    }
    // 6. teacher rule
    switch (in.teacherRule(k)) {
    case RulePrefer: cost -= 2; break;
    case RuleMust: cost = -100; break;
    case RuleNever: cost = 100; a.teacherNever = 1; break;
    default: break;
    }
    const bool exempt = in.exempt(k);
    // 7. double booking
    if (!exempt) {
        a.clash = in.teacherBusy(k, H) ? 1 : 0;
        if (g.clashExempt(zao, wan, H))
            a.clash = 0;
    }
    // 8. lunch break
    if (H == g.L + g.M - 1 || H == g.L + g.M) {
        const int mirror = 2 * (g.L + g.M) - 1 - H;
        if (in.teacherBusy(k, mirror)) {
            a.lunchAdjacent = 1;
            cost += 2;
        }
    }
    // 9. pace
    if (autoRunning == 1 && !exempt && in.hasRecord(k) && a.weeklyLessons != 1 && !a.clash && !a.timeMismatch &&
        !zao && !wan) {
        const int lagging = in.paceLagging(k);
        if (lagging > 0) {
            a.paceAhead = 1;
            cost += 10 * lagging;
        }
    }
    // 10. the teacher's daily balance
    if (!exempt && in.hasRecord(k))
        cost += balanceCost(in.daytimeDone(k), in.load(k), I, g.D);
    // 11. same period on other days
    switch (in.samePeriodOther(k)) {
    case 1: cost += 1; break;
    case 2: cost += 2; break;
    case 3: cost += 4; break;
    case 4: cost += 8; break;
    default: break;
    }
    // 12. double-period bonus
    if (H != 0 && !g.sectionStart(H) && in.previousHolds(k) && in.doublesOnDay() == 0 &&
        (a.doubleCount == 0 || a.doubleCount > a.placedDoubles) &&
        g.D - I <= static_cast<long long>(a.weeklyLessons) - a.placedCount)
        cost -= 20;
    // 13. at least one lesson a day
    if (sameDay == 0)
        cost -= 10 * in.requirementMatches(k);
    // 14. final clamp
    if (a.clash)
        cost = 100;
    if (a.subjectNever)
        cost = 100;
    if (a.placedCount >= a.weeklyLessons)
        cost = 101;
    else if (cost > 100)
        cost = 100;
    a.cost = cost;
    return cost;
}

// Steps 1-15 of the slot evaluation over every assignment of the class: fills `candidates`
// (texts are left to the caller) and returns the candidate count.
template <class Inputs>
inline int evaluateSlotCosts(ClassTable& c, int H, int I, const GridShape& g, int autoRunning, Inputs& in)
{
    auto& cand = c.candidates;
    cand.clear();
    const int n = static_cast<int>(c.assignments.size());
    for (int k = 0; k < n; ++k) {
        TeachingAssignment& a = *c.assignments[k];
        if (evaluateAssignment(a, k, H, I, g, autoRunning, in) < 100)
            cand.push_back(&a);
    }
    // 15. exchange sort, then the excluded subjects in list order
    const int m = static_cast<int>(cand.size());
    for (int i = 0; i + 1 < m; ++i)
        for (int j = i + 1; j < m; ++j) {
            const TeachingAssignment* x = cand[i];
            const TeachingAssignment* y = cand[j];
            if (y->cost < x->cost || (y->cost == x->cost && y->weeklyLessons > x->weeklyLessons))
                std::swap(cand[i], cand[j]);
        }
    for (int k = 0; k < n; ++k)
        if (c.assignments[k]->cost == 100)
            cand.push_back(c.assignments[k].get());
    return static_cast<int>(cand.size());
}

} // namespace tabrel
