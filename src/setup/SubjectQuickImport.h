#pragma once
// The quick import of the subjects panel ("快速导入"): a grid of 50 data rows into which spreadsheet
// text is pasted — column "序号" (fixed, 1 … 50), "科目名称", one column per grade — and "确定",
// which replaces the whole catalogue with the rows read. Texts are GBK.
#include <string>
#include <vector>

#include "views/GridModel.h"

namespace tabrel {

class DataSet;

class SubjectQuickImport {
public:
    static constexpr int DataRows = 50;

    // The grid for the data set's grades: a fixed header row and a fixed 序号 column.
    explicit SubjectQuickImport(const DataSet& dataSet);

    static const std::string& title(); // "按要求将数据从EXCEL或WPS中复制到下面表格中"
    static const std::string& noRowsMessage(); // "请复制数据后，再确定"

    GridModel& grid() { return grid_; }
    const GridModel& grid() const { return grid_; }
    int gradeColumns() const { return grid_.columnCount() - 2; }
    // Column widths in the ratio 60 : 120 : 80 per grade, scaled to the grid's width.
    std::vector<int> columnWidths(int gridWidth) const;

    // Empties every data cell.
    void clear();
    // Pastes clipboard table text with its first field at (row, column) of the grid, cut as every
    // paste cuts it; fields past the grid or on the fixed cells are dropped. Returns the cells written.
    int paste(int row, int column, const std::string& text);

    // The rows "确定" reads: from data row 1 down to the first without a 科目名称, at most 50.
    int rowsToImport() const;
    // "确定": with no row, false (the dialog shows noRowsMessage and stays open) and nothing
    // changes. Otherwise the catalogue is replaced: one subject per row, named by its 科目名称, with
    // the decimal text of each grade cell's leading integer when that is at least 1, else "".
    // A lesson count that fits no int is refused, never clamped: with one, false and no change.
    bool accept(DataSet& dataSet) const;
    // Why "确定" refuses the rows it would read ("" when it takes them): the first lesson count
    // that fits no int, named by its row and grade column (GBK).
    std::string numberRefusal() const;

private:
    GridModel grid_;
};

// The dialog's help page (UTF-8 HTML).
std::string subjectQuickImportHelpPage();

} // namespace tabrel
