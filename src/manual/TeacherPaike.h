#pragma once
// The teacher view of the "手动排课" panel: one teacher's week, the lessons still to place offered
// per free slot (computed in advance), placement and emptying from a menu, moving a lesson to
// another slot of its class (a swap inside the class), the class beside and, during a swap, the
// teacher of the lesson that would come back. Every method that changes the school works on the
// DataSet it is given and returns whether it changed something; records are referred to by position
// and name only.
#include <array>
#include <string>
#include <vector>

#include "data/Dimensions.h"
#include "manual/ManualSlot.h"

namespace tabrel {

class ClassTable;
class DataSet;
class LessonCell;
class TeacherInfoRecord;

namespace manual {

class TeacherPaike {
public:
    enum Mode { Placement = 0, Swap = 1 };

    // One lesson that may go into a slot: the class (position in grade order), the subject, the text.
    struct Candidate {
        int classIndex = -1;
        std::string subject;
        std::string text; // "初一(1)语文 [ 剩3节 ]", then the refusal when there is one
        std::string refusal; // "×(场室已满)" when its venue cannot take it there (GBK), else ""
    };

    // ---- the teacher list ----
    // The view is shown or the school changed: the list follows the data set's teachers (the shown
    // teacher is kept by name when it moved, the position kept within the list when it is gone),
    // the counts are taken from the grids and every candidate list is rebuilt.
    void refresh(DataSet& ds);
    int teacherCount() const { return teacherCount_; }
    int currentIndex() const { return current_; }
    // "语文-张三": taught subjects, "-", name.
    std::vector<std::string> teacherEntries(const DataSet& ds) const;
    TeacherInfoRecord* currentTeacher(const DataSet& ds) const;
    bool chooseTeacher(DataSet& ds, int index);
    bool previousTeacher(DataSet& ds) { return current_ > 0 && chooseTeacher(ds, current_ - 1); }
    bool nextTeacher(DataSet& ds) { return current_ + 1 < teacherCount_ && chooseTeacher(ds, current_ + 1); }
    // "教师: 张三课程表"; "" without teachers.
    std::string title(const DataSet& ds) const;

    Mode mode() const { return mode_; }
    // Sets the mode; the selected slot and a picked lesson are dropped.
    bool setMode(DataSet& ds, Mode mode);

    // ---- the week ----
    // The teacher's slot texts there: grade, class numbers, subject ("初一1.2语文").
    std::string slotText(const DataSet& ds, Slot s) const;
    bool teaches(const DataSet& ds, Slot s) const;
    // The teacher's first lesson in the slot, nullptr when free.
    LessonCell* lessonAt(const DataSet& ds, Slot s) const;
    const std::vector<Candidate>& candidates(Slot s) const;
    // Drawn shaded: before a pick, a free slot without a candidate that may be placed; during a swap, a free slot the
    // picked lesson may not move to (its class cell is "╳" or holds a common period, or the lesson
    // stands on a common period and the class cell is not free).
    bool shaded(const DataSet& ds, Slot s) const;
    // During a swap, the mark of the class's cell shown in a free slot ("★" for the picked slot);
    // none over a common period of the class, which takes no lesson.
    std::string swapMark(const DataSet& ds, Slot s) const;

    // ---- placement ----
    // The menu of a slot: the candidates when the teacher is free there, "[空白]" when the teacher
    // teaches there (that lesson's class becomes the current class). The slot becomes the selected slot.
    std::vector<MenuEntry> placementMenu(DataSet& ds, Slot s);
    bool placeCandidate(DataSet& ds, Slot s, int k, std::string* why = nullptr);
    // The first candidate of the subject, in class `classIndex` when that is >= 0.
    bool placeSubject(DataSet& ds, Slot s, const std::string& subject, int classIndex, std::string* why = nullptr);
    // "[空白]": empties the teacher's first lesson in the slot.
    bool emptySlot(DataSet& ds, Slot s, std::string* why = nullptr);
    bool placeByKey(DataSet& ds, char key, std::string* why = nullptr);
    // "清空数据" after its question: every lesson of the current teacher is emptied.
    bool clearTeacher(DataSet& ds);

    // ---- swap ----
    // Picks the teacher's lesson in the slot: its class becomes the current class and is marked.
    bool pickLesson(DataSet& ds, Slot s);
    bool lessonPicked() const { return selected_.valid() && currentClass_ >= 0 && picked_; }
    Slot selectedSlot() const { return selected_; }
    // Whether the picked lesson may move to the slot: another slot of the grid where the teacher is
    // free, whose class cell is not "╳" and holds no common period; a lesson standing on a common
    // period moves only to a free cell of its class (nothing comes back onto the common period).
    // A refusal reads the target's mark, then the reason in brackets: "╳ (…)", "≈ (教研活动)".
    bool moveAccepted(const DataSet& ds, Slot target, std::string* why = nullptr) const;
    // Releases a dragged lesson over the slot (only while it is dragged).
    bool dropOn(DataSet& ds, Slot target, std::string* why = nullptr);
    // "与这节课交换" for the slot.
    bool swapWith(DataSet& ds, Slot target, std::string* why = nullptr);
    bool cancelSwap(DataSet& ds);
    void startDrag(int x, int y) { dragX_ = x; dragY_ = y; }
    void dragTo(int x, int y) { dragX_ = x; dragY_ = y; }
    const std::string& dragText() const { return dragText_; }
    int dragX() const { return dragX_; }
    int dragY() const { return dragY_; }

    // ---- hovering ----
    // The mouse is over the slot (invalid: outside the week) with or without a button held.
    bool hover(DataSet& ds, Slot s, bool buttonHeld);
    Slot hoveredSlot() const { return hovered_; }
    bool moveHover(DataSet& ds, int dPeriod, int dDay);
    const std::vector<std::string>& reportLines() const { return lines_; }
    // The class shown beside the week, nullptr when none.
    ClassTable* currentClass(const DataSet& ds) const;
    int currentClassIndex() const { return currentClass_; }
    // During a swap: the teacher of the class's lesson at the hovered slot (another teacher with a record).
    const TeacherInfoRecord* otherTeacher(const DataSet& ds) const;

    static std::string helpPage();

private:
    bool refuse(std::string* why, const std::string& text) const;
    void rebuildLists(DataSet& ds);
    void showAgain(DataSet& ds);
    void dropPick(DataSet& ds);
    bool moveLesson(DataSet& ds, Slot target);
    std::vector<Candidate> buildCandidates(const DataSet& ds, Slot s) const;

    int teacherCount_ = 0;
    int current_ = -1;
    std::string currentName_;
    Mode mode_ = Placement;
    std::array<std::array<std::vector<Candidate>, DayColumns>, MaxPeriodRows> lists_;
    Slot selected_;
    Slot hovered_;
    int currentClass_ = -1;
    bool picked_ = false;
    std::string dragText_;
    std::string otherTeacher_;
    int dragX_ = 0, dragY_ = 0;
    std::vector<std::string> lines_;
};

} // namespace manual
} // namespace tabrel
