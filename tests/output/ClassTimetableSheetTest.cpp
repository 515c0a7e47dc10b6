#include <gtest/gtest.h>

#include "output/DrawnTable.h"
#include "output/ClassTimetableSheet.h"
#include "output/RecordingCanvas.h"
#include "output/TimetableFixtures.h"

using namespace tabrel;
using namespace tabrel::test;
using Kind = RecordingCanvas::Kind;

namespace {

std::vector<RecordingCanvas::Call> cellTexts(const RecordingCanvas& canvas)
{
    std::vector<RecordingCanvas::Call> out;
    for (const auto& c : canvas.ofKind(Kind::Text))
        if (c.style.height == 0)
            out.push_back(c);
    return out;
}

} // namespace

// The new-document grid (L 0, M 4, N 3, E 0, five days) drawn at (30, 40).
TEST(ClassTimetableSheet, NewDocumentSheetGeometry)
{
    auto ds = newDocumentSchool();
    ClassTable& table = *ds->classAt(0, 0);
    DrawnTable view;
    view.SetDrawOrigin(*table.dataSet, 30, 40);
    RecordingCanvas canvas;
    DrawClassTimetable(table, view, canvas, {});

    EXPECT_EQ(view.totalWidth, 403);
    EXPECT_EQ(view.totalHeight, 325);
    EXPECT_EQ(U(view.titleText), "初一(1) 班课程信息表");

    // Title across the full width at the top of the row, 31 pixels high, then the white body.
    const auto* title = canvas.findText(view.titleText);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->rect, (Rect{30, 40, 433, 76}));
    EXPECT_EQ(title->style.height, 31);
    EXPECT_EQ(title->style.color, colors::Black);
    EXPECT_EQ(title->style.flags & (text::HCenter | text::VCenter | text::Bottom), text::HCenter);
    EXPECT_EQ(title->style.face, "");
    ASSERT_GE(canvas.calls().size(), 2u);
    EXPECT_EQ(canvas.calls()[1].kind, Kind::Fill);
    EXPECT_EQ(canvas.calls()[1].rect, (Rect{30, 76, 433, 365}));
    EXPECT_EQ(canvas.calls()[1].color, colors::White);

    // Grey lines: the header row, four morning rows, then the red double line, three afternoon rows.
    for (int y : {76, 112, 148, 184, 220, 256, 293, 329, 365})
        EXPECT_TRUE(canvas.hasLine(30, y, 433, y, colors::Grey)) << "y=" << y;
    EXPECT_TRUE(canvas.hasLine(30, 256, 433, 256, colors::Red));
    EXPECT_TRUE(canvas.hasLine(30, 257, 433, 257, colors::Red));
    EXPECT_EQ(canvas.linesOf(colors::Red).size(), 2u);

    // Period numbers 1 … 7 in blue, 18 pixels high, continuous across the break.
    const int rowTops[] = {112, 148, 184, 220, 257, 293, 329};
    for (int p = 0; p < 7; ++p) {
        const auto* n = canvas.findText(std::to_string(p + 1));
        ASSERT_NE(n, nullptr) << p;
        EXPECT_EQ(n->rect, (Rect{30, rowTops[p] + 9, 73, rowTops[p] + 27}));
        EXPECT_EQ(n->style.height, 18);
        EXPECT_EQ(n->style.color, colors::Blue);
    }
    EXPECT_EQ(canvas.findText("8"), nullptr);

    // Column lines from the header row to one pixel below the last line.
    for (int x : {30, 73, 145, 217, 289, 361, 433})
        EXPECT_TRUE(canvas.hasLine(x, 76, x, 366, colors::Grey)) << "x=" << x;

    // Day headings by column, 21 pixels high.
    const char* days[] = {"星期一", "星期二", "星期三", "星期四", "星期五"};
    for (int m = 0; m < 5; ++m) {
        const auto* h = canvas.findText(G(days[m]));
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h->rect, (Rect{73 + 72 * m, 83, 145 + 72 * m, 104}));
        EXPECT_EQ(h->style.height, 21);
        EXPECT_EQ(h->style.color, colors::Blue);
    }
    EXPECT_EQ(canvas.findText(G("星期六")), nullptr);

    // Four-pixel drop shadow.
    for (int l = 0; l < 4; ++l) {
        EXPECT_TRUE(canvas.hasLine(31 + l, 366 + l, 433 + l, 366 + l, colors::Grey)) << l;
        EXPECT_TRUE(canvas.hasLine(433 + l, 77 + l, 433 + l, 367 + l, colors::Grey)) << l;
    }

    // Cell rectangles written back; cells outside the grid get none.
    EXPECT_EQ(view.cellRects[0][0], (Rect{73, 112, 145, 148}));
    EXPECT_EQ(view.cellRects[3][4], (Rect{361, 220, 433, 256}));
    EXPECT_EQ(view.cellRects[4][0], (Rect{73, 257, 145, 293}));
    EXPECT_EQ(view.cellRects[6][4], (Rect{361, 329, 433, 365}));
    EXPECT_EQ(view.cellRects[7][0], Rect{});
    EXPECT_EQ(view.cellRects[0][5], Rect{});
    EXPECT_TRUE(cellTexts(canvas).empty());
}

TEST(ClassTimetableSheet, EarlyReadingAndEveningAreNumberedThroughTheDay)
{
    auto ds = newDocumentSchool();
    ds->earlyReadingCount = 1;
    ds->eveningCount = 2;
    ds->dayNames.push_back(G("星期六"));
    ClassTable& table = *ds->classAt(0, 0);
    DrawnTable view;
    view.SetDrawOrigin(*table.dataSet, 0, 0);
    RecordingCanvas canvas;
    DrawClassTimetable(table, view, canvas, {});

    EXPECT_EQ(view.totalHeight, (10 + 2) * 36 + 1);
    EXPECT_EQ(view.totalWidth, 43 + 6 * 72);
    // The first morning period carries 2; the red line lies below period 5, the evening ends at 10.
    EXPECT_EQ(canvas.findText("2")->rect.top, 3 * 36 + 9);
    EXPECT_TRUE(canvas.hasLine(0, 7 * 36, 475, 7 * 36, colors::Red));
    EXPECT_EQ(canvas.findText("6")->rect.top, 7 * 36 + 1 + 9);
    EXPECT_EQ(canvas.findText("10")->rect.top, 11 * 36 + 1 + 9);
    EXPECT_NE(canvas.findText(G("星期六")), nullptr);
    EXPECT_EQ(view.cellRects[9][5], (Rect{43 + 5 * 72, 11 * 36 + 1, 43 + 6 * 72, 12 * 36 + 1}));
}

TEST(ClassTimetableSheet, CellTextsFollowTheOptions)
{
    auto ds = newDocumentSchool();
    ClassTable& table = *ds->classAt(0, 0);
    table.cells[0][0].subject = G("语文");
    table.cells[0][0].teacher = G("欧阳修远");
    table.cells[0][1].subject = G("数学");
    table.cells[0][1].teacher = G("张三");
    table.cells[1][0].subject = "empty";
    table.cells[2][0].subject = G("美术"); // no teacher yet
    table.commonPeriods[3][0] = G("自习");
    table.cells[3][0].subject = G("体育"); // hidden by the common period
    table.cells[3][0].teacher = G("李四");
    DrawnTable view;
    view.SetDrawOrigin(*table.dataSet, 0, 0);
    const Rect c00 = {43, 72, 115, 108};

    auto draw = [&](ClassCellOptions o) {
        RecordingCanvas canvas;
        DrawClassTimetable(table, view, canvas, o);
        return canvas;
    };

    {   // Both shown: subject in the upper half, teacher in the lower half, default font, centred.
        RecordingCanvas canvas = draw({true, true, 0});
        const auto* subject = canvas.findText(G("语文"));
        const auto* teacher = canvas.findText(G("欧阳修远"));
        ASSERT_TRUE(subject && teacher);
        EXPECT_EQ(subject->rect, (Rect{c00.left, 72, c00.right, 90}));
        EXPECT_EQ(teacher->rect, (Rect{c00.left, 90, c00.right, 108}));
        EXPECT_EQ(subject->style.height, 0);
        // Clipped to the cell, so a long subject never runs over the grid lines.
        EXPECT_EQ(subject->style.flags,
                  text::HCenter | text::VCenter | text::SingleLine | text::NoPrefix | text::Clip);
        // Without a teacher the subject fills the cell; the common period shows its name alone.
        EXPECT_EQ(canvas.findText(G("美术"))->rect, (Rect{43, 144, 115, 180}));
        EXPECT_EQ(canvas.findText(G("自习"))->rect, (Rect{43, 180, 115, 216}));
        EXPECT_EQ(canvas.findText(G("体育")), nullptr);
        EXPECT_EQ(canvas.findText(G("李四")), nullptr);
        EXPECT_EQ(canvas.findText("empty"), nullptr);
        EXPECT_EQ(cellTexts(canvas).size(), 6u);
    }
    {   // 简称: the last two characters of a longer name; a two-character name stays whole.
        RecordingCanvas canvas = draw({true, true, 1});
        EXPECT_NE(canvas.findText(G("修远")), nullptr);
        EXPECT_EQ(canvas.findText(G("欧阳修远")), nullptr);
        EXPECT_NE(canvas.findText(G("张三")), nullptr);
    }
    {   // Teacher only: it fills the cell; the common period and teacherless cells stay blank.
        RecordingCanvas canvas = draw({false, true, 0});
        EXPECT_EQ(canvas.findText(G("欧阳修远"))->rect, c00);
        EXPECT_EQ(canvas.findText(G("语文")), nullptr);
        EXPECT_EQ(canvas.findText(G("自习")), nullptr);
        EXPECT_EQ(cellTexts(canvas).size(), 2u);
    }
    {   // Subject only: it fills the cell.
        RecordingCanvas canvas = draw({true, false, 0});
        EXPECT_EQ(canvas.findText(G("语文"))->rect, c00);
        EXPECT_EQ(canvas.findText(G("张三")), nullptr);
    }
    EXPECT_TRUE(cellTexts(draw({false, false, 0})).empty());
}

TEST(ClassTimetableSheet, MarkedCellCarriesTheMarkIconAtThreeQuarters)
{
    auto ds = newDocumentSchool();
    ClassTable& table = *ds->classAt(0, 0);
    table.cells[1][2].markFlag = 1;
    table.cells[7][0].markFlag = 1; // outside the grid: not drawn
    DrawnTable view;
    view.SetDrawOrigin(*table.dataSet, 0, 0);
    RecordingCanvas canvas;
    DrawClassTimetable(table, view, canvas, {});
    const auto icons = canvas.ofKind(Kind::Icon);
    ASSERT_EQ(icons.size(), 1u);
    const Rect cell = view.cellRects[1][2];
    EXPECT_EQ(icons[0].rect.left, cell.left + 54);
    EXPECT_EQ(icons[0].rect.top, cell.top + 10);
    EXPECT_EQ(icons[0].icon, Icon::Mark);
}

TEST(ClassTimetableSheet, SizeFollowsATimeGridChangedSinceTheLayout)
{
    auto ds = newDocumentSchool();
    ClassTable& table = *ds->classAt(0, 0);
    DrawnTable view;
    view.SetDrawOrigin(*table.dataSet, 5, 6);
    ds->afternoonCount = 4;
    RecordingCanvas canvas;
    DrawClassTimetable(table, view, canvas, {});
    EXPECT_EQ(view.originX, 5);
    EXPECT_EQ(view.totalHeight, 10 * 36 + 1);
    EXPECT_EQ(view.cellRects[7][0], (Rect{48, 6 + 9 * 36 + 1, 120, 6 + 10 * 36 + 1}));
}
