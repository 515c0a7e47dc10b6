// Cell layouts of the seven workbook exports, checked on a recording workbook.
#include <gtest/gtest.h>

#include <memory>

#include "data/DataSet.h"
#include "output/RecordingWorkbook.h"
#include "output/WorkbookExports.h"
#include "support/TestSupport.h"

using namespace tabrel;
using tabrel::test::G;
using tabrel::test::U;

namespace {

const char* const DayNamesUtf8[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};

// A school with one grade per entry of `classesPerGrade`, classes named "<grade>N班".
std::unique_ptr<DataSet> makeSchool(int early, int morning, int afternoon, int evening, int days,
                                    std::vector<std::pair<const char*, int>> classesPerGrade)
{
    auto ds = std::make_unique<DataSet>();
    ds->earlyReadingCount = early;
    ds->morningCount = morning;
    ds->afternoonCount = afternoon;
    ds->eveningCount = evening;
    for (int d = 0; d < days; ++d)
        ds->dayNames.push_back(G(DayNamesUtf8[d]));
    ds->setGradeCount(static_cast<int>(classesPerGrade.size()));
    for (std::size_t g = 0; g < classesPerGrade.size(); ++g) {
        ds->gradeNames[g] = G(classesPerGrade[g].first);
        ds->setClassCount(static_cast<int>(g), classesPerGrade[g].second);
    }
    ds->renameClasses("", G("班"));
    ds->scheduleTitle = G("实验中学课程总表");
    return ds;
}

void place(ClassTable& c, int period, int day, const char* subject, const char* teacher)
{
    c.cells[period][day].subject = G(subject);
    c.cells[period][day].teacher = G(teacher);
}

// Collects every workbook an export saves.
struct Books {
    std::vector<RecordingWorkbook::Saved> saved;
    WorkbookFactory factory()
    {
        return [this] { return std::make_unique<RecordingWorkbook>(&saved); };
    }
};

bool boxedAt(const WorkbookSheet& s, const std::string& first, const std::string& last)
{
    auto r = parseRange(first, last);
    if (!r)
        return false;
    SheetCell tl = s.cell(first), br = s.cell(last);
    return tl.centred && tl.borderTop && tl.borderLeft && br.borderBottom && br.borderRight;
}

bool isTitle(const WorkbookSheet& s, const std::string& first, const std::string& last)
{
    SheetCell c = s.cell(first);
    return s.isMerged(first, last) && c.centred && c.fontName == G("黑体") && c.bold && c.fontSize == 20 &&
           c.colorIndex == 1 && !c.borderTop;
}

} // namespace

TEST(ClassBlocks, FifthOfSevenBlocksThreePerRowStartsAtRow18ColumnI)
{
    auto ds = makeSchool(0, 4, 3, 0, 5, {{"初一", 7}});
    test::TempDir dir;
    Books books;
    auto report = exportAllClasses(*ds, allClassesInOrder(*ds), 3, dir.path(), books.factory());
    ASSERT_TRUE(report.ok());
    ASSERT_EQ(books.saved.size(), 1u);
    EXPECT_EQ(books.saved[0].path, dir.path() / "classFiles" / "allclass.xlsx");
    const WorkbookSheet& s = books.saved[0].sheet;

    EXPECT_TRUE(isTitle(s, "A1", "G1"));
    EXPECT_EQ(U(s.value("A1")), "初一1班课程表");
    EXPECT_EQ(s.rowHeight(1), 30);

    // Block 4: R = (2·7+3)·1 + 1 = 18, C = (5+3)·1 + 1 = 9.
    EXPECT_TRUE(isTitle(s, "I18", "O18"));
    EXPECT_EQ(U(s.value("I18")), "初一5班课程表");
    EXPECT_EQ(s.rowHeight(18), 30);
    EXPECT_TRUE(s.isMerged("I19", "J19"));
    EXPECT_EQ(U(s.value("I19")), "时间");
    EXPECT_EQ(U(s.value("K19")), "星期一");
    EXPECT_EQ(U(s.value("O19")), "星期五");
    EXPECT_TRUE(s.isMerged("I20", "I27"));
    EXPECT_EQ(U(s.value("I20")), "上午");
    EXPECT_TRUE(s.isMerged("I28", "I33"));
    EXPECT_EQ(U(s.value("I28")), "下午");
    // Period numbers run on through the afternoon in class blocks.
    EXPECT_TRUE(s.isMerged("J28", "J29"));
    EXPECT_EQ(s.value("J28"), "5");
    EXPECT_EQ(s.value("J32"), "7");
    EXPECT_TRUE(boxedAt(s, "J32", "J33"));
    for (int r = 19; r <= 33; ++r)
        EXPECT_EQ(s.rowHeight(r), 18) << r;
    EXPECT_EQ(s.columnWidth(9), 5);
    EXPECT_EQ(s.columnWidth(10), 5);
    EXPECT_EQ(s.columnWidth(15), 10);
    // One empty row and one empty column between blocks.
    EXPECT_FALSE(s.rowHeight(17));
    EXPECT_FALSE(s.columnWidth(8));
    EXPECT_EQ(U(s.value("Q1")), "初一3班课程表");
    EXPECT_EQ(books.saved[0].calls.back(), "saveAs " + books.saved[0].path.string());
    EXPECT_EQ(books.saved[0].calls[books.saved[0].calls.size() - 2], "wrapUsedRange");
}

TEST(ClassBlocks, PerFileWorkbookOfOneClass)
{
    auto ds = makeSchool(0, 4, 3, 0, 5, {{"初一", 1}});
    ClassTable& c = *ds->classAt(0, 0);
    place(c, 0, 0, "语文", "张三");
    c.commonPeriods[2][0] = G("自习");
    place(c, 1, 1, "empty", "");
    test::TempDir dir;
    Books books;
    auto report = exportClassFiles(*ds, allClassesInOrder(*ds), dir.path(), books.factory());
    ASSERT_TRUE(report.ok());
    ASSERT_EQ(books.saved.size(), 1u);
    EXPECT_EQ(books.saved[0].path, dir.path() / "classFiles" / "初一1班.xlsx");
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "classFiles"));
    const WorkbookSheet& s = books.saved[0].sheet;

    EXPECT_TRUE(isTitle(s, "A1", "G1"));
    EXPECT_EQ(U(s.value("A1")), "初一1班课程表");
    EXPECT_TRUE(s.isMerged("A3", "B3"));
    EXPECT_EQ(U(s.value("C3")), "星期一");
    EXPECT_TRUE(s.isMerged("A4", "A11"));
    EXPECT_TRUE(s.isMerged("A12", "A17"));
    EXPECT_TRUE(s.isMerged("B4", "B5"));
    EXPECT_EQ(s.value("B16"), "7");
    EXPECT_EQ(U(s.value("C4")), "语文");
    EXPECT_EQ(U(s.value("C5")), "张三");
    EXPECT_TRUE(boxedAt(s, "C4", "C4"));
    // A common period with no lesson: its name, and an empty teacher cell.
    EXPECT_EQ(U(s.value("C8")), "自习");
    EXPECT_EQ(s.value("C9"), "");
    EXPECT_TRUE(boxedAt(s, "C9", "C9"));
    // "empty" is written as an empty cell.
    EXPECT_EQ(s.value("D6"), "");

    EXPECT_EQ(s.rowHeight(1), 28);
    EXPECT_EQ(s.rowHeight(2), 10);
    EXPECT_EQ(s.rowHeight(17), 28);
    EXPECT_FALSE(s.rowHeight(18));
    EXPECT_EQ(s.columnWidth(1), 3);
    EXPECT_EQ(s.columnWidth(2), 3);
    EXPECT_EQ(s.columnWidth(3), 12);
    EXPECT_EQ(s.columnWidth(7), 12);
    EXPECT_FALSE(s.columnWidth(8));
    EXPECT_TRUE(s.cell("G17").wrap);
}

TEST(ClassBlocks, SectionWithoutPeriodsGetsNoLabel)
{
    auto ds = makeSchool(0, 0, 3, 0, 2, {{"初一", 1}});
    RecordingWorkbook wb;
    writeClassBlock(wb, *ds, *ds->classAt(0, 0), 1, 1, BlockForm::PerFile);
    EXPECT_EQ(U(wb.sheet().value("A4")), "下午");
    EXPECT_TRUE(wb.sheet().isMerged("A4", "A9"));
    // Nothing reaches into the header row but "时间".
    ASSERT_TRUE(wb.sheet().mergeAt(CellRef{1, 3}));
    EXPECT_EQ(wb.sheet().mergeAt(CellRef{1, 3})->text(), "A3:B3");
}

TEST(MasterWorkbooks, StyleOneRestartsAfternoonNumberingAndCutsTeachers)
{
    auto ds = makeSchool(0, 4, 3, 0, 5, {{"初一", 2}});
    ClassTable& c1 = *ds->classAt(0, 0);
    ClassTable& c2 = *ds->classAt(0, 1);
    place(c2, 0, 1, "数学", "欧阳明月");
    place(c1, 4, 0, "英语", "王五");
    test::TempDir dir;
    Books books;
    auto report = exportMasterStyle1(*ds, allClassesInOrder(*ds), dir.file("m1.xlsx"), books.factory());
    ASSERT_TRUE(report.ok());
    ASSERT_EQ(books.saved.size(), 1u);
    const WorkbookSheet& s = books.saved[0].sheet;

    // K = D·n + 2 = 12 columns.
    EXPECT_TRUE(isTitle(s, "A1", "L1"));
    EXPECT_EQ(U(s.value("A1")), "实验中学课程总表");
    EXPECT_EQ(s.rowHeight(1), 30);
    EXPECT_TRUE(s.isMerged("A2", "B2"));
    EXPECT_EQ(U(s.value("A2")), "时间");
    EXPECT_TRUE(s.isMerged("C2", "D2"));
    EXPECT_EQ(U(s.value("C2")), "星 期 一");
    EXPECT_TRUE(s.isMerged("K2", "L2"));
    EXPECT_EQ(U(s.value("K2")), "星 期 五");
    EXPECT_EQ(U(s.value("A3")), "班级");
    EXPECT_EQ(U(s.value("C3")), "初一1班");
    EXPECT_EQ(U(s.value("F3")), "初一2班");

    EXPECT_TRUE(s.isMerged("A4", "A11"));
    EXPECT_TRUE(s.isMerged("B10", "B11"));
    EXPECT_EQ(s.value("B10"), "4");
    // Class 2 on day 2, period 1: column d·n + c + 3 = 6.
    EXPECT_EQ(U(s.value("F4")), "数学");
    EXPECT_EQ(U(s.value("F5")), "明月");
    EXPECT_EQ(s.cell("F5").fontSize, 9);
    EXPECT_EQ(s.cell("F4").fontSize, 0);
    EXPECT_EQ(s.rowHeight(4), 28);

    // Separator band, then the afternoon numbered from 1 again.
    EXPECT_TRUE(s.isMerged("A12", "L12"));
    EXPECT_EQ(s.rowHeight(12), 5);
    EXPECT_FALSE(s.cell("A12").borderTop);
    EXPECT_TRUE(s.isMerged("A13", "A18"));
    EXPECT_EQ(U(s.value("A13")), "下午");
    EXPECT_TRUE(s.isMerged("B13", "B14"));
    EXPECT_EQ(s.value("B13"), "1");
    EXPECT_EQ(s.value("B17"), "3");
    EXPECT_EQ(U(s.value("C13")), "英语");
    EXPECT_EQ(U(s.value("C14")), "王五");
    EXPECT_EQ(s.rowHeight(13), 28);
    for (int col = 1; col <= 12; ++col)
        EXPECT_EQ(s.columnWidth(col), 3) << col;
    EXPECT_FALSE(s.columnWidth(13));
}

TEST(MasterWorkbooks, ShortTeacherTextForEvenAndOddLengths)
{
    EXPECT_EQ(U(shortTeacherText(G("欧阳明月"))), "明月"); // 8 bytes: last 4
    EXPECT_EQ(U(shortTeacherText(G("专门人"))), "门人"); // 6 bytes: last 4
    EXPECT_EQ(U(shortTeacherText(G("张三"))), "张三");   // 4 bytes: whole
    EXPECT_EQ(U(shortTeacherText(G("李小A"))), "小A");   // 5 bytes: last 3
    EXPECT_EQ(U(shortTeacherText(G("王A"))), "王A");     // 3 bytes: whole
    EXPECT_EQ(shortTeacherText(""), "");
    // A cut that would start inside a two-byte character starts at the next character instead.
    EXPECT_EQ(U(shortTeacherText(G("A张三"))), "三");  // 5 bytes
    EXPECT_EQ(U(shortTeacherText(G("A张三D"))), "三D"); // 6 bytes
}

TEST(MasterWorkbooks, StyleTwoOneRowPairPerClass)
{
    auto ds = makeSchool(0, 4, 3, 0, 5, {{"初一", 2}});
    place(*ds->classAt(0, 1), 2, 1, "物理", "诸葛孔明");
    Books books;
    test::TempDir dir;
    auto report = exportMasterStyle2(*ds, allClassesInOrder(*ds), dir.file("m2.xlsx"), books.factory());
    ASSERT_TRUE(report.ok());
    const WorkbookSheet& s = books.saved.at(0).sheet;
    // K = D·T + 1 = 36 = AJ.
    EXPECT_TRUE(isTitle(s, "A1", "AJ1"));
    EXPECT_TRUE(s.isMerged("A2", "A3"));
    EXPECT_EQ(U(s.value("A2")), "总课程表");
    EXPECT_TRUE(s.isMerged("B2", "H2"));
    EXPECT_EQ(U(s.value("B2")), "星 期 一");
    EXPECT_TRUE(s.isMerged("I2", "O2"));
    EXPECT_EQ(s.value("H3"), "7");
    EXPECT_EQ(s.value("I3"), "1");
    EXPECT_TRUE(s.isMerged("A6", "A7"));
    EXPECT_EQ(U(s.value("A6")), "初一2班");
    // Day 2, period 3 of the second class: column 7 + 2 + 2 = 11 (K), rows 6 and 7.
    EXPECT_EQ(U(s.value("K6")), "物理");
    EXPECT_EQ(s.cell("K6").fontSize, 11);
    EXPECT_EQ(U(s.value("K7")), "孔明");
    EXPECT_EQ(s.cell("K7").fontSize, 9);
    EXPECT_EQ(s.rowHeight(6), 28);
    EXPECT_EQ(s.columnWidth(36), 3);
}

TEST(MasterWorkbooks, StyleThreePutsFourBlocksInARow)
{
    auto ds = makeSchool(0, 4, 3, 0, 5, {{"初一", 3}, {"初二", 2}});
    Books books;
    test::TempDir dir;
    ASSERT_TRUE(exportMasterStyle3(*ds, allClassesInOrder(*ds), dir.file("m3.xlsx"), books.factory()).ok());
    const WorkbookSheet& s = books.saved.at(0).sheet;
    EXPECT_EQ(U(s.value("Y1")), "初二1班课程表"); // block 3: column (5+3)·3 + 1 = 25
    EXPECT_TRUE(isTitle(s, "A18", "G18"));        // block 4: next row of blocks
    EXPECT_EQ(U(s.value("A18")), "初二2班课程表");
}

TEST(TeacherBlocks, SlotTextJoinsGradeClassNumbersAndSubject)
{
    auto ds = makeSchool(0, 4, 3, 0, 5, {{"初一", 2}});
    ds->appendTeacher();
    ds->teachers[0]->name = G("张三");
    ds->appendTeacher();
    ds->teachers[1]->name = G("李四");
    ds->appendTeacher();
    ds->teachers[2]->name = G("王五");
    place(*ds->classAt(0, 0), 0, 0, "语文", "张三");
    place(*ds->classAt(0, 1), 0, 0, "语文", "张三");
    place(*ds->classAt(0, 1), 6, 4, "数学", "王五");
    ds->relinkTeacherCells();

    test::TempDir dir;
    Books books;
    ASSERT_TRUE(exportTeacherFiles(*ds, dir.path(), books.factory()).ok());
    ASSERT_EQ(books.saved.size(), 3u);
    EXPECT_EQ(books.saved[0].path, dir.path() / "teacherExcelFiles" / "张三.xlsx");
    const WorkbookSheet& s = books.saved[0].sheet;
    EXPECT_TRUE(isTitle(s, "A1", "G1"));
    EXPECT_EQ(U(s.value("A1")), "张三课程表");
    EXPECT_EQ(U(s.value("C4")), "初一1.2语文");
    EXPECT_EQ(s.value("B4"), "1");
    EXPECT_EQ(s.value("B10"), "7");
    EXPECT_TRUE(s.isMerged("A4", "A7"));
    EXPECT_TRUE(s.isMerged("A8", "A10"));
    EXPECT_EQ(s.rowHeight(1), 38);
    EXPECT_EQ(s.rowHeight(2), 10);
    EXPECT_EQ(s.rowHeight(10), 38);
    EXPECT_EQ(s.columnWidth(1), 3);
    EXPECT_EQ(s.columnWidth(3), 20);

    Books all;
    ASSERT_TRUE(exportAllTeachers(*ds, 2, dir.path(), all.factory()).ok());
    EXPECT_EQ(all.saved.at(0).path, dir.path() / "teacherExcelFiles" / "allteacher.xlsx");
    const WorkbookSheet& a = all.saved.at(0).sheet;
    EXPECT_EQ(U(a.value("I1")), "李四课程表"); // C = (5+3)·1 + 1
    EXPECT_TRUE(isTitle(a, "A11", "G11"));     // R = (7+3)·1 + 1
    EXPECT_EQ(U(a.value("G19")), "初一2数学"); // period 7, day 5 of 王五
    EXPECT_EQ(a.rowHeight(11), 30);
    EXPECT_EQ(a.rowHeight(12), 38);
    EXPECT_EQ(a.rowHeight(19), 38);
    EXPECT_EQ(a.columnWidth(9), 5);
    EXPECT_EQ(a.columnWidth(11), 13);
}

TEST(WorkbookExportFailures, WideMasterSheetsAreWrittenAndOnlyPastTheLastColumnRefused)
{
    // 300 classes on 5 days need 1,502 columns: past ZZ, well inside a worksheet.
    auto ds = makeSchool(0, 4, 3, 0, 5, {{"初一", 300}});
    Books books;
    test::TempDir dir;
    ASSERT_TRUE(exportMasterStyle1(*ds, allClassesInOrder(*ds), dir.file("m1.xlsx"), books.factory()).ok());
    const WorkbookSheet& wide = books.saved.at(0).sheet;
    EXPECT_TRUE(wide.isMerged("A1", "BET1"));
    EXPECT_EQ(U(wide.value("BET3")), U(allClassesInOrder(*ds).back()->name));
    EXPECT_EQ(wide.columnWidth(1502), 3);

    // 2,341 classes on 7 days would need 16,389 columns: refused, naming the limit.
    auto huge = makeSchool(0, 4, 3, 0, 7, {{"初一", 2341}});
    Books none;
    auto report = exportMasterStyle1(*huge, allClassesInOrder(*huge), dir.file("m2.xlsx"), none.factory());
    EXPECT_FALSE(report.ok());
    EXPECT_TRUE(none.saved.empty());
    ASSERT_EQ(report.errors.size(), 1u);
    EXPECT_NE(report.errors[0].find("16384"), std::string::npos);
}

TEST(WorkbookExportFailures, EveryFileReportsAMissingSpreadsheetAndAFailedSaveNamesTheFile)
{
    auto ds = makeSchool(0, 4, 3, 0, 5, {{"初一", 2}});
    test::TempDir dir;
    auto none = exportClassFiles(*ds, allClassesInOrder(*ds), dir.path(), [] { return std::unique_ptr<Workbook>(); });
    ASSERT_EQ(none.errors.size(), 2u);
    EXPECT_EQ(none.errors[0], "无法创建Excel应用！");
    EXPECT_EQ(none.filesWritten, 0);

    const std::string target = (dir.path() / "no-such-folder" / "m2.xlsx").string();
    auto failed = exportMasterStyle2(*ds, allClassesInOrder(*ds), target, xlsxWorkbookFactory());
    ASSERT_EQ(failed.errors.size(), 1u);
    EXPECT_NE(failed.errors[0].find(target), std::string::npos) << failed.errors[0];
}

TEST(WorkbookExportFailures, UnsafeNamesStayInsideTheFolder)
{
    EXPECT_EQ(safeFileStem(G("初一/1班")), "初一_1班");
    EXPECT_EQ(safeFileStem(".."), "__");
    EXPECT_EQ(safeFileStem("."), "_");
    EXPECT_EQ(safeFileStem(""), "_");
    EXPECT_EQ(safeFileStem("a\\b"), "a_b");

    auto ds = makeSchool(0, 4, 3, 0, 5, {{"初一", 1}});
    ds->classAt(0, 0)->name = "../../evil";
    test::TempDir dir;
    Books books;
    ASSERT_TRUE(exportClassFiles(*ds, allClassesInOrder(*ds), dir.path(), books.factory()).ok());
    EXPECT_EQ(books.saved.at(0).path, dir.path() / "classFiles" / ".._.._evil.xlsx");
}
