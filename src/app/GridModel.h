#pragma once
// The editable grid the data-entry dialogs are built on: a table of GBK texts with fixed header rows
// and columns, a selected range, and copy and paste of tab-separated text ("\t" between cells,
// "\n" after each line) into the editable cells only.
#include <string>
#include <vector>

namespace tabrel {

// Splits clipboard table text into rows of cells; a "\r" before a line end is dropped and a final
// line end does not start an empty row.
std::vector<std::vector<std::string>> parseTableText(const std::string& text);

class GridModel {
public:
    GridModel(int rows, int columns, int fixedRows = 1, int fixedColumns = 1);

    int rowCount() const { return rows_; }
    int columnCount() const { return columns_; }
    int fixedRows() const { return fixedRows_; }
    int fixedColumns() const { return fixedColumns_; }
    // Rows and columns beyond the fixed ones: the cells the user may edit.
    bool isEditable(int row, int column) const;

    const std::string& text(int row, int column) const;
    // Stores the text; false (and nothing changes) outside the grid.
    bool setText(int row, int column, const std::string& text);
    // A header text (fixed cells) set by the owner; the user never edits those.
    bool setHeader(int row, int column, const std::string& text);

    struct Range {
        int top = 0, left = 0, bottom = 0, right = 0; // inclusive
    };
    // The tab-separated text of a range, clipped to the grid.
    std::string copyText(const Range& range) const;
    // Pastes table text with its top-left cell at (row, column): cells that fall outside the grid
    // or on a fixed cell are skipped. Returns the number of cells written.
    int paste(int row, int column, const std::string& text);

private:
    int rows_, columns_, fixedRows_, fixedColumns_;
    std::vector<std::string> cells_;
};

} // namespace tabrel
