#pragma once
// The quick entry "年级数和各年级班级数录入窗口" of the grades-and-classes panel: nine rows of a
// grade name and a class count. OK makes the school's grades and classes follow the rows and names
// every class grade(n). Texts are GBK.
#include <string>
#include <utility>
#include <vector>

#include "views/GridModel.h"

namespace tabrel {

class DataSet;

class GradeCountEntry {
public:
    static constexpr int EntryRows = 9;
    // A grid of a header row ("年级名称", "班级数") and nine entry rows; column 0 numbers the rows.
    GradeCountEntry();

    GridModel& grid() { return grid_; }
    const GridModel& grid() const { return grid_; }

    // On opening: the first nine grades with their class counts, or 七, 八, 九 with 10 classes each
    // when the school has none.
    void load(const DataSet& ds);
    // Empties every entry row.
    void clear();
    // Pastes clipboard table text with its first field at entry row `row` (0-based) and column
    // `column` (0 the name, 1 the count); fields past the grid are dropped. Returns cells written.
    int paste(int row, int column, const std::string& text);

    // The rows OK takes: top to bottom up to the first without a name, skipping counts (leading
    // digits) that are not positive.
    std::vector<std::pair<std::string, int>> entries() const;
    // Why OK cannot run ("" when it can): no grade at all (it would delete the whole school) or a
    // count above the most classes a grade holds.
    std::string refusal() const;
    // OK: grade count, names, class counts, then every class renamed grade(n). False when the
    // rows are refused or nothing changed.
    bool apply(DataSet& ds) const;

private:
    GridModel grid_;
};

} // namespace tabrel
