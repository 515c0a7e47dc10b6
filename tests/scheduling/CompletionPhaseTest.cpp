// The completion phase: complete timetables on tight schools that have one, the same timetable for
// the same school, hand-placed lessons and other classes untouched, never more problems than the
// run left, and teachers' lesson lists that follow every cell it writes.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <numeric>

#include "scheduling/AutoRun.h"
#include "scheduling/CompletionPhase.h"
#include "scheduling/SchedulingFixture.h"
#include "scheduling/SchoolGenerator.h"
#include "scheduling/TeacherAssignment.h"
#include "scheduling/TimetableCheck.h"
#include "support/TightSchool.h"
#include "support/TestSupport.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

// Every teacher's lessons are exactly the cells of the grid that name it (the first teacher of a name).
bool linked(const DataSet& ds)
{
    std::map<const TeacherInfoRecord*, std::multiset<const LessonCell*>> want, have;
    for (const auto& g : ds.grades)
        for (const auto& c : g->classes)
            for (int p = 0; p < std::min(ds.periodsPerDay(), MaxPeriodRows); ++p)
                for (int d = 0; d < std::min(ds.dayCount(), DayColumns); ++d)
                    if (const TeacherInfoRecord* t = ds.findTeacher(c->cells[p][d].teacher))
                        want[t].insert(&c->cells[p][d]);
    for (const auto& t : ds.teachers)
        if (!t->lessons.empty())
            have[t.get()] = {t->lessons.begin(), t->lessons.end()};
    return want == have;
}

struct Outcome {
    std::vector<std::string> cells;
    CompletionResult result;
    int problems = 0;
};

Outcome completeSchool(uint32_t seed, const TightSchoolOptions& o)
{
    auto ds = tightSchool(seed, o);
    prepare(*ds);
    const auto before = cells(*ds);
    SchedulingState state;
    AutoRun run(*ds, state);
    run.SelectSchool();
    run.completeAfterSearch = true;
    run.Start();
    Outcome out{cells(*ds), run.lastCompletion(), static_cast<int>(CheckTimetable(*ds).size())};
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i] != "|") {
            EXPECT_EQ(out.cells[i], before[i]) << "seed " << seed << ": a hand-placed lesson moved";
        }
    EXPECT_TRUE(linked(*ds)) << "seed " << seed;
    return out;
}

} // namespace

TEST(CompletionPhase, CompletesTightSchoolsThatHaveACompleteTimetable)
{
    for (uint32_t seed = 1; seed <= 8; ++seed) {
        TightSchoolOptions o;
        o.grades = 1 + static_cast<int>(seed % 2);
        o.classesPerGrade = 4 + static_cast<int>(seed % 4) * 2;
        o.earlyReading = seed % 3 == 0;
        o.evening = seed % 4 == 1;
        o.handPlacedPercent = 5;
        const Outcome a = completeSchool(seed, o);
        EXPECT_EQ(a.problems, 0) << "seed " << seed;
        EXPECT_EQ(a.result.problemsAfter, 0) << "seed " << seed;
        EXPECT_LE(a.result.problemsAfter, a.result.problemsBefore) << "seed " << seed;
        if (seed <= 3) {
            EXPECT_EQ(completeSchool(seed, o).cells, a.cells) << "seed " << seed << ": not deterministic";
        }
    }
}

// On random schools (rules of every kind, lessons placed beforehand, more lessons than cells) the
// phase over one grade never leaves more problems than the run, moves no lesson of another grade
// and no lesson that was there before; a stop at once keeps the run's timetable or a better one.
TEST(CompletionPhase, NeverWorseThanTheRunAndTouchesOnlyTheScope)
{
    for (uint32_t seed = 1; seed <= 24; ++seed) {
        GeneratorOptions go;
        go.tight = seed % 2 == 0;
        auto plain = generateSchool(seed, go);
        auto done = generateSchool(seed, go);
        if (plain->grades.empty())
            continue;
        const auto before = cells(*done);
        SchedulingState s1, s2;
        AutoRun a(*plain, s1), b(*done, s2);
        a.SelectGrade(0);
        b.SelectGrade(0);
        a.stepLimit = b.stepLimit = 3000;
        b.completeAfterSearch = true;
        std::atomic<bool> stop{seed % 5 == 0};
        b.stopFlag = &stop;
        a.Start();
        b.Start();
        std::vector<const ClassTable*> scopeA(a.classList().begin(), a.classList().end());
        std::vector<const ClassTable*> scopeB(b.classList().begin(), b.classList().end());
        const int runProblems = static_cast<int>(CheckTimetable(*plain, scopeA).size());
        const int phaseProblems = static_cast<int>(CheckTimetable(*done, scopeB).size());
        EXPECT_LE(phaseProblems, runProblems) << "seed " << seed;
        EXPECT_EQ(b.lastCompletion().problemsBefore, runProblems) << "seed " << seed;
        EXPECT_EQ(b.lastCompletion().problemsAfter, phaseProblems) << "seed " << seed;
        EXPECT_EQ(b.lastCompletion().stopped, stop.load() && runProblems > 0) << "seed " << seed;
        const auto ran = cells(*plain), after = cells(*done);
        std::size_t i = 0, firstOther = 0;
        for (const auto& c : done->grades[0]->classes)
            (void)c, firstOther += MaxPeriodRows * DayColumns;
        for (; i < after.size(); ++i) {
            const auto sub = before[i].substr(0, before[i].find('|'));
            if (i >= firstOther) {
                EXPECT_EQ(after[i], ran[i]) << "seed " << seed << ": a lesson outside the scope changed";
            } else if (!sub.empty() && sub != "empty") {
                EXPECT_EQ(after[i], before[i]) << "seed " << seed << ": a lesson placed before moved";
            }
        }
        // (some random schools start with lessons no list holds; those the phase need not mend)
        if (linked(*plain)) {
            EXPECT_TRUE(linked(*done)) << "seed " << seed;
        }
    }
}

// Weekly counts far beyond what a class can hold (typed into the subjects panel, or read from a file
// as they stand): the completion phase (and the quality phase after it) counts the lessons that cannot fit as unplaced without making
// them, sums them without overflow and finishes with its usual report, whatever the counts.
TEST(CompletionPhase, CountsBeyondTheWeekAreUnplacedNotMade)
{
    struct Case {
        int morning, days;
        std::vector<int> counts; // 语文, 数学, 英语 …
    } cases[] = {
        {1, 1, {INT32_MAX}},
        {1, 1, {INT32_MAX, INT32_MAX}},
        {1, 1, {1000000}},
        {4, 5, {100000, 3, INT32_MIN}},
        {4, 5, {25, 25}},
    };
    const char* subjects[] = {"语文", "数学", "英语"};
    for (const bool optimize : {false, true})
    for (const Case& k : cases) {
        auto ds = smallSchool(1);
        ds->morningCount = k.morning;
        ds->afternoonCount = 0;
        ds->dayNames.resize(k.days);
        addTeacher(*ds, "张三");
        ClassTable& c = *ds->grades[0]->classes[0];
        long long required = 0;
        for (std::size_t i = 0; i < k.counts.size(); ++i) {
            plan(c, subjects[i], 1, G("张三")).weeklyLessons = k.counts[i];
            required += std::max(0, k.counts[i]);
        }
        prepare(*ds);
        SchedulingState state;
        AutoRun run(*ds, state);
        run.SelectSchool();
        run.completeAfterSearch = true;
        run.optimizeAfterSearch = optimize;
        run.Start();
        const int cellsOfWeek = k.morning * k.days;
        EXPECT_EQ(c.placedLessonCount(), std::min<long long>(cellsOfWeek, required));
        EXPECT_EQ(c.requiredLessonCount(), std::accumulate(k.counts.begin(), k.counts.end(), 0LL));
        long long unplaced = 0;
        for (const auto& p : CheckTimetable(*ds))
            if (p.kind == ProblemKind::Unplaced)
                unplaced += p.count;
        EXPECT_GE(unplaced, std::min<long long>(required - cellsOfWeek, INT32_MAX));
        EXPECT_EQ(run.lastCompletion().unplacedAfter, std::min<long long>(unplaced, INT32_MAX));
        EXPECT_TRUE(linked(*ds));
    }
}
