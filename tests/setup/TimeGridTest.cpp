// The time grid: the arrows within their bounds and twelve periods a day, relabelling without
// moving stored rows, the teaching days, and "向后填充" of the period-time dialog.
#include <gtest/gtest.h>

#include <random>

#include "data/DataSet.h"
#include "setup/PeriodTimeTable.h"
#include "setup/TimeGridBox.h"
#include "support/TestSupport.h"

using namespace tabrel;
using test::G;
using test::U;

TEST(TimeGrid, RandomArrowsKeepBoundsAndNeverMoveRows)
{
    std::mt19937 rng(11);
    DataSet ds;
    ds.applyNewDocumentDefaults();
    ds.setGradeCount(1);
    ds.setClassCount(0, 1);
    for (int n = 0; n < TimeSlotCount; ++n)
        ds.periodStarts[n] = "s" + std::to_string(n);
    for (int n = 0; n < MaxPeriodRows; ++n)
        ds.classAt(0, 0)->commonPeriods[n][0] = "r" + std::to_string(n);
    bool sawRefusal = false;
    for (int i = 0; i < 2000; ++i) {
        const auto s = static_cast<DaySection>(rng() % DaySectionCount);
        const int dir = rng() % 2 ? 1 : -1;
        const int before = TimeGridBox::sectionCount(ds, s), total = ds.periodsPerDay();
        const std::string refusal = TimeGridBox::stepRefusal(ds, s, dir);
        const bool changed = TimeGridBox::step(ds, s, dir);
        const int expected = dir > 0 ? (before < TimeGridBox::sectionMaximum(s) && total < 12 ? before + 1 : before)
                                     : std::max(0, before - 1);
        ASSERT_EQ(TimeGridBox::sectionCount(ds, s), expected);
        ASSERT_EQ(changed, expected != before);
        // The box says why only when the day is full and the section itself could grow.
        ASSERT_EQ(!refusal.empty(), dir > 0 && total >= 12 && before < TimeGridBox::sectionMaximum(s));
        sawRefusal |= !refusal.empty();
        ASSERT_LE(ds.periodsPerDay(), 12);
    }
    EXPECT_TRUE(sawRefusal);
    for (int n = 0; n < TimeSlotCount; ++n)
        EXPECT_EQ(ds.periodStarts[n], "s" + std::to_string(n));
    for (int n = 0; n < MaxPeriodRows; ++n)
        EXPECT_EQ(ds.classAt(0, 0)->commonPeriods[n][0], "r" + std::to_string(n));

    // Labels follow the counts: 早1节, 早2节, 第1节 … and without early reading 第1节 from row 0.
    ds.earlyReadingCount = 2;
    ds.morningCount = 4;
    ds.afternoonCount = ds.eveningCount = 0;
    EXPECT_EQ(U(ds.periodLabel(1)) + U(ds.periodLabel(2)) + U(ds.periodLabel(5)), "早2节第1节第4节");
    TimeGridBox::step(ds, DaySection::EarlyReading, -1);
    TimeGridBox::step(ds, DaySection::EarlyReading, -1);
    EXPECT_EQ(U(ds.periodLabel(0)) + U(ds.periodLabel(1)), "第1节第2节");
    EXPECT_EQ(ds.periodStarts[0], "s0");
}

TEST(TimeGrid, TeachingDaysKeepWeekOrder)
{
    DataSet ds;
    ds.applyNewDocumentDefaults();
    auto ticked = TimeGridBox::tickedDays(ds);
    EXPECT_EQ(std::count(ticked.begin(), ticked.end(), true), 5);
    EXPECT_FALSE(TimeGridBox::setTeachingDays(ds, ticked));
    ticked[5] = true;  // 星期六 after 星期五
    ticked[2] = false; // 星期三 out: later columns move up
    EXPECT_TRUE(TimeGridBox::setTeachingDays(ds, ticked));
    std::string days;
    for (const auto& d : ds.dayNames)
        days += U(d);
    EXPECT_EQ(days, "星期一星期二星期四星期五星期六");
    EXPECT_TRUE(TimeGridBox::setTeachingDays(ds, {}));
    EXPECT_EQ(ds.dayCount(), 0);
}

TEST(TimeGrid, FillForward)
{
    struct Case {
        const char* what;
        int early, morning;
        std::vector<int> commonRows; // periods with a common-period row before them
        const char* lesson;
        const char* pause;
        int row, column;
        const char* start; // typed into the cell the fill starts from
        const char* message;
        const char* times; // start-end of every row, joined by " "
    };
    const std::vector<Case> cases = {
        {"8:00 with 40 and 10", 0, 4, {}, "40", "10", 0, 1, "8:00", "", "8:00-8:40 8:50-9:30 9:40-10:20 10:30-11:10"},
        {"a common row starts at the end before it", 0, 3, {1}, "40", "10", 0, 1, "8:00", "",
         "8:00-8:40 8:40-9:20 9:20-10:0 10:10-10:50"},
        {"past 60 minutes and past midnight", 0, 2, {}, "45", "", 0, 1, "23:30", "", "23:30-24:15 24:15-25:0"},
        {"a full-width colon, from an end cell", 1, 2, {}, "40", "5", 0, 2, "7：30", "", "-7：30 7:35-8:15 8:20-9:0"},
        {"the name column", 0, 2, {}, "40", "10", 0, 0, "", "请选择有时间的某个单元格", "- -"},
        {"no colon", 0, 2, {}, "40", "10", 0, 1, "830", "当前时间不符合格式，请参照 8:30 录入", "830- -"},
        {"colon first", 0, 2, {}, "40", "10", 1, 1, ":30", "当前时间不符合格式，请参照 8:30 录入", "- :30-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DataSet ds;
        ds.earlyReadingCount = c.early;
        ds.morningCount = c.morning;
        for (int n : c.commonRows)
            ds.commonRowNames[n] = G("课间操");
        PeriodTimeTable t;
        t.load(ds);
        t.lessonText = c.lesson;
        t.breakText = c.pause;
        if (c.column)
            t.setText(c.row, c.column, G(c.start));
        EXPECT_EQ(U(t.fillForward(c.row, c.column)), c.message);
        std::string times;
        for (const auto& r : t.rows())
            times += (times.empty() ? "" : " ") + U(r.start) + "-" + U(r.end);
        EXPECT_EQ(times, c.times);
    }
}

TEST(TimeGrid, PeriodTimesReachTheirArraysOnOk)
{
    DataSet ds;
    ds.earlyReadingCount = 1;
    ds.morningCount = 3;
    ds.commonRowNames[2] = G("课间操");
    ds.commonRowStarts[2] = "9:00";
    PeriodTimeTable t;
    t.load(ds);
    std::vector<std::string> rows;
    for (const auto& r : t.rows())
        rows.push_back(U(r.name) + "/" + r.key);
    EXPECT_EQ(rows, (std::vector<std::string>{"早1节/c0", "第1节/c1", "课间操/p2", "第2节/c2", "第3节/c3"}));
    EXPECT_EQ(t.text(2, 1), "9:00");
    EXPECT_FALSE(t.setText(0, 0, "x")); // the name column is not typed into
    EXPECT_EQ(t.paste(2, 1, G("9：10\t9:20\n9:30\n\tbad")), 5);
    EXPECT_TRUE(t.apply(ds));
    EXPECT_EQ(ds.commonRowStarts[2] + ds.commonRowEnds[2], "9:109:20");
    EXPECT_EQ(ds.periodStarts[2], "9:30");
    EXPECT_EQ(ds.periodEnds[3], "bad"); // stored as typed
    EXPECT_FALSE(t.apply(ds));
}
