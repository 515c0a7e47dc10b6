#pragma once
// The teacher page's grid (教师信息): seven columns over the teacher list, what a cell shows and
// what an edit writes, selection and in-place editing, scrolling, the whole-table copy and the
// block paste, deleting and moving teachers, and the settings clipboard of the rule cell buttons.
// Every method that changes the school works on the DataSet it is given and returns whether it
// changed something, so the window can run it as one undoable step. Texts are GBK.
#include <string>
#include <vector>

namespace tabrel {

class DataSet;
struct PasteSummary;

class TeacherInfoGrid {
public:
    static constexpr int ColumnCount = 7;
    static constexpr int HeaderHeight = 28;
    static constexpr int RowHeight = 26;
    static constexpr int RuleColumn = 6;

    // "序号", "教师名称", "简称", "任教学科", "工作量", "备注", "尽量排，一定排，不排".
    static const std::vector<std::string>& headers();
    // The text of a teacher's cell; "" outside the list or the columns.
    static std::string cellText(const DataSet& ds, int teacher, int column);
    // Writes an edited text as the column takes it (工作量: its leading integer; a number that fits
    // no int is refused); columns 0 and 6 and rows outside the list take nothing. True when the
    // record changed.
    static bool writeCell(DataSet& ds, int teacher, int column, const std::string& text);
    // The whole-table copy: the header line and one line per teacher, "\t" between cells.
    static std::string wholeTableText(const DataSet& ds);
    // The block paste with its first field at (row, column): lines go down, fields go right,
    // fields past column 5 are skipped, rows past the end append teachers. A row that would append
    // a teacher without a 教师名称 is left (later rows move up), and so is a 工作量 that fits no
    // int; `summary` (optional) gets what was taken and left. True when it changed.
    static bool pasteAt(DataSet& ds, int row, int column, const std::string& text);
    static bool pasteAt(DataSet& ds, int row, int column, const std::string& text, PasteSummary* summary);
    // Why an edit of the column is refused ("" when it is taken), GBK.
    static std::string editRefusal(int column, const std::string& text);
    // A 任教学科 that names no subject of the list is marked (drawn red) with a tooltip.
    static bool cellMarked(const DataSet& ds, int teacher, int column);
    static std::string cellTip(const DataSet& ds, int teacher, int column);
    // The distinct 任教学科 texts that name no subject, in teacher order.
    static std::vector<std::string> unknownSubjectsOf(const DataSet& ds);
    // Pixel widths of the seven columns for a client width (units of the header height).
    static std::vector<int> columnWidths(int clientWidth);
    // How many places (teaching assignments and timetable cells) name the teacher.
    static int placesNaming(const DataSet& ds, const std::string& name);
    // The question asked before a teacher still named elsewhere is deleted; "" when none names him.
    static std::string deleteQuestion(const DataSet& ds, int teacher);

    // ---- display state ----
    int firstRow() const { return firstRow_; }
    int selectedRow() const { return selRow_; }       // within the visible rows, -1 when none
    int selectedColumn() const { return selColumn_; } // -1 when none
    int visibleRows() const { return visibleRows_; }
    bool hasSelection() const { return selRow_ >= 0 && selColumn_ >= 0; }
    // The teacher of the selected row, -1 when none.
    int selectedTeacher() const { return selRow_ >= 0 ? firstRow_ + selRow_ : -1; }
    bool ruleButtonsShown() const { return ruleButtons_; }
    void setClientHeight(int height);
    // The never-empty rule: drawing an empty list first appends a teacher. True when it did.
    static bool ensureNotEmpty(DataSet& ds);
    // Keeps the first row and the selection inside the list (after an undo or a new school).
    void clampTo(int count);

    // The visible row and column under a point of the client area, or false.
    bool hitTest(int x, int y, int clientWidth, int& row, int& column) const;

    // ---- mouse and keys; the result tells the window what to open ----
    enum class Action { None, Redraw, OpenEditor };
    Action leftDown(int row, int column); // row -1: outside every cell
    Action leftUp(int row, int column);
    Action doubleClick(int row, int column);
    Action rightDown(int row, int column);
    void select(int row, int column);
    // How an in-place edit ended. Tab, the arrows and the page keys move the selection to the next
    // editable cell that way (scrolling as needed); the editor then opens again there.
    enum class EditEnd { Accept, Cancel, Tab, BackTab, Up, Down, Left, Right, PageUp, PageDown };
    // True when the editor opens again on the (new) selected cell.
    bool moveAfterEdit(EditEnd end, int count);

    // Scrolling by one row (+1/-1), one page, or to a position; hides the rule buttons.
    void scrollBy(int rows, int count);
    void scrollTo(int first, int count);
    int maxFirstRow(int count) const;

    // ---- page commands ----
    // "数据粘贴" / Ctrl+V at the selected cell; nothing without a selection or on column 6.
    bool paste(DataSet& ds, const std::string& text, PasteSummary* summary = nullptr) const;
    bool canPaste() const { return hasSelection() && selColumn_ < RuleColumn; }
    bool addTeacher(DataSet& ds);
    bool deleteSelected(DataSet& ds);
    bool moveUp(DataSet& ds);
    bool moveDown(DataSet& ds);

    // ---- rule cell buttons ----
    void hideRuleButtons() { ruleButtons_ = false; }
    // "复制设置": the teacher's summary, then "%d,%d,%s" for every period (outer) and day (inner).
    void copySettings(const DataSet& ds);
    // "粘贴设置" onto the selected teacher. True when it changed something.
    bool pasteSettings(DataSet& ds);
    const std::vector<std::string>& settingsClipboard() const { return settingsClipboard_; }
    // The settings lines of one teacher, and their pasting onto another (also used by copy-rules).
    static std::vector<std::string> settingsOf(const DataSet& ds, int teacher);
    static bool applySettings(DataSet& ds, int teacher, const std::vector<std::string>& lines);

    // The page's help (UTF-8 HTML).
    static std::string helpPage();

private:
    int firstRow_ = 0;
    int selRow_ = -1;
    int selColumn_ = -1;
    int visibleRows_ = 1;
    bool armed_ = false;
    bool ruleButtons_ = false;
    std::vector<std::string> settingsClipboard_;
};

} // namespace tabrel
