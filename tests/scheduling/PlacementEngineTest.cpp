// The search and the run over a scope, on hand-made classes.
#include <gtest/gtest.h>

#include "SchedulingFixture.h"
#include "scheduling/AutoRun.h"
#include "scheduling/PlacementEngine.h"
#include "scheduling/TeacherAssignment.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

struct RecordingSink : ProgressSink {
    const SchedulingState* state = nullptr;
    int ranges = 0, low = 0, high = 0, positions = 0, whileNotRunning = 0;
    void setRange(int l, int h) override
    {
        ++ranges;
        low = l;
        high = h;
    }
    void setPosition(int) override
    {
        ++positions;
        whileNotRunning += state->autoRunning != 1;
    }
};

int lessonsOf(const ClassTable& c, const char* subject)
{
    int n = 0;
    for (const auto& row : c.cells)
        for (const auto& cell : row)
            n += cell.subject == G(subject);
    return n;
}

} // namespace

TEST(PlacementEngine, ClassWithoutPlanGetsEmptyEverywhere)
{
    auto ds = smallSchool();
    ClassTable& c = *ds->classAt(0, 0);
    c.commonPeriods[0][0] = G("自习");
    SchedulingState state;
    PlacementEngine engine(*ds, state);
    const auto slots = BuildSlotList(*ds, {&c});
    EXPECT_EQ(slots.size(), 34u);
    const SearchResult r = engine.RunSearch(slots);
    EXPECT_TRUE(r.completed);
    EXPECT_EQ(r.steps, 34);
    EXPECT_EQ(c.cells[0][0].subject, "");
    EXPECT_EQ(c.cells[1][0].subject, "empty");
    EXPECT_EQ(c.cells[1][0].alternatives, std::vector<std::string>{"1-empty"});
}

TEST(PlacementEngine, FewerLessonsThanCellsFillInListOrderThenEmpty)
{
    auto ds = smallSchool();
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "语文", 2);
    plan(c, "数学", 1);
    SchedulingState state;
    RecordingSink sink;
    sink.state = &state;
    PlacementEngine engine(*ds, state);
    engine.RunSearch(BuildSlotList(*ds, {&c}), &sink);
    // day 0: 语文 (larger weekly count wins the tie), then 数学; 语文 again only at 90 → after 数学
    EXPECT_EQ(c.cells[0][0].subject, G("语文"));
    EXPECT_EQ(c.cells[1][0].subject, G("数学"));
    EXPECT_EQ(c.cells[2][0].subject, G("语文"));
    EXPECT_EQ(c.cells[3][0].subject, "empty");
    EXPECT_EQ(c.cells[0][0].alternatives, (std::vector<std::string>{"1-" + G("语文"), "0-" + G("数学")}));
    EXPECT_EQ(sink.ranges, 1);
    EXPECT_EQ(sink.high, 34);
    EXPECT_EQ(sink.positions, 35);
    EXPECT_EQ(sink.whileNotRunning, 0);
    EXPECT_EQ(state.autoRunning, 0);
}

TEST(PlacementEngine, TiedAlternativeIsTriedWhenTheSearchStepsBack)
{
    auto ds = smallSchool();
    ds->dayNames.resize(1);
    ds->morningCount = 2;
    ds->afternoonCount = 0;
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "语文", 1);
    plan(c, "数学", 1);
    plan(c, "英语", 1);
    // period 1 refuses 数学 and 英语: only 语文 fits there, so period 0 must give it up
    ClassTable::setCellRule(c.cells[1][0], G("数学"), G("不排"));
    ClassTable::setCellRule(c.cells[1][0], G("英语"), G("不排"));
    SchedulingState state;
    PlacementEngine engine(*ds, state);
    const SearchResult r = engine.RunSearch(BuildSlotList(*ds, {&c}));
    EXPECT_TRUE(r.completed);
    EXPECT_EQ(c.cells[0][0].subject, G("数学"));
    EXPECT_EQ(c.cells[1][0].subject, G("语文"));
    EXPECT_EQ(c.cells[0][0].alternatives,
              (std::vector<std::string>{"1-" + G("语文"), "1-" + G("数学"), "0-" + G("英语")}));
    EXPECT_EQ(r.steps, 4);
}

TEST(PlacementEngine, ExhaustingTheFirstCellEndsTheSearchWithoutHarm)
{
    auto ds = smallSchool();
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "语文", 3);
    for (int p = 0; p < 7; ++p)
        for (int d = 0; d < 5; ++d)
            ClassTable::setCellRule(c.cells[p][d], G("语文"), G("不排"));
    SchedulingState state;
    PlacementEngine engine(*ds, state);
    const SearchResult r = engine.RunSearch(BuildSlotList(*ds, {&c}));
    EXPECT_TRUE(r.exhausted);
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(r.steps, 1);
    EXPECT_EQ(state.autoCursor, -1);
    EXPECT_EQ(state.autoRunning, 0);
    EXPECT_EQ(lessonsOf(c, "语文"), 0);
}

TEST(PlacementEngine, TeacherListsAndSlotTextsFollowTheSearch)
{
    auto ds = smallSchool(2);
    addTeacher(*ds, "张三");
    ClassTable& a = *ds->classAt(0, 0);
    ClassTable& b = *ds->classAt(0, 1);
    plan(a, "语文", 5, G("张三"));
    plan(b, "语文", 5, G("张三"));
    plan(a, "数学", 20);
    plan(b, "数学", 20);
    ComputeAssignedPeriods(*ds);
    ds->syncTeacherAssignments();
    SchedulingState state;
    AutoRun run(*ds, state);
    run.SelectGrade(0);
    const auto results = run.Start();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_TRUE(results[0].completed);
    const TeacherInfoRecord& t = *ds->teachers[0];
    EXPECT_EQ(t.assignedPeriods, 10);
    EXPECT_EQ(t.lessons.size(), 10u);
    EXPECT_EQ(t.countPlacedSlots(), 10); // never two classes in one slot
    for (const LessonCell* cell : t.lessons) {
        EXPECT_EQ(cell->teacher, G("张三"));
        EXPECT_EQ(t.slotSubject[cell->period][cell->day], G("语文"));
        EXPECT_EQ(t.slotGradeText[cell->period][cell->day], G("初一"));
    }
    EXPECT_EQ(lessonsOf(a, "语文"), 5);
    EXPECT_EQ(lessonsOf(b, "语文"), 5);
}

TEST(AutoRun, LaterGradesSeeTheLessonsOfEarlierOnes)
{
    auto ds = smallSchool(1);
    ds->setGradeCount(2);
    ds->gradeNames[1] = G("初二");
    ds->setClassCount(1, 1);
    ds->renameClasses("(", ")");
    addTeacher(*ds, "张三");
    ClassTable& a = *ds->classAt(0, 0);
    ClassTable& b = *ds->classAt(1, 0);
    plan(a, "语文", 7, G("张三"));
    plan(b, "数学", 7, G("张三"));
    plan(b, "美术", 30); // something to put where 张三 is busy
    SchedulingState state;
    AutoRun run(*ds, state);
    run.SelectSchool();
    const auto results = run.Start();
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(lessonsOf(a, "语文"), 7);
    EXPECT_EQ(lessonsOf(b, "数学"), 7);
    for (int p = 0; p < 7; ++p)
        for (int d = 0; d < 5; ++d)
            EXPECT_FALSE(a.cells[p][d].teacher == G("张三") && b.cells[p][d].teacher == G("张三"));
}

TEST(AutoRun, SecondStartLeavesTheFirstRunsLessonsAlone)
{
    auto ds = smallSchool(2);
    for (int j = 0; j < 2; ++j) {
        ClassTable& c = *ds->classAt(0, j);
        plan(c, "语文", 6);
        plan(c, "数学", 6);
        plan(c, "英语", 40);
    }
    SchedulingState state;
    AutoRun run(*ds, state);
    run.SelectClass(0, 1);
    EXPECT_EQ(run.slotList().size(), 35u);
    run.Start();
    EXPECT_TRUE(run.slotList().empty()); // nothing free any more
    const std::string before = ds->classAt(0, 1)->cells[3][2].subject;
    const auto again = run.Start();
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].steps, 0);
    EXPECT_EQ(ds->classAt(0, 1)->cells[3][2].subject, before);
    EXPECT_EQ(lessonsOf(*ds->classAt(0, 0), "语文"), 0); // the other class was not in the scope
    EXPECT_EQ(run.SelectGrade(5), 0);
    EXPECT_TRUE(run.classList().empty());
    EXPECT_EQ(AutoRun::EndMessage(), "auto paike end");
}
