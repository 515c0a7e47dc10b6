#pragma once
// The period-time dialog "节次时间设置（格式：8:30 ）": one row per common-period row and per day
// period with its start and end time, the lesson and break lengths and "向后填充". Nothing reaches
// the school before OK. Texts are GBK.
#include <string>
#include <vector>

namespace tabrel {

class DataSet;

class PeriodTimeTable {
public:
    enum Column { NameColumn = 0, StartColumn = 1, EndColumn = 2 };
    struct Row {
        std::string name;  // the common-period row's name or the period label
        std::string key;   // "p%d" for a common-period row, "c%d" for a period row
        std::string start, end;
    };

    // Rows in day order: before each period n its common-period row when one exists, then n.
    void load(const DataSet& ds);
    std::vector<Row>& rows() { return rows_; }
    const std::vector<Row>& rows() const { return rows_; }
    // The texts of the two length fields ("每节 … 分钟", "课间 … 分钟").
    std::string lessonText, breakText;

    // Only the time columns are typed into.
    bool setText(int row, int column, const std::string& text);
    const std::string& text(int row, int column) const;
    // Pastes clipboard table text from (row, column); the name column and cells past the rows
    // are skipped. Returns the number of cells written.
    int paste(int row, int column, const std::string& text);

    // "向后填充" from the cell with the focus: "" when the times were filled, otherwise the message
    // to show ("请选择有时间的某个单元格", "当前时间不符合格式，请参照 8:30 录入").
    std::string fillForward(int row, int column);

    // OK: every row's times (a "：" turned into ":") into the school's arrays, as typed.
    bool apply(DataSet& ds) const;

    // "%d:%d" of a time in minutes (hours are not wrapped).
    static std::string formatTime(int minutes);
    // A full-width colon "：" becomes ":".
    static std::string normalise(const std::string& text);

private:
    std::vector<Row> rows_;
};

} // namespace tabrel
