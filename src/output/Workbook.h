#pragma once
// What the workbook exports ask of a spreadsheet: one worksheet addressed in A1 notation, with
// merges, values, centring, borders, fonts, row heights, column widths, wrap text and save.
// `Workbook` is the interface the exports talk to; `WorkbookSheet` is the plain model of one sheet
// that the concrete workbooks fill (the recording one for tests, the .xlsx writer for files).
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tabrel {

// A worksheet holds 16,384 columns, the last one XFD.
inline constexpr int MaxWorkbookColumns = 16384;

// Column letters of a 1-based column: A … Z, AA … ZZ, then AAA … XFD; "" outside 1 … 16384.
std::string columnName(int column);
// "col(x)y", e.g. cellAddress(9, 18) == "I18"; "" when the column has no name or the row is < 1.
std::string cellAddress(int column, int row);

struct CellRef {
    int column = 0; // 1-based
    int row = 0;    // 1-based
    bool operator==(const CellRef&) const = default;
    auto operator<=>(const CellRef&) const = default;
};

// Parses "AB12"; empty when the text is no valid A1 address (lower case is accepted).
std::optional<CellRef> parseCellAddress(std::string_view address);

// A rectangle of cells, corners normalised so that first <= last in both directions.
struct CellRange {
    CellRef first, last;
    bool operator==(const CellRange&) const = default;
    bool contains(CellRef c) const
    {
        return c.column >= first.column && c.column <= last.column && c.row >= first.row && c.row <= last.row;
    }
    bool single() const { return first == last; }
    std::string text() const; // "A1:G1", or "A1" for one cell
};
std::optional<CellRange> parseRange(std::string_view first, std::string_view last);

// Font properties a range can be given; unset ones stay as they are.
struct FontSettings {
    std::optional<std::string> name; // face name, GBK ("黑体")
    std::optional<bool> bold;
    std::optional<double> size;
    std::optional<int> colorIndex;   // 1 = black
};

// Everything one cell carries.
struct SheetCell {
    std::string value;               // GBK; "" = no value
    bool hasValue = false;
    bool centred = false;            // horizontally and vertically
    bool borderTop = false, borderBottom = false, borderLeft = false, borderRight = false; // thin, continuous
    std::string fontName;            // GBK; "" = default face
    bool bold = false;
    double fontSize = 0;             // 0 = default size
    int colorIndex = 0;              // 0 = automatic
    bool wrap = false;
};

// The plain model of one worksheet, filled by the workbook operations.
class WorkbookSheet {
public:
    // Each returns false (and changes nothing) when an address is not valid A1 notation.
    bool merge(std::string_view first, std::string_view last);
    bool setValue(std::string_view first, std::string_view last, const std::string& text);
    bool centre(std::string_view first, std::string_view last);
    bool borderAround(std::string_view first, std::string_view last);
    bool setFont(std::string_view first, std::string_view last, const FontSettings& font);
    void setRowHeight(int row, double height);
    void setColumnWidth(int column, double width);
    bool setColumnWidth(std::string_view first, std::string_view last, double width);
    // Sets wrap text on every cell of the used range (the box around every touched cell).
    void wrapUsedRange();

    // ---- reading back ----
    const std::map<CellRef, SheetCell>& cells() const { return cells_; }
    const std::vector<CellRange>& merges() const { return merges_; }
    const std::map<int, double>& rowHeights() const { return rowHeights_; }
    const std::map<int, double>& columnWidths() const { return columnWidths_; }
    // The cell at an address (a default cell when nothing touched it).
    SheetCell cell(std::string_view address) const;
    std::string value(std::string_view address) const { return cell(address).value; }
    bool isMerged(std::string_view first, std::string_view last) const;
    // The merged range that holds the cell, if any.
    std::optional<CellRange> mergeAt(CellRef c) const;
    std::optional<double> rowHeight(int row) const;
    std::optional<double> columnWidth(int column) const;
    // Box around every touched cell; empty when nothing was written.
    std::optional<CellRange> usedRange() const;

private:
    SheetCell& touch(CellRef c) { return cells_[c]; }
    template <class F> bool forEach(std::string_view first, std::string_view last, F f);

    std::map<CellRef, SheetCell> cells_;
    std::vector<CellRange> merges_;
    std::map<int, double> rowHeights_;
    std::map<int, double> columnWidths_;
};

// The spreadsheet as the exports drive it: one workbook with one worksheet.
class Workbook {
public:
    virtual ~Workbook() = default;
    // Range.Merge (not across).
    virtual void merge(std::string_view first, std::string_view last) = 0;
    // Range.Item(1, 1) = text: the value of the range's top-left cell.
    virtual void setValue(std::string_view first, std::string_view last, const std::string& text) = 0;
    // HorizontalAlignment and VerticalAlignment = centre.
    virtual void centre(std::string_view first, std::string_view last) = 0;
    // BorderAround: thin continuous line, automatic colour.
    virtual void borderAround(std::string_view first, std::string_view last) = 0;
    virtual void setFont(std::string_view first, std::string_view last, const FontSettings& font) = 0;
    virtual void setRowHeight(int row, double height) = 0;
    virtual void setColumnWidth(int column, double width) = 0;
    // Range.ColumnWidth: every column of the range.
    virtual void setColumnWidth(std::string_view first, std::string_view last, double width) = 0;
    // UsedRange.WrapText = true.
    virtual void wrapUsedRange() = 0;
    // SaveAs. False with a readable message (UTF-8) when the file could not be written.
    virtual bool saveAs(const std::filesystem::path& path, std::string& error) = 0;
};

} // namespace tabrel
