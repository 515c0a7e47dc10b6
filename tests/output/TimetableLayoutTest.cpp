#include <gtest/gtest.h>

#include "output/DrawnTable.h"
#include "output/RecordingCanvas.h"
#include "output/TimetableFixtures.h"
#include "output/TimetableLayout.h"

using namespace tabrel;
using namespace tabrel::test;
using Kind = RecordingCanvas::Kind;

// Five new-document tables: 403 x 325, so a table row is 365 high and a column 433 wide.
TEST(TimetableLayout, FiveClassTablesOneAndThreePerRow)
{
    auto ds = newDocumentSchool(5);
    ClassTablePanel panel(ds.get());
    panel.RebuildClassList();

    ASSERT_TRUE(panel.SetTablesPerRow(3));
    const TablePosition three[] = {{30, 40}, {463, 40}, {896, 40}, {30, 405}, {463, 405}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(panel.views[i].originX, three[i].x) << i;
        EXPECT_EQ(panel.views[i].originY, three[i].y) << i;
    }
    EXPECT_EQ(panel.contentWidth, 3 * 433 + 30);
    EXPECT_EQ(panel.contentHeight, 2 * 365 + 40);
    EXPECT_EQ(panel.pictureHeight(), 2 * 365 + 140);

    ASSERT_TRUE(panel.SetTablesPerRow(1));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(panel.views[i].originX, 30);
        EXPECT_EQ(panel.views[i].originY, 40 + 365 * i);
    }
    EXPECT_EQ(panel.contentWidth, 463);
    EXPECT_EQ(panel.contentHeight, 5 * 365 + 40);
}

TEST(TimetableLayout, SevenTablesFourPerRowMakeTwoRows)
{
    auto ds = newDocumentSchool(7);
    ClassTablePanel panel(ds.get());
    panel.RebuildClassList();
    EXPECT_EQ(panel.tablesPerRow, 4);
    EXPECT_EQ(panel.LayoutTables(), "");
    EXPECT_EQ(panel.contentHeight, 2 * (325 + 40) + 40);
    EXPECT_EQ(panel.views[3].originY, 40);
    EXPECT_EQ(panel.views[4].originX, 30);
    EXPECT_EQ(panel.views[4].originY, 405);
}

TEST(TimetableLayout, TablesPerRowChangesOnlyToANewValueInRange)
{
    auto ds = newDocumentSchool(2);
    ClassTablePanel panel(ds.get());
    panel.RebuildClassList();
    panel.LayoutTables();
    const int width = panel.contentWidth;
    EXPECT_FALSE(panel.SetTablesPerRow(4));
    EXPECT_FALSE(panel.SetTablesPerRow(0));
    EXPECT_FALSE(panel.SetTablesPerRow(16));
    EXPECT_EQ(panel.tablesPerRow, 4);
    EXPECT_EQ(panel.contentWidth, width);
    EXPECT_TRUE(panel.SetTablesPerRow(15));
    EXPECT_EQ(panel.contentWidth, 15 * 433 + 30);

    const auto items = TimetablePanel::tablesPerRowMenuItems();
    ASSERT_EQ(items.size(), 15u);
    EXPECT_EQ(items.front(), "1");
    EXPECT_EQ(items.back(), "15");
}

TEST(TimetableLayout, ClassListInGradeOrderWithoutDuplicates)
{
    auto ds = newDocumentSchool(2);
    ds->appendGrade();
    ds->setClassCount(1, 1);
    ClassTablePanel panel(ds.get());
    panel.RebuildClassList();
    panel.RebuildClassList();
    ASSERT_EQ(panel.classList.size(), 3u);
    EXPECT_EQ(panel.classList[0], ds->classAt(0, 0));
    EXPECT_EQ(panel.classList[1], ds->classAt(0, 1));
    EXPECT_EQ(panel.classList[2], ds->classAt(1, 0));
    EXPECT_TRUE(panel.classListCurrent());
}

TEST(TimetableLayout, EmptyListsAndMissingDataKeepTheLayout)
{
    auto ds = newDocumentSchool(0);
    ClassTablePanel classes(ds.get());
    classes.RebuildClassList();
    EXPECT_EQ(classes.LayoutTables(), "");
    EXPECT_FALSE(classes.hasLayout());

    ClassTablePanel orphan;
    EXPECT_EQ(orphan.LayoutTables(), "pDataSet==NULL");
    TeacherTablePanel orphanTeachers;
    EXPECT_EQ(orphanTeachers.LayoutTables(), "pDataSet==NULL");

    // A laid-out panel whose classes all went away keeps its last layout.
    auto ds2 = newDocumentSchool(2);
    ClassTablePanel panel(ds2.get());
    panel.RebuildClassList();
    panel.LayoutTables();
    const int height = panel.contentHeight;
    ds2->setClassCount(0, 0);
    panel.RebuildClassList();
    panel.LayoutTables();
    EXPECT_EQ(panel.contentHeight, height);
}

TEST(TimetableLayout, RedrawAfterAClassWasRemovedDrawsOnlyLivingClasses)
{
    auto ds = newDocumentSchool(3);
    ClassTablePanel panel(ds.get());
    panel.RebuildClassList();
    panel.LayoutTables();
    ds->removeClass(0, 1);
    RecordingCanvas canvas;
    panel.RedrawTables(canvas);
    EXPECT_EQ(panel.classList.size(), 2u);
    EXPECT_NE(canvas.findText(G("初一(1) 班课程信息表")), nullptr);
    EXPECT_EQ(canvas.findText(G("初一(2) 班课程信息表")), nullptr);
    EXPECT_NE(canvas.findText(G("初一(3) 班课程信息表")), nullptr);
    // The survivor moved into the freed place.
    EXPECT_EQ(panel.views[1].originX, 463);
}

TEST(TimetableLayout, RedrawFillsThePictureWhiteThenDrawsEveryTable)
{
    auto ds = newDocumentSchool(2);
    ClassTablePanel panel(ds.get());
    panel.RebuildClassList();
    panel.LayoutTables();
    RecordingCanvas canvas;
    panel.RedrawTables(canvas);
    ASSERT_FALSE(canvas.calls().empty());
    EXPECT_EQ(canvas.calls()[0].kind, Kind::Fill);
    EXPECT_EQ(canvas.calls()[0].rect, (Rect{0, 0, panel.contentWidth, panel.contentHeight + 100}));
    EXPECT_EQ(canvas.findText(G("初一(2) 班课程信息表"))->rect.left, 463);

    // Options reach the cells.
    ds->classAt(0, 0)->cells[0][0].subject = G("语文");
    ds->classAt(0, 0)->cells[0][0].teacher = G("欧阳修远");
    panel.toggleShowSubject();
    EXPECT_TRUE(panel.setNameStyle(1));
    EXPECT_FALSE(panel.setNameStyle(1));
    canvas.clear();
    panel.RedrawTables(canvas);
    EXPECT_EQ(canvas.findText(G("语文")), nullptr);
    EXPECT_NE(canvas.findText(G("修远")), nullptr);
}

TEST(TimetableLayout, TeacherPanelLaysOutEveryTeacher)
{
    auto ds = newDocumentSchool(1);
    for (const char* n : {"甲", "乙", "丙", "丁", "戊"})
        addTeacher(*ds, n);
    TeacherTablePanel panel(ds.get());
    EXPECT_EQ(panel.LayoutTables(), "");
    EXPECT_EQ(panel.contentWidth, 4 * 433 + 30);
    EXPECT_EQ(panel.contentHeight, 2 * 365 + 40);
    EXPECT_EQ(panel.views[4].originX, 30);
    EXPECT_EQ(panel.views[4].originY, 405);
    ASSERT_TRUE(panel.SetTablesPerRow(3));
    EXPECT_EQ(panel.views[2].originX, 896);
    EXPECT_EQ(panel.views[3].originY, 405);

    RecordingCanvas canvas;
    panel.RedrawTables(canvas);
    EXPECT_EQ(canvas.textsEqual(G("戊 课程信息表")).size(), 1u);
    EXPECT_EQ(canvas.findText(G("戊 课程信息表"))->rect.top, 405);
}
