#include "manual/ManualViewDrawing.h"

#include <algorithm>
#include <vector>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "manual/ClassTableTiaoKe.h"
#include "manual/TeacherPaike.h"
#include "views/Canvas.h"

namespace tabrel::manual {

namespace {

// A cell the automatic engine left free holds "empty": drawn as nothing, as every output does.
const std::string& shownSubject(const LessonCell& cell)
{
    static const std::string none;
    return cell.subject == "empty" ? none : cell.subject;
}

constexpr Rgb Green{0, 150, 0};
constexpr Rgb ManualRed{220, 30, 30};
constexpr Rgb SourceGrey{200, 200, 200};
constexpr Rgb Shade{225, 225, 225};
constexpr Rgb MenuYellow{255, 240, 170};
constexpr Rgb FocusBlue{40, 90, 220};
constexpr Rgb HeaderFill{240, 244, 250};

TextStyle centred(int height = 0, Rgb color = colors::Black)
{
    TextStyle s;
    s.height = height;
    s.color = color;
    s.flags = text::HCenter | text::VCenter | text::SingleLine | text::NoPrefix | text::Clip | text::EndEllipsis;
    return s;
}

void frame(Canvas& c, const Rect& r, Rgb color, int width = 1)
{
    c.drawLine(r.left, r.top, r.right, r.top, color, width);
    c.drawLine(r.left, r.bottom - width, r.right, r.bottom - width, color, width);
    c.drawLine(r.left, r.top, r.left, r.bottom, color, width);
    c.drawLine(r.right - width, r.top, r.right - width, r.bottom, color, width);
}

// Header row, header column and lines of a grid; the red double line between morning and afternoon.
void drawGridFrame(Canvas& c, const GridGeometry& g, const DataSet& ds, const std::string& corner, Rgb cornerColor,
                   int textHeight)
{
    const Rect all = g.bounds();
    c.fillRect({all.left, all.top, all.right, all.top + g.headerHeight}, HeaderFill);
    c.fillRect({all.left, all.top, all.left + g.headerWidth, all.bottom}, HeaderFill);
    c.drawText({all.left, all.top, all.left + g.headerWidth, all.top + g.headerHeight}, corner, centred(textHeight, cornerColor));
    for (int d = 0; d < g.days; ++d) {
        const Rect r = g.cell(0, d);
        c.drawText({r.left, all.top, r.right, all.top + g.headerHeight}, ds.dayNames[d], centred(textHeight));
    }
    for (int p = 0; p < g.periods; ++p) {
        const Rect r = g.cell(p, 0);
        c.drawText({all.left, r.top, all.left + g.headerWidth, r.bottom}, ds.periodLabel(p), centred(textHeight));
    }
    for (int p = 0; p <= g.periods; ++p) {
        const int y = all.top + g.headerHeight + p * g.cellHeight;
        c.drawLine(all.left, y, all.right, y, colors::Black);
    }
    c.drawLine(all.left, all.top, all.right, all.top, colors::Black);
    for (int d = 0; d <= g.days; ++d) {
        const int x = all.left + g.headerWidth + d * g.cellWidth;
        c.drawLine(x, all.top, x, all.bottom, colors::Black);
    }
    c.drawLine(all.left, all.top, all.left, all.bottom, colors::Black);
}

// The red double line between the last morning and the first afternoon period, drawn over the cells.
void drawNoonLine(Canvas& c, const GridGeometry& g, const DataSet& ds)
{
    const Rect all = g.bounds();
    const int noon = ds.earlyReadingCount + ds.morningCount;
    if (ds.morningCount > 0 && ds.afternoonCount > 0 && noon > 0 && noon < g.periods) {
        const int y = all.top + g.headerHeight + noon * g.cellHeight;
        c.drawLine(all.left, y - 2, all.right, y - 2, ManualRed);
        c.drawLine(all.left, y + 1, all.right, y + 1, ManualRed);
    }
}

GridGeometry fitGrid(const Rect& area, int periods, int days, int maxCell)
{
    GridGeometry g;
    g.periods = periods;
    g.days = days;
    const int columns = std::max(days, 1), rows = std::max(periods, 1);
    g.cellWidth = std::clamp((area.width() * 5 / 6) / columns, 20, maxCell * 2);
    g.headerWidth = std::clamp(area.width() - g.cellWidth * columns, 30, g.cellWidth);
    g.cellWidth = std::max((area.width() - g.headerWidth) / columns, 20);
    g.cellHeight = std::clamp(area.height() / (rows + 1), 14, maxCell);
    g.headerHeight = g.cellHeight;
    g.left = area.left;
    g.top = area.top;
    return g;
}

// A teacher's week: the slot texts of every slot; the red slots; "★" or a mark in a red slot
// where the teacher is free.
struct RedSlot {
    Slot slot;
    std::string freeText; // shown when the teacher has no lesson there
};

void drawTeacherWeek(Canvas& c, const Rect& area, const DataSet& ds, const TeacherInfoRecord& t,
                     const std::string& corner, const std::vector<RedSlot>& red)
{
    const GridGeometry g = fitGrid(area, shownPeriods(ds), shownDays(ds), 36);
    const int th = std::clamp(g.cellHeight - 6, 9, 13);
    drawGridFrame(c, g, ds, corner, colors::Black, th);
    for (int p = 0; p < g.periods; ++p)
        for (int d = 0; d < g.days; ++d) {
            const Rect r = g.cell(p, d);
            const Rect inner{r.left + 1, r.top + 1, r.right, r.bottom};
            bool isRed = false;
            std::string freeText;
            for (const RedSlot& s : red)
                if (s.slot == Slot{p, d}) {
                    isRed = true;
                    if (freeText.empty())
                        freeText = s.freeText;
                }
            const std::string text = t.slotGradeText[p][d] + t.slotClassNumbers[p][d] + t.slotSubject[p][d];
            if (isRed)
                c.fillRect(inner, Rgb{255, 200, 200});
            if (!t.slotSubject[p][d].empty())
                c.drawText(inner, text, centred(th, isRed ? ManualRed : colors::Black));
            else if (isRed)
                c.drawText(inner, freeText, centred(th, ManualRed));
        }
    drawNoonLine(c, g, ds);
}

// A class timetable beside the teacher's week: the subjects, the class name in red in the corner.
void drawClassBeside(Canvas& c, const Rect& area, const DataSet& ds, const ClassTable& k, const std::vector<Slot>& red)
{
    const GridGeometry g = fitGrid(area, shownPeriods(ds), shownDays(ds), 36);
    const int th = std::clamp(g.cellHeight - 6, 9, 13);
    drawGridFrame(c, g, ds, k.name, ManualRed, th);
    for (int p = 0; p < g.periods; ++p)
        for (int d = 0; d < g.days; ++d) {
            const Rect r = g.cell(p, d);
            const Rect inner{r.left + 1, r.top + 1, r.right, r.bottom};
            const bool isRed = std::find(red.begin(), red.end(), Slot{p, d}) != red.end();
            if (isRed)
                c.fillRect(inner, Rgb{255, 200, 200});
            const std::string& common = k.commonPeriods[p][d];
            if (!common.empty())
                c.drawText(inner, common, centred(th, Green));
            else
                c.drawText(inner, shownSubject(k.cells[p][d]), centred(th, isRed ? ManualRed : colors::Black));
        }
    drawNoonLine(c, g, ds);
}

void drawTitle(Canvas& c, const ViewLayout& l, const std::string& title, bool hasPrevious, bool hasNext)
{
    TextStyle t = centred(22);
    t.face = GBK("黑体");
    c.drawText(l.title, title, t);
    c.fillRect(l.previousArrow, hasPrevious ? HeaderFill : Shade);
    c.fillRect(l.nextArrow, hasNext ? HeaderFill : Shade);
    frame(c, l.previousArrow, colors::Grey);
    frame(c, l.nextArrow, colors::Grey);
    c.drawText(l.previousArrow, GBK("←"), centred(18, hasPrevious ? colors::Blue : colors::Grey));
    c.drawText(l.nextArrow, GBK("→"), centred(18, hasNext ? colors::Blue : colors::Grey));
}

} // namespace

Rect GridGeometry::cell(int period, int day) const
{
    const int x = left + headerWidth + day * cellWidth, y = top + headerHeight + period * cellHeight;
    return {x, y, x + cellWidth, y + cellHeight};
}

Rect GridGeometry::bounds() const
{
    return {left, top, left + headerWidth + days * cellWidth + 1, top + headerHeight + periods * cellHeight + 1};
}

Slot GridGeometry::hit(int x, int y) const
{
    if (cellWidth <= 0 || cellHeight <= 0)
        return {};
    const int dx = x - left - headerWidth, dy = y - top - headerHeight;
    if (dx < 0 || dy < 0)
        return {};
    const int d = dx / cellWidth, p = dy / cellHeight;
    if (d >= days || p >= periods)
        return {};
    return {p, d};
}

ViewLayout layoutView(int width, int height, const DataSet& ds)
{
    ViewLayout l;
    const int gridWidth = std::max(width * 56 / 100, 200);
    l.title = {40, 4, gridWidth - 40, 40};
    l.previousArrow = {l.title.left - 34, 8, l.title.left - 4, 36};
    l.nextArrow = {l.title.right + 4, 8, l.title.right + 34, 36};
    const Rect area{4, 46, gridWidth, std::max(height - 4, 120)};
    l.grid = fitGrid(area, shownPeriods(ds), shownDays(ds), 64);
    l.side = {gridWidth + 12, 4, std::max(width - 4, gridWidth + 60), std::max(height - 4, 120)};
    return l;
}

void drawDragBox(Canvas& c, int x, int y, int width, int height, const std::vector<std::string>& texts)
{
    if (texts.empty())
        return;
    const Rect box{x - width / 2, y - height / 2, x - width / 2 + width, y - height / 2 + height};
    c.fillRect(box, Rgb{255, 250, 205});
    frame(c, box, colors::Blue, 2);
    const int n = static_cast<int>(texts.size());
    for (int i = 0; i < n; ++i)
        c.drawText({box.left, box.top + i * height / n, box.right, box.top + (i + 1) * height / n}, texts[i], centred());
}

void drawClassView(Canvas& c, const ViewLayout& l, const DataSet& ds, const ClassTableTiaoKe& view)
{
    const ClassTable* k = view.currentClass(ds);
    drawTitle(c, l, view.title(ds), view.currentIndex() > 0, view.currentIndex() + 1 < view.classCount());
    if (!k)
        return;
    const GridGeometry& g = l.grid;
    drawGridFrame(c, g, ds, "", colors::Black, 0);
    const bool swapShown = view.mode() == ClassTableTiaoKe::Swap && view.swapPending();
    const bool teachers = view.showsTeachers();
    for (int p = 0; p < g.periods; ++p)
        for (int d = 0; d < g.days; ++d) {
            const Rect r = g.cell(p, d);
            const Rect inner{r.left + 1, r.top + 1, r.right, r.bottom};
            const LessonCell& cell = k->cells[p][d];
            if (view.menuCell() == Slot{p, d})
                c.fillRect(inner, MenuYellow);
            else if (swapShown && view.swapSource() == Slot{p, d})
                c.fillRect(inner, SourceGrey);
            const std::string& common = k->commonPeriods[p][d];
            if (!common.empty())
                c.drawText(inner, common, centred(0, Green));
            else if (!teachers)
                c.drawText(inner, shownSubject(cell), centred());
            else {
                const int split = inner.top + inner.height() * 3 / 5;
                c.drawText({inner.left, inner.top, inner.right, split}, shownSubject(cell), centred());
                c.drawText({inner.left, split, inner.right, inner.bottom}, cell.teacher, centred(12, colors::Grey));
            }
            // a common period takes no part in a swap: it shows no hint
            if (swapShown && !cell.mark.empty() && common.empty()) {
                TextStyle m = centred(14, ManualRed);
                c.drawText({inner.right - inner.width() / 4 - 2, inner.top, inner.right - 2, inner.top + 18}, cell.mark, m);
            }
            if (cell.markFlag == 1)
                c.drawIcon(Icon::Mark, inner.left + inner.width() * 3 / 4 - IconSize / 2, inner.bottom - IconSize - 2);
        }
    drawNoonLine(c, g, ds);
    if (view.hoveredCell().valid() && insideGrid(ds, view.hoveredCell()))
        frame(c, g.cell(view.hoveredCell().period, view.hoveredCell().day), FocusBlue, 2);

    // The teachers beside: the hovered lesson's teacher; during a swap also the source's teacher.
    const TeacherInfoRecord* hovered = view.hoveredTeacher(ds);
    const Slot src = view.swapSource(), at = view.hoveredCell();
    if (view.mode() == ClassTableTiaoKe::Swap && view.swapPending()) {
        const TeacherInfoRecord* source = view.sourceTeacher(ds);
        std::vector<RedSlot> red{{src, GBK("★")}};
        if (at.valid() && insideGrid(ds, at))
            red.push_back({at, k->cells[at.period][at.day].mark});
        const int half = l.side.top + l.side.height() / 2;
        if (hovered)
            drawTeacherWeek(c, {l.side.left, l.side.top, l.side.right, half - 6}, ds, *hovered, hovered->name, red);
        if (source)
            drawTeacherWeek(c, {l.side.left, half + 6, l.side.right, l.side.bottom}, ds, *source, source->name, red);
    } else if (hovered) {
        TextStyle t = centred(18);
        t.face = GBK("黑体");
        c.drawText({l.side.left, l.side.top, l.side.right, l.side.top + 30}, hovered->name + GBK("任课信息表"), t);
        const int h = std::min(l.side.height() - 36, (g.periods + 1) * 40);
        drawTeacherWeek(c, {l.side.left, l.side.top + 34, l.side.right, l.side.top + 34 + h}, ds, *hovered, "", {});
    }
}

void drawTeacherView(Canvas& c, const ViewLayout& l, const DataSet& ds, const TeacherPaike& view)
{
    const TeacherInfoRecord* t = view.currentTeacher(ds);
    drawTitle(c, l, view.title(ds), view.currentIndex() > 0, view.currentIndex() + 1 < view.teacherCount());
    if (!t)
        return;
    const GridGeometry& g = l.grid;
    drawGridFrame(c, g, ds, "", colors::Black, 0);
    const bool swapping = view.mode() == TeacherPaike::Swap && view.lessonPicked();
    for (int p = 0; p < g.periods; ++p)
        for (int d = 0; d < g.days; ++d) {
            const Slot s{p, d};
            const Rect r = g.cell(p, d);
            const Rect inner{r.left + 1, r.top + 1, r.right, r.bottom};
            if (view.shaded(ds, s))
                c.fillRect(inner, Shade);
            if (swapping && view.selectedSlot() == s)
                c.fillRect(inner, SourceGrey);
            c.drawText(inner, view.slotText(ds, s), centred());
            const std::string mark = view.swapMark(ds, s);
            if (!mark.empty())
                c.drawText({inner.right - inner.width() / 4 - 2, inner.top, inner.right - 2, inner.top + 18}, mark,
                           centred(14, ManualRed));
        }
    drawNoonLine(c, g, ds);
    if (view.hoveredSlot().valid() && insideGrid(ds, view.hoveredSlot()))
        frame(c, g.cell(view.hoveredSlot().period, view.hoveredSlot().day), FocusBlue, 2);

    // Beside: during a swap the other teacher's week above; the current class below.
    std::vector<Slot> red;
    if (view.hoveredSlot().valid())
        red.push_back(view.hoveredSlot());
    if (view.selectedSlot().valid())
        red.push_back(view.selectedSlot());
    Rect classArea = l.side;
    if (swapping) {
        const int half = l.side.top + l.side.height() / 2;
        if (const TeacherInfoRecord* other = view.otherTeacher(ds)) {
            std::vector<RedSlot> marks;
            if (view.hoveredSlot().valid())
                marks.push_back({view.hoveredSlot(), ""});
            marks.push_back({view.selectedSlot(), GBK("★")});
            drawTeacherWeek(c, {l.side.left, l.side.top, l.side.right, half - 6}, ds, *other, other->name, marks);
        }
        classArea.top = half + 6;
    }
    if (const ClassTable* k = view.currentClass(ds)) {
        const int h = std::min(classArea.height(), (g.periods + 1) * 40);
        drawClassBeside(c, {classArea.left, classArea.top, classArea.right, classArea.top + h}, ds, *k, red);
    }
}

} // namespace tabrel::manual
