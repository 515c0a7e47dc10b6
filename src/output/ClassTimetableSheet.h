#pragma once
// The class timetable sheet: title, grey grid with a red double line after the morning, blue period
// numbers and day headings, a drop shadow, then the cell texts. The teacher sheet and the many-tables
// master timetable draw the same sheet.
#include <array>
#include <string>

#include "data/Dimensions.h"
#include "views/Canvas.h"
#include "scheduling/CellDisplay.h"

namespace tabrel {

class ClassTable;
class DataSet;

// What a class cell shows (the class panel's tool strip).
struct ClassCellOptions {
    bool showSubject = true;
    bool showTeacher = true;
    int nameStyle = 0; // 0 = full teacher name (全称), 1 = the last two characters (简称)
};

using SlotRects = std::array<std::array<Rect, DayColumns>, MaxPeriodRows>;

// Draws what a cell shows (scheduling/CellDisplay) in its rectangle: split at the vertical centre
// into an upper and a lower text, or one text centred in the whole cell. Empty texts draw nothing.
void drawCellTexts(const CellDisplay& display, const Rect& cell, const TextStyle& style, Canvas& canvas);
CellDisplayOptions cellDisplayOptions(const ClassCellOptions& options);

// Geometry of the sheet at (x0, y0) with cells of W x H for T periods (L + M before the red line)
// and D days.
struct SheetGeometry {
    int x0 = 0, y0 = 0;
    int cellWidth = 72, cellHeight = 36;
    int periodsBeforeBreak = 0; // L + M
    int periods = 0;            // T
    int days = 0;               // D
    int numberColumnWidth() const { return cellWidth * 3 / 5; }
    int totalWidth() const { return numberColumnWidth() + days * cellWidth; }
    int totalHeight() const { return (periods + 2) * cellHeight + 1; }
    // Rectangle of period row p, day column d.
    Rect cellRect(int period, int day) const;
};
SheetGeometry sheetGeometry(const DataSet& dataSet, int x0, int y0, int cellWidth, int cellHeight);

// Draws the sheet (title row, white body, grid, numbers, headings, shadow) and fills `rects` with
// the cell rectangles of the T x D grid (the others become empty rectangles).
void DrawTimetableSheet(const SheetGeometry& geometry, const std::string& title, Canvas& canvas, SlotRects& rects);

struct DrawnTable;
// Draws one class timetable at the view's origin: stores the title "%s 班课程信息表" and the
// drawing size in the view, draws the sheet, keeps every cell's rectangle in the view, then draws
// the cell texts and mark icons. The class is only read.
void DrawClassTimetable(const ClassTable& table, DrawnTable& view, Canvas& canvas, const ClassCellOptions& options);

// The sheet's fixed day headings, by column.
const std::string& sheetDayHeading(int day);

} // namespace tabrel
