#pragma once
// The assignment page's control (任课信息): a teacher list with its own scroll strip on the left,
// the class × subject matrix on the right. Which teacher teaches a subject in a class is the
// `teacher` of the class's first assignment for the subject; this model reads and writes it by
// class index (every class, grades in order) and subject index. It also holds the control's state:
// scrolling, the selected cell, the drag of a name, the highlighted name and the armed editor.
// Methods that change the school take the DataSet and return whether they changed it. Texts GBK.
#include <string>
#include <utility>
#include <vector>

#include "data/Dimensions.h"

namespace tabrel {

class ClassTable;
class DataSet;
class TeacherInfoRecord;

class TeacherClassMatch {
public:
    static constexpr int ListRows = 24;      // teacher rows below the list's header
    static constexpr int MatrixRows = 24;    // class rows below the matrix's header
    static constexpr int MatrixColumns = 20; // equal columns after the class-name column
    static constexpr int ShownSubjects = 19; // of which these show subjects

    // ---- the assignment, by class and subject index ----
    // The matrix rows: every class of every grade, grades in order and classes in grade order.
    static std::vector<ClassTable*> classList(const DataSet& ds);
    static int classCount(const DataSet& ds);
    static std::string className(const DataSet& ds, int classIndex);
    static std::string assignmentTeacherAt(const DataSet& ds, int classIndex, int subjectIndex);
    // False and no change outside the lists or without an assignment; any text is taken.
    static bool setAssignmentTeacher(DataSet& ds, int classIndex, int subjectIndex, const std::string& text);
    // "整表复制": "班级" and every subject name, then one line per class ("" written as " ").
    static std::string wholeTableText(const DataSet& ds);
    // "数据粘贴" with its first field at (class, subject); pairs outside or without an assignment
    // are skipped.
    static bool pasteAt(DataSet& ds, int classIndex, int subjectIndex, const std::string& text);
    // "数据清空": every assignment of every class without a teacher.
    static bool clearAll(DataSet& ds);
    // The question "数据清空" asks first.
    static std::string clearQuestion();
    // When the class's weekly lessons exceed the slots of its week (the class name is shown red):
    // the tooltip saying so; "" otherwise.
    static std::string planOverWeekText(const DataSet& ds, int classIndex);
    // The teacher list's info text: "%d" workload, or "%d-%d" with the assigned periods.
    static std::string teacherInfo(const TeacherInfoRecord& t);
    // "提取教师": the teacher summary as rows of texts, header row first.
    static std::vector<std::vector<std::string>> teacherLoadRows(const DataSet& ds);

    // ---- geometry ----
    struct Layout {
        int rowHeight = 0;
        Rect listName, listInfo; // header cells of the teacher list
        Rect strip;              // the list's scroll strip
        Rect stripUp, stripDown, thumb;
        int matrixLeft = 0, classColumnWidth = 0, columnWidth = 0;
        int width = 0, height = 0;
    };
    Layout layout(int width, int height, int teacherCount) const;
    // Screen rectangles: list row k (0-based) and matrix cell (r, c), r and c 1-based; r or c 0 is
    // the header row or the class-name column.
    static Rect listRowRect(const Layout& l, int k);
    static Rect matrixCellRect(const Layout& l, int r, int c);
    // The rectangle of the matrix cell of (class, subject) when it is on screen.
    bool cellOnScreen(int classIndex, int subjectIndex, const Layout& l, Rect& out) const;

    enum class PlaceKind { None, ListHeader, ListRow, Matrix, StripUp, StripDown, StripAbove, StripBelow, Thumb };
    struct Place {
        PlaceKind kind = PlaceKind::None;
        int row = 0, column = 0; // list row k (0-based), or matrix screen row and column (1-based)
    };
    Place hitTest(const Layout& l, int x, int y) const;
    // The tooltip of the matrix cell under the point ("" for none).
    std::string tipAt(const DataSet& ds, const Layout& l, int x, int y) const;

    // ---- state ----
    int firstClass() const { return firstClass_; }
    int firstSubject() const { return firstSubject_; }
    int firstTeacher() const { return firstTeacher_; }
    int selectedClass() const { return selClass_; }
    int selectedSubject() const { return selSubject_; }
    bool hasSelection() const { return selClass_ >= 0 && selSubject_ >= 0; }
    const std::string& dragSource() const { return dragSource_; }
    const std::string& dragText() const { return dragText_; }
    const std::string& dragMode() const { return dragMode_; }
    bool dragging() const { return dragging_; }
    int dragX() const { return dragX_; }
    int dragY() const { return dragY_; }
    const std::string& highlightName() const { return highlight_; }
    bool armed() const { return armed_; }
    void select(int classIndex, int subjectIndex);
    // Keeps scrolling and selection inside the lists (after an undo or a new school).
    void clampTo(const DataSet& ds);

    // Vertical scrolling through the classes, horizontal through the subjects, and the teacher list.
    void scrollClassesTo(const DataSet& ds, int first);
    void scrollSubjectsTo(const DataSet& ds, int first);
    void scrollTeachersTo(const DataSet& ds, int first);
    static int maxFirstClass(const DataSet& ds);
    static int maxFirstSubject(const DataSet& ds);
    static int maxFirstTeacher(const DataSet& ds);
    // Keeps the selected cell on screen (after keyboard moves).
    void revealSelection(const DataSet& ds);

    // ---- mouse ----
    enum class Outcome { None, Redraw, OpenEditor, Drop, ContextMenu };
    struct Result {
        Result() = default;
        Result(Outcome o, int i = -1, int j = -1, std::string t = {})
            : outcome(o), classIndex(i), subjectIndex(j), text(std::move(t)) {}
        Outcome outcome = Outcome::None;
        int classIndex = -1, subjectIndex = -1; // Drop: the target
        std::string text;                       // Drop: the name
    };
    Result leftDown(const DataSet& ds, const Layout& l, int x, int y);
    // With the button held or not; Redraw while a dragged name follows the mouse.
    Result mouseMove(int x, int y, bool buttonHeld);
    Result leftUp(const DataSet& ds, const Layout& l, int x, int y);
    Result rightDown(const DataSet& ds, const Layout& l, int x, int y);

    // ---- commands on the selected cell ----
    // "数据粘贴" at the selected cell (the first class when its row is off screen).
    bool paste(DataSet& ds, const std::string& text) const;
    // "清除单元格".
    bool clearSelected(DataSet& ds) const;
    // The end of an in-place edit: written when it differs.
    bool commitEdit(DataSet& ds, const std::string& text) const;
    // Arrow keys move the selection; false when it did not move.
    bool moveSelection(const DataSet& ds, int dRow, int dColumn);

    // The page's help (UTF-8 HTML).
    static std::string helpPage();

private:
    // The (class, subject) a matrix screen cell shows; false when outside the lists.
    bool cellAt(const DataSet& ds, int r, int c, int& classIndex, int& subjectIndex) const;

    int firstClass_ = 0;
    int firstSubject_ = 0;
    int firstTeacher_ = 0;
    int selClass_ = -1, selSubject_ = -1;
    std::string dragSource_;
    int dragSourceRow_ = -1, dragSourceColumn_ = -1; // matrix screen cell of dragSource, -1 else
    std::string dragText_;
    std::string dragMode_;
    bool dragging_ = false;
    int downX_ = 0, downY_ = 0;
    int dragX_ = 0, dragY_ = 0;
    std::string highlight_;
    bool armed_ = false;
};

} // namespace tabrel
