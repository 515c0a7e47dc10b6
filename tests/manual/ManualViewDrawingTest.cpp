// What the manual scheduling views draw: every period of the day hit-tested, the hover box kept
// inside the view with its own geometry, the marks of a pending swap, the teacher week's shading.
#include <gtest/gtest.h>

#include "data/DataSet.h"
#include "manual/ClassTableTiaoKe.h"
#include "manual/ManualViewDrawing.h"
#include "manual/ReportBox.h"
#include "manual/TeacherPaike.h"
#include "output/RecordingCanvas.h"
#include "scheduling/SchedulingFixture.h"
#include "scheduling/TeacherAssignment.h"

using namespace tabrel;
using namespace tabrel::test;
using manual::Slot;

TEST(ManualViewDrawing, EveryPeriodIsShownAndHitTested)
{
    for (int periods : {1, 7, 12}) {
        SCOPED_TRACE(periods);
        auto ds = smallSchool(1);
        ds->earlyReadingCount = periods >= 12 ? 2 : 0;
        ds->morningCount = std::min(periods, 4);
        ds->afternoonCount = std::max(0, std::min(periods - 4, 3));
        ds->eveningCount = periods - ds->earlyReadingCount - ds->morningCount - ds->afternoonCount;
        ds->dayNames.resize(7, G("星期日"));
        const manual::ViewLayout l = manual::layoutView(1100, 700, *ds);
        for (int p = 0; p < periods; ++p)
            for (int d = 0; d < 7; ++d) {
                const Rect r = l.grid.cell(p, d);
                EXPECT_EQ(l.grid.hit(r.left, r.top), (Slot{p, d}));
                EXPECT_EQ(l.grid.hit(r.right - 1, r.bottom - 1), (Slot{p, d}));
                EXPECT_LE(r.bottom, 700);
            }
        const Rect last = l.grid.cell(periods - 1, 6);
        EXPECT_FALSE(l.grid.hit(last.right, last.top).valid());
        EXPECT_FALSE(l.grid.hit(last.left, last.bottom).valid());
        EXPECT_FALSE(l.grid.hit(l.grid.left + 1, l.grid.top + 1).valid()); // the header corner

        ClassTable& c = *ds->classAt(0, 0);
        plan(c, "语文", 3, G("张三"));
        addTeacher(*ds, "张三");
        PrepareForScheduling(*ds);
        place(*ds, c, 0, 0, "语文");
        manual::ClassTableTiaoKe view;
        view.refresh(*ds);
        view.setMode(manual::ClassTableTiaoKe::Swap);
        ASSERT_TRUE(view.pickSwapSource(*ds, {0, 0}));
        view.hover(*ds, {periods - 1, 3});
        RecordingCanvas canvas;
        manual::drawClassView(canvas, l, *ds, view);
        EXPECT_NE(canvas.findText(G("★")), nullptr);
        EXPECT_NE(canvas.findText(G("初一(1)班课程表")), nullptr);
        EXPECT_NE(canvas.findText(ds->periodLabel(periods - 1)), nullptr);
        // the red double line only where a morning meets an afternoon
        const Rect noon = l.grid.cell(ds->earlyReadingCount + ds->morningCount - 1, 0);
        const bool split = ds->afternoonCount > 0;
        EXPECT_EQ(canvas.hasLine(l.grid.left, noon.bottom - 2, l.grid.bounds().right, noon.bottom - 2, Rgb{220, 30, 30}), split);
    }
}

TEST(ManualViewDrawing, TheReportBoxStaysInsideTheViewWithItsGeometry)
{
    manual::ReportBox box;
    RecordingCanvas canvas;
    box.move(100, 50, 400);
    box.draw(canvas, manual::TextPixels);
    EXPECT_TRUE(canvas.calls().empty()); // no lines, nothing drawn
    box.setLines({G("===未排情况如下:==="), "1. " + G("数学(剩3节)√"), ""});
    box.draw(canvas, manual::TextPixels);
    const int h = manual::TextPixels + 3;
    const auto fills = canvas.ofKind(RecordingCanvas::Kind::Fill);
    ASSERT_EQ(fills.size(), 1u);
    int w = 0;
    for (const auto& line : box.lines())
        w = std::max(w, canvas.textWidth(line, TextStyle{}));
    EXPECT_EQ(fills[0].rect, (Rect{110, 60, 100 + w + 20, 50 + 3 * h + 20}));
    EXPECT_EQ(fills[0].color, (Rgb{94, 201, 102}));
    EXPECT_EQ(canvas.ofKind(RecordingCanvas::Kind::Text)[1].rect.top, 50 + 15 + h);
    EXPECT_EQ(box.height(), 4 * h);
    // near the bottom the box moves up by what it needs
    box.move(100, 390, 400);
    EXPECT_EQ(box.y(), 400 - 4 * h);
    box.move(100, 20, 400);
    EXPECT_EQ(box.y(), 20);
}

TEST(ManualViewDrawing, TheTeacherWeekShadesWhatCannotTakeALesson)
{
    auto ds = smallSchool(1);
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "语文", 3, G("张三"));
    addTeacher(*ds, "张三");
    PrepareForScheduling(*ds);
    place(*ds, c, 0, 0, "语文");
    c.commonPeriods[1][0] = G("自习");
    manual::TeacherPaike view;
    view.refresh(*ds);
    const manual::ViewLayout l = manual::layoutView(1100, 700, *ds);
    RecordingCanvas canvas;
    manual::drawTeacherView(canvas, l, *ds, view);
    EXPECT_NE(canvas.findText(G("初一1语文")), nullptr);
    auto shadedAt = [&](Slot s) {
        const Rect r = l.grid.cell(s.period, s.day);
        for (const auto& f : canvas.ofKind(RecordingCanvas::Kind::Fill))
            if (f.rect == Rect{r.left + 1, r.top + 1, r.right, r.bottom} && f.color == Rgb{225, 225, 225})
                return true;
        return false;
    };
    EXPECT_TRUE(shadedAt({1, 0}));  // a common period of the only class
    EXPECT_FALSE(shadedAt({2, 0})); // 语文 may go there
    EXPECT_FALSE(shadedAt({0, 0})); // the teacher teaches there
}
