#pragma once
// What every editable grid shows and writes, independent of the widget that draws it: the size,
// the fixed header rows and columns, the texts, which cells the user may edit, and what typing
// into a cell or pasting clipboard text at it writes. A grid over the school writes through an
// EditRunner, so every edit and every paste is one undoable step; a dialog's own table writes
// into itself. Both report the cells whose text changed. Texts are GBK.
#include <functional>
#include <string>
#include <vector>

#include "views/Edit.h"

namespace tabrel {

class DataSet;

struct CellPos {
    int row = 0, column = 0;
    bool operator==(const CellPos&) const = default;
};

class GridSource {
public:
    virtual ~GridSource() = default;
    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    virtual int fixedRows() const = 0;
    virtual int fixedColumns() const = 0;
    virtual std::string text(int row, int column) const = 0;
    // By default every cell that is neither in a fixed row nor in a fixed column.
    virtual bool isEditable(int row, int column) const;

    // Typing `text` into a cell; the cells whose text changed (none for a fixed or outside cell).
    virtual std::vector<CellPos> edit(int row, int column, const std::string& text) = 0;
    // Clipboard text pasted with its first field at (row, column), cut as every paste cuts it;
    // fields outside the grid or on cells that are not editable are skipped. One step.
    virtual std::vector<CellPos> paste(int row, int column, const std::string& text) = 0;

    // Delete or Backspace on a selection: empties the editable cells among `cells` (others are
    // skipped); the cells whose text changed. A school grid does it as one step.
    virtual std::vector<CellPos> clear(const std::vector<CellPos>& cells);

    // The tab-separated text of the cells from (top, left) to (bottom, right), clipped to the grid.
    std::string copyText(int top, int left, int bottom, int right) const;
    bool inside(int row, int column) const { return row >= 0 && row < rowCount() && column >= 0 && column < columnCount(); }

protected:
    // The (row, column, field) triples of a paste that land on editable cells.
    struct Field {
        int row, column;
        std::string text;
    };
    std::vector<Field> pasteFields(int row, int column, const std::string& text) const;
};

// A grid over the school: writes each cell through `writeCell` on the data set, inside one step
// per edit (typing into the same cell merges) or per paste.
class SchoolGridSource : public GridSource {
public:
    explicit SchoolGridSource(EditRunner runner) : runner_(std::move(runner)) {}
    std::vector<CellPos> edit(int row, int column, const std::string& text) override;
    std::vector<CellPos> paste(int row, int column, const std::string& text) override;
    std::vector<CellPos> clear(const std::vector<CellPos>& cells) override;

protected:
    // The name of the step of clearing cells (GBK); "清除内容" unless a grid names it otherwise.
    virtual std::string clearStepName() const;
    // Writes one cell as an edit would; true when the school changed.
    virtual bool writeCell(DataSet& dataSet, int row, int column, const std::string& text) = 0;
    // The names of the steps (GBK), e.g. "修改教师名称", "粘贴教师信息".
    virtual std::string editStepName(int row, int column) const = 0;
    virtual std::string pasteStepName() const = 0;

private:
    std::vector<CellPos> changedCells(const std::vector<std::string>& before) const;
    std::vector<std::string> snapshot() const;
    EditRunner runner_;
};

} // namespace tabrel
