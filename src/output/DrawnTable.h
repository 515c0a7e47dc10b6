#pragma once
// Where a view drew one timetable: its origin, cell size, drawing size, title and the rectangle of
// every cell. Each view keeps one per table it shows and hit-tests its own; drawing reads the
// class or teacher record and writes only here, so two views of the same class never disturb
// each other.
#include <cstdint>
#include <string>

#include "data/Dimensions.h"
#include "output/ClassTimetableSheet.h"

namespace tabrel {

class DataSet;

struct DrawnTable {
    int32_t originX = 0, originY = 0;
    int32_t cellWidth = 72, cellHeight = 36;
    int32_t totalWidth = 0, totalHeight = 0;
    std::string titleText; // the title as last drawn
    SlotRects cellRects{}; // the `rect` of every cell as last drawn; empty outside the time grid

    // Stores the drawing origin and computes the drawing size from the time grid.
    int SetDrawOrigin(const DataSet& dataSet, int x, int y);
    // The period and day of the drawn cell under the point; false beside every cell.
    bool hitTest(int x, int y, int& period, int& day) const;
};

} // namespace tabrel
