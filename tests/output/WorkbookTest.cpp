// A1 addressing and the sheet model the workbooks share.
#include <gtest/gtest.h>

#include "output/RecordingWorkbook.h"
#include "output/Workbook.h"

using namespace tabrel;

TEST(WorkbookAddress, ColumnLettersFollowTheOneTwoAndThreeLetterRule)
{
    EXPECT_EQ(columnName(1), "A");
    EXPECT_EQ(columnName(26), "Z");
    EXPECT_EQ(columnName(27), "AA");
    EXPECT_EQ(columnName(52), "AZ");
    EXPECT_EQ(columnName(53), "BA");
    EXPECT_EQ(columnName(9), "I");
    EXPECT_EQ(columnName(702), "ZZ");
    EXPECT_EQ(columnName(703), "AAA");
    EXPECT_EQ(columnName(1502), "BET");
    EXPECT_EQ(columnName(16384), "XFD");
    // No name exists outside 1 … 16384, the last column a worksheet holds.
    EXPECT_EQ(columnName(0), "");
    EXPECT_EQ(columnName(16385), "");
    EXPECT_EQ(cellAddress(16385, 1), "");
    EXPECT_EQ(cellAddress(9, 18), "I18");
    EXPECT_EQ(cellAddress(1, 0), "");
}

TEST(WorkbookAddress, ParsingReadsBackEveryColumnName)
{
    for (int col = 1; col <= MaxWorkbookColumns; ++col) {
        auto ref = parseCellAddress(cellAddress(col, 7));
        ASSERT_TRUE(ref) << col;
        EXPECT_EQ(ref->column, col);
        EXPECT_EQ(ref->row, 7);
    }
    EXPECT_FALSE(parseCellAddress("XFE1"));
    EXPECT_FALSE(parseCellAddress("AAAA1"));
    EXPECT_FALSE(parseCellAddress("A0"));
    EXPECT_FALSE(parseCellAddress("A"));
    EXPECT_FALSE(parseCellAddress("12"));
    EXPECT_FALSE(parseCellAddress("A1:B2"));
    auto r = parseRange("C5", "A1");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->text(), "A1:C5");
}

TEST(WorkbookSheet, BorderAroundMarksOnlyTheOuterEdges)
{
    WorkbookSheet s;
    s.merge("B2", "C4");
    s.borderAround("B2", "C4");
    EXPECT_TRUE(s.isMerged("B2", "C4"));
    SheetCell topLeft = s.cell("B2"), middle = s.cell("B3"), bottomRight = s.cell("C4");
    EXPECT_TRUE(topLeft.borderTop && topLeft.borderLeft);
    EXPECT_FALSE(topLeft.borderBottom || topLeft.borderRight);
    EXPECT_TRUE(middle.borderLeft);
    EXPECT_FALSE(middle.borderTop || middle.borderBottom || middle.borderRight);
    EXPECT_TRUE(bottomRight.borderBottom && bottomRight.borderRight);
}

TEST(WorkbookSheet, ValueGoesToTheTopLeftCellAndWrapCoversTheUsedRange)
{
    WorkbookSheet s;
    s.setValue("D3", "B2", "x");
    EXPECT_EQ(s.value("B2"), "x");
    EXPECT_EQ(s.value("D3"), "");
    s.setValue("E5", "E5", "y");
    s.wrapUsedRange();
    ASSERT_TRUE(s.usedRange());
    EXPECT_EQ(s.usedRange()->text(), "B2:E5");
    EXPECT_TRUE(s.cell("C4").wrap); // an empty cell inside the used range
    EXPECT_FALSE(s.cell("A1").wrap);
}

TEST(WorkbookSheet, OverlappingMergesJoinAndSingleCellsStayUnmerged)
{
    WorkbookSheet s;
    s.merge("A1", "A1");
    EXPECT_TRUE(s.merges().empty());
    s.merge("A1", "B2");
    s.merge("B2", "C3");
    ASSERT_EQ(s.merges().size(), 1u);
    EXPECT_EQ(s.merges()[0].text(), "A1:C3");
}

TEST(RecordingWorkbook, RecordsCallsAndReportsAFailedSave)
{
    RecordingWorkbook wb;
    wb.setColumnWidth("C1", "E1", 10);
    wb.setRowHeight(2, 18);
    EXPECT_EQ(wb.sheet().columnWidth(4), 10);
    EXPECT_FALSE(wb.sheet().columnWidth(6));
    EXPECT_EQ(wb.sheet().rowHeight(2), 18);
    wb.failSavesWith("disk full");
    std::string error;
    EXPECT_FALSE(wb.saveAs("/x/y.xlsx", error));
    EXPECT_EQ(error, "disk full");
    EXPECT_EQ(wb.calls().front(), "columnWidth C1:E1 10");
}
