// The fast evaluation and search against the literal statement of the cost model, on random schools.
#include <gtest/gtest.h>

#include <sstream>

#include "LiteralEvaluation.h"
#include "SchoolGenerator.h"
#include "scheduling/AutoRun.h"
#include "scheduling/PlacementEngine.h"
#include "support/TestSupport.h"

using namespace tabrel;
using tabrel::test::U;

namespace {

// The last evaluation of a class: candidates (as plan positions), texts and every working field.
std::string evaluationOf(const ClassTable& c)
{
    std::ostringstream os;
    for (const TeachingAssignment* a : c.candidates) {
        int at = -1;
        for (std::size_t k = 0; k < c.assignments.size(); ++k)
            if (c.assignments[k].get() == a)
                at = static_cast<int>(k);
        os << at << ' ';
    }
    os << "|";
    for (const auto& t : c.candidateTexts)
        os << U(t) << ";";
    os << "|";
    for (const auto& a : c.assignments)
        os << a->placedCount << ',' << a->placedDoubles << ',' << a->sameDayCount << ',' << a->clash << ','
           << a->timeMismatch << ',' << a->lunchAdjacent << ',' << a->paceAhead << ',' << a->subjectNever << ','
           << a->teacherNever << ',' << a->cost << ' ';
    return os.str();
}

// Everything a run can change, as text.
std::string stateOf(const DataSet& ds)
{
    std::ostringstream os;
    for (std::size_t gi = 0; gi < ds.grades.size(); ++gi)
        for (std::size_t ci = 0; ci < ds.grades[gi]->classes.size(); ++ci) {
            const ClassTable& c = *ds.grades[gi]->classes[ci];
            os << "class " << gi << '.' << ci << '\n';
            for (int p = 0; p < MaxPeriodRows; ++p)
                for (int d = 0; d < DayColumns; ++d) {
                    const LessonCell& cell = c.cells[p][d];
                    if (cell.subject.empty() && cell.teacher.empty() && cell.alternatives.empty())
                        continue;
                    os << p << ',' << d << ' ' << U(cell.subject) << '/' << U(cell.teacher) << " [";
                    for (const auto& a : cell.alternatives)
                        os << U(a) << ' ';
                    os << "]\n";
                }
            os << evaluationOf(c) << '\n';
        }
    for (std::size_t r = 0; r < ds.teachers.size(); ++r) {
        const TeacherInfoRecord& t = *ds.teachers[r];
        os << "teacher " << r << ' ' << U(t.name) << ':';
        for (const LessonCell* cell : t.lessons)
            os << ' ' << U(cell->classTable->name) << '@' << cell->period << ',' << cell->day;
        os << '\n';
        for (int p = 0; p < MaxPeriodRows; ++p)
            for (int d = 0; d < DayColumns; ++d)
                if (!t.slotSubject[p][d].empty() || !t.slotClassNumbers[p][d].empty())
                    os << p << ',' << d << ' ' << U(t.slotGradeText[p][d]) << U(t.slotClassNumbers[p][d]) << ' '
                       << U(t.slotSubject[p][d]) << '\n';
    }
    return os.str();
}

std::vector<ClassTable*> classesOf(const DataSet& ds, int grade)
{
    std::vector<ClassTable*> list;
    for (std::size_t gi = 0; gi < ds.grades.size(); ++gi)
        if (grade < 0 || static_cast<int>(gi) == grade)
            for (const auto& c : ds.grades[gi]->classes)
                list.push_back(c.get());
    return list;
}

// The whole-school run of the literal statement: each grade its own slot list and search.
std::vector<literal::RunOutcome> literalSchoolRun(DataSet& ds, int stepLimit)
{
    std::vector<literal::RunOutcome> out;
    for (std::size_t gi = 0; gi < ds.grades.size(); ++gi)
        out.push_back(
            literal::RunSearch(ds, literal::BuildSlotList(ds, classesOf(ds, static_cast<int>(gi))), stepLimit));
    return out;
}

void expectSameFirstDifference(const std::string& a, const std::string& b, const std::string& what)
{
    if (a == b)
        return;
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    const std::size_t from = a.rfind('\n', i) == std::string::npos ? 0 : a.rfind('\n', i);
    ADD_FAILURE() << what << ": first difference near\n  literal: " << a.substr(from, 200) << "\n  fast:    "
                  << b.substr(from, 200);
}

} // namespace

TEST(EngineAgreement, EveryFreeCellEvaluatesAlikeInAllThreeForms)
{
    int cellsCompared = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        auto ds = test::generateSchool(seed);
        SchedulingState state;
        PlacementEngine engine(*ds, state);
        const auto slots = BuildSlotList(*ds, classesOf(*ds, -1));
        engine.Prepare(slots);
        for (int k = 0; k < static_cast<int>(slots.size()); ++k) {
            LessonCell& cell = *slots[k];
            ClassTable& c = *cell.classTable;
            for (int autoRunning = 0; autoRunning <= 1; ++autoRunning) {
                literal::EvaluateSlot(c, cell, autoRunning);
                const std::string expected = evaluationOf(c);
                c.EvaluateSlot(cell, autoRunning);
                ASSERT_EQ(expected, evaluationOf(c)) << "class operation, seed " << seed << " cell " << cell.period
                                                     << "," << cell.day << " auto " << autoRunning;
                engine.EvaluateEntry(k, autoRunning);
                ASSERT_EQ(expected, evaluationOf(c)) << "engine, seed " << seed << " cell " << cell.period << ","
                                                     << cell.day << " auto " << autoRunning;
                ++cellsCompared;
            }
        }
        // Filled cells too, for the class operation (the manual views may ask about them).
        for (ClassTable* c : classesOf(*ds, -1))
            for (int p = 0; p < ds->periodsPerDay(); ++p)
                for (int d = 0; d < ds->dayCount(); ++d)
                    if (!c->cells[p][d].subject.empty()) {
                        literal::EvaluateSlot(*c, c->cells[p][d], 1);
                        const std::string expected = evaluationOf(*c);
                        c->EvaluateSlot(c->cells[p][d], 1);
                        ASSERT_EQ(expected, evaluationOf(*c)) << "filled cell, seed " << seed;
                    }
    }
    EXPECT_GT(cellsCompared, 2000);
}

// Searches that run into their cap are cut at 3,000 steps here so that many of them can be
// compared; the full cap of 97,999 steps is compared on tight grades below.
TEST(EngineAgreement, WholeSchoolRunsGiveTheSameTimetables)
{
    const int limit = 3000;
    int capped = 0, exhausted = 0, completed = 0;
    for (uint32_t seed = 100; seed < 160; ++seed) {
        auto slow = test::generateSchool(seed);
        auto fast = test::generateSchool(seed);
        ASSERT_EQ(stateOf(*slow), stateOf(*fast));
        const auto outcomes = literalSchoolRun(*slow, limit);
        SchedulingState state;
        AutoRun run(*fast, state);
        run.stepLimit = limit;
        run.SelectSchool();
        const auto results = run.Start();
        ASSERT_EQ(outcomes.size(), results.size());
        for (std::size_t i = 0; i < results.size(); ++i) {
            EXPECT_EQ(outcomes[i].steps, results[i].steps) << "seed " << seed << " grade " << i;
            capped += results[i].stepCapHit;
            exhausted += results[i].exhausted;
            completed += results[i].completed;
        }
        EXPECT_EQ(state.autoRunning, 0);
        expectSameFirstDifference(stateOf(*slow), stateOf(*fast), "seed " + std::to_string(seed));
        if (HasFailure())
            return;
    }
    // the random schools reach every way a search can end
    EXPECT_GT(capped, 5);
    EXPECT_GE(exhausted, 2);
    EXPECT_GT(completed, 30);
}

TEST(EngineAgreement, GradeAndClassScopesGiveTheSameTimetables)
{
    for (uint32_t seed = 200; seed < 220; ++seed) {
        auto slow = test::generateSchool(seed);
        auto fast = test::generateSchool(seed);
        const int grade = static_cast<int>(seed % slow->grades.size());
        literal::RunSearch(*slow, literal::BuildSlotList(*slow, classesOf(*slow, grade)), 3000);
        ClassTable* one = slow->classAt(0, static_cast<int>(seed % slow->classCount(0)));
        literal::RunSearch(*slow, literal::BuildSlotList(*slow, {one}), 3000);

        SchedulingState state;
        AutoRun run(*fast, state);
        run.stepLimit = 3000;
        run.SelectGrade(grade);
        run.Start();
        run.SelectClass(0, static_cast<int>(seed % fast->classCount(0)));
        run.Start();
        expectSameFirstDifference(stateOf(*slow), stateOf(*fast), "seed " + std::to_string(seed));
        if (HasFailure())
            return;
    }
}

TEST(EngineAgreement, TightGradesAgreeUpToTheStepCap)
{
    int capped = 0, exhausted = 0;
    test::GeneratorOptions tight;
    tight.tight = true;
    tight.maxGrades = 1;
    tight.maxClassesPerGrade = 3;
    for (uint32_t seed = 1; seed <= 30 && capped < 2; ++seed) {
        auto slow = test::generateSchool(seed, tight);
        auto fast = test::generateSchool(seed, tight);
        const auto outcome = literal::RunSearch(*slow, literal::BuildSlotList(*slow, classesOf(*slow, 0)));
        SchedulingState state;
        PlacementEngine engine(*fast, state);
        const auto result = engine.RunSearch(BuildSlotList(*fast, classesOf(*fast, 0)));
        EXPECT_EQ(outcome.steps, result.steps) << "seed " << seed;
        EXPECT_EQ(outcome.cursor, state.autoCursor) << "seed " << seed;
        capped += result.stepCapHit;
        exhausted += result.exhausted;
        expectSameFirstDifference(stateOf(*slow), stateOf(*fast), "tight seed " + std::to_string(seed));
        if (HasFailure())
            return;
    }
    EXPECT_GE(capped, 1) << "no tight school reached the step cap";
}

// The cell-level steps the program offers besides the search (PlaceBest, NextAlternative after the
// class's EvaluateSlot) drive a search to the same timetables.
TEST(EngineAgreement, CellLevelStepsMatchTheSearch)
{
    for (uint32_t seed = 300; seed < 315; ++seed) {
        auto stepwise = test::generateSchool(seed);
        auto fast = test::generateSchool(seed);
        const auto slots = BuildSlotList(*stepwise, classesOf(*stepwise, 0));
        int cursor = 0, counter = 0;
        const int n = static_cast<int>(slots.size());
        while (cursor < n && ++counter < 3000) {
            LessonCell& cell = *slots[cursor];
            ClassTable& c = *cell.classTable;
            int r;
            if (cell.subject.empty()) {
                c.EvaluateSlot(cell, 1);
                r = PlaceBest(c, cell);
            } else
                r = NextAlternative(c, cell);
            cursor += r;
            if (cursor < 0)
                break;
        }
        SchedulingState state;
        PlacementEngine engine(*fast, state);
        engine.RunSearch(BuildSlotList(*fast, classesOf(*fast, 0)), nullptr, 3000);
        EXPECT_EQ(cursor, state.autoCursor) << "seed " << seed;
        expectSameFirstDifference(stateOf(*stepwise), stateOf(*fast), "seed " + std::to_string(seed));
        if (HasFailure())
            return;
    }
}
