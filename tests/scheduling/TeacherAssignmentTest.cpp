// Teacher data derived from the teaching plans.
#include <gtest/gtest.h>

#include "SchedulingFixture.h"
#include "data/DataTable.h"
#include "scheduling/TeacherAssignment.h"

using namespace tabrel;
using namespace tabrel::test;

TEST(TeacherAssignment, AssignedPeriodsCountDoublePeriodsTwice)
{
    auto ds = smallSchool(3);
    addTeacher(*ds, "张三");
    addTeacher(*ds, "李四");
    ds->teachers[0]->workload = 16;
    plan(*ds->classAt(0, 0), "语文", 5, G("张三"));
    plan(*ds->classAt(0, 1), "语文", 5, G("张三"));
    plan(*ds->classAt(0, 2), "语文", 6, G("张三"));
    ds->classAt(0, 2)->UpdateAssignmentFromLessonText(G("数学"), "4.1");
    ds->classAt(0, 2)->FindAssignment(G("数学"))->teacher = G("张三");
    ComputeAssignedPeriods(*ds);
    EXPECT_EQ(ds->teachers[0]->assignedPeriods, 5 + 5 + 6 + 4 + 2);
    EXPECT_EQ(ds->teachers[1]->assignedPeriods, 0);
}

TEST(TeacherAssignment, LoadTableSumsWeeklyLessonsPerSubjectAndTeacher)
{
    auto ds = smallSchool(3);
    ds->findOrAppendSubject(G("语文"));
    ds->findOrAppendSubject(G("数学"));
    plan(*ds->classAt(0, 0), "语文", 5, G("张三"));
    plan(*ds->classAt(0, 1), "语文", 5, G("张三"));
    plan(*ds->classAt(0, 2), "语文", 4, G("李四"));
    ds->classAt(0, 0)->UpdateAssignmentFromLessonText(G("数学"), "6.2");
    ds->classAt(0, 0)->FindAssignment(G("数学"))->teacher = G("张三");
    plan(*ds->classAt(0, 1), "数学", 6); // no teacher: not listed
    DataTable table;
    table.setRowCount(9);
    BuildTeacherLoadTable(*ds, table);
    ASSERT_EQ(table.rowCount(), 4);
    ASSERT_EQ(table.columnCount(), 3);
    EXPECT_EQ(table.cell(0, 0), G("任教科目"));
    EXPECT_EQ(table.cell(0, 2), G("课时"));
    EXPECT_EQ(table.cell(1, 0) + table.cell(1, 1) + table.cell(1, 2), G("语文张三10"));
    EXPECT_EQ(table.cell(2, 0) + table.cell(2, 1) + table.cell(2, 2), G("语文李四4"));
    EXPECT_EQ(table.cell(3, 0) + table.cell(3, 1) + table.cell(3, 2), G("数学张三6"));
}

TEST(TeacherAssignment, MissingTeachersAreAddedOnceWithTheirFirstSubject)
{
    auto ds = smallSchool(2);
    ds->findOrAppendSubject(G("语文"));
    ds->findOrAppendSubject(G("数学"));
    addTeacher(*ds, "张三");
    plan(*ds->classAt(0, 0), "语文", 5, G("张三"));
    plan(*ds->classAt(0, 1), "语文", 5, G("欧阳春风"));
    plan(*ds->classAt(0, 0), "数学", 5, G("欧阳春风"));
    plan(*ds->classAt(0, 1), "数学", 5, G("王五"));
    EXPECT_EQ(AddMissingTeachers(*ds), 2);
    ASSERT_EQ(ds->teachers.size(), 3u);
    EXPECT_EQ(ds->teachers[1]->name, G("欧阳春风"));
    EXPECT_EQ(ds->teachers[1]->shortName, G("春风"));
    EXPECT_EQ(ds->teachers[1]->taughtSubjects, G("语文"));
    EXPECT_EQ(ds->teachers[2]->name, G("王五"));
    EXPECT_EQ(ds->teachers[2]->shortName, G("王五"));
    EXPECT_EQ(ds->teachers[2]->taughtSubjects, G("数学"));
    EXPECT_EQ(AddMissingTeachers(*ds), 0);
}

TEST(TeacherAssignment, CoursesOfAnUnnamedGradeKeepTheirOwnSubjects)
{
    auto ds = smallSchool(2);
    ds->gradeNames[0] = "";
    addTeacher(*ds, "张三");
    plan(*ds->classAt(0, 0), "语文", 5, G("张三"));
    plan(*ds->classAt(0, 1), "数学", 5, G("张三"));
    EXPECT_EQ(ds->syncTeacherAssignments(), 1);
    const TeacherInfoRecord& t = *ds->teachers[0];
    EXPECT_EQ(t.courseSubject[0], G("语文"));
    ASSERT_EQ(t.courseClasses[0].size(), 1u);
    EXPECT_EQ(t.courseClasses[0][0], ds->classAt(0, 0));
    EXPECT_EQ(t.courseSubject[1], G("数学"));
    ASSERT_EQ(t.courseClasses[1].size(), 1u);
    EXPECT_EQ(t.courseClasses[1][0], ds->classAt(0, 1));
    // the daytime count reads each class under its own subject
    ds->classAt(0, 0)->setCellSubject(ds->classAt(0, 0)->cells[0][0], G("数学"));
    EXPECT_EQ(t.TeacherDaytimeLessonsThrough(4), 0);
    EXPECT_EQ(ds->syncTeacherAssignments(), 0); // nothing new on a second hand-over
}
