#include "data/DataTable.h"

namespace tabrel {

int DataTable::setRowCount(int32_t n)
{
    if (n < 0)
        return 0;
    cells_.resize(static_cast<std::size_t>(n), std::vector<std::string>(static_cast<std::size_t>(columns_)));
    rows_ = n;
    return 1;
}

int DataTable::setColumnCount(int32_t n)
{
    if (n < 0)
        return 0;
    for (auto& row : cells_)
        row.resize(static_cast<std::size_t>(n));
    columns_ = n;
    return 1;
}

std::string DataTable::cell(int32_t row, int32_t column) const
{
    if (row < 0 || column < 0 || row >= rows_ || column >= columns_)
        return {};
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

int DataTable::setCell(int32_t row, int32_t column, const std::string& text)
{
    if (row < 0 || column < 0)
        return 0;
    if (row >= rows_)
        setRowCount(row + 1);
    if (column >= columns_)
        setColumnCount(column + 1);
    cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    return 1;
}

} // namespace tabrel
