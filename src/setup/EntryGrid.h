#pragma once
// What the data-entry dialogs do with their grids: emptying the editable cells and pasting
// clipboard table text into them, cut as every paste cuts it. Texts are GBK.
#include <string>

#include "views/GridModel.h"
#include "data/ClipboardTable.h"

namespace tabrel {

// Writes the cut text into the editable cells from (row, column); fields past the grid's rows or
// columns, and fields on fixed cells, are dropped. Returns the number of cells written.
inline int pasteIntoEditable(GridModel& grid, int row, int column, const std::string& text)
{
    int written = 0;
    const auto lines = cutClipboardTable(text);
    for (std::size_t i = 0; i < lines.size(); ++i)
        for (std::size_t j = 0; j < lines[i].size(); ++j) {
            const int r = row + static_cast<int>(i), c = column + static_cast<int>(j);
            if (r < grid.rowCount() && c < grid.columnCount() && grid.isEditable(r, c) &&
                grid.setText(r, c, lines[i][j]))
                ++written;
        }
    return written;
}

inline void clearEditable(GridModel& grid)
{
    for (int r = 0; r < grid.rowCount(); ++r)
        for (int c = 0; c < grid.columnCount(); ++c)
            if (grid.isEditable(r, c))
                grid.setText(r, c, std::string());
}

} // namespace tabrel
