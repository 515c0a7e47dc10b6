// tabrel-cli candidates, place, marks and swap, end to end: the order in which faults are found,
// what goes to stdout, and what a change writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "cli/CliRunner.h"
#include "data/DataFile.h"
#include "data/DataSet.h"
#include "support/TestSupport.h"

using namespace tabrel;
using tabrel::test::CliRun;
using tabrel::test::G;
using tabrel::test::runCli;
using tabrel::test::TempDir;

namespace {

// 初一(1), 初一(2): 语文 5 by 张三, 数学 5 by 李四. Class 1 has 语文 on 星期一 第1节, 数学 on 星期二
// 第1节, 自习 on 星期一 第2节 and a marked cell on 星期二 第2节; class 2 has 语文 on 星期一 第3节.
std::string saveSchool(const TempDir& dir)
{
    DataSet ds;
    ds.applyNewDocumentDefaults();
    ds.setGradeCount(1);
    ds.gradeNames[0] = G("初一");
    ds.setClassCount(0, 2);
    ds.renameClasses("(", ")");
    for (const char* name : {"张三", "李四"}) {
        ds.appendTeacher();
        ds.teachers.back()->name = G(name);
    }
    for (int j = 0; j < 2; ++j) {
        ClassTable& c = *ds.classAt(0, j);
        c.UpdateAssignmentFromLessonText(G("语文"), "5");
        c.FindAssignment(G("语文"))->teacher = G("张三");
        c.UpdateAssignmentFromLessonText(G("数学"), "5");
        c.FindAssignment(G("数学"))->teacher = G("李四");
    }
    ClassTable& one = *ds.classAt(0, 0);
    one.setCellSubject(one.cells[0][0], G("语文"));
    one.setCellSubject(one.cells[0][1], G("数学"));
    one.commonPeriods[1][0] = G("自习");
    one.cells[1][1].markFlag = 1;
    ClassTable& two = *ds.classAt(0, 1);
    two.setCellSubject(two.cells[2][0], G("语文"));
    const std::string path = dir.file("school.qtf");
    EXPECT_TRUE(saveDataFile(ds, path).ok());
    return path;
}

} // namespace

TEST(ManualCli, FaultsAreFoundInOrderAndAFailureWritesNothing)
{
    TempDir dir;
    const std::string f = saveSchool(dir), out = dir.file("out.qtf"), missing = dir.file("none.qtf");
    const std::string c1 = "初一(1)";
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* errorHas = "";
    };
    const Case cases[] = {
        {{"candidates", f}, 2},
        {{"candidates", f, "--class", c1, "--teacher", "张三", "--period", "1", "--day", "1"}, 2},
        {{"candidates", f, "--class", c1}, 2},
        {{"candidates", f, "--teacher", "张三", "--period", "1"}, 2},
        {{"candidates", missing, "--class", c1, "--period", "1", "--day", "1", "--subject", "语文"}, 2},
        {{"candidates", missing, "--class", c1, "--period", "1", "--day", "1"}, 1},
        {{"candidates", f, "--class", "初一(9)", "--period", "1x", "--day", "1"}, 4, "初一(9)"},
        {{"candidates", f, "--class", "初一(9)", "--period", "1", "--day", "1"}, 4, "初一(9)"},
        {{"candidates", f, "--teacher", "王五"}, 4, "王五"},
        {{"candidates", f, "--class", c1, "--period", "8", "--day", "1"}, 4},
        {{"candidates", f, "--class", c1, "--period", "1", "--day", "6"}, 4},
        {{"candidates", f, "--class", "\xff", "--period", "1", "--day", "1"}, 1},
        {{"place", f, "--class", c1, "--period", "1", "--day", "1", "--subject", "语文", "--empty", "-o", out}, 2},
        {{"place", f, "--class", c1, "--period", "1", "--day", "1", "--subject", "语文", "--in-class", c1, "-o", out}, 2},
        {{"place", f, "--teacher", "张三", "--period", "1", "--day", "1", "--empty", "--in-class", c1, "-o", out}, 2},
        {{"place", f, "--class", c1, "--period", "1", "--day", "1", "--empty"}, 2},
        {{"place", f, "--class", c1, "--period", "1", "--day", "1", "--empty", "-o", out, "--in-place"}, 2},
        {{"place", f, "--class", "初一(2)", "--period", "1", "--day", "1", "--subject", "语文", "-o", out}, 4, "×(重课)"},
        {{"place", f, "--class", c1, "--period", "2", "--day", "1", "--subject", "语文", "-o", out}, 4},
        {{"place", f, "--class", c1, "--period", "2", "--day", "2", "--empty", "-o", out}, 4},
        {{"place", f, "--class", c1, "--period", "3", "--day", "1", "--empty", "-o", out}, 4},
        {{"place", f, "--class", c1, "--period", "3", "--day", "1", "--subject", "英语", "-o", out}, 4},
        {{"place", f, "--teacher", "张三", "--period", "1", "--day", "1", "--subject", "语文", "-o", out}, 4},
        {{"place", f, "--teacher", "张三", "--period", "1", "--day", "2", "--empty", "-o", out}, 4},
        {{"place", f, "--teacher", "张三", "--period", "3", "--day", "2", "--subject", "语文", "--in-class", "初一(9)", "-o", out}, 4},
        {{"marks", f, "--teacher", "张三", "--period", "1", "--day", "1"}, 2},
        {{"marks", f, "--class", c1, "--period", "2", "--day", "1"}, 4},
        {{"marks", f, "--class", c1, "--period", "2", "--day", "2"}, 4},
        {{"swap", f, "--class", c1, "--period", "1", "--day", "1", "--to-period", "1", "-o", out}, 2},
        {{"swap", f, "--class", c1, "--period", "1", "--day", "1", "--to-period", "1", "--to-day", "1", "-o", out}, 4, "★"},
        {{"swap", f, "--class", c1, "--period", "1", "--day", "1", "--to-period", "2", "--to-day", "2", "-o", out}, 4, "╳"},
        {{"swap", f, "--class", c1, "--period", "1", "--day", "1", "--to-period", "2", "--to-day", "1", "-o", out}, 4, "自习"},
        {{"swap", f, "--class", c1, "--period", "2", "--day", "1", "--to-period", "3", "--to-day", "1", "-o", out}, 4},
        {{"swap", f, "--teacher", "张三", "--period", "1", "--day", "2", "--to-period", "3", "--to-day", "1", "-o", out}, 4},
        {{"swap", f, "--teacher", "张三", "--period", "1", "--day", "1", "--to-period", "2", "--to-day", "1", "-o", out}, 4, "自习"},
    };
    for (const Case& k : cases) {
        std::string shown;
        for (const auto& a : k.args)
            shown += a + " ";
        SCOPED_TRACE(shown);
        const CliRun r = runCli(k.args);
        EXPECT_EQ(r.status, k.status) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find(k.errorHas), std::string::npos) << r.err;
        if (k.status != 2)
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

// Every slot value is a name or label of the school or a number within its grid; anything else names
// no slot (status 4, one line naming the value). Status 2 is only for the option itself.
TEST(ManualCli, SlotValuesNameASlotOrNothing)
{
    TempDir dir;
    const std::string f = saveSchool(dir), out = dir.file("out.qtf");
    struct Case {
        const char* option;
        const char* value;
        int status;
    };
    const Case cases[] = {
        {"--period", "第1节", 0}, {"--period", "7", 0},      {"--period", "007", 0},    {"--day", "星期五", 0},
        {"--day", "5", 0},        {"--day", "01", 0},       {"--to-period", "第7节", 0}, {"--to-day", "2", 0},
        {"--period", "第8节", 4}, {"--period", "8", 4},      {"--period", "0", 4},      {"--period", "+1", 4},
        {"--period", "-1", 4},    {"--period", "1.0", 4},   {"--period", " 1", 4},     {"--period", "", 4},
        {"--period", "１", 4},     {"--period", "早1节", 4},   {"--day", "星期八", 4},     {"--day", "星期六", 4},
        {"--day", "1.0", 4},      {"--day", "6", 4},        {"--day", "0x1", 4},       {"--day", "\xff", 4},
        {"--to-period", "第8节", 4}, {"--to-day", "+1", 4}, {"--to-day", "Monday", 4},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.option) + " [" + k.value + "]");
        std::filesystem::remove(out);
        const bool target = std::string(k.option).rfind("--to-", 0) == 0;
        std::vector<std::string> args = {"candidates", f, "--class", "初一(1)", "--period", "1", "--day", "1"};
        if (target)
            args = {"swap", f, "--class", "初一(1)", "--period", "1", "--day", "1", "--to-period", "5", "--to-day", "3", "-o", out};
        const std::string value = k.value;
        *(std::find(args.begin(), args.end(), k.option) + 1) = value;
        const CliRun r = runCli(args);
        EXPECT_EQ(r.status, k.status) << r.err;
        if (k.status == 4) {
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
            EXPECT_NE(r.err.find(" " + value + " "), std::string::npos) << r.err;
            EXPECT_FALSE(std::filesystem::exists(out));
            EXPECT_TRUE(r.out.empty()) << r.out;
        }
    }
    // The option itself: a missing value, an option of another command.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"candidates", f, "--class", "初一(1)", "--day", "1", "--period"},
          std::vector<std::string>{"candidates", f, "--class", "初一(1)", "--period", "1", "--day", "1", "--to-day", "1"},
          std::vector<std::string>{"marks", f, "--class", "初一(1)", "--period", "1", "--day", "1", "--to-period", "1"}})
        EXPECT_EQ(runCli(args).status, 2) << args.back();
}

// The teacher view's swap: a refused target is named by its mark, then why; 张三's 语文 of 初一(2),
// standing on that class's 教研活动, leaves it for a free slot.
TEST(ManualCli, TeacherSwapsNameTheMarkAndLeaveACommonPeriod)
{
    TempDir dir;
    const std::string f = dir.file("common.qtf"), out = dir.file("out.qtf");
    {
        DataSet ds;
        ASSERT_TRUE(loadDataFile(ds, saveSchool(dir)).ok());
        ClassTable& two = *ds.classAt(0, 1);
        two.commonPeriods[2][0] = G("教研活动");
        two.commonPeriods[4][2] = G("班会");
        two.setCellSubject(two.cells[3][3], G("数学"));
        ASSERT_TRUE(saveDataFile(ds, f).ok());
    }
    struct Case {
        const char* period;
        const char* day;
        const char* errorHas; // nullptr: moved
    };
    const Case cases[] = {
        {"3", "1", "★ ("},
        {"1", "1", "╳ (the teacher already teaches"},
        {"5", "3", "(班会)"},
        {"4", "4", "(数学 would come back onto 教研活动)"},
        {"2", "1", nullptr},
        {"第2节", "星期二", nullptr},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.period) + " " + k.day);
        std::filesystem::remove(out);
        const CliRun r = runCli({"swap", f, "--teacher", "张三", "--period", "3", "--day", "1", "--to-period", k.period,
                                 "--to-day", k.day, "-o", out});
        EXPECT_EQ(r.status, k.errorHas ? 4 : 0) << r.err;
        if (!k.errorHas) {
            DataSet ds;
            ASSERT_TRUE(loadDataFile(ds, out).ok());
            EXPECT_EQ(ds.classAt(0, 1)->cells[2][0].subject, "");
            continue;
        }
        EXPECT_NE(r.err.find(k.errorHas), std::string::npos) << r.err;
        const bool marked = r.err.find("is ╳ (") != std::string::npos || r.err.find("is ≈ (") != std::string::npos ||
                            r.err.find("is √ (") != std::string::npos || r.err.find("is ★ (") != std::string::npos;
        EXPECT_TRUE(marked) << r.err;
    }
}

TEST(ManualCli, WhatTheCommandsPrintAndWrite)
{
    TempDir dir;
    const std::string f = saveSchool(dir), out = dir.file("out.qtf");
    auto cellOf = [&](int klass, int p, int d) {
        DataSet ds;
        EXPECT_TRUE(loadDataFile(ds, out).ok());
        const LessonCell& cell = ds.classAt(0, klass)->cells[p][d];
        return std::make_pair(tabrel::test::U(cell.subject), tabrel::test::U(cell.teacher));
    };
    using Cell = std::pair<std::string, std::string>;

    // Menus: "[空白]" first over a lesson, nothing where the menu does not open, labels and numbers.
    CliRun r = runCli({"candidates", f, "--class", "初一(1)", "--period", "第1节", "--day", "星期一"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("[空白]\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("数学(剩4节)"), std::string::npos) << r.out;
    for (const char* day : {"1", "2"}) { // the common period, the marked cell
        r = runCli({"candidates", f, "--class", "初一(1)", "--period", "2", "--day", day});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "");
    }
    r = runCli({"candidates", f, "--teacher", "张三", "--period", "03", "--day", "星期二"});
    EXPECT_EQ(r.out, "3\t2\t初一(1)语文 [ 剩4节 ]\t初一(2)语文 [ 剩4节 ]\n");
    r = runCli({"candidates", f, "--teacher", "张三"});
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 35);
    EXPECT_NE(r.out.find("1\t1\t初一(2)语文 [ 剩4节 ]\n"), std::string::npos); // where he teaches too
    EXPECT_NE(r.out.find("\n3\t1\t初一(1)语文 [ 剩4节 ]\n"), std::string::npos); // class 2 is taken there

    // The swap hints: one line per period, the days joined by tabs.
    r = runCli({"marks", f, "--class", "初一(1)", "--period", "1", "--day", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 7);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "★\t√\t√\t√\t√");
    // the common period keeps its mark (it is refused as a target all the same), the marked cell is
    // "╳", and so is 第3节 星期一, where 张三 teaches class 2
    EXPECT_NE(r.out.find("\n√\t╳\t√\t√\t√\n╳\t√\t"), std::string::npos) << r.out;

    struct Change {
        std::vector<std::string> args;
        int klass, period, day;
        Cell expected;
    };
    const Change changes[] = {
        {{"place", f, "--class", "初一(1)", "--period", "3", "--day", "1", "--subject", "数学"}, 0, 2, 0, {"数学", "李四"}},
        {{"place", f, "--class", "初一(1)", "--period", "1", "--day", "1", "--subject", "数学"}, 0, 0, 0, {"数学", "李四"}},
        {{"place", f, "--class", "初一(1)", "--period", "1", "--day", "1", "--empty"}, 0, 0, 0, {"", ""}},
        {{"place", f, "--teacher", "张三", "--period", "3", "--day", "2", "--subject", "语文", "--in-class", "初一(2)"}, 1, 2, 1, {"语文", "张三"}},
        {{"place", f, "--teacher", "张三", "--period", "1", "--day", "1", "--empty"}, 0, 0, 0, {"", ""}},
        {{"swap", f, "--class", "初一(1)", "--period", "1", "--day", "1", "--to-period", "4", "--to-day", "5"}, 0, 3, 4, {"语文", "张三"}},
        {{"swap", f, "--teacher", "李四", "--period", "1", "--day", "2", "--to-period", "1", "--to-day", "1"}, 0, 0, 0, {"数学", "李四"}},
    };
    for (const Change& k : changes) {
        SCOPED_TRACE(k.args[2] + " " + k.args[3]);
        std::filesystem::remove(out);
        auto args = k.args;
        args.insert(args.end(), {"-o", out});
        r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(cellOf(k.klass, k.period, k.day), k.expected);
    }
    // The teacher swap moved class 1's 数学 onto 星期一 and 语文 the other way.
    EXPECT_EQ(cellOf(0, 0, 1), (Cell{"语文", "张三"}));
}
