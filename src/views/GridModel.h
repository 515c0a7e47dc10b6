#pragma once
// The table of a data-entry dialog: GBK texts with fixed header rows and columns that the dialog
// fills, and cells the user edits and pastes into. It writes into itself; the dialog takes the
// texts over into the school when it is confirmed.
#include <string>
#include <vector>

#include "views/GridSource.h"

namespace tabrel {

class GridModel : public GridSource {
public:
    GridModel(int rows, int columns, int fixedRows = 1, int fixedColumns = 1);

    int rowCount() const override { return rows_; }
    int columnCount() const override { return columns_; }
    int fixedRows() const override { return fixedRows_; }
    int fixedColumns() const override { return fixedColumns_; }
    std::string text(int row, int column) const override;
    // Rows and columns beyond the fixed ones: the cells the user may edit.
    bool isEditable(int row, int column) const override;

    // Stores the text; false (and nothing changes) on a fixed cell or outside the grid.
    bool setText(int row, int column, const std::string& text);
    // A header text (fixed cells) set by the owner; the user never edits those.
    bool setHeader(int row, int column, const std::string& text);
    // Empties every editable cell.
    void clear();

    std::vector<CellPos> edit(int row, int column, const std::string& text) override;
    std::vector<CellPos> paste(int row, int column, const std::string& text) override;

    struct Range {
        int top = 0, left = 0, bottom = 0, right = 0; // inclusive
    };
    std::string copyText(const Range& range) const { return GridSource::copyText(range.top, range.left, range.bottom, range.right); }

private:
    int rows_, columns_, fixedRows_, fixedColumns_;
    std::vector<std::string> cells_;
};

} // namespace tabrel
