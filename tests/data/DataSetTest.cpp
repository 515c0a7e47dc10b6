#include <gtest/gtest.h>

#include "data/DataSet.h"
#include "data/StoredState.h"
#include "support/TestSupport.h"

using namespace tabrel;
using tabrel::test::G;

TEST(DataSetGrades, GradeCountGrowsAndShrinksWithNamesAndClasses)
{
    DataSet ds;
    EXPECT_EQ(ds.setGradeCount(3), 3);
    ASSERT_EQ(ds.gradeNames.size(), 3u);
    for (const auto& n : ds.gradeNames)
        EXPECT_EQ(n, G("未命名年级"));
    EXPECT_EQ(ds.classCount(0), 0);
    ds.setClassCount(2, 4);
    EXPECT_EQ(ds.setGradeCount(1), 1);
    EXPECT_EQ(ds.grades.size(), 1u);
    EXPECT_EQ(ds.gradeNames.size(), 1u);
    EXPECT_EQ(ds.setGradeCount(-1), 0);
    EXPECT_EQ(ds.grades.size(), 1u);
    EXPECT_EQ(ds.appendGrade(), 2);
}

TEST(DataSetGrades, ClassCountSetsGradeNameAndOrdinalThenRenameNamesThem)
{
    DataSet ds;
    ds.setGradeCount(1);
    ds.gradeNames[0] = G("初一");
    EXPECT_EQ(ds.setClassCount(0, 2), 1);
    ASSERT_EQ(ds.classCount(0), 2);
    EXPECT_EQ(ds.classAt(0, 0)->name, G("未命名"));
    EXPECT_EQ(ds.classAt(0, 1)->gradeName, G("初一"));
    EXPECT_EQ(ds.classAt(0, 0)->ordinal, 1);
    EXPECT_EQ(ds.classAt(0, 1)->ordinal, 2);
    ds.renameClasses("(", ")");
    EXPECT_EQ(ds.classAt(0, 0)->name, G("初一(1)"));
    EXPECT_EQ(ds.classAt(0, 1)->name, G("初一(2)"));

    // appendClass leaves the name, grade name and ordinal at their defaults
    EXPECT_EQ(ds.appendClass(0), 3);
    EXPECT_EQ(ds.classAt(0, 2)->name, G("未命名"));
    EXPECT_TRUE(ds.classAt(0, 2)->gradeName.empty());
    EXPECT_EQ(ds.classAt(0, 2)->ordinal, 0);

    // bad indices change nothing
    EXPECT_EQ(ds.setClassCount(5, 1), 0);
    EXPECT_EQ(ds.setClassCount(0, -1), 0);
    EXPECT_EQ(ds.appendClass(-1), 0);
    EXPECT_EQ(ds.removeClass(0, 3), 0);
    EXPECT_EQ(ds.classAt(0, 3), nullptr);
    EXPECT_EQ(ds.classCount(7), 0);
    EXPECT_EQ(ds.removeGrade(1), 0);
    EXPECT_EQ(ds.classCount(0), 3);
}

TEST(DataSetGrades, CellsKnowTheirClassPeriodAndDay)
{
    DataSet ds;
    ds.setGradeCount(1);
    ds.setClassCount(0, 1);
    ClassTable* c = ds.classAt(0, 0);
    EXPECT_EQ(c->cells[11][6].period, 11);
    EXPECT_EQ(c->cells[11][6].day, 6);
    EXPECT_EQ(c->cells[3][2].classTable, c);
    EXPECT_EQ(c->cellAt(12, 0), nullptr);
    EXPECT_EQ(c->cellAt(0, 7), nullptr);
}

TEST(DataSetTeachers, RemovingAClassLeavesNoLessonOrCoursePointingAtIt)
{
    DataSet ds;
    ds.morningCount = 2;
    ds.dayNames = {G("星期一")};
    ds.setGradeCount(1);
    ds.gradeNames[0] = G("初一");
    ds.setClassCount(0, 2);
    ds.appendTeacher();
    ds.teachers[0]->name = G("张三");
    for (int j = 0; j < 2; ++j) {
        ClassTable* c = ds.classAt(0, j);
        auto* a = c->appendAssignment();
        a->subject = G("语文");
        a->teacher = G("张三");
        c->setCellSubject(c->cells[0][0], G("语文"));
        ds.relinkCell(c->cells[0][0]);
    }
    ds.syncTeacherAssignments();
    TeacherInfoRecord* t = ds.teachers[0].get();
    EXPECT_EQ(t->lessons.size(), 2u);
    EXPECT_EQ(t->slotClassNumbers[0][0], "1.2");
    EXPECT_EQ(t->courseClasses[0].size(), 2u);

    EXPECT_EQ(ds.removeClass(0, 0), 1);
    ASSERT_EQ(t->lessons.size(), 1u);
    EXPECT_EQ(t->lessons[0]->classTable, ds.classAt(0, 0));
    EXPECT_EQ(t->slotClassNumbers[0][0], "2");
    EXPECT_EQ(t->courseClasses[0].size(), 1u);

    ds.setGradeCount(0);
    EXPECT_TRUE(t->lessons.empty());
    EXPECT_TRUE(t->courseClasses[0].empty());
    EXPECT_TRUE(t->slotSubject[0][0].empty());
}

TEST(DataSetRules, TeacherSlotValuesAreKeyedByExactNameBeforeTheFirstDash)
{
    DataSet ds;
    EXPECT_EQ(ds.setTeacherSlotValue(0, 0, G("张三"), G("不排")), 1);
    EXPECT_EQ(ds.setTeacherSlotValue(0, 0, G("张三"), G("不排")), 1);
    ASSERT_EQ(ds.teacherSlotSettings[0][0].size(), 1u);
    EXPECT_EQ(ds.teacherSlotSettings[0][0][0], G("张三-不排"));
    EXPECT_EQ(ds.teacherSlotValue(0, 0, G("李四")), "");
    ds.teacherSlotSettings[0][0].insert(ds.teacherSlotSettings[0][0].begin(), G("张三"));
    EXPECT_EQ(ds.teacherSlotValue(0, 0, G("张三")), G("不排"));
    EXPECT_EQ(ds.setTeacherSlotValue(0, 0, G("张三"), ""), 0);
    EXPECT_EQ(ds.teacherSlotSettings[0][0].size(), 1u); // only the entry without "-" is left
    EXPECT_EQ(ds.setTeacherSlotValue(-1, 0, G("张三"), G("不排")), 0);
    EXPECT_EQ(ds.teacherSlotValue(0, -1, G("张三")), "");
}

TEST(DataSetRules, SlotSummaryNamesDayAndPeriodLabel)
{
    DataSet ds;
    ds.earlyReadingCount = 1;
    ds.morningCount = 4;
    ds.dayNames = {G("星期一"), G("星期二")};
    ds.setTeacherSlotValue(1, 0, G("张三"), G("不排"));
    EXPECT_EQ(ds.teacherSlotSummary(G("张三")), G("星期一第1节（不排）"));
    ds.setTeacherSlotValue(1, 0, G("张三"), "");
    ds.setTeacherSlotValue(0, 0, G("张三"), G("不排"));
    ds.setTeacherSlotValue(2, 1, G("张三"), G("一定排"));
    EXPECT_EQ(ds.teacherSlotSummary(G("张三")), G("星期一早1节（不排）星期二第2节（一定排）"));
    // entries outside the current grid are not summarised
    ds.setTeacherSlotValue(9, 1, G("张三"), G("一定排"));
    EXPECT_EQ(ds.teacherSlotSummary(G("张三")), G("星期一早1节（不排）星期二第2节（一定排）"));
}

TEST(DataSetRules, ReplacementNameTakesTheFirstExactMatch)
{
    DataSet ds;
    EXPECT_EQ(ds.replacementName(G("张三")), G("张三"));
    ds.nameReplacements = {G("无横线"), G("张三-李四"), G("张三-王五")};
    EXPECT_EQ(ds.replacementName(G("张三")), G("李四"));
    EXPECT_EQ(ds.replacementName(G("张三丰")), G("张三丰"));
}

TEST(DataSetRules, CellRulesAndCellSubject)
{
    DataSet ds;
    ds.setGradeCount(1);
    ds.setClassCount(0, 1);
    ClassTable* c = ds.classAt(0, 0);
    auto* a = c->appendAssignment();
    a->subject = G("数学");
    a->teacher = G("李四");
    LessonCell& cell = c->cells[1][2];
    c->setCellSubject(cell, G("数学"));
    EXPECT_EQ(cell.teacher, G("李四"));
    c->setCellSubject(cell, G("[空白]"));
    EXPECT_EQ(cell.subject, "");
    EXPECT_EQ(cell.teacher, "");
    c->setCellSubject(cell, G("美术")); // no assignment: no teacher
    EXPECT_EQ(cell.teacher, "");

    EXPECT_EQ(ClassTable::setCellRule(cell, G("数学"), G("尽量排")), 1);
    EXPECT_EQ(ClassTable::setCellRule(cell, G("数学"), G("不排")), 1);
    EXPECT_EQ(cell.subjectRules.size(), 1u);
    EXPECT_EQ(ClassTable::cellRule(cell, G("数学")), G("不排"));
    EXPECT_EQ(ClassTable::setCellRule(cell, G("数学"), ""), 0);
    EXPECT_TRUE(cell.subjectRules.empty());
}

TEST(DataSetTitle, DefaultTitleFollowsTheTermOfTheDate)
{
    DataSet march;
    march.fillDefaultTitle(2024, 3);
    EXPECT_EQ(march.scheduleTitle, G("XX学校2023-2024学年下学期课程总表"));
    DataSet september;
    september.fillDefaultTitle(2024, 9);
    EXPECT_EQ(september.scheduleTitle, G("XX学校2024-2025学年上学期课程总表"));
    september.fillDefaultTitle(2030, 1); // an existing title stays
    EXPECT_EQ(september.scheduleTitle, G("XX学校2024-2025学年上学期课程总表"));
}

TEST(DataSetTitle, TheSchoolNameTitlesTheMasterTimetableAndUndoTakesItBack)
{
    DataSet ds;
    ds.fillDefaultTitle(2024, 9);
    const std::string before = captureStoredState(ds);
    EXPECT_FALSE(ds.setSchoolName("  "));              // blank: nothing to store
    EXPECT_TRUE(ds.setSchoolName(G(" 实验中学 ")));
    EXPECT_EQ(ds.extension.schoolName, G("实验中学"));
    EXPECT_EQ(ds.scheduleTitle, G("实验中学2024-2025学年上学期课程总表"));
    EXPECT_FALSE(ds.setSchoolName(G("实验中学")));      // the same name: no step
    const std::string named = captureStoredState(ds);

    // Undoing restores the stored state, and the shown name and the title follow it.
    ASSERT_TRUE(restoreStoredState(ds, before));
    EXPECT_EQ(ds.schoolName, G("XX学校"));
    EXPECT_EQ(ds.scheduleTitle, G("XX学校2024-2025学年上学期课程总表"));
    ASSERT_TRUE(restoreStoredState(ds, named));
    EXPECT_EQ(ds.scheduleTitle, G("实验中学2024-2025学年上学期课程总表"));

    // A typed title stays; clearing the name writes the school as before, byte for byte.
    ds.scheduleTitle = G("期中总表");
    EXPECT_TRUE(ds.setSchoolName(""));
    EXPECT_EQ(ds.scheduleTitle, G("期中总表"));
    EXPECT_EQ(ds.schoolName, G("XX学校"));
    EXPECT_EQ(captureStoredState(ds), before);
}

TEST(DataTableOps, CellsOutsideAreEmptyAndSetCellGrows)
{
    DataTable t;
    EXPECT_EQ(t.cell(0, 0), "");
    EXPECT_EQ(t.cell(-1, 5), "");
    t.setCell(2, 3, "x");
    EXPECT_EQ(t.rowCount(), 3);
    EXPECT_EQ(t.columnCount(), 4);
    EXPECT_EQ(t.cell(2, 3), "x");
    t.setColumnCount(2);
    EXPECT_EQ(t.cell(2, 3), "");
    EXPECT_EQ(t.setRowCount(-1), 0);
    EXPECT_EQ(t.rowCount(), 3);
}

TEST(TeacherRecord, CoursesAreLimitedToEightPairsAndDaytimePaceSkipsEarlyLateAndMeeting)
{
    DataSet ds;
    ds.earlyReadingCount = 1;
    ds.morningCount = 2;
    ds.afternoonCount = 1;
    ds.eveningCount = 1;
    ds.dayNames = {G("星期一"), G("星期二")};
    ds.setGradeCount(1);
    ds.gradeNames[0] = G("初一");
    ds.setClassCount(0, 1);
    ClassTable* c = ds.classAt(0, 0);
    ds.appendTeacher();
    TeacherInfoRecord* t = ds.teachers[0].get();
    for (int i = 0; i < 9; ++i)
        t->addCourse(G("初一"), "S" + std::to_string(i), c);
    EXPECT_EQ(t->courseSubject[7], "S7");
    EXPECT_FALSE(t->addCourse(G("初一"), "S8", c));
    EXPECT_FALSE(t->addCourse(G("初一"), "S0", c)); // class already there

    t->clearDerived();
    t->addCourse(G("初一"), G("语文"), c);
    t->addCourse(G("初一"), G("早读"), c);
    t->addCourse(G("初一"), G("班会"), c);
    c->cells[0][0].subject = G("语文");  // early reading period: not daytime
    c->cells[1][0].subject = G("语文");
    c->cells[3][1].subject = G("语文");
    c->cells[4][0].subject = G("语文");  // evening: not daytime
    c->cells[2][0].subject = G("早读");
    c->cells[2][1].subject = G("班会");
    EXPECT_EQ(t->TeacherDaytimeLessonsThrough(0), 1);
    EXPECT_EQ(t->TeacherDaytimeLessonsThrough(1), 2);
    EXPECT_EQ(t->TeacherDaytimeLessonsThrough(6), 2);
}

