#include "output/XlsxWorkbook.h"

#include <cerrno>

#include "data/SafeFile.h"

#include <map>
#include <system_error>
#include <tuple>

#include <xlsxwriter.h>

#include "data/Gbk.h"

namespace tabrel {

namespace {
// Why the workbook library could not write the file, in Chinese; the system's reason where the
// failure was the file itself.
std::string workbookFailureReason(lxw_error rc, int err)
{
    switch (rc) {
    case LXW_ERROR_CREATING_XLSX_FILE: return err ? systemReason(err) : "无法创建文件";
    case LXW_ERROR_CREATING_TMPFILE: return "无法创建临时文件";
    case LXW_ERROR_MEMORY_MALLOC_FAILED: return "内存不足";
    case LXW_ERROR_ZIP_FILE_OPERATION: return err ? systemReason(err) : "压缩数据写入出错";
    default: return "写入出错，代码 " + std::to_string(static_cast<int>(rc));
    }
}
} // namespace

namespace {

// Texts made of decimal digits only (no leading zero, at most 9 digits) go in as numbers, the way
// the spreadsheet turns such a typed-in text into a number.
bool isPlainNumber(const std::string& text)
{
    if (text.empty() || text.size() > 9)
        return false;
    if (text.size() > 1 && text[0] == '0')
        return false;
    for (char ch : text)
        if (ch < '0' || ch > '9')
            return false;
    return true;
}

using FormatKey = std::tuple<bool, bool, bool, bool, bool, std::string, bool, double, int, bool>;

FormatKey keyOf(const SheetCell& c)
{
    return {c.centred, c.borderTop, c.borderBottom, c.borderLeft, c.borderRight, c.fontName, c.bold, c.fontSize,
            c.colorIndex, c.wrap};
}

// Colour index 1 of the spreadsheet's standard palette is black; the exports use no other.
lxw_color_t paletteColour(int index)
{
    switch (index) {
    case 2: return LXW_COLOR_WHITE;
    case 3: return LXW_COLOR_RED;
    case 5: return LXW_COLOR_BLUE;
    default: return LXW_COLOR_BLACK;
    }
}

class FormatCache {
public:
    explicit FormatCache(lxw_workbook* wb) : wb_(wb) {}
    lxw_format* get(const SheetCell& c)
    {
        FormatKey key = keyOf(c);
        auto it = formats_.find(key);
        if (it != formats_.end())
            return it->second;
        lxw_format* f = workbook_add_format(wb_);
        if (c.centred) {
            format_set_align(f, LXW_ALIGN_CENTER);
            format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
        }
        if (c.borderTop)
            format_set_top(f, LXW_BORDER_THIN);
        if (c.borderBottom)
            format_set_bottom(f, LXW_BORDER_THIN);
        if (c.borderLeft)
            format_set_left(f, LXW_BORDER_THIN);
        if (c.borderRight)
            format_set_right(f, LXW_BORDER_THIN);
        if (!c.fontName.empty()) {
            std::string face = gbk::toUtf8(c.fontName);
            format_set_font_name(f, face.c_str());
        }
        if (c.bold)
            format_set_bold(f);
        if (c.fontSize > 0)
            format_set_font_size(f, c.fontSize);
        if (c.colorIndex > 0)
            format_set_font_color(f, paletteColour(c.colorIndex));
        if (c.wrap)
            format_set_text_wrap(f);
        formats_.emplace(key, f);
        return f;
    }

private:
    lxw_workbook* wb_;
    std::map<FormatKey, lxw_format*> formats_;
};

} // namespace

bool XlsxWorkbook::saveAs(const std::filesystem::path& path, std::string& error)
{
    const std::string file = path.string();
    std::error_code ec;
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    if (!std::filesystem::is_directory(folder, ec)) {
        error = "无法写入Excel文件：" + file + "（文件夹不存在）";
        return false;
    }
    lxw_workbook* wb = workbook_new(file.c_str());
    if (!wb) {
        error = "无法创建Excel文件：" + file;
        return false;
    }
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    if (!ws) {
        workbook_close(wb);
        error = "无法创建Excel文件：" + file;
        return false;
    }
    FormatCache formats(wb);

    for (const auto& [row, height] : sheet_.rowHeights())
        worksheet_set_row(ws, static_cast<lxw_row_t>(row - 1), height, nullptr);
    for (const auto& [column, width] : sheet_.columnWidths())
        worksheet_set_column(ws, static_cast<lxw_col_t>(column - 1), static_cast<lxw_col_t>(column - 1), width,
                             nullptr);

    // Merges first (they write blanks over their cells), then every cell with its own format.
    for (const CellRange& m : sheet_.merges()) {
        auto topLeft = sheet_.cells().find(m.first);
        SheetCell plain;
        const SheetCell& c = topLeft == sheet_.cells().end() ? plain : topLeft->second;
        worksheet_merge_range(ws, static_cast<lxw_row_t>(m.first.row - 1), static_cast<lxw_col_t>(m.first.column - 1),
                              static_cast<lxw_row_t>(m.last.row - 1), static_cast<lxw_col_t>(m.last.column - 1), "",
                              formats.get(c));
    }
    for (const auto& [at, c] : sheet_.cells()) {
        const auto row = static_cast<lxw_row_t>(at.row - 1);
        const auto col = static_cast<lxw_col_t>(at.column - 1);
        lxw_format* f = formats.get(c);
        if (c.hasValue && !c.value.empty()) {
            if (isPlainNumber(c.value)) {
                worksheet_write_number(ws, row, col, std::stod(c.value), f);
            } else {
                std::string text = gbk::toUtf8(c.value);
                worksheet_write_string(ws, row, col, text.c_str(), f);
            }
        } else {
            worksheet_write_blank(ws, row, col, f);
        }
    }

    const int savedErrno = (errno = 0);
    lxw_error rc = workbook_close(wb);
    if (rc != LXW_NO_ERROR) {
        const int err = errno != savedErrno ? errno : 0;
        error = "无法写入Excel文件：" + file + "（" + workbookFailureReason(rc, err) + "）";
        return false;
    }
    return true;
}

} // namespace tabrel
