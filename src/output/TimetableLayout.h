#pragma once
// The state of the class and teacher timetable panels: what the cells show, how many tables stand
// in one row, where every table is placed and how large the laid-out picture is, and the scroll
// position over it. The Qt windows hold one of these, paint through a Canvas and forward input.
#include <string>
#include <vector>

#include "output/ClassTimetableSheet.h"
#include "output/DrawnTable.h"
#include "output/TeacherTimetableSheet.h"

namespace tabrel {

class Canvas;
class ClassTable;
class DataSet;
class TeacherInfoRecord;

inline constexpr int MinTablesPerRow = 1;
inline constexpr int MaxTablesPerRow = 15;

struct TablePosition {
    int x = 0, y = 0;
    bool operator==(const TablePosition&) const = default;
};

// Tables of w x totalHeight placed `tablesPerRow` to a row, 30 pixels apart and 40 pixels below each
// other, with a 30-pixel left and a 40-pixel top margin.
struct TableGrid {
    std::vector<TablePosition> origins;
    int contentWidth = 0;
    int contentHeight = 0;
};
TableGrid layoutTableGrid(int count, int tablesPerRow, int width, int totalHeight);

// Scroll position over a laid-out picture shown in a client area (the window's scroll bars move it).
class ScrollState {
public:
    static constexpr int LineStep = 10;

    int scrollX = 0, scrollY = 0;
    int clientWidth = 0, clientHeight = 0;

    // A new client size: both offsets return to 0.
    void setClientSize(int width, int height);
};

// Shared part of both panels.
class TimetablePanel {
public:
    int tablesPerRow = 4;
    int contentWidth = 0;
    int contentHeight = 0;
    ScrollState scroll;
    // Where each table of the panel stands and was drawn, in list order: the panel's own geometry.
    std::vector<DrawnTable> views;

    // The table under a point of the picture, or -1.
    int tableAt(int x, int y) const;

    virtual ~TimetablePanel() = default;

    // Lays the tables out. Returns "" or, without a data set, the message "pDataSet==NULL" (the
    // layout is then unchanged). An empty list leaves the layout as it was.
    virtual std::string LayoutTables() = 0;
    // Fills the picture white and draws every table at its origin. (The class panel first rebuilds
    // and lays out a stale class list; the window compares the picture size afterwards.)
    virtual void RedrawTables(Canvas& canvas) = 0;

    // Stores n (1 … 15) and lays the tables out again; false when n is the current value or out of
    // range, and nothing changes. The window then makes a new picture and redraws it.
    bool SetTablesPerRow(int n);
    // The picture the window draws into: the content plus 100 pixels of height.
    int pictureWidth() const { return contentWidth; }
    int pictureHeight() const { return contentHeight + 100; }
    bool hasLayout() const { return contentWidth > 0; }
    // The items "1" … "15" of the per-row menu.
    static std::vector<std::string> tablesPerRowMenuItems();

protected:
    void fillPicture(Canvas& canvas) const;
    // Places `count` tables of the data set's size, tablesPerRow to a row.
    void layoutViews(const DataSet& dataSet, std::size_t count);
};

// The class timetable panel (班级课程表).
class ClassTablePanel : public TimetablePanel {
public:
    explicit ClassTablePanel(DataSet* dataSet = nullptr) : pDataSet(dataSet) {}

    DataSet* pDataSet = nullptr;
    std::vector<ClassTable*> classList; // every class, grade by grade
    int showSubject = 1;
    int showTeacher = 1;
    int nameStyle = 0; // 0 = 全称, 1 = 简称

    // Empties classList and appends every class of every grade, in order.
    void RebuildClassList();
    // True when classList still holds exactly the data set's classes. A class removed or added
    // since the last rebuild makes the list stale; layout and drawing rebuild it first, so the
    // panel never follows a pointer to a destroyed class.
    bool classListCurrent() const;
    std::string LayoutTables() override;
    void RedrawTables(Canvas& canvas) override;

    void toggleShowSubject() { showSubject = showSubject ? 0 : 1; }
    void toggleShowTeacher() { showTeacher = showTeacher ? 0 : 1; }
    // Selects 全称 (0) or 简称 (1); false when it already is the selected one.
    bool setNameStyle(int style);
    ClassCellOptions cellOptions() const;
};

// The teacher timetable panel (教师课程表): every teacher of the data set, in list order.
class TeacherTablePanel : public TimetablePanel {
public:
    explicit TeacherTablePanel(DataSet* dataSet = nullptr) : pDataSet(dataSet) {}

    DataSet* pDataSet = nullptr;
    int showSubject = 1;
    int showClass = 1;

    std::string LayoutTables() override;
    void RedrawTables(Canvas& canvas) override;

    void toggleShowSubject() { showSubject = showSubject ? 0 : 1; }
    void toggleShowClass() { showClass = showClass ? 0 : 1; }
    TeacherCellOptions cellOptions() const;
};

} // namespace tabrel
