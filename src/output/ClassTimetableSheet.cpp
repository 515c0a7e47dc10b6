#include "output/ClassTimetableSheet.h"

#include <algorithm>

#include "data/ClassTable.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "output/DrawnTable.h"

namespace tabrel {

namespace {

constexpr int SheetTextFlags = text::HCenter | text::Top | text::SingleLine | text::NoPrefix;
// Text drawn into a rectangle stays inside it, as the system's text drawing does unless told not to:
// a long subject never spills over the neighbouring cells.
constexpr int CellTextFlags = text::HCenter | text::VCenter | text::SingleLine | text::NoPrefix | text::Clip;

TextStyle sheetText(int height, Rgb color)
{
    TextStyle s;
    s.height = height;
    s.color = color;
    s.flags = SheetTextFlags;
    return s;
}

} // namespace

const std::string& sheetDayHeading(int day)
{
    static const std::string none;
    switch (day) {
    case 0: return GBK("星期一");
    case 1: return GBK("星期二");
    case 2: return GBK("星期三");
    case 3: return GBK("星期四");
    case 4: return GBK("星期五");
    case 5: return GBK("星期六");
    case 6: return GBK("星期日");
    default: return none;
    }
}

void drawCellTexts(const CellDisplay& display, const Rect& cell, const TextStyle& style, Canvas& canvas)
{
    if (!display.split) {
        if (!display.upper.empty())
            canvas.drawText(cell, display.upper, style);
        return;
    }
    const int middle = cell.top + cell.height() / 2;
    if (!display.upper.empty())
        canvas.drawText({cell.left, cell.top, cell.right, middle}, display.upper, style);
    if (!display.lower.empty())
        canvas.drawText({cell.left, middle, cell.right, cell.bottom}, display.lower, style);
}

CellDisplayOptions cellDisplayOptions(const ClassCellOptions& options)
{
    CellDisplayOptions o;
    o.showSubject = options.showSubject;
    o.showTeacher = options.showTeacher;
    o.shortNames = options.nameStyle == 1;
    return o;
}

Rect SheetGeometry::cellRect(int period, int day) const
{
    const int left = x0 + numberColumnWidth() + day * cellWidth;
    // Rows after the morning sit one pixel lower: the red double line takes two pixels.
    const int top = y0 + (period + 2) * cellHeight + (period >= periodsBeforeBreak ? 1 : 0);
    return {left, top, left + cellWidth, top + cellHeight};
}

SheetGeometry sheetGeometry(const DataSet& dataSet, int x0, int y0, int cellWidth, int cellHeight)
{
    SheetGeometry g;
    g.x0 = x0;
    g.y0 = y0;
    g.cellWidth = cellWidth;
    g.cellHeight = cellHeight;
    g.periods = dataSet.gridPeriods();
    g.periodsBeforeBreak = std::clamp(dataSet.earlyReadingCount + dataSet.morningCount, 0, g.periods);
    g.days = dataSet.gridDays();
    return g;
}

void DrawTimetableSheet(const SheetGeometry& g, const std::string& title, Canvas& canvas, SlotRects& rects)
{
    const int W = g.cellWidth;
    const int H = g.cellHeight;
    const int x0 = g.x0;
    const int y0 = g.y0;
    const int w = g.totalWidth();
    const int numberWidth = g.numberColumnWidth();
    const int upper = g.periodsBeforeBreak;
    const int lower = g.periods - upper;

    // Title row, then a white body.
    canvas.drawText({x0, y0, x0 + w, y0 + H}, title, sheetText(H * 7 / 8, colors::Black));
    canvas.fillRect({x0, y0 + H, x0 + w, y0 + g.totalHeight()}, colors::White);

    const TextStyle numberStyle = sheetText(H / 2, colors::Blue);
    auto drawNumber = [&](int number, int rowTop) {
        canvas.drawText({x0, rowTop + H / 4, x0 + numberWidth, rowTop + H * 3 / 4}, gbk::formatInt(number),
                        numberStyle);
    };

    // Early reading and morning: the header row and one row per period.
    int y = y0;
    for (int i = 0; i <= upper + 1; ++i) {
        y += H;
        canvas.drawLine(x0, y, x0 + w, y, colors::Grey);
        if (i >= 1 && i <= upper)
            drawNumber(i, y);
    }
    // The red double line before the afternoon.
    canvas.drawLine(x0, y, x0 + w, y, colors::Red);
    canvas.drawLine(x0, y + 1, x0 + w, y + 1, colors::Red);
    y += 1;
    // Afternoon and evening, numbered on from the morning.
    for (int i = 0; i < lower; ++i) {
        drawNumber(upper + i + 1, y);
        y += H;
        canvas.drawLine(x0, y, x0 + w, y, colors::Grey);
    }

    // Column lines from the header row down to one pixel below the last line.
    canvas.drawLine(x0, y0 + H, x0, y + 1, colors::Grey);
    for (int m = 0; m <= g.days; ++m) {
        const int x = x0 + numberWidth + m * W;
        canvas.drawLine(x, y0 + H, x, y + 1, colors::Grey);
    }

    const TextStyle headingStyle = sheetText(H * 3 / 5, colors::Blue);
    for (int m = 0; m < g.days; ++m) {
        const int left = x0 + numberWidth + m * W;
        canvas.drawText({left, y0 + H + H / 5, left + W, y0 + H + H * 4 / 5}, sheetDayHeading(m), headingStyle);
    }

    // Drop shadow along the bottom and the right edge.
    for (int l = 0; l <= 3; ++l) {
        canvas.drawLine(x0 + l + 1, y + 1 + l, x0 + w + l, y + 1 + l, colors::Grey);
        canvas.drawLine(x0 + w + l, y0 + H + l + 1, x0 + w + l, y + 2 + l, colors::Grey);
    }

    for (int p = 0; p < MaxPeriodRows; ++p)
        for (int d = 0; d < DayColumns; ++d)
            rects[p][d] = (p < g.periods && d < g.days) ? g.cellRect(p, d) : Rect{};
}

void DrawClassTimetable(const ClassTable& table, DrawnTable& view, Canvas& canvas, const ClassCellOptions& options)
{
    view.titleText = table.name + GBK(" 班课程信息表");
    if (!table.dataSet)
        return;
    // The size follows the current time grid even when the grid changed since the last layout.
    view.SetDrawOrigin(*table.dataSet, view.originX, view.originY);
    const SheetGeometry g = sheetGeometry(*table.dataSet, view.originX, view.originY, view.cellWidth, view.cellHeight);
    SlotRects& rects = view.cellRects;
    DrawTimetableSheet(g, view.titleText, canvas, rects);

    TextStyle cellStyle; // the surface's default font, black, centred on one line
    cellStyle.flags = CellTextFlags;
    const CellDisplayOptions displayOptions = cellDisplayOptions(options);
    for (int p = 0; p < g.periods; ++p) {
        for (int d = 0; d < g.days; ++d) {
            const Rect& r = rects[p][d];
            const CellDisplay display = cellDisplay(table, table.cells[p][d], displayOptions);
            drawCellTexts(display, r, cellStyle, canvas);
            if (display.markIcon)
                canvas.drawIcon(Icon::Mark, r.left + r.width() * 3 / 4, r.top + (r.height() - IconSize) / 2);
        }
    }
}

} // namespace tabrel
