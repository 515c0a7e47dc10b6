// tabrel-cli copy and paste of teachers and assignments, copy teacher-load, add-teachers and
// copy-rules --teacher, end to end on a small hand-written school: what they print, what they
// save, and the status of every fault in the order faults are found.
#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "cli/JsonSchedule.h"
#include "support/TestSupport.h"

using namespace tabrel;
using namespace tabrel::cli;
using tabrel::test::CliRun;
using tabrel::test::runCli;
using tabrel::test::TempDir;
using tabrel::test::writeFile;

namespace {

// 初一 with two classes, 语文 (both classes) and 美术 (no lessons), two teachers with rules.
const char* const SchoolJson = R"J({
  "morningCount": 4, "afternoonCount": 3, "dayNames": ["星期一","星期二","星期三","星期四","星期五"],
  "grades": [{"name": "初一", "classes": [
     {"name": "初一(1)", "assignments": [{"subject": "语文", "teacher": "张三", "weeklyLessons": 5, "doubleCount": 1, "placedCount": 0}]},
     {"name": "初一(2)", "assignments": [{"subject": "语文", "teacher": "", "weeklyLessons": 4, "doubleCount": 0, "placedCount": 0}]}]}],
  "subjects": [{"name": "语文"}, {"name": "美术"}],
  "teachers": [{"name": "张三", "shortName": "张三", "taughtSubjects": "语文", "workload": 16, "remark": "", "ruleSummary": "星期一第1节（不排）"},
               {"name": "李四", "shortName": "", "taughtSubjects": "", "workload": 0, "remark": "", "ruleSummary": ""}],
  "teacherSlotSettings": [[["张三-不排"], ["李四-一定排"]]]
})J";

struct School {
    TempDir dir;
    std::string qtf = dir.file("school.qtf");
    School()
    {
        writeFile(dir.path() / "school.json", SchoolJson);
        const CliRun r = runCli({"build", dir.file("school.json"), "-o", qtf});
        EXPECT_EQ(r.status, 0) << r.err;
    }
    std::string text(const std::string& name, const std::string& utf8)
    {
        writeFile(dir.path() / name, utf8);
        return dir.file(name);
    }
    Json dump(const std::string& path)
    {
        const CliRun r = runCli({"dump", path});
        EXPECT_EQ(r.status, 0) << r.err;
        return Json::parse(r.out);
    }
};

} // namespace

TEST(TeacherCli, CopiesPrintTheClipboardTexts)
{
    School s;
    struct Case {
        const char* kind;
        const char* out;
    } cases[] = {
        {"teachers", "序号\t教师名称\t简称\t任教学科\t工作量\t备注\t尽量排，一定排，不排\n"
                     "1\t张三\t张三\t语文\t16\t\t星期一第1节（不排）\n2\t李四\t\t\t\t\t\n"},
        {"assignments", "班级\t语文\t美术\n初一(1)\t张三\t \n初一(2)\t \t \n"},
        {"teacher-load", "任教科目\t教师\t课时\n语文\t张三\t5\n"},
    };
    for (const Case& c : cases) {
        const CliRun r = runCli({"copy", s.qtf, c.kind});
        EXPECT_EQ(r.status, 0) << c.kind << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.kind;
    }
    EXPECT_EQ(runCli({"copy", s.qtf, "teachers", "--grade", "初一"}).status, 2);
}

TEST(TeacherCli, PastesWriteWhatThePagesWriteAndRefuseWhatTheyCannotSelect)
{
    School s;
    const std::string out = s.dir.file("out.qtf");
    const std::string names = s.text("names.txt", "王五\t五\r\n\n赵六\n");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* err; // start of stderr ("" for none)
    } cases[] = {
        {{"teachers", names, "-o", out, "--at", "2,1"}, 4, "school.qtf: "},
        {{"teachers", names, "-o", out, "--at", "0,7"}, 4, "school.qtf: "},
        {{"teachers", names, "-o", out, "--at", "-1,1"}, 4, "school.qtf: "},
        {{"teachers", names, "-o", out, "--at", "1x2"}, 2, "tabrel-cli paste: "},
        {{"teachers", names, "-o", out, "--grade", "初一"}, 2, "tabrel-cli paste: "},
        {{"teachers", names}, 2, "tabrel-cli paste: "},
        {{"teachers", s.dir.file("missing.txt"), "-o", out}, 1, ""},
        {{"assignments", names, "-o", out, "--at", "2,0"}, 4, "school.qtf: "},
        {{"assignments", names, "-o", out, "--at", "0,2"}, 4, "school.qtf: "},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"paste", s.qtf};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun r = runCli(args);
        EXPECT_EQ(r.status, c.status) << c.args[0] << " " << c.args.back() << ": " << r.err;
        const std::string start = std::string(c.err) == "school.qtf: " ? s.qtf + ": " : c.err;
        EXPECT_EQ(r.err.rfind(start, 0), 0u) << r.err;
        if (c.status != 2) {
            EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line";
        }
        EXPECT_FALSE(std::filesystem::exists(out)) << "a failed paste writes nothing";
    }

    ASSERT_EQ(runCli({"paste", s.qtf, "teachers", names, "-o", out, "--at", "1,1"}).status, 0);
    Json t = s.dump(out)["teachers"];
    ASSERT_EQ(t.size(), 4u) << "rows past the end are appended";
    EXPECT_EQ(t[1]["name"], "王五");
    EXPECT_EQ(t[1]["shortName"], "五");
    EXPECT_EQ(t[2]["name"], "") << "the empty line clears the start column";
    EXPECT_EQ(t[3]["name"], "赵六");
    // Column 6 changes nothing.
    ASSERT_EQ(runCli({"paste", s.qtf, "teachers", names, "-o", out, "--at", "0,6"}).status, 0);
    EXPECT_EQ(s.dump(out)["teachers"], s.dump(s.qtf)["teachers"]);

    // A school without teachers: row 0 is selectable and the paste appends from it.
    const std::string empty = s.dir.file("empty.qtf");
    ASSERT_EQ(runCli({"new", empty}).status, 0);
    ASSERT_EQ(runCli({"paste", empty, "teachers", names, "--in-place"}).status, 0);
    EXPECT_EQ(s.dump(empty)["teachers"].size(), 3u);

    // The assignment block: a name without a record, then add-teachers creates it.
    const std::string block = s.text("block.txt", "\t美术老师\n钱七\n");
    ASSERT_EQ(runCli({"paste", s.qtf, "assignments", block, "-o", out}).status, 0);
    Json g = s.dump(out)["grades"][0]["classes"];
    EXPECT_EQ(g[0]["assignments"][0]["teacher"], "");
    EXPECT_EQ(g[1]["assignments"][0]["teacher"], "钱七");
    const CliRun add = runCli({"add-teachers", out, "--in-place"});
    ASSERT_EQ(add.status, 0) << add.err;
    EXPECT_EQ(add.out, "");
    t = s.dump(out)["teachers"];
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[2]["name"], "钱七");
    EXPECT_EQ(t[2]["taughtSubjects"], "语文");
    EXPECT_EQ(runCli({"add-teachers", out}).status, 2);
    EXPECT_EQ(runCli({"add-teachers", s.dir.file("none.qtf"), "--in-place"}).status, 1);
}

TEST(TeacherCli, CopyRulesCarriesTheSettingsLines)
{
    School s;
    const std::string out = s.dir.file("out.qtf");
    struct Case {
        std::vector<std::string> args;
        int status;
    } faults[] = {
        {{"--teacher", "张三", "-o", out}, 2},
        {{"--teacher", "张三", "--to", "李四"}, 2},
        {{"--teacher", "张三", "--subject", "语文", "--to", "李四", "-o", out}, 2},
        {{"--teacher", "王五", "--to", "李四", "-o", s.dir.file("none/x.qtf")}, 4},
        {{"--teacher", "张三", "--to", "王五", "-o", out}, 4},
    };
    for (const Case& c : faults) {
        std::vector<std::string> args{"copy-rules", s.qtf};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(runCli(args).status, c.status) << c.args[1];
    }
    EXPECT_EQ(runCli({"copy-rules", s.dir.file("none.qtf"), "--teacher", "张三", "--to", "王五", "-o", out}).status, 1)
        << "files before names";

    const CliRun r = runCli({"copy-rules", s.qtf, "--teacher", "张三", "--to", "李四", "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const Json j = s.dump(out);
    EXPECT_EQ(j["teachers"][1]["ruleSummary"], "星期一第1节（不排）");
    // 李四's own rule on 星期二 is gone: the source has none there.
    EXPECT_EQ(j["teacherSlotSettings"][0][0], Json::parse(R"(["张三-不排", "李四-不排"])"));
    EXPECT_EQ(j["teacherSlotSettings"][0][1], Json::array());
}
