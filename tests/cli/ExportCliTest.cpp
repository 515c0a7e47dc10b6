// tabrel-cli export and merge, run end to end: files and folders written, option checks, and the
// status of every refusal.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

#include "data/DataFile.h"
#include "data/DataSet.h"
#include "cli/CliRunner.h"
#include "support/TestSupport.h"

using namespace tabrel;
using tabrel::test::G;
using tabrel::test::readFile;
using tabrel::test::TempDir;
using tabrel::test::U;
namespace fs = std::filesystem;

using tabrel::test::CliRun;
using tabrel::test::runCli;

namespace {

// A school of `grades` grades of two classes each, saved to `path`.
void saveSchool(const std::string& path, std::vector<const char*> grades, int days = 5)
{
    DataSet ds;
    ds.morningCount = 4;
    ds.afternoonCount = 3;
    const char* names[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
    for (int d = 0; d < days; ++d)
        ds.dayNames.push_back(G(names[d]));
    ds.setGradeCount(static_cast<int>(grades.size()));
    for (std::size_t g = 0; g < grades.size(); ++g) {
        ds.gradeNames[g] = G(grades[g]);
        ds.setClassCount(static_cast<int>(g), 2);
    }
    ds.renameClasses("", G("班"));
    ds.appendTeacher();
    ds.teachers[0]->name = G("张三");
    if (!grades.empty()) {
        ds.classAt(0, 0)->cells[0][0].subject = G("语文");
        ds.classAt(0, 0)->cells[0][0].teacher = G("张三");
    }
    ASSERT_TRUE(saveDataFile(ds, path).ok());
}

} // namespace

TEST(ExportCli, WritesEveryWorkbookAndTheTextIntoTheirFolders)
{
    TempDir dir;
    saveSchool(dir.file("s.qtf"), {"初一"});
    const fs::path out = dir.path() / "new" / "out";
    CliRun r = runCli({"export", dir.file("s.qtf"), "--out", out.string(), "class-xlsx", "all-classes-xlsx", "teacher-xlsx",
                 "all-teachers-xlsx", "master1-xlsx", "master2-xlsx", "master3-xlsx", "text"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* f : {"classFiles/初一1班.xlsx", "classFiles/初一2班.xlsx", "classFiles/allclass.xlsx",
                          "teacherExcelFiles/张三.xlsx", "teacherExcelFiles/allteacher.xlsx", "master-style1.xlsx",
                          "master-style2.xlsx", "master-style3.xlsx"}) {
        EXPECT_TRUE(fs::is_regular_file(out / fs::u8path(f))) << f;
        EXPECT_EQ(readFile(out / fs::u8path(f)).substr(0, 2), "PK") << f; // a zip package
    }
    EXPECT_EQ(readFile(out / "paikeInfo.txt"), G("初一\t初一1班\t星期一\t1\t语文\t张三\n"));
    EXPECT_FALSE(fs::exists(out / "teacher")); // no pictures asked for
}

TEST(ExportCli, KindsAndOptionsAreChecked)
{
    TempDir dir;
    saveSchool(dir.file("s.qtf"), {"初一"});
    const std::string out = dir.file("out");
    EXPECT_EQ(runCli({"export", dir.file("s.qtf"), "--out", out, "pdf"}).status, 2);
    EXPECT_EQ(runCli({"export", dir.file("s.qtf"), "--out", out}).status, 2);
    EXPECT_EQ(runCli({"export", dir.file("s.qtf"), "text"}).status, 2);
    EXPECT_EQ(runCli({"export", dir.file("s.qtf"), "--out", out, "--tables-per-row", "0", "text"}).status, 2);
    EXPECT_EQ(runCli({"export", dir.file("s.qtf"), "--out", out, "--teacher-tables-per-row", "16", "text"}).status, 2);
    EXPECT_EQ(runCli({"export", dir.file("s.qtf"), "--out", out, "--name-style", "nick", "text"}).status, 2);
    EXPECT_EQ(runCli({"export", dir.file("s.qtf"), "--out", out, "--bmp-depth", "8", "text"}).status, 2);
    EXPECT_EQ(runCli({"export", dir.file("s.qtf"), "--out", out, "--title", "\xed\x9f\xbf\xff", "text"}).status, 1);
    EXPECT_FALSE(fs::exists(out));
    CliRun help = runCli({"export", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("all-teachers-xlsx"), std::string::npos);
}

TEST(ExportCli, UnreadableAndDamagedFiles)
{
    TempDir dir;
    CliRun missing = runCli({"export", dir.file("none.qtf"), "--out", dir.file("out"), "text"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.qtf"), std::string::npos);
    test::writeFile(dir.path() / "bad.qtf", std::string("\x05\x00\x00\x00", 4));
    EXPECT_EQ(runCli({"export", dir.file("bad.qtf"), "--out", dir.file("out"), "text"}).status, 3);
}

TEST(MergeCli, MergesRefusesAndReports)
{
    TempDir dir;
    saveSchool(dir.file("a.qtf"), {"初一", "初二", "初三"});
    saveSchool(dir.file("b.qtf"), {"七", "八"});
    CliRun r = runCli({"merge", dir.file("a.qtf"), dir.file("b.qtf"), "-o", dir.file("ab.qtf")});
    ASSERT_EQ(r.status, 0) << r.err;
    DataSet merged;
    ASSERT_TRUE(loadDataFile(merged, dir.file("ab.qtf")).ok());
    ASSERT_EQ(merged.gradeNames.size(), 5u);
    EXPECT_EQ(U(merged.gradeNames[4]), "八");
    ASSERT_EQ(merged.teachers.size(), 1u);           // 张三 exists in both
    EXPECT_EQ(merged.teachers[0]->lessons.size(), 2u); // his lesson in 初一1班 and in 七1班

    saveSchool(dir.file("six.qtf"), {"高一"}, 6);
    CliRun grid = runCli({"merge", dir.file("a.qtf"), dir.file("six.qtf"), "-o", dir.file("x.qtf")});
    EXPECT_EQ(grid.status, 4);
    EXPECT_FALSE(grid.err.empty());
    EXPECT_FALSE(fs::exists(dir.file("x.qtf")));

    saveSchool(dir.file("ten.qtf"), {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    EXPECT_EQ(runCli({"merge", dir.file("a.qtf"), dir.file("ten.qtf"), "-o", dir.file("x.qtf")}).status, 4);
    EXPECT_FALSE(fs::exists(dir.file("x.qtf")));

    EXPECT_EQ(runCli({"merge", dir.file("a.qtf"), dir.file("none.qtf"), "-o", dir.file("x.qtf")}).status, 1);
    EXPECT_EQ(runCli({"merge", dir.file("a.qtf"), dir.file("b.qtf")}).status, 2);
}
