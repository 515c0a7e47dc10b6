#pragma once
// Style 3 of the master timetable: every class's own timetable sheet, one row of sheets per grade.
#include <vector>

#include "output/ClassTimetableSheet.h"
#include "output/TimetableLayout.h"

namespace tabrel {

class DataSet;

class TotalScheduleManyTables {
public:
    // Lays out every class of every grade: grade g is row g, its classes at x = 40 + i·(w + 30) and
    // y = 50 + g·(h + 50), w and h being the sheet size.
    explicit TotalScheduleManyTables(const DataSet& dataSet);

    // Origins by grade, then class.
    const std::vector<std::vector<TablePosition>>& origins() const { return origins_; }
    int contentWidth() const { return width_; }
    int contentHeight() const { return height_; }

    // White background, then every sheet whose box meets [visible) (all of them by default).
    void draw(Canvas& canvas, const DataSet& dataSet, const ClassCellOptions& options, const Rect& visible = {0, 0, 1 << 30, 1 << 30}) const;

private:
    std::vector<std::vector<TablePosition>> origins_;
    int sheetW_ = 0, sheetH_ = 0;
    int width_ = 0, height_ = 0;
};

} // namespace tabrel
