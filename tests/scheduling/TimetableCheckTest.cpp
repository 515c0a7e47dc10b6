// The timetable check: one problem of each kind, the exemptions, the first reason of a forbidden
// lesson, and the order in which problems come.
#include <gtest/gtest.h>

#include <functional>

#include "scheduling/SchedulingFixture.h"
#include "scheduling/TimetableCheck.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

// Two classes of one grade with an early-reading and an evening period (periods: 0 早1节,
// 1-4 morning, 5-7 afternoon, 8 evening), 语文 by 张三 and 早读 / 晚自习 in both, 数学 by 李四.
std::unique_ptr<DataSet> school()
{
    auto ds = smallSchool(2);
    ds->earlyReadingCount = 1;
    ds->eveningCount = 1;
    addTeacher(*ds, "张三");
    addTeacher(*ds, "李四");
    for (int k = 0; k < 2; ++k) {
        ClassTable& c = *ds->classAt(0, k);
        plan(c, "语文", 1, G("张三"));
        plan(c, "数学", 1, G("李四"));
        plan(c, "早读", 1, G("张三"));
        plan(c, "晚自习", 1, G("张三"));
    }
    return ds;
}

std::string summary(const DataSet& ds, const std::vector<TimetableProblem>& problems)
{
    std::string s;
    for (const auto& p : problems) {
        s += U(p.className) + " " + U(problemSlotText(ds, p)) + " " + problemKindName(p.kind) + " " + U(p.subject) +
             " " + U(p.teacher);
        if (p.counted())
            s += " " + std::to_string(p.count);
        s += "; ";
    }
    return s;
}

// Every plan lesson placed where it may stand, in both classes: no problem.
void fillFine(DataSet& ds)
{
    for (int k = 0; k < 2; ++k) {
        ClassTable& c = *ds.classAt(0, k);
        place(ds, c, 0, k, "早读");
        place(ds, c, 1 + k, 0, "语文");
        place(ds, c, 3, k, "数学");
        place(ds, c, 8, k, "晚自习");
    }
}

} // namespace

TEST(TimetableCheck, FindsOneProblemOfEachKindAndHonoursTheExemptions)
{
    struct Case {
        const char* name;
        std::function<void(DataSet&)> edit;
        const char* expected;
    };
    const Case cases[] = {
        {"a complete timetable", [](DataSet&) {}, ""},
        {"an ordinary lesson in early reading",
         [](DataSet& ds) {
             ClassTable& c = *ds.classAt(0, 0);
             place(ds, c, 1, 0, "[空白]");
             place(ds, c, 0, 2, "语文");
         },
         "初一(1) 星期三早1节 section 语文 张三; "},
        {"an early-reading lesson in the evening",
         [](DataSet& ds) {
             ClassTable& c = *ds.classAt(0, 1);
             place(ds, c, 0, 1, "[空白]");
             place(ds, c, 8, 3, "早读");
         },
         "初一(2) 星期四第8节 section 早读 张三; "},
        {"two classes of one teacher in a slot: both lessons",
         [](DataSet& ds) {
             ClassTable& c = *ds.classAt(0, 1);
             place(ds, c, 2, 0, "[空白]");
             place(ds, c, 1, 0, "语文");
         },
         "初一(1) 星期一第1节 teacher-clash 语文 张三; 初一(2) 星期一第1节 teacher-clash 语文 张三; "},
        {"early reading and evening lessons of one teacher are no clash",
         [](DataSet& ds) {
             ClassTable& c = *ds.classAt(0, 1);
             place(ds, c, 0, 1, "[空白]");
             place(ds, c, 0, 0, "早读");
             place(ds, c, 8, 1, "[空白]");
             place(ds, c, 8, 0, "晚自习");
         },
         ""},
        {"专门人 and no teacher are never a clash",
         [](DataSet& ds) {
             for (int k = 0; k < 2; ++k) {
                 ClassTable& c = *ds.classAt(0, k);
                 c.FindAssignment(G("数学"))->teacher = k ? G("专门人") : "";
                 place(ds, c, 3, k, "[空白]");
                 c.cells[4][4].subject = G("数学");
                 c.cells[4][4].teacher = k ? G("专门人") : "";
             }
         },
         ""},
        {"a subject rule and a teacher rule",
         [](DataSet& ds) {
             ClassTable::setCellRule(ds.classAt(0, 0)->cells[3][0], G("数学"), G("不排"));
             ds.setTeacherSlotValue(3, 1, G("李四"), G("不排"));
         },
         "初一(1) 星期一第3节 subject-never 数学 李四; 初一(2) 星期二第3节 teacher-never 数学 李四; "},
        {"a clash comes before a rule",
         [](DataSet& ds) {
             ClassTable& c = *ds.classAt(0, 1);
             place(ds, c, 2, 0, "[空白]");
             place(ds, c, 1, 0, "语文");
             ClassTable::setCellRule(c.cells[1][0], G("语文"), G("不排"));
         },
         "初一(1) 星期一第1节 teacher-clash 语文 张三; 初一(2) 星期一第1节 teacher-clash 语文 张三; "},
        {"a lesson on a common period, forbidden there as well",
         [](DataSet& ds) {
             ClassTable& c = *ds.classAt(0, 0);
             c.commonPeriods[3][0] = G("自习");
             ds.setTeacherSlotValue(3, 0, G("李四"), G("不排"));
         },
         "初一(1) 星期一第3节 teacher-never 数学 李四; 初一(1) 星期一第3节 common-period 数学 李四; "},
        {"more classes than rooms in a slot: the lessons after the limit",
         [](DataSet& ds) {
             ds.subjects[ds.findOrAppendSubject(G("数学"))]->sameSubjectLimit = 1;
             ClassTable& c = *ds.classAt(0, 1);
             c.FindAssignment(G("数学"))->teacher = G("专门人");
             place(ds, c, 3, 1, "[空白]");
             place(ds, c, 3, 0, "数学");
         },
         "初一(2) 星期一第3节 room-limit 数学 专门人; "},
        {"a limit of 0 is no limit",
         [](DataSet& ds) {
             ds.findOrAppendSubject(G("数学"));
             ClassTable& c = *ds.classAt(0, 1);
             c.FindAssignment(G("数学"))->teacher = G("专门人");
             place(ds, c, 3, 1, "[空白]");
             place(ds, c, 3, 0, "数学");
         },
         ""},
        {"一定排 slots that hold another subject or none, one problem per rule; the kept one is none",
         [](DataSet& ds) {
             ClassTable& c = *ds.classAt(0, 0);
             ClassTable::setCellRule(c.cells[3][0], G("语文"), G("一定排"));
             ClassTable::setCellRule(c.cells[3][0], G("美术"), G("一定排"));
             ClassTable::setCellRule(c.cells[5][4], G("数学"), G("一定排"));
             ClassTable::setCellRule(c.cells[1][0], G("语文"), G("一定排"));
             ClassTable::setCellRule(ds.classAt(0, 1)->cells[2][2], G("语文"), G("尽量排"));
         },
         "初一(1) 星期一第3节 subject-must 语文 张三; 初一(1) 星期一第3节 subject-must 美术 ; "
         "初一(1) 星期五第5节 subject-must 数学 李四; "},
        {"over the plan, outside the plan, still to place; empty is no lesson",
         [](DataSet& ds) {
             ClassTable& c = *ds.classAt(0, 0);
             place(ds, c, 4, 4, "语文");
             place(ds, c, 3, 0, "[空白]");
             c.cells[5][4].subject = G("美术");
             c.cells[6][4].subject = "empty";
             ds.classAt(0, 1)->FindAssignment(G("语文"))->weeklyLessons = 3;
         },
         "初一(1)  over-plan 语文 张三 1; 初一(1)  unplaced 数学 李四 1; 初一(1)  over-plan 美术  1; "
         "初一(2)  unplaced 语文 张三 2; "},
    };
    for (const Case& c : cases) {
        auto ds = school();
        fillFine(*ds);
        c.edit(*ds);
        EXPECT_EQ(summary(*ds, CheckTimetable(*ds)), c.expected) << c.name;
    }
}

TEST(TimetableCheck, ComesInClassOrderCellsPeriodMajorThenThePlan)
{
    auto ds = school();
    ClassTable& a = *ds->classAt(0, 0);
    ClassTable& b = *ds->classAt(0, 1);
    // class (2) first in the list given, but problems come in grade and class order
    place(*ds, b, 0, 3, "数学");
    place(*ds, b, 0, 1, "语文");
    place(*ds, a, 8, 0, "数学");
    place(*ds, a, 2, 4, "早读");
    place(*ds, a, 0, 4, "美术");
    place(*ds, a, 0, 0, "音乐");
    EXPECT_EQ(summary(*ds, CheckTimetable(*ds, {&b, &a})),
              "初一(1) 星期一早1节 section 音乐 ; 初一(1) 星期五早1节 section 美术 ; "
              "初一(1) 星期五第2节 section 早读 张三; 初一(1) 星期一第8节 section 数学 李四; "
              "初一(1)  unplaced 语文 张三 1; 初一(1)  unplaced 晚自习 张三 1; "
              "初一(1)  over-plan 音乐  1; 初一(1)  over-plan 美术  1; "
              "初一(2) 星期二早1节 section 语文 张三; 初一(2) 星期四早1节 section 数学 李四; "
              "初一(2)  unplaced 早读 张三 1; 初一(2)  unplaced 晚自习 张三 1; ");
    EXPECT_EQ(CheckTimetable(*ds, {&b}).size(), 4u);
}
