#include "output/Workbook.h"

#include <algorithm>

namespace tabrel {

std::string columnName(int column)
{
    if (column < 1 || column > MaxWorkbookColumns)
        return {};
    // Bijective base 26: A = 1 … Z = 26, AA = 27.
    std::string name;
    for (int c = column; c > 0; c = (c - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (c - 1) % 26));
    return name;
}

std::string cellAddress(int column, int row)
{
    std::string col = columnName(column);
    if (col.empty() || row < 1)
        return {};
    return col + std::to_string(row);
}

std::optional<CellRef> parseCellAddress(std::string_view address)
{
    std::size_t i = 0;
    int column = 0;
    while (i < address.size()) {
        char ch = address[i];
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
        if (ch < 'A' || ch > 'Z')
            break;
        column = column * 26 + (ch - 'A' + 1);
        if (++i > 3)
            return std::nullopt;
    }
    if (i == 0 || i == address.size() || column > MaxWorkbookColumns)
        return std::nullopt;
    if (address[i] == '0')
        return std::nullopt;
    long row = 0;
    for (; i < address.size(); ++i) {
        if (address[i] < '0' || address[i] > '9')
            return std::nullopt;
        row = row * 10 + (address[i] - '0');
        if (row > 1048576)
            return std::nullopt;
    }
    return CellRef{column, static_cast<int>(row)};
}

std::string CellRange::text() const
{
    std::string a = cellAddress(first.column, first.row);
    if (single())
        return a;
    return a + ":" + cellAddress(last.column, last.row);
}

std::optional<CellRange> parseRange(std::string_view first, std::string_view last)
{
    auto a = parseCellAddress(first);
    auto b = parseCellAddress(last);
    if (!a || !b)
        return std::nullopt;
    CellRange r;
    r.first = {std::min(a->column, b->column), std::min(a->row, b->row)};
    r.last = {std::max(a->column, b->column), std::max(a->row, b->row)};
    return r;
}

// ---------------------------------------------------------------- WorkbookSheet

template <class F>
bool WorkbookSheet::forEach(std::string_view first, std::string_view last, F f)
{
    auto r = parseRange(first, last);
    if (!r)
        return false;
    for (int row = r->first.row; row <= r->last.row; ++row)
        for (int col = r->first.column; col <= r->last.column; ++col)
            f(*r, CellRef{col, row}, touch(CellRef{col, row}));
    return true;
}

bool WorkbookSheet::merge(std::string_view first, std::string_view last)
{
    auto r = parseRange(first, last);
    if (!r)
        return false;
    // A merge swallows the merged ranges it overlaps, as the spreadsheet does.
    CellRange merged = *r;
    bool grew = true;
    while (grew) {
        grew = false;
        for (auto it = merges_.begin(); it != merges_.end(); ++it) {
            const CellRange& m = *it;
            bool overlap = m.first.column <= merged.last.column && m.last.column >= merged.first.column &&
                           m.first.row <= merged.last.row && m.last.row >= merged.first.row;
            if (!overlap)
                continue;
            merged.first = {std::min(merged.first.column, m.first.column), std::min(merged.first.row, m.first.row)};
            merged.last = {std::max(merged.last.column, m.last.column), std::max(merged.last.row, m.last.row)};
            merges_.erase(it);
            grew = true;
            break;
        }
    }
    for (int row = merged.first.row; row <= merged.last.row; ++row)
        for (int col = merged.first.column; col <= merged.last.column; ++col)
            touch(CellRef{col, row});
    if (!merged.single())
        merges_.push_back(merged);
    return true;
}

bool WorkbookSheet::setValue(std::string_view first, std::string_view last, const std::string& text)
{
    auto r = parseRange(first, last);
    if (!r)
        return false;
    SheetCell& c = touch(r->first);
    c.value = text;
    c.hasValue = true;
    return true;
}

bool WorkbookSheet::centre(std::string_view first, std::string_view last)
{
    return forEach(first, last, [](const CellRange&, CellRef, SheetCell& c) { c.centred = true; });
}

bool WorkbookSheet::borderAround(std::string_view first, std::string_view last)
{
    return forEach(first, last, [](const CellRange& r, CellRef at, SheetCell& c) {
        if (at.row == r.first.row)
            c.borderTop = true;
        if (at.row == r.last.row)
            c.borderBottom = true;
        if (at.column == r.first.column)
            c.borderLeft = true;
        if (at.column == r.last.column)
            c.borderRight = true;
    });
}

bool WorkbookSheet::setFont(std::string_view first, std::string_view last, const FontSettings& font)
{
    return forEach(first, last, [&font](const CellRange&, CellRef, SheetCell& c) {
        if (font.name)
            c.fontName = *font.name;
        if (font.bold)
            c.bold = *font.bold;
        if (font.size)
            c.fontSize = *font.size;
        if (font.colorIndex)
            c.colorIndex = *font.colorIndex;
    });
}

void WorkbookSheet::setRowHeight(int row, double height)
{
    if (row >= 1)
        rowHeights_[row] = height;
}

void WorkbookSheet::setColumnWidth(int column, double width)
{
    if (column >= 1 && column <= MaxWorkbookColumns)
        columnWidths_[column] = width;
}

bool WorkbookSheet::setColumnWidth(std::string_view first, std::string_view last, double width)
{
    auto r = parseRange(first, last);
    if (!r)
        return false;
    for (int col = r->first.column; col <= r->last.column; ++col)
        columnWidths_[col] = width;
    return true;
}

void WorkbookSheet::wrapUsedRange()
{
    auto used = usedRange();
    if (!used)
        return;
    for (int row = used->first.row; row <= used->last.row; ++row)
        for (int col = used->first.column; col <= used->last.column; ++col)
            touch(CellRef{col, row}).wrap = true;
}

SheetCell WorkbookSheet::cell(std::string_view address) const
{
    auto at = parseCellAddress(address);
    if (!at)
        return {};
    auto it = cells_.find(*at);
    return it == cells_.end() ? SheetCell{} : it->second;
}

bool WorkbookSheet::isMerged(std::string_view first, std::string_view last) const
{
    auto r = parseRange(first, last);
    return r && std::find(merges_.begin(), merges_.end(), *r) != merges_.end();
}

std::optional<CellRange> WorkbookSheet::mergeAt(CellRef c) const
{
    for (const auto& m : merges_)
        if (m.contains(c))
            return m;
    return std::nullopt;
}

std::optional<double> WorkbookSheet::rowHeight(int row) const
{
    auto it = rowHeights_.find(row);
    if (it == rowHeights_.end())
        return std::nullopt;
    return it->second;
}

std::optional<double> WorkbookSheet::columnWidth(int column) const
{
    auto it = columnWidths_.find(column);
    if (it == columnWidths_.end())
        return std::nullopt;
    return it->second;
}

std::optional<CellRange> WorkbookSheet::usedRange() const
{
    if (cells_.empty())
        return std::nullopt;
    CellRange r{cells_.begin()->first, cells_.begin()->first};
    for (const auto& [at, c] : cells_) {
        r.first.column = std::min(r.first.column, at.column);
        r.first.row = std::min(r.first.row, at.row);
        r.last.column = std::max(r.last.column, at.column);
        r.last.row = std::max(r.last.row, at.row);
    }
    return r;
}

} // namespace tabrel
