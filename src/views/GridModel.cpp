#include "views/GridModel.h"

#include <algorithm>

namespace tabrel {

GridModel::GridModel(int rows, int columns, int fixedRows, int fixedColumns)
    : rows_(std::max(rows, 0)), columns_(std::max(columns, 0)), fixedRows_(std::clamp(fixedRows, 0, rows_)),
      fixedColumns_(std::clamp(fixedColumns, 0, columns_)),
      cells_(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_))
{
}

bool GridModel::isEditable(int row, int column) const
{
    return row >= fixedRows_ && row < rows_ && column >= fixedColumns_ && column < columns_;
}

std::string GridModel::text(int row, int column) const
{
    if (!inside(row, column))
        return {};
    return cells_[static_cast<std::size_t>(row) * columns_ + column];
}

bool GridModel::setText(int row, int column, const std::string& text)
{
    if (!isEditable(row, column))
        return false;
    cells_[static_cast<std::size_t>(row) * columns_ + column] = text;
    return true;
}

bool GridModel::setHeader(int row, int column, const std::string& text)
{
    if (!inside(row, column) || isEditable(row, column))
        return false;
    cells_[static_cast<std::size_t>(row) * columns_ + column] = text;
    return true;
}

void GridModel::clear()
{
    for (int r = fixedRows_; r < rows_; ++r)
        for (int c = fixedColumns_; c < columns_; ++c)
            cells_[static_cast<std::size_t>(r) * columns_ + c].clear();
}

std::vector<CellPos> GridModel::edit(int row, int column, const std::string& text)
{
    if (!isEditable(row, column) || this->text(row, column) == text)
        return {};
    setText(row, column, text);
    return {{row, column}};
}

std::vector<CellPos> GridModel::paste(int row, int column, const std::string& text)
{
    std::vector<CellPos> changed;
    for (const Field& f : pasteFields(row, column, text))
        if (this->text(f.row, f.column) != f.text) {
            setText(f.row, f.column, f.text);
            changed.push_back({f.row, f.column});
        }
    return changed;
}

} // namespace tabrel
