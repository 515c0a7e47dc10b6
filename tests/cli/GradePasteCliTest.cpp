// tabrel-cli paste grades and class-names end to end: the emptied grid, fields past it dropped,
// the kept timetables of surviving classes, and the refusals that would delete the whole school.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CliRunner.h"
#include "data/DataFile.h"
#include "data/DataSet.h"
#include "support/TestSupport.h"

using namespace tabrel;
using test::CliRun;
using test::G;
using test::runCli;
using test::TempDir;
using test::U;

namespace {
std::string shapeOf(const std::string& qtf)
{
    DataSet ds;
    EXPECT_TRUE(loadDataFile(ds, qtf).ok());
    std::string s;
    for (std::size_t g = 0; g < ds.grades.size(); ++g) {
        s += (g ? "|" : "") + U(ds.gradeNames[g]) + ":";
        for (int c = 0; c < ds.classCount(static_cast<int>(g)); ++c)
            s += (c ? "," : "") + U(ds.classAt(static_cast<int>(g), c)->name) +
                 U(ds.classAt(static_cast<int>(g), c)->commonPeriods[0][0]);
    }
    return s;
}
} // namespace

TEST(GradePasteCli, PastesFillTheEmptiedDialog)
{
    TempDir dir;
    const std::string in = dir.file("in.qtf");
    {
        DataSet ds;
        ds.applyNewDocumentDefaults();
        ds.setGradeCount(1);
        ds.gradeNames[0] = G("旧");
        ds.setClassCount(0, 2);
        ds.renameClasses("(", ")");
        ds.classAt(0, 0)->commonPeriods[0][0] = G("#");
        ASSERT_TRUE(saveDataFile(ds, in).ok());
    }
    struct Case {
        const char* kind;
        const char* text;
        int status;
        const char* shape; // of the written file
    };
    const std::vector<Case> cases = {
        {"grades", "初一\t3\textra\r\n初二\t0\n初三\t1\n\n初四\t2\n", 0, "初一:初一(1)#,初一(2),初一(3)|初三:初三(1)"},
        {"grades", "\xEF\xBB\xBF" "甲\t1", 0, "甲:甲(1)#"},
        {"grades", "甲\t0\n乙\t-2\n", 1, ""},
        {"grades", "", 1, ""},
        {"grades", "甲\t51", 1, ""},
        {"class-names", "A\tB\tC\tD\tE\tF\tG\tH\tI\tJ\tK\nx\n\ty", 0, "A:x#|B:|C:|D:|E:|F:|G:|H:|I:|J:"},
        {"class-names", "甲\t\t丙\n1班\t\t3班\n2班", 0, "甲:1班#,2班"},
        {"class-names", "\t乙\nx\ty", 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.text);
        const std::string text = dir.file("text.txt"), out = dir.file("out.qtf");
        std::filesystem::remove(out);
        test::writeFile(text, c.text);
        const CliRun r = runCli({"paste", in, c.kind, text, "-o", out});
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, "");
        if (c.status != 0) {
            EXPECT_FALSE(std::filesystem::exists(out));
            EXPECT_NE(r.err.find(in), std::string::npos);
            continue;
        }
        EXPECT_EQ(shapeOf(out), c.shape);
    }
    // Options that do not belong to these kinds are usage errors.
    EXPECT_EQ(runCli({"paste", in, "grades", dir.file("text.txt"), "-o", dir.file("o"), "--at", "0,0"}).status, 2);
    EXPECT_EQ(runCli({"paste", in, "class-names", dir.file("text.txt"), "--in-place", "--grade", "x"}).status, 2);
}
