#pragma once
// The subjects panel ("科目管理"): the custom-drawn grid of the subject catalogue with one row per
// subject and one column per grade, its footer of sums and capacities, the selection, the in-place
// editor, the "进度一致" toggle, the three rule buttons of the rule column, scrolling, the row
// commands and the settings clipboard. The window paints `draw` and forwards input; every change of
// the school is a method taking the DataSet and returning whether it changed something. Texts GBK.
#include <string>
#include <vector>

#include "data/Dimensions.h"

namespace tabrel {

class Canvas;
class DataSet;

class KmGrid {
public:
    // Fixed sizes of the grid, in pixels.
    static constexpr int NumberWidth = 50, NameWidth = 110, GradeWidth = 80, LimitWidth = 100, ProgressWidth = 70;
    static constexpr int HeaderHeight = 40, RowHeight = 26, FooterHeight = 42;
    // Where the grid stands in its page: 8 pixels from the left, 50 from the top, 20 narrower and
    // 60 less high than the page.
    static Rect gridRectInPage(int pageWidth, int pageHeight);

    enum class ColumnKind { None, Number, Name, Grade, Limit, Progress, Rules };
    struct Column {
        ColumnKind kind = ColumnKind::None;
        int grade = -1; // ColumnKind::Grade: the grade position
        int left = 0, right = 0;
    };

    // The grid's client size; the number of visible rows follows it: (height − 82) / 26.
    void setSize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    int visibleRows() const { return visibleRows_; }

    // The columns for the data set's grades, left to right; the rule column fills the rest.
    std::vector<Column> columns(const DataSet& ds) const;
    // Column index under x, -1 outside.
    int columnAt(const DataSet& ds, int x) const;
    // Subject index of the row under y, -1 outside the visible subject rows.
    int subjectAt(const DataSet& ds, int y) const;
    Rect cellRect(const DataSet& ds, int subject, int column) const;

    // ---- selection ----
    int selectedSubject() const { return selected_; }
    int selectedColumn() const { return selectedColumn_; }
    // Selects a subject row (or -1) and a column; the row is scrolled into view.
    void select(const DataSet& ds, int subject, int column);
    // Keeps the selection and the first visible row inside the list after the school changed.
    void clampToData(const DataSet& ds);

    // ---- scrolling: the first visible row stays within 0 … max(0, subjects − visible rows) ----
    enum class Scroll { LineUp, LineDown, PageUp, PageDown, Top, Bottom, Thumb };
    void scroll(const DataSet& ds, Scroll how, int thumbRow = 0);
    int firstRow() const { return firstRow_; }
    int maxFirstRow(const DataSet& ds) const;

    // ---- mouse ----
    enum class Action { None, Edit, ToggleProgress, ShowButtons, OpenPreset, CopySettings, PasteSettings };
    // Pressing a button: on a shown rule button that button's action; otherwise selects the row
    // and column under the point (a press outside the rows keeps the selection).
    Action press(const DataSet& ds, int x, int y);
    // Releasing it: what follows for the selected cell — an editor on 科目全称, a grade column or
    // 同科上限; the toggle on 进度一致; the rule buttons on the rule column (a release anywhere
    // else hides them). A press on a rule button already gave its action, so its release is None.
    Action release(const DataSet& ds, int x, int y);

    // ---- the rule buttons ----
    bool buttonsShown() const { return buttonsRow_ >= 0; }
    void hideButtons() { buttonsRow_ = -1; }
    enum class Button { Preset, Copy, Paste };
    // Rectangles of the three buttons in the rule cell of the row they were opened on.
    Rect buttonRect(const DataSet& ds, Button b) const;
    static const std::string& buttonText(Button b);

    // ---- keyboard: arrows move the selection, Page Up/Down, Home/End scroll ----
    enum class Key { Up, Down, Left, Right, PageUp, PageDown, Home, End, Enter, Space };
    Action key(const DataSet& ds, Key k);

    // ---- the in-place editor ----
    // Whether the selected cell has an editor, and its starting text (the integer of 同科上限).
    bool editable(const DataSet& ds) const;
    std::string editText(const DataSet& ds) const;
    // Stores the editor's text into the selected cell when it differs: the name, the grade's lesson
    // text as typed, or the leading integer of the text for 同科上限.
    bool commitEdit(DataSet& ds, const std::string& text) const;
    // The same for an explicit subject and column.
    static bool storeCellText(DataSet& ds, int subject, const Column& column, const std::string& text);

    // ---- changes of the school (each one step of the undo stack) ----
    bool toggleProgress(DataSet& ds) const;
    // "添加科目": a subject with an empty name is appended and selected.
    bool addSubject(DataSet& ds);
    // "删除科目": the selected subject goes; on the last one the selection moves up a row.
    bool deleteSubject(DataSet& ds);
    // "上移一行" / "下移一行": exchanges with the neighbour; the selection follows.
    bool moveUp(DataSet& ds);
    bool moveDown(DataSet& ds);
    // "复制设置" fills the settings clipboard from the selected subject (no change of the school);
    // "粘贴设置" applies it to the selected subject.
    bool copySettings(const DataSet& ds);
    bool pasteSettings(DataSet& ds) const;
    const std::vector<std::string>& settingsClipboard() const { return clipboard_; }
    // The summary the preset window hands back when it closes.
    static bool setRuleSummary(DataSet& ds, int subject, const std::string& summary);
    // Leaving the panel drops every subject without a name ("添加科目" left empty), after the
    // question naming their rows (GBK, "" when every subject has a name). True when one went.
    static bool dropUnnamedSubjects(DataSet& ds);
    static std::string unnamedSubjectsQuestion(const DataSet& ds);

    // ---- what the grid shows ----
    std::string cellText(const DataSet& ds, int subject, const Column& column) const;
    // Sum of the leading integers of the grade's lesson texts over every subject.
    static int lessonSum(const DataSet& ds, int grade);
    // Lessons a week the time grid holds: periods a day × days.
    static int capacity(const DataSet& ds);
    // The slots of the week a class of `grade` can take a lesson in (the most of its classes; slots
    // blocked in every class do not count); the capacity for a grade without classes.
    static int usableCapacity(const DataSet& ds, int grade);
    // A grade's lesson count above the week's capacity, and a grade's sum above it, are shown red;
    // the tooltip under the point says why ("" where there is nothing to say).
    static bool overCapacity(const DataSet& ds, int subject, const Column& column);
    std::string tipAt(const DataSet& ds, int x, int y) const;
    // Header texts of a column: one line, or two (upper, lower) for 进度一致.
    std::vector<std::string> headerTexts(const DataSet& ds, const Column& column) const;
    void draw(Canvas& canvas, const DataSet& ds) const;

private:
    bool selectionValid(const DataSet& ds) const;
    void ensureVisible(const DataSet& ds);

    int width_ = 0, height_ = 0, visibleRows_ = 0;
    int firstRow_ = 0;
    int selected_ = -1;
    int selectedColumn_ = -1;
    int buttonsRow_ = -1; // subject whose rule buttons are shown
    bool pressedOnButton_ = false;
    std::vector<std::string> clipboard_;
};

// The panel's help page (UTF-8 HTML).
std::string kmSetHelpPage();

} // namespace tabrel
