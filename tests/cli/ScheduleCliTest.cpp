// tabrel-cli schedule and report, end to end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sys/wait.h>

#include "data/DataFile.h"
#include "data/DataSet.h"
#include "scheduling/AutoRun.h"
#include "scheduling/TeacherAssignment.h"
#include "cli/CliRunner.h"
#include "support/TestSupport.h"

using namespace tabrel;
using tabrel::test::G;
using tabrel::test::TempDir;

using tabrel::test::CliRun;
using tabrel::test::runCli;

namespace {

// Two grades of two classes; 张三 teaches 语文 in every class, so the grades compete for him.
void buildSchool(DataSet& ds)
{
    ds.applyNewDocumentDefaults();
    ds.setGradeCount(2);
    ds.gradeNames = {G("初一"), G("初二")};
    ds.setClassCount(0, 2);
    ds.setClassCount(1, 2);
    ds.renameClasses("(", ")");
    ds.appendTeacher();
    ds.teachers.back()->name = G("张三");
    for (int g = 0; g < 2; ++g)
        for (int j = 0; j < 2; ++j) {
            ClassTable& c = *ds.classAt(g, j);
            c.UpdateAssignmentFromLessonText(G("语文"), "5");
            c.FindAssignment(G("语文"))->teacher = G("张三");
            c.UpdateAssignmentFromLessonText(G("数学"), "5");
            c.UpdateAssignmentFromLessonText(G("美术"), "30");
        }
    ds.classAt(0, 0)->commonPeriods[0][0] = G("自习");
}

std::string save(const TempDir& dir, const std::string& name)
{
    DataSet ds;
    buildSchool(ds);
    const std::string path = dir.file(name);
    EXPECT_TRUE(saveDataFile(ds, path).ok());
    return path;
}

std::unique_ptr<DataSet> load(const std::string& path)
{
    auto ds = std::make_unique<DataSet>();
    EXPECT_TRUE(loadDataFile(*ds, path).ok());
    return ds;
}

} // namespace

TEST(ScheduleCli, WholeSchoolPrintsEveryClassAndSavesWhatTheEngineMakes)
{
    TempDir dir;
    const std::string in = save(dir, "school.qtf"), out = dir.file("out.qtf");
    const std::string before = test::readFile(in);
    const CliRun r = runCli({"schedule", in, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "初一(1) 34/40\n初一(2) 35/40\n初二(1) 35/40\n初二(2) 35/40\nauto paike end\n");
    EXPECT_EQ(test::readFile(in), before);

    // the same run in this process gives the same timetables
    auto expected = load(in);
    ComputeAssignedPeriods(*expected);
    expected->syncTeacherAssignments();
    SchedulingState state;
    AutoRun run(*expected, state);
    run.SelectSchool();
    run.Start();
    auto saved = load(out);
    for (int g = 0; g < 2; ++g)
        for (int j = 0; j < 2; ++j)
            for (int p = 0; p < 7; ++p)
                for (int d = 0; d < 5; ++d) {
                    EXPECT_EQ(saved->classAt(g, j)->cells[p][d].subject, expected->classAt(g, j)->cells[p][d].subject);
                    EXPECT_EQ(saved->classAt(g, j)->cells[p][d].teacher, expected->classAt(g, j)->cells[p][d].teacher);
                }
}

TEST(ScheduleCli, ClassScopeTouchesOnlyThatClass)
{
    TempDir dir;
    const std::string in = save(dir, "school.qtf");
    const CliRun r = runCli({"schedule", in, "--in-place", "--class", "初二(1)"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "初二(1) 35/40\nauto paike end\n");
    auto ds = load(in);
    EXPECT_EQ(ds->classAt(1, 1)->cells[0][0].subject, "");
    EXPECT_EQ(ds->classAt(0, 0)->cells[1][0].subject, "");
    EXPECT_NE(ds->classAt(1, 0)->cells[0][0].subject, "");

    const CliRun grade = runCli({"schedule", in, "--in-place", "--grade", "初一"});
    ASSERT_EQ(grade.status, 0) << grade.err;
    EXPECT_EQ(grade.out, "初一(1) 34/40\n初一(2) 35/40\nauto paike end\n");
}

TEST(ScheduleCli, BadScopesFilesAndArguments)
{
    TempDir dir;
    const std::string in = save(dir, "school.qtf");
    EXPECT_EQ(runCli({"schedule", in, "--in-place", "--grade", "高三"}).status, 4);
    EXPECT_EQ(runCli({"schedule", in, "--in-place", "--class", "初一"}).status, 4); // a grade, not a class
    EXPECT_EQ(runCli({"schedule", in}).status, 2);
    EXPECT_EQ(runCli({"schedule", in, "--in-place", "-o", dir.file("x.qtf")}).status, 2);
    EXPECT_EQ(runCli({"schedule", in, "--in-place", "--grade", "初一", "--class", "初一(1)"}).status, 2);
    EXPECT_EQ(runCli({"schedule", "--help"}).status, 0);
    const CliRun missing = runCli({"schedule", dir.file("none.qtf"), "--in-place"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.qtf"), std::string::npos);
    std::string bytes = test::readFile(in);
    test::writeFile(dir.file("cut.qtf"), bytes.substr(0, bytes.size() / 2));
    const CliRun damaged = runCli({"schedule", dir.file("cut.qtf"), "-o", dir.file("y.qtf")});
    EXPECT_EQ(damaged.status, 3);
    EXPECT_FALSE(damaged.err.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.file("y.qtf")));
    EXPECT_EQ(runCli({"report", in, "--class", "初三(1)"}).status, 4);
}

TEST(ReportCli, ListsLessonsAndTheHoverLinesOfEveryFreeSlot)
{
    TempDir dir;
    const std::string in = save(dir, "school.qtf");
    const CliRun r = runCli({"report", in, "--class", "初一(1)", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["classes"].size(), 1u);
    const auto& c = j["classes"][0];
    EXPECT_EQ(c["grade"], "初一");
    EXPECT_EQ(c["name"], "初一(1)");
    ASSERT_EQ(c["lessons"].size(), 3u);
    EXPECT_EQ(c["lessons"][0], (nlohmann::json{{"subject", "语文"}, {"teacher", "张三"}, {"weeklyLessons", 5},
                                               {"placed", 0}, {"remaining", 5}}));
    // 34 free ordinary slots, periods outer and days inner; the common period is left out
    ASSERT_EQ(c["freeSlots"].size(), 34u);
    EXPECT_EQ(c["freeSlots"][0]["period"], 0);
    EXPECT_EQ(c["freeSlots"][0]["day"], 1);
    EXPECT_EQ(c["freeSlots"][1]["day"], 2);
    const auto& lines = c["freeSlots"][0]["lines"];
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "===未排情况如下:===");
    EXPECT_EQ(lines[1], "1. 语文(剩5节)√"); // behind on his load, and the daily requirement line
    EXPECT_EQ(lines[3], "3. 美术(剩30节)√");
    EXPECT_EQ(lines[4], "◆按 1--3 安排对应课程◆");

    const CliRun all = runCli({"report", in});
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_NE(all.out.find("初二(2)"), std::string::npos);
    EXPECT_NE(all.out.find("===未排情况如下:==="), std::string::npos);
}
