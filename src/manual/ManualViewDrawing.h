#pragma once
// Geometry and drawing of the two manual scheduling views: the title with its arrows, the week grid
// with the red double line, the cells, the tables beside and the box that follows a dragged lesson.
// The views keep this geometry themselves; nothing is written into the records.
#include <string>
#include <vector>

#include "data/Dimensions.h"
#include "manual/ManualSlot.h"

namespace tabrel {

class Canvas;
class DataSet;

namespace manual {

class ClassTableTiaoKe;
class TeacherPaike;

// A week grid: a header row of day names, a header column of period labels, periods x days cells.
struct GridGeometry {
    int left = 0, top = 0;
    int headerWidth = 0, headerHeight = 0;
    int cellWidth = 0, cellHeight = 0;
    int periods = 0, days = 0;
    Rect cell(int period, int day) const;
    Rect bounds() const;
    // The cell under the point, or no slot.
    Slot hit(int x, int y) const;
};

struct ViewLayout {
    Rect title, previousArrow, nextArrow;
    GridGeometry grid;
    Rect side; // the tables beside the grid
};

// The layout of a view's drawn area of the given size for the data set's grid.
ViewLayout layoutView(int width, int height, const DataSet& ds);

inline constexpr int TextPixels = 16; // line height of the default font

void drawClassView(Canvas& canvas, const ViewLayout& layout, const DataSet& ds, const ClassTableTiaoKe& view);
void drawTeacherView(Canvas& canvas, const ViewLayout& layout, const DataSet& ds, const TeacherPaike& view);

// The box that follows the mouse while a lesson is dragged: a cell's size, the texts one per line.
void drawDragBox(Canvas& canvas, int x, int y, int width, int height, const std::vector<std::string>& texts);

} // namespace manual
} // namespace tabrel
