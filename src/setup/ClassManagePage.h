#pragma once
// The grades-and-classes panel (班级管理): the left menu's commands, the drawing of every grade's
// header and class boxes, the selection, the in-place renaming and the refusals at the school's
// limits. Every method that changes the school works on the DataSet it is given and returns
// whether it changed something; the window runs those calls as undoable steps. Texts are GBK.
#include <string>
#include <vector>

#include "data/Dimensions.h"

namespace tabrel {

class DataSet;

// The most grades a school holds (a subject keeps one lesson text per grade) and the most classes
// one grade holds (the table editor's rows).
inline constexpr int SchoolGradeLimit = MaxGradeColumns;
inline constexpr int GradeClassLimit = 50;

class ClassManagePage {
public:
    // The left menu's entries, "[title]…" / "[item]…" (GBK).
    static const std::vector<std::string>& menuEntries();

    // ---- selection ----
    int selectedGrade() const { return grade_; }
    int selectedClass() const { return class_; }
    void clearSelection() { grade_ = class_ = -1; editing_ = false; }
    // Keeps the selection inside the school after it changed behind the panel (an undo).
    void clampSelection(const DataSet& ds);

    // ---- drawing ----
    struct Item {
        enum class Kind { GradeHeader, ClassBox } kind = Kind::GradeHeader;
        int grade = -1, klass = -1;
        Rect rect;
        std::string text; // the header line or the class name
    };
    struct Layout {
        std::vector<Item> items;
        bool empty = false;        // no grades: the hint is drawn instead
        Rect hintClick;            // "点击此处"
        std::vector<std::pair<Rect, std::string>> hintTexts; // every text of the hint, "点击此处" first
        int contentHeight = 0;     // for scrolling
    };
    // Grade headers "年级名:  %s  ( 共 %d 班 )" and one box per class, wrapping within `width`.
    static Layout layout(const DataSet& ds, int width, int height);

    // ---- mouse ----
    enum class ClickKind { Nothing, EditGrade, EditClass, QuickEntry };
    struct Click {
        ClickKind kind = ClickKind::Nothing;
        Rect editRect;        // where the edit field opens
        std::string editText; // what it starts with
    };
    // A left click at (x, y) in content coordinates (the pending edit has been committed before):
    // a header selects its grade and opens the edit field on its name, a box its class, the hint's
    // "点击此处" asks for the quick entry; elsewhere the selection stays.
    Click leftClick(const DataSet& ds, int width, int height, int x, int y);
    // The keyboard: `step` moves the selection to the next (+1) or previous (-1) header or box in
    // drawing order (nothing selected: the first or the last); no edit field opens.
    void stepSelection(const DataSet& ds, int step);
    // Enter or F2: the edit field on what is selected (Nothing without a selection).
    Click editSelection(const DataSet& ds, int width, int height);
    // A right click on a class box: the text of the message listing the class's subjects (each
    // followed by "----"); empty when the click is not on a box.
    static std::string subjectListAt(const DataSet& ds, int width, int height, int x, int y);
    static std::string subjectList(const DataSet& ds, int grade, int klass);

    // ---- in-place edit ----
    bool editing() const { return editing_; }
    // Hides the edit field without writing (the window calls commit first when it has a text).
    void closeEdit() { editing_ = false; }
    // Writes the typed text as the grade name (only a grade selected) or the class name (a class
    // selected); an empty text keeps the old name. The field is closed. The name of the step.
    bool commitEdit(DataSet& ds, const std::string& text);
    std::string commitStepName(const DataSet& ds) const;

    // ---- commands of the left menu ----
    // A refusal text when the command cannot run now at the school's limits, "" otherwise.
    static std::string addGradeRefusal(const DataSet& ds);
    std::string addClassRefusal(const DataSet& ds) const;
    // "增加年级": a grade "未命名年级" with one class "未命名"; the new grade becomes selected.
    bool addGrade(DataSet& ds);
    // "增加班级": a class "未命名" in the selected grade.
    bool addClass(DataSet& ds);
    // Whether "删除年级" may run (a grade is selected) and its question.
    bool canDeleteGrade(const DataSet& ds) const;
    static std::string deleteGradeQuestion();
    bool deleteGrade(DataSet& ds);
    // "删除班级": the selected class; the grade's only class takes the grade with it.
    bool canDeleteClass(const DataSet& ds) const;
    bool deleteClass(DataSet& ds);
    // Step names: "增加年级", "删除年级 初二", "删除班级 初二(3)" …
    std::string deleteGradeStepName(const DataSet& ds) const;
    std::string deleteClassStepName(const DataSet& ds) const;

    // "填充班名称" ("班名填充规则"): every class becomes grade name + prefix + position + suffix.
    // Each text takes at most 12 characters.
    static constexpr int MaxRuleChars = 12;
    static bool fillClassNames(DataSet& ds, const std::string& prefix, const std::string& suffix);

    // The Chinese help page of the panel (UTF-8 HTML).
    static std::string helpPage();

private:
    int grade_ = -1;
    int class_ = -1;
    bool editing_ = false;
};

// A snapshot of the shape of the school (grade names, every class's name, grade name and ordinal)
// to tell whether a command changed it.
std::vector<std::string> schoolShape(const DataSet& ds);

} // namespace tabrel
