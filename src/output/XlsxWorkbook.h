#pragma once
// The workbook written as an .xlsx file. The only code that knows the file format.
#include "output/Workbook.h"

namespace tabrel {

class XlsxWorkbook : public Workbook {
public:
    void merge(std::string_view first, std::string_view last) override { sheet_.merge(first, last); }
    void setValue(std::string_view first, std::string_view last, const std::string& text) override
    {
        sheet_.setValue(first, last, text);
    }
    void centre(std::string_view first, std::string_view last) override { sheet_.centre(first, last); }
    void borderAround(std::string_view first, std::string_view last) override { sheet_.borderAround(first, last); }
    void setFont(std::string_view first, std::string_view last, const FontSettings& font) override
    {
        sheet_.setFont(first, last, font);
    }
    void setRowHeight(int row, double height) override { sheet_.setRowHeight(row, height); }
    void setColumnWidth(int column, double width) override { sheet_.setColumnWidth(column, width); }
    void setColumnWidth(std::string_view first, std::string_view last, double width) override
    {
        sheet_.setColumnWidth(first, last, width);
    }
    void wrapUsedRange() override { sheet_.wrapUsedRange(); }
    // Writes the sheet as an .xlsx file (texts and face names converted from GBK to UTF-8).
    bool saveAs(const std::filesystem::path& path, std::string& error) override;

    const WorkbookSheet& sheet() const { return sheet_; }

private:
    WorkbookSheet sheet_;
};

} // namespace tabrel
