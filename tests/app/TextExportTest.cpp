// The occupied-slot list of "paikeInfo.txt".
#include <gtest/gtest.h>

#include "app/TextExport.h"
#include "data/DataSet.h"
#include "support/TestSupport.h"

using namespace tabrel;
using tabrel::test::G;

namespace {

std::unique_ptr<DataSet> twoDaySchool(int early)
{
    auto ds = std::make_unique<DataSet>();
    ds->earlyReadingCount = early;
    ds->morningCount = 2;
    ds->afternoonCount = 1;
    ds->dayNames = {G("星期一"), G("星期二")};
    ds->setGradeCount(2);
    ds->gradeNames = {G("初一"), G("初二")};
    ds->setClassCount(0, 2);
    ds->setClassCount(1, 1);
    ds->renameClasses("", G("班"));
    return ds;
}

} // namespace

TEST(TextExport, LinesInGradeClassDayPeriodOrderByteForByte)
{
    auto ds = twoDaySchool(0);
    ClassTable& a = *ds->classAt(0, 0);
    ClassTable& b = *ds->classAt(0, 1);
    ClassTable& c = *ds->classAt(1, 0);
    a.cells[1][1].subject = G("数学");
    a.cells[1][1].teacher = G("李四");
    a.cells[0][1].subject = G("语文");
    a.cells[0][1].teacher = G("张三");
    a.commonPeriods[2][0] = G("自习");                        // common period, no lesson
    b.commonPeriods[0][0] = G("劳动");                        // common period over a lesson:
    b.cells[0][0].subject = G("英语");                        // the name wins, the teacher stays
    b.cells[0][0].teacher = G("王五");
    b.cells[1][0].subject = "empty";                          // marked by the automatic run: a line
    c.cells[2][1].subject = G("体育");                        // no teacher
    const std::string expected = G("初一\t初一1班\t星期一\t3\t自习\t\n"
                                   "初一\t初一1班\t星期二\t1\t语文\t张三\n"
                                   "初一\t初一1班\t星期二\t2\t数学\t李四\n"
                                   "初一\t初一2班\t星期一\t1\t劳动\t王五\n"
                                   "初一\t初一2班\t星期一\t2\tempty\t\n"
                                   "初二\t初二1班\t星期二\t3\t体育\t\n");
    EXPECT_EQ(scheduleTextLines(*ds), expected);

    test::TempDir dir;
    ASSERT_EQ(exportScheduleText(*ds, dir.path()), 1);
    EXPECT_EQ(test::readFile(dir.path() / "paikeInfo.txt"), expected);
    // Writing again replaces the file.
    a.cells[0][1].subject.clear();
    ASSERT_EQ(exportScheduleText(*ds, dir.path()), 1);
    EXPECT_EQ(test::readFile(dir.path() / "paikeInfo.txt").find(G("语文")), std::string::npos);
}

TEST(TextExport, PeriodNumbersCountEarlyReadingPeriods)
{
    auto ds = twoDaySchool(1);
    ds->classAt(0, 0)->cells[1][1].subject = G("语文"); // first morning period of 星期二
    EXPECT_EQ(scheduleTextLines(*ds), G("初一\t初一1班\t星期二\t2\t语文\t\n"));
}

TEST(TextExport, EmptyScheduleGivesAnEmptyFileAndAMissingFolderFails)
{
    auto ds = twoDaySchool(0);
    test::TempDir dir;
    ASSERT_EQ(exportScheduleText(*ds, dir.path()), 1);
    EXPECT_EQ(test::readFile(dir.path() / "paikeInfo.txt"), "");
    EXPECT_EQ(exportScheduleText(*ds, dir.path() / "missing"), 0);
    EXPECT_EQ(textExportFailedMessage(), "创建文件失败!");
}
