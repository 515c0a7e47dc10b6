// Edge cases of the placement checks, each stated against the cost model rather than the code.
#include <gtest/gtest.h>

#include "SchedulingFixture.h"
#include "scheduling/CellDisplay.h"
#include "scheduling/PlacementEngine.h"

using namespace tabrel;
using namespace tabrel::test;

TEST(LessonText, WeeklyAndDoubleCountsComeFromTheText)
{
    auto ds = smallSchool();
    ClassTable& c = *ds->classAt(0, 0);
    EXPECT_EQ(c.UpdateAssignmentFromLessonText(G("语文"), "5.2"), 1);
    EXPECT_EQ(c.FindAssignment(G("语文"))->weeklyLessons, 5);
    EXPECT_EQ(c.FindAssignment(G("语文"))->doubleCount, 2);
    EXPECT_EQ(c.FindAssignment(G("语文"))->cost, 10);
    EXPECT_EQ(c.UpdateAssignmentFromLessonText(G("语文"), "5"), 1);
    EXPECT_EQ(c.FindAssignment(G("语文"))->doubleCount, 0);
    // a text that starts with the point reads as nothing: no assignment is made
    EXPECT_EQ(c.UpdateAssignmentFromLessonText(G("数学"), ".3"), 0);
    EXPECT_EQ(c.FindAssignment(G("数学")), nullptr);
    // zero removes the assignment, and the last evaluation is dropped whole (candidates and texts alike)
    plan(c, "英语", 4);
    c.EvaluateSlot(c.cells[0][0]);
    ASSERT_EQ(c.candidates.size(), 2u);
    EXPECT_EQ(c.UpdateAssignmentFromLessonText(G("语文"), G("无")), 1);
    ASSERT_EQ(c.assignments.size(), 1u);
    EXPECT_TRUE(c.candidates.empty());
    EXPECT_TRUE(c.candidateTexts.empty());
}

TEST(EvaluateSlot, AHugeLoadOrNoDaysNeverWrapsTheCostAround)
{
    auto ds = smallSchool();
    ds->requirementTexts = {G("各班的语文、数学、英语每天最少上1节")};
    addTeacher(*ds, "张三");
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "语文", 5, G("张三"));
    plan(c, "数学", 5);
    // a lesson count typed as a huge number: the teacher is far behind, so 语文 comes first
    ds->teachers[0]->assignedPeriods = 2147483647;
    ASSERT_EQ(c.EvaluateSlot(c.cells[1][1]), 2);
    EXPECT_EQ(c.candidateTexts[0], G("语文(剩5节)√"));
    EXPECT_EQ(costOf(c, "语文"), -1000000000 - 10);
    // no teaching days: nothing to balance
    ds->teachers[0]->assignedPeriods = 10;
    ds->dayNames.clear();
    c.EvaluateSlot(c.cells[1][0]);
    EXPECT_EQ(costOf(c, "语文"), -10);
    EXPECT_EQ(c.candidateTexts[0], G("语文(剩5节)√"));
}

TEST(EvaluateSlot, FullyPlacedClassHasNoCandidates)
{
    auto ds = smallSchool();
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "语文", 1);
    place(*ds, c, 0, 0, "语文");
    EXPECT_EQ(c.EvaluateSlot(c.cells[1][1]), 0);
    EXPECT_TRUE(c.candidateTexts.empty());
}

TEST(EvaluateSlot, SameDayLessonsCostNinetyOrFive)
{
    auto ds = smallSchool();
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "语文", 5);  // not more than the 5 days
    plan(c, "数学", 7);  // more than the days: a second lesson a day is allowed off a section start
    plan(c, "英语", 9);
    place(*ds, c, 0, 0, "语文");
    place(*ds, c, 1, 0, "数学");
    place(*ds, c, 2, 0, "英语");
    place(*ds, c, 3, 0, "英语");
    c.EvaluateSlot(c.cells[5][0]); // afternoon, not its first period
    EXPECT_EQ(costOf(c, "语文"), 90);
    EXPECT_EQ(costOf(c, "数学"), 5);
    EXPECT_EQ(costOf(c, "英语"), 90); // twice already: still a candidate
    EXPECT_EQ(c.candidates.size(), 3u);
    c.EvaluateSlot(c.cells[4][0]); // first afternoon period
    EXPECT_EQ(costOf(c, "数学"), 90);
}

TEST(EvaluateSlot, MustDoesNotOvercomeADoubleBooking)
{
    auto ds = smallSchool(2);
    addTeacher(*ds, "张三");
    ClassTable& a = *ds->classAt(0, 0);
    ClassTable& b = *ds->classAt(0, 1);
    plan(a, "语文", 5, G("张三"));
    plan(b, "语文", 5, G("张三"));
    place(*ds, b, 2, 1, "语文");
    ClassTable::setCellRule(a.cells[2][1], G("语文"), G("一定排"));
    ASSERT_EQ(a.EvaluateSlot(a.cells[2][1]), 1);
    EXPECT_EQ(costOf(a, "语文"), 100);
    EXPECT_EQ(a.candidateTexts[0], G("语文(剩5节)×(重课)"));
    // the cell fitness of such a lesson forbids it
    a.setCellSubject(a.cells[2][1], G("语文"));
    EXPECT_EQ(a.CellFitness(a.cells[2][1]), -1);
}

TEST(EvaluateSlot, TeacherNeverCanBeBroughtBelowTheExclusionByABonus)
{
    auto ds = smallSchool();
    ds->requirementTexts = {G("各班的语文、数学、英语每天最少上1节")};
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "语文", 5, G("张三"));
    ds->setTeacherSlotValue(1, 0, G("张三"), G("不排"));
    ASSERT_EQ(c.EvaluateSlot(c.cells[1][0]), 1);
    EXPECT_EQ(costOf(c, "语文"), 90);
    EXPECT_EQ(c.candidateTexts[0], G("语文(剩5节)×(本节课不排该教师)"));
    // the subject's own Never is not softened
    ClassTable::setCellRule(c.cells[1][0], G("语文"), G("不排"));
    c.EvaluateSlot(c.cells[1][0]);
    EXPECT_EQ(costOf(c, "语文"), 100);
    EXPECT_EQ(c.candidateTexts[0], G("语文(剩5节)×(本节课不排该教师)")); // the later reason wins
}

TEST(EvaluateSlot, SectionOfTheDayIsFlaggedNotCosted)
{
    auto ds = smallSchool();
    ds->earlyReadingCount = 1;
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "语文", 3);
    plan(c, "早晚练", 3);
    ASSERT_EQ(c.EvaluateSlot(c.cells[0][2]), 2);
    EXPECT_EQ(costOf(c, "语文"), 0);
    EXPECT_EQ(c.candidateTexts[0], G("语文(剩3节)×(时间不匹配)"));
    c.EvaluateSlot(c.cells[3][2]);
    EXPECT_EQ(c.FindAssignment(G("早晚练"))->timeMismatch, 1); // both names: every period mismatches
    c.setCellSubject(c.cells[0][2], G("语文"));
    EXPECT_EQ(c.CellFitness(c.cells[0][2]), -1);
}

TEST(EvaluateSlot, NamesAreFoundWhereACharacterBeginsNotAcrossTwo)
{
    auto ds = smallSchool();
    ds->requirementTexts = {G("各班的语文、数学、英语每天最少上1节")};
    addTeacher(*ds, "张三");
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "性绮", 3, G("张三")); // its bytes D0 D4 E7 B2 hold those of 早 (D4 E7) across its two characters
    plan(c, "和恙", 3);            // BA CD ED A6 hold those of 晚 (CD ED)
    plan(c, "刻", 3);              // BF CC stand across 每 (C3 BF) and 天 (CC EC) in the line
    plan(c, "数学", 3);
    SchedulingState state;
    PlacementEngine engine(*ds, state);
    const auto slots = BuildSlotList(*ds, {&c});
    ASSERT_EQ(slots[1], &c.cells[1][0]);
    engine.Prepare(slots);
    for (int way = 0; way < 2; ++way) { // the class operation, then the engine's evaluation
        if (way == 0)
            c.EvaluateSlot(c.cells[1][0]);
        else
            engine.EvaluateEntry(1, 0);
        EXPECT_EQ(c.FindAssignment(G("性绮"))->timeMismatch, 0) << way;
        EXPECT_EQ(c.FindAssignment(G("和恙"))->timeMismatch, 0) << way;
        EXPECT_EQ(costOf(c, "刻"), 0) << way;
        EXPECT_EQ(costOf(c, "数学"), -10) << way;
    }
    // and the teacher's daytime lessons count such a subject
    ds->syncTeacherAssignments();
    place(*ds, c, 1, 0, "性绮");
    EXPECT_EQ(ds->teachers[0]->TeacherDaytimeLessonsThrough(0), 1);
}

TEST(EvaluateSlot, RequirementLinesGrantTheDailyBonusOnlyWhenTheSubjectIsNotFirst)
{
    auto ds = smallSchool();
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "语文", 4);
    plan(c, "数学", 4);
    plan(c, "体育", 4);
    ds->requirementTexts = {G("语文每天最少上1节"), G("各班的语文、数学、英语每天最少上1节"),
                            G("初一(1)的数学每天最少上1节"), G("初二(1)的体育每天最少上1节")};
    c.EvaluateSlot(c.cells[1][0]);
    EXPECT_EQ(costOf(c, "语文"), -10);
    EXPECT_EQ(costOf(c, "数学"), -20); // two lines apply
    EXPECT_EQ(costOf(c, "体育"), 0);   // another class's line
    place(*ds, c, 0, 0, "数学");
    c.EvaluateSlot(c.cells[2][0]);
    EXPECT_EQ(costOf(c, "数学"), 90); // a lesson that day already: no bonus
}

TEST(EvaluateSlot, SamePeriodOnOtherDaysAddsUpToEightThenNothing)
{
    auto ds = smallSchool();
    ds->dayNames.resize(7, G("星期日"));
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "美术", 20);
    for (int d = 0; d < 4; ++d)
        place(*ds, c, 2, d, "美术");
    c.EvaluateSlot(c.cells[2][5]);
    EXPECT_EQ(costOf(c, "美术"), 8);
    place(*ds, c, 2, 4, "美术");
    c.EvaluateSlot(c.cells[2][5]);
    EXPECT_EQ(costOf(c, "美术"), 0);
}

TEST(EvaluateSlot, DoublePeriodBonusNeedsAFreeDayAndLessonsToSpare)
{
    auto ds = smallSchool();
    ClassTable& c = *ds->classAt(0, 0);
    TeachingAssignment& math = plan(c, "数学", 8);
    plan(c, "语文", 8);
    place(*ds, c, 1, 3, "数学");
    c.EvaluateSlot(c.cells[2][3]);
    EXPECT_EQ(costOf(c, "数学"), 5 - 20); // a second lesson that day (+5), then the bonus
    // never at the first period of a section
    place(*ds, c, 3, 2, "数学");
    c.EvaluateSlot(c.cells[4][2]);
    EXPECT_EQ(costOf(c, "数学"), 90);
    // never on a day that already has a double period, even of two "empty" cells
    c.setCellSubject(c.cells[5][3], "empty");
    c.setCellSubject(c.cells[6][3], "empty");
    c.EvaluateSlot(c.cells[2][3]);
    EXPECT_EQ(costOf(c, "数学"), 5);
    // a used-up quota stops it
    c.setCellSubject(c.cells[5][3], "");
    c.setCellSubject(c.cells[6][3], "");
    math.doubleCount = 1;
    place(*ds, c, 5, 1, "数学");
    place(*ds, c, 6, 1, "数学");
    c.EvaluateSlot(c.cells[2][3]);
    EXPECT_EQ(c.FindAssignment(G("数学"))->placedDoubles, 1);
    EXPECT_EQ(costOf(c, "数学"), 5);
}

TEST(EvaluateSlot, LunchBreakNeighbourAndOrdering)
{
    auto ds = smallSchool(2);
    addTeacher(*ds, "张三");
    ClassTable& a = *ds->classAt(0, 0);
    ClassTable& b = *ds->classAt(0, 1);
    plan(a, "语文", 3, G("张三"));
    plan(a, "音乐", 5);
    plan(a, "体育", 2);
    plan(b, "语文", 3, G("张三"));
    place(*ds, b, 4, 0, "语文"); // first afternoon period
    ClassTable::setCellRule(a.cells[3][0], G("体育"), G("不排"));
    ClassTable::setCellRule(a.cells[3][0], G("音乐"), G("尽量排"));
    ASSERT_EQ(a.EvaluateSlot(a.cells[3][0]), 3); // last morning period
    ASSERT_EQ(a.candidateTexts.size(), 3u);
    EXPECT_EQ(a.candidateTexts[0], G("音乐(剩5节)√"));
    EXPECT_EQ(a.candidateTexts[1], G("语文(剩3节)√(上午最后节与下午第一节冲突,建议不排)"));
    EXPECT_EQ(a.candidateTexts[2], G("体育(剩2节)×(不排本节课)"));
    EXPECT_EQ(costOf(a, "语文"), 2 + 0); // lunch +2; balance: no load, nothing done
}

TEST(EvaluateSlot, DedicatedPersonIsNeverDoubleBooked)
{
    auto ds = smallSchool(2);
    addTeacher(*ds, "专门人");
    ClassTable& a = *ds->classAt(0, 0);
    ClassTable& b = *ds->classAt(0, 1);
    plan(a, "体育", 3, G("专门人"));
    plan(b, "体育", 3, G("专门人"));
    place(*ds, b, 1, 1, "体育");
    a.EvaluateSlot(a.cells[1][1]);
    EXPECT_EQ(a.FindAssignment(G("体育"))->clash, 0);
    EXPECT_EQ(costOf(a, "体育"), 0); // the other class's lesson costs nothing here
}

TEST(SwapHints, MarkedCellsAreNeverSwapped)
{
    auto ds = smallSchool();
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "语文", 5);
    plan(c, "数学", 5);
    place(*ds, c, 0, 0, "语文");
    place(*ds, c, 1, 0, "数学");
    place(*ds, c, 0, 1, "语文");
    c.cells[0][0].markFlag = 1;
    c.MarkSwapTargets(c.cells[0][0]);
    EXPECT_EQ(c.cells[0][0].mark, G("★"));
    for (int p = 0; p < 7; ++p)
        for (int d = 0; d < 5; ++d)
            if (p || d) {
                EXPECT_EQ(c.cells[p][d].mark, G("╳")) << p << "," << d;
            }
    c.cells[0][0].markFlag = 0;
    c.MarkSwapTargets(c.cells[1][0]);
    EXPECT_EQ(c.cells[0][0].mark, G("√"));
    EXPECT_EQ(c.cells[0][1].mark, G("≈")); // 语文 would stand twice on Monday
    EXPECT_EQ(c.cells[2][2].mark, G("√"));
    EXPECT_EQ(c.cells[1][0].subject, G("数学")); // the trial leaves every cell as it was
    EXPECT_EQ(c.cells[0][0].subject, G("语文"));
    c.ClearMarks();
    EXPECT_EQ(c.cells[0][1].mark, "");
}

TEST(SwapHints, TrialKeepsTheTeacherALessonWasWrittenWith)
{
    auto ds = smallSchool();
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "语文", 5, G("张三"));
    plan(c, "数学", 5);
    place(*ds, c, 0, 0, "语文");
    c.FindAssignment(G("语文"))->teacher = G("李四");
    c.MarkSwapTargets(c.cells[2][2]);
    EXPECT_EQ(c.cells[0][0].teacher, G("张三"));
}

TEST(RemainingIfPlaceable, HardRulesOnly)
{
    auto ds = smallSchool();
    addTeacher(*ds, "张三");
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "语文", 5, G("张三"));
    plan(c, "数学", 5, G("路人"));
    place(*ds, c, 0, 0, "语文");
    c.RecountPlaced();
    EXPECT_EQ(c.RemainingIfPlaceable(G("语文"), 1, 0), 4);
    EXPECT_EQ(c.RemainingIfPlaceable(G("语文"), 0, 0), 0);  // taken
    EXPECT_EQ(c.RemainingIfPlaceable(G("数学"), 1, 0), 0);  // teacher without a record
    c.commonPeriods[2][0] = G("自习");
    EXPECT_EQ(c.RemainingIfPlaceable(G("语文"), 2, 0), 0);
    ds->setTeacherSlotValue(3, 0, G("张三"), G("不排"));
    EXPECT_EQ(c.RemainingIfPlaceable(G("语文"), 3, 0), 0);
    ClassTable::setCellRule(c.cells[4][0], G("语文"), G("不排"));
    EXPECT_EQ(c.RemainingIfPlaceable(G("语文"), 4, 0), 0);
    // a count read from a data file and not recounted yet never wraps around
    c.FindAssignment(G("语文"))->placedCount = INT32_MIN;
    EXPECT_EQ(c.RemainingIfPlaceable(G("语文"), 5, 0), INT32_MAX);
}

TEST(Counting, DoublesDoNotCrossSectionBoundaries)
{
    auto ds = smallSchool();
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "数学", 9);
    for (int p = 2; p <= 5; ++p) // periods 2,3 | 4,5 across lunch
        place(*ds, c, p, 0, "数学");
    c.RecountPlaced();
    EXPECT_EQ(c.FindAssignment(G("数学"))->placedCount, 4);
    EXPECT_EQ(c.FindAssignment(G("数学"))->placedDoubles, 2);
    EXPECT_EQ(c.DoublesOnDay(0), 2);
    EXPECT_EQ(c.ProgressBefore(G("数学"), 0, 4), 2);
    EXPECT_EQ(c.ProgressBefore(G("数学"), 1, 0), 4);
    c.ClearAllCells();
    c.RecountPlaced();
    EXPECT_EQ(c.FindAssignment(G("数学"))->placedCount, 0);
}

TEST(CellDisplay, CommonPeriodSubjectAndTeacher)
{
    auto ds = smallSchool();
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "语文", 5, G("欧阳春风"));
    c.setCellSubject(c.cells[0][0], G("语文"));
    CellDisplay both = cellDisplay(c, c.cells[0][0], {true, true, true});
    EXPECT_TRUE(both.split);
    EXPECT_EQ(both.upper, G("语文"));
    EXPECT_EQ(both.lower, G("春风"));
    CellDisplay teacherOnly = cellDisplay(c, c.cells[0][0], {false, true, false});
    EXPECT_FALSE(teacherOnly.split);
    EXPECT_EQ(teacherOnly.upper, G("欧阳春风"));
    c.setCellSubject(c.cells[1][0], "empty");
    EXPECT_EQ(cellDisplay(c, c.cells[1][0], {}).upper, "");
    c.commonPeriods[2][0] = G("自习");
    c.cells[2][0].markFlag = 1;
    CellDisplay common = cellDisplay(c, c.cells[2][0], {});
    EXPECT_EQ(common.upper, G("自习"));
    EXPECT_TRUE(common.markIcon);
    EXPECT_EQ(cellDisplay(c, c.cells[2][0], {false, true, false}).upper, "");
}
