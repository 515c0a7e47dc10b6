#pragma once
// The class view of the "手动排课" panel: one class's week at a time, placement from a menu ranked
// by the slot evaluation, swaps inside the class guided by the swap hints, the hover report and the
// teachers beside. Every method that changes the school works on the DataSet it is given and
// returns whether it changed something; the window wraps those in undo steps. Records are referred
// to by position and name only, so the view survives any edit and any undo.
#include <string>
#include <vector>

#include "manual/ManualSlot.h"

namespace tabrel {

class ClassTable;
class DataSet;
class LessonCell;
class TeacherInfoRecord;

namespace manual {

class ClassTableTiaoKe {
public:
    enum Mode { Placement = 0, Swap = 1 };

    // ---- the class list ----
    // The panel is shown (or the school changed under the view): the class list is rebuilt, the
    // current index kept within it, and a swap source that no longer exists is dropped.
    void refresh(DataSet& ds);
    int classCount() const { return classCount_; }
    int currentIndex() const { return current_; }
    // "初一(1)" … in grade order.
    std::vector<std::string> classNames(const DataSet& ds) const;
    ClassTable* currentClass(const DataSet& ds) const;
    // Shows class `index`; a pending swap of the former class is dropped with its marks.
    bool chooseClass(DataSet& ds, int index);
    // The class at (grade, class) positions, with the slot hovered when it is one (a problem of
    // the check opened here). False when there is no such class.
    bool showClassAt(DataSet& ds, int gradeIndex, int classIndex, Slot slot);
    bool previousClass(DataSet& ds) { return current_ > 0 && chooseClass(ds, current_ - 1); }
    bool nextClass(DataSet& ds) { return current_ + 1 < classCount_ && chooseClass(ds, current_ + 1); }
    // "初一(1)班课程表"; "" without classes.
    std::string title(const DataSet& ds) const;

    // ---- modes and display ----
    Mode mode() const { return mode_; }
    // Sets the mode; a pending swap source and its marks survive the change.
    bool setMode(Mode mode);
    // "显示教师" / "隐藏教师": toggles whether the cells show their teachers, a choice of this view
    // (not part of the school, so no undo step touches it).
    void toggleTeacherDisplay() { showsTeachers_ = !showsTeachers_; }
    bool showsTeachers() const { return showsTeachers_; }
    std::string teacherButtonText() const; // "显示教师" or "隐藏教师"

    // ---- placement (placement mode) ----
    // Whether a click on the cell opens the placement menu (no markFlag, no common period).
    bool menuOpens(const DataSet& ds, Slot s) const;
    // The menu of the cell: "[空白]" first when the cell holds a subject, then every candidate text
    // of the slot evaluation. The cell becomes the menu cell and the report box is emptied. Empty
    // when the menu does not open.
    std::vector<MenuEntry> placementMenu(DataSet& ds, Slot s);
    Slot menuCell() const { return menuCell_; }
    void closeMenu() { menuCell_ = {}; }
    // Chooses candidate k of the cell's evaluation: writes that candidate's own subject with the
    // teacher the plan names for it. Refused (false, `why` says why) when the menu does not open,
    // k is past the candidates or past the 19 that act, or the candidate is forbidden there.
    bool placeCandidate(DataSet& ds, Slot s, int k, std::string* why = nullptr);
    // The first candidate of the subject (what `tabrel-cli place --subject` chooses).
    bool placeSubject(DataSet& ds, Slot s, const std::string& subject, std::string* why = nullptr);
    // "[空白]": empties a cell that holds a subject.
    bool emptyCell(DataSet& ds, Slot s, std::string* why = nullptr);
    // A label key over the hovered cell places the candidate it labels in the report box.
    bool placeByKey(DataSet& ds, char key, std::string* why = nullptr);
    // "清空数据" after the question: every cell of the current class is emptied, a swap source dropped.
    bool clearClass(DataSet& ds);
    static const std::string& clearQuestion(); // "是否真的清所有数据?"

    // ---- fixing a lesson (both modes) ----
    // The right-click entry of the cell: "固定这节课" for a lesson that is not fixed, "取消固定" for a
    // fixed cell, "" when none is offered (outside the grid, a common period, a free unfixed cell).
    // A fixed lesson (markFlag 1) takes no click and no swap, and "重新排课", the completion and
    // the quality phase leave it where it is.
    std::string fixEntryText(const DataSet& ds, Slot s) const;
    // Toggles the mark of the cell; a pending swap whose source becomes fixed is dropped.
    bool toggleFixed(DataSet& ds, Slot s, std::string* why = nullptr);

    // ---- swap (swap mode) ----
    // Picks the cell as swap source and marks the class; false when the view does not take it
    // (markFlag 1, a common period, outside the grid). Picking the source again keeps its marks.
    bool pickSwapSource(DataSet& ds, Slot s);
    Slot swapSource() const { return source_; }
    bool swapPending() const { return source_.valid(); }
    // The marks of the class for the source, [period][day] within the grid (what `marks` prints).
    std::vector<std::vector<std::string>> marks(const DataSet& ds) const;
    // Whether a drop on the cell swaps (an ordinary slot marked "√" or "≈"); `why` names the mark.
    bool dropAccepted(const DataSet& ds, Slot target, std::string* why = nullptr) const;
    // Releases a dragged source over the cell: swaps when the drop is accepted. Dragging ends.
    bool dropOn(DataSet& ds, Slot target, std::string* why = nullptr);
    // Whether a right click on the cell offers "与这节课交换" (neither the source nor "╳").
    bool swapMenuOffered(const DataSet& ds, Slot target) const;
    // Chooses "与这节课交换" for the cell.
    bool swapWith(DataSet& ds, Slot target, std::string* why = nullptr);
    // Escape: the pending swap is dropped and the class's marks cleared.
    bool cancelSwap(DataSet& ds);
    void startDrag(int x, int y) { dragging_ = true; dragX_ = x; dragY_ = y; }
    void dragTo(int x, int y) { dragX_ = x; dragY_ = y; }
    void endDrag() { dragging_ = false; }
    bool dragging() const { return dragging_ && source_.valid(); }
    int dragX() const { return dragX_; }
    int dragY() const { return dragY_; }
    // What the box following a dragged source shows: its subject, and its teacher with teachers shown.
    std::vector<std::string> dragTexts(const DataSet& ds) const;

    // ---- hovering and the report box ----
    // The mouse is over the cell (an invalid slot: outside the grid). Returns true when the lines
    // or the hovered cell changed. Lines follow the unplaced-lesson report of the class view.
    bool hover(DataSet& ds, Slot s);
    Slot hoveredCell() const { return hovered_; }
    const std::vector<std::string>& reportLines() const { return lines_; }
    // The teacher of the hovered lesson (none over a free cell or a teacher without a record).
    const TeacherInfoRecord* hoveredTeacher(const DataSet& ds) const;
    const TeacherInfoRecord* sourceTeacher(const DataSet& ds) const;
    // The hovered cell moves by the arrow keys (within the grid; from nowhere to the first cell).
    bool moveHover(DataSet& ds, int dPeriod, int dDay);

    // The cell of the current class at the slot, nullptr outside the grid or without a class.
    LessonCell* cellAt(const DataSet& ds, Slot s) const;
    bool commonPeriodAt(const DataSet& ds, Slot s) const;

    // The help page of the view (UTF-8 HTML).
    static std::string helpPage();

private:
    bool refuse(std::string* why, const std::string& text) const;
    void dropSwap(DataSet& ds);
    bool swapCells(DataSet& ds, Slot target);
    void finishEdit(DataSet& ds);

    int classCount_ = 0;
    int current_ = -1;
    Mode mode_ = Placement;
    bool showsTeachers_ = false;
    Slot menuCell_;
    Slot hovered_;
    std::string hoveredTeacher_; // by name
    Slot source_;
    int sourceClass_ = -1;       // the class the source belongs to
    std::string sourceTeacher_;
    bool dragging_ = false;
    int dragX_ = 0, dragY_ = 0;
    std::vector<std::string> lines_;
};

} // namespace manual
} // namespace tabrel
