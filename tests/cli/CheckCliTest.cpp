// tabrel-cli check, quality and schedule --complete / --optimize, end to end.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/CliRunner.h"
#include "data/DataFile.h"
#include "data/DataSet.h"
#include "support/TestSupport.h"
#include "support/FilledSchool.h"
#include "support/TightSchool.h"

using namespace tabrel;
using tabrel::test::CliRun;
using tabrel::test::G;
using tabrel::test::runCli;
using tabrel::test::TempDir;

namespace {

// One grade of two classes with an early-reading period; 张三 teaches 语文 in both.
std::string saveSchool(const TempDir& dir)
{
    DataSet ds;
    ds.applyNewDocumentDefaults();
    ds.earlyReadingCount = 1;
    ds.setGradeCount(1);
    ds.gradeNames[0] = G("初一");
    ds.setClassCount(0, 2);
    ds.renameClasses("(", ")");
    ds.appendTeacher();
    ds.teachers.back()->name = G("张三");
    for (int k = 0; k < 2; ++k) {
        ClassTable& c = *ds.classAt(0, k);
        c.UpdateAssignmentFromLessonText(G("语文"), "2");
        c.FindAssignment(G("语文"))->teacher = G("张三");
        c.cells[1][0].subject = G("语文");
        c.cells[1][0].teacher = G("张三");
    }
    ds.classAt(0, 0)->cells[0][2].subject = G("美术");
    ds.classAt(0, 1)->commonPeriods[1][0] = G("自习");
    const std::string path = dir.file("s.qtf");
    EXPECT_TRUE(saveDataFile(ds, path).ok());
    return path;
}

} // namespace

TEST(CheckCli, PrintsEveryProblemAsTextAndJson)
{
    TempDir dir;
    const std::string path = saveSchool(dir);
    const CliRun text = runCli({"check", path});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, "初一(1)\t星期三早1节\tsection\t美术\t\n"
                        "初一(1)\t星期一第1节\tteacher-clash\t语文\t张三\n"
                        "初一(1)\t\tunplaced\t语文\t张三\t1\n"
                        "初一(1)\t\tover-plan\t美术\t\t1\n"
                        "初一(2)\t星期一第1节\tteacher-clash\t语文\t张三\n"
                        "初一(2)\t星期一第1节\tcommon-period\t语文\t张三\n"
                        "初一(2)\t\tunplaced\t语文\t张三\t1\n"
                        "problems: 7\n");
    const CliRun json = runCli({"check", path, "--json"});
    EXPECT_EQ(json.status, 0) << json.err;
    const auto j = nlohmann::json::parse(json.out);
    ASSERT_EQ(j["problems"].size(), 7u);
    EXPECT_EQ(j["count"], 7);
    EXPECT_EQ(j["problems"][0], nlohmann::json::parse(R"J({"kind":"section","class":"初一(1)","period":1,"day":3,"subject":"美术","teacher":""})J"));
    EXPECT_EQ(j["problems"][2], nlohmann::json::parse(R"J({"kind":"unplaced","class":"初一(1)","period":0,"day":0,"subject":"语文","teacher":"张三","count":1})J"));
    EXPECT_EQ(j["problems"][5]["kind"], "common-period");

    for (const auto& [args, status] : std::vector<std::pair<std::vector<std::string>, int>>{
             {{"check"}, 2}, {{"check", path, "--bogus"}, 2}, {{"check", path, path}, 2},
             {{"check", dir.file("missing.qtf")}, 1}, {{"check", "--help"}, 0}}) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.status, status) << args.back();
        if (status != 0) {
            EXPECT_TRUE(r.out.empty()) << args.back();
        }
    }
}

TEST(CheckCli, ScheduleCompleteLeavesNoProblemOnATightSchool)
{
    TempDir dir;
    test::TightSchoolOptions o;
    o.grades = 2;
    o.classesPerGrade = 6;
    o.earlyReading = true;
    auto ds = test::tightSchool(7, o);
    const std::string in = dir.file("tight.qtf"), plain = dir.file("plain.qtf"), done = dir.file("done.qtf");
    ASSERT_TRUE(saveDataFile(*ds, in).ok());
    const CliRun run = runCli({"schedule", in, "-o", plain});
    const CliRun completed = runCli({"schedule", in, "-o", done, "--complete"});
    ASSERT_EQ(completed.status, 0) << completed.err;
    EXPECT_EQ(runCli({"check", done}).out, "problems: 0\n");
    // the same lines as schedule: every class complete now
    std::string expected;
    for (int g = 0; g < 2; ++g)
        for (int k = 1; k <= 6; ++k)
            expected += "高" + std::to_string(g + 1) + "(" + std::to_string(k) + ") 45/45\n";
    EXPECT_EQ(completed.out, expected + "auto paike end\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(runCli({"schedule", in, "-o", done, "--complete", "--bogus"}).status, 2);
}

// schedule --optimize: the lines of schedule, no problem left, no hole, and `quality` (text and JSON)
// says so; the described run, without options, scores worse.
TEST(CheckCli, ScheduleOptimizeAndQuality)
{
    TempDir dir;
    auto ds = test::filledSchool(3, {2, 4, 80});
    const std::string in = dir.file("school.qtf"), plain = dir.file("plain.qtf"), done = dir.file("done.qtf");
    ASSERT_TRUE(saveDataFile(*ds, in).ok());
    const CliRun run = runCli({"schedule", in, "-o", plain});
    const CliRun optimized = runCli({"schedule", in, "-o", done, "--optimize"});
    ASSERT_EQ(optimized.status, 0) << optimized.err;
    // the lines of schedule, every class complete now
    std::string expected;
    for (int g = 1; g <= 2; ++g)
        for (int k = 1; k <= 4; ++k)
            expected += "年级" + std::to_string(g) + "(" + std::to_string(k) + ") 31/31\n";
    EXPECT_EQ(optimized.out, expected + "auto paike end\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(runCli({"check", done}).out, "problems: 0\n");

    const CliRun text = runCli({"quality", done});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("年级1(1)\tlessons "), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("\tholes 0\trepeats 0\tprefer "), std::string::npos) << text.out;
    const auto j = nlohmann::json::parse(runCli({"quality", done, "--json"}).out);
    EXPECT_EQ(j["classes"].size(), 8u);
    EXPECT_EQ(j["classes"][0]["lessonsPerDay"].size(), 5u);
    EXPECT_EQ(j["holes"], 0);
    EXPECT_EQ(j["repeats"], 0);
    EXPECT_EQ(text.out.substr(text.out.rfind("score: ")), "score: " + std::to_string(j["score"].get<long long>()) + "\n");
    const auto described = nlohmann::json::parse(runCli({"quality", plain, "--json"}).out);
    EXPECT_GT(described["score"].get<long long>(), j["score"].get<long long>());

    EXPECT_EQ(runCli({"quality", in, "--bogus"}).status, 2);
    const CliRun help = runCli({"quality", "--help"});
    EXPECT_NE(help.out.find("score (lower is better) = 20 x holes"), std::string::npos) << help.out;
}
