#include "app/GridModel.h"

#include <algorithm>

namespace tabrel {

std::vector<std::vector<std::string>> parseTableText(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> cells;
        std::size_t c = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', c);
            if (tab == std::string::npos) {
                cells.push_back(line.substr(c));
                break;
            }
            cells.push_back(line.substr(c, tab - c));
            c = tab + 1;
        }
        rows.push_back(std::move(cells));
        start = end + 1;
    }
    return rows;
}

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

const std::string& GridModel::text(int row, int column) const
{
    static const std::string none;
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_)
        return none;
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
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_ || isEditable(row, column))
        return false;
    cells_[static_cast<std::size_t>(row) * columns_ + column] = text;
    return true;
}

std::string GridModel::copyText(const Range& range) const
{
    const int top = std::max(range.top, 0), left = std::max(range.left, 0);
    const int bottom = std::min(range.bottom, rows_ - 1), right = std::min(range.right, columns_ - 1);
    std::string out;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            if (c > left)
                out += '\t';
            out += text(r, c);
        }
        out += '\n';
    }
    return out;
}

int GridModel::paste(int row, int column, const std::string& text)
{
    int written = 0;
    const auto rows = parseTableText(text);
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = 0; j < rows[i].size(); ++j) {
            const long long r = static_cast<long long>(row) + static_cast<long long>(i);
            const long long c = static_cast<long long>(column) + static_cast<long long>(j);
            if (r < rows_ && c < columns_ && setText(static_cast<int>(r), static_cast<int>(c), rows[i][j]))
                ++written;
        }
    return written;
}

} // namespace tabrel
