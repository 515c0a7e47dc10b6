#include "output/TotalScheduleManyTables.h"

#include <algorithm>

#include "data/DataSet.h"
#include "output/SheetDrawing.h"

namespace tabrel {

TotalScheduleManyTables::TotalScheduleManyTables(const DataSet& ds)
{
    sheetW_ = sheetWidth(ds);
    sheetH_ = sheetHeight(ds);
    int widest = 0;
    for (std::size_t g = 0; g < ds.grades.size(); ++g) {
        std::vector<TablePosition> row;
        const int y = 50 + static_cast<int>(g) * (sheetH_ + 50);
        for (std::size_t i = 0; i < ds.grades[g]->classes.size(); ++i) {
            row.push_back({40 + static_cast<int>(i) * (sheetW_ + 30), y});
            widest = std::max(widest, row.back().x + sheetW_);
        }
        origins_.push_back(std::move(row));
    }
    width_ = widest + 100;
    height_ = 50 + static_cast<int>(ds.grades.size()) * (sheetH_ + 50) + 100;
}

void TotalScheduleManyTables::draw(Canvas& canvas, const DataSet& ds, const ClassCellOptions& options,
                                   const Rect& visible) const
{
    canvas.fillRect({std::max(visible.left, 0), std::max(visible.top, 0), std::min(visible.right, width_),
                     std::min(visible.bottom, height_)},
                    colors::White);
    for (std::size_t g = 0; g < origins_.size() && g < ds.grades.size(); ++g)
        for (std::size_t i = 0; i < origins_[g].size() && i < ds.grades[g]->classes.size(); ++i) {
            const TablePosition& at = origins_[g][i];
            // The sheet's shadow reaches four pixels past its box.
            const Rect box{at.x, at.y, at.x + sheetW_ + 5, at.y + sheetH_ + 5};
            if (box.right <= visible.left || box.left >= visible.right || box.bottom <= visible.top ||
                box.top >= visible.bottom)
                continue;
            drawClassSheet(ds, *ds.grades[g]->classes[i], at.x, at.y, canvas, options);
        }
}

} // namespace tabrel
