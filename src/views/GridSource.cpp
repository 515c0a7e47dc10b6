#include "views/GridSource.h"

#include "data/ClipboardTable.h"
#include "data/Gbk.h"

namespace tabrel {

bool GridSource::isEditable(int row, int column) const
{
    return inside(row, column) && row >= fixedRows() && column >= fixedColumns();
}

std::string GridSource::copyText(int top, int left, int bottom, int right) const
{
    top = std::max(top, 0);
    left = std::max(left, 0);
    bottom = std::min(bottom, rowCount() - 1);
    right = std::min(right, columnCount() - 1);
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

std::vector<GridSource::Field> GridSource::pasteFields(int row, int column, const std::string& text) const
{
    std::vector<Field> out;
    const auto rows = cutClipboardTable(text);
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = 0; j < rows[i].size(); ++j) {
            const long long r = static_cast<long long>(row) + static_cast<long long>(i);
            const long long c = static_cast<long long>(column) + static_cast<long long>(j);
            if (r < rowCount() && c < columnCount() && isEditable(static_cast<int>(r), static_cast<int>(c)))
                out.push_back({static_cast<int>(r), static_cast<int>(c), rows[i][j]});
        }
    return out;
}

std::vector<CellPos> GridSource::clear(const std::vector<CellPos>& cells)
{
    std::vector<CellPos> out;
    for (const CellPos& p : cells)
        if (inside(p.row, p.column) && isEditable(p.row, p.column) && !text(p.row, p.column).empty())
            for (const CellPos& changed : edit(p.row, p.column, std::string()))
                out.push_back(changed);
    return out;
}

std::string SchoolGridSource::clearStepName() const
{
    return gbk::literal("清除内容");
}

std::vector<CellPos> SchoolGridSource::clear(const std::vector<CellPos>& cells)
{
    std::vector<CellPos> targets;
    for (const CellPos& p : cells)
        if (inside(p.row, p.column) && isEditable(p.row, p.column) && !text(p.row, p.column).empty())
            targets.push_back(p);
    if (targets.empty())
        return {};
    const auto before = snapshot();
    runner_(clearStepName(), [&](DataSet& ds) {
        bool changed = false;
        for (const CellPos& p : targets)
            changed = writeCell(ds, p.row, p.column, std::string()) || changed;
        return changed;
    }, -1);
    return changedCells(before);
}

std::vector<std::string> SchoolGridSource::snapshot() const
{
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(rowCount()) * static_cast<std::size_t>(columnCount()));
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            texts.push_back(text(r, c));
    return texts;
}

std::vector<CellPos> SchoolGridSource::changedCells(const std::vector<std::string>& before) const
{
    std::vector<CellPos> out;
    const int columns = columnCount();
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columns; ++c) {
            const std::size_t i = static_cast<std::size_t>(r) * columns + c;
            if (i >= before.size() || before[i] != text(r, c))
                out.push_back({r, c});
        }
    return out;
}

std::vector<CellPos> SchoolGridSource::edit(int row, int column, const std::string& text)
{
    if (!isEditable(row, column))
        return {};
    const auto before = snapshot();
    runner_(editStepName(row, column),
            [&](DataSet& ds) { return writeCell(ds, row, column, text); }, row * columnCount() + column);
    return changedCells(before);
}

std::vector<CellPos> SchoolGridSource::paste(int row, int column, const std::string& text)
{
    const auto fields = pasteFields(row, column, text);
    if (fields.empty())
        return {};
    const auto before = snapshot();
    runner_(pasteStepName(), [&](DataSet& ds) {
        bool changed = false;
        for (const Field& f : fields)
            changed = writeCell(ds, f.row, f.column, f.text) || changed;
        return changed;
    }, -1);
    return changedCells(before);
}

} // namespace tabrel
