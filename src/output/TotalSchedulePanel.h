#pragma once
// The master timetable panel (总课程表) as the window sees it: the style shown, what cells show,
// which classes styles 1 and 2 show, the marked rows of style 2, the class-selection menu and the
// commands of the tool strip. Classes are held by their position in grade order, never by pointer,
// so an edit or an undo never leaves the panel pointing at a destroyed class.
#include <set>
#include <string>
#include <vector>

#include "output/TotalScheduleOne.h"
#include "output/TotalScheduleTable.h"

namespace tabrel {

class ClassTable;
class DataSet;

class TotalSchedulePanel {
public:
    int style = 0;       // 0 = 样式一, 1 = 样式二, 2 = 样式三
    int showSubject = 1;
    int showTeacher = 1;
    int nameStyle = 0;   // 0 = 全称, 1 = 简称 (styles 2 and 3)
    int subjectFontSize = 11;
    int teacherFontSize = 9;
    int firstVisibleRow = 0; // style 2's vertical scroll position, in classes

    // ---- the selection ----
    // a = 0: every class; 1 … grades: the classes of grade a − 1. Returns false (and keeps the
    // selection) for any other a.
    bool SelectClasses(const DataSet& dataSet, int a);
    // "自选班级": the classes at these positions (every class in grade order), kept in that order;
    // positions that name no class are dropped.
    void selectCustom(const DataSet& dataSet, std::vector<int> positions);
    // Positions of the selected classes in grade order that still name a class.
    std::vector<int> selectedPositions(const DataSet& dataSet) const;
    std::vector<ClassTable*> selectedClasses(const DataSet& dataSet) const;
    std::vector<const ClassTable*> selectedConstClasses(const DataSet& dataSet) const;

    // The class-selection menu: "所有班级", one "<grade>年级所有班级" per grade, "自选班级".
    static std::vector<std::string> classMenuEntries(const DataSet& dataSet);
    enum class MenuResult { Selected, ChooseClasses, Nothing };
    // A choice of that menu: entries select at once, the last one asks the window for a choice of
    // classes (then `selectCustom`).
    MenuResult chooseClassMenuEntry(const DataSet& dataSet, int entry);

    // ---- style 2 ----
    bool rowMarked(const DataSet& dataSet, int selectedIndex) const;
    // A click in style 2: a class name flips the class's mark. True when something changed.
    bool clickStyle2(const DataSet& dataSet, int x, int y, int width, int height);
    void scrollStyle2(int delta, const DataSet& dataSet);
    Style2Options style2Options() const;
    Style1Options style1Options() const;

    // ---- strip ----
    // Radio buttons: false when the style (or name style) already is the chosen one.
    bool SetStyle(int s);
    bool setNameStyle(int s);

    // Whether "批量导入" acts: only in style 1.
    bool batchImportActive() const { return style == 0; }
    // Whether "选择班级" opens its menu: not in style 3, which shows every class.
    bool classMenuActive() const { return style != 2; }

    // The text "导出打印" puts on the clipboard in styles 1 and 2 ("" in style 3).
    std::string exportText(const DataSet& dataSet) const;

    // Before the panel is shown: every class is selected again, marks and scrolling start afresh
    // when the classes changed.
    void prepareForShow(const DataSet& dataSet);

    // The step names of the panel's edits in the undo history (GBK).
    static std::string batchImportStepName();
    static std::string clearStepName();
    static std::string lineBreakStepName();
    // The question "清空" asks first.
    static std::string clearQuestion();

    // The Chinese help page (UTF-8 HTML).
    static std::string helpPage();

private:
    enum class Mode { All, Grade, Custom };
    Mode mode_ = Mode::All;
    int grade_ = 0;
    std::vector<int> custom_;
    std::set<std::string> marked_; // marked classes by "grade position/class position"
    static std::string key(const DataSet& dataSet, int position);
};

// Every class of every grade in grade order, and the position of one class in that list.
std::vector<ClassTable*> classesInGradeOrder(const DataSet& dataSet);

} // namespace tabrel
