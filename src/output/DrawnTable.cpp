#include "output/DrawnTable.h"

#include "data/DataSet.h"

namespace tabrel {

int DrawnTable::SetDrawOrigin(const DataSet& dataSet, int x, int y)
{
    originX = x;
    originY = y;
    totalWidth = timetableWidth(cellWidth, dataSet.dayCount());
    totalHeight = timetableHeight(cellHeight, dataSet.periodsPerDay());
    return 1;
}

bool DrawnTable::hitTest(int x, int y, int& period, int& day) const
{
    for (int p = 0; p < MaxPeriodRows; ++p)
        for (int d = 0; d < DayColumns; ++d)
            if (cellRects[p][d].width() > 0 && cellRects[p][d].contains(x, y)) {
                period = p;
                day = d;
                return true;
            }
    return false;
}

} // namespace tabrel
