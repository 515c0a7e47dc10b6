#include "app/CoverStatisticsBook.h"

#include "data/Gbk.h"
#include "output/Workbook.h"

namespace tabrel {

void writeCoverStatistics(Workbook& wb, const std::string& title, const std::vector<TeacherCoverStats>& rows)
{
    const auto& headings = coverStatisticsHeadings();
    const int columns = static_cast<int>(headings.size());
    const std::string first = cellAddress(1, 1), last = cellAddress(columns, 1);
    wb.merge(first, last);
    wb.setValue(first, first, title);
    wb.centre(first, last);
    FontSettings titleFont;
    titleFont.name = GBK("黑体");
    titleFont.bold = true;
    titleFont.size = 14;
    wb.setFont(first, last, titleFont);
    wb.setRowHeight(1, 24);
    for (int c = 0; c < columns; ++c) {
        const std::string at = cellAddress(c + 1, 2);
        wb.setValue(at, at, headings[c]);
        wb.setColumnWidth(c + 1, c == 0 ? 14 : 10);
    }
    FontSettings bold;
    bold.bold = true;
    wb.setFont(cellAddress(1, 2), cellAddress(columns, 2), bold);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const TeacherCoverStats& s = rows[r];
        const int row = static_cast<int>(r) + 3;
        const int values[] = {s.due, s.taught, s.coverGiven, s.coveredByOthers, s.swaps, s.selfStudy};
        const std::string name = cellAddress(1, row);
        wb.setValue(name, name, s.teacher);
        for (int c = 0; c < 6; ++c) {
            const std::string at = cellAddress(c + 2, row);
            wb.setValue(at, at, gbk::formatInt(values[c]));
        }
    }
    const int lastRow = static_cast<int>(rows.size()) + 2;
    wb.centre(cellAddress(1, 2), cellAddress(columns, lastRow));
    for (int row = 2; row <= lastRow; ++row)
        for (int c = 1; c <= columns; ++c)
            wb.borderAround(cellAddress(c, row), cellAddress(c, row));
}

} // namespace tabrel
