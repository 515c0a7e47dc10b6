#pragma once
// The table editor "年级和班级数量数据编辑窗口" of the grades-and-classes panel. Texts are GBK.
#include <string>
#include <vector>

#include "views/GridModel.h"

namespace tabrel {

class DataSet;

// The table editor "年级和班级数量数据编辑窗口": row 0 the grade names, rows 1 … 50 the class names,
// column g+1 grade g; column 0 holds the row titles.
class ClassNameTable {
public:
    static constexpr int GradeColumns = 10;
    static constexpr int ClassRows = 50;
    ClassNameTable();

    GridModel& grid() { return grid_; }
    const GridModel& grid() const { return grid_; }

    // The current grades and class names, or 七, 八, 九 with 七(1) … 七(10) for an empty school.
    void load(const DataSet& ds);
    void clear();
    // Pastes with its first field at grid row `row` (0 = grade names) and grade column `column`
    // (0-based); fields past the grid are dropped.
    int paste(int row, int column, const std::string& text);

    struct GradeColumn {
        std::string name;
        std::vector<std::string> classes;
    };
    // Grade names along row 0 up to the first empty one; each grade's class names down its column
    // up to the first empty one.
    std::vector<GradeColumn> columns() const;
    std::string refusal() const;
    bool apply(DataSet& ds) const;

private:
    GridModel grid_;
};

} // namespace tabrel
