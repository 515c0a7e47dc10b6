#pragma once
// The rule grid of the slot rules: a label column and one column per teaching day, a header row and
// one row per period (a thin empty row before the first afternoon and the first evening period),
// showing for every slot whether a subject (over a set of classes) or a set of teachers should be
// placed there: "尽量排", "一定排", "不排" or automatically (""). Both grids share the drawing, the
// hit test, the menu and the summary; they differ in what they read and write and in which mouse
// button cycles and which opens the menu. Texts are GBK.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "data/Dimensions.h"
#include "views/Canvas.h"

namespace tabrel {

class DataSet;

class PaikeRuleGrid {
public:
    enum class Mode { Subject, Teacher };
    // The stored texts of the rule values; Auto is no entry.
    static const std::string& preferText(); // "尽量排"
    static const std::string& mustText();   // "一定排"
    static const std::string& neverText();  // "不排"
    static const std::string& classesDifferText();  // "各班不同" (never stored)
    static const std::string& teachersDifferText(); // "设置不同" (never stored)
    // Auto → 尽量排 → 一定排 → 不排 → Auto; any other text (the disagreement texts) → Auto.
    static std::string nextInCycle(const std::string& shown);

    static constexpr Rgb LabelFill{34, 177, 76};

    explicit PaikeRuleGrid(Mode mode) : mode_(mode) {}
    Mode mode() const { return mode_; }

    // ---- what the grid is for ----
    // Subject grid: the subject and the classes in scope, as (grade, class) positions.
    void setSubject(const std::string& subjectName) { subject_ = subjectName; }
    const std::string& subject() const { return subject_; }
    void setScope(std::vector<std::pair<int, int>> classes) { scope_ = std::move(classes); }
    const std::vector<std::pair<int, int>>& scope() const { return scope_; }
    // Teacher grid: the selected teachers by name.
    void setTeachers(std::vector<std::string> names) { teachers_ = std::move(names); }
    const std::vector<std::string>& teachers() const { return teachers_; }
    // Whether clicks and commands do anything: a scope or a selection, and a name whose rule lines
    // can be read back (a name holding "-" never matches its own lines).
    bool active() const;

    // ---- displayed texts ----
    // Recomputes every slot's text from the stored rules.
    void refresh(const DataSet& ds);
    const std::string& shown(int period, int day) const;
    // The top-left cell: the subject; the teacher when one is selected, else "己选%d人".
    std::string cornerText() const;
    // Day-major summary of the shown texts: day name, period label, "（", text, "）" for every slot
    // showing something (days outer, periods inner).
    std::string summary(const DataSet& ds) const;

    // ---- geometry ----
    void setSize(int width, int height) { width_ = width; height_ = height; }
    int width() const { return width_; }
    int height() const { return height_; }
    struct RowBand {
        int period = -1; // -1 for the header and the thin rows
        bool thin = false;
        int top = 0, bottom = 0;
    };
    std::vector<RowBand> rows(const DataSet& ds) const;
    // Left edge of column c (0 the label column, 1 + d day d); columnLeft(D + 1) is the right end.
    int columnLeft(const DataSet& ds, int column) const;
    // The slot under the point: false outside every slot cell.
    bool slotAt(const DataSet& ds, int x, int y, int& period, int& day) const;
    Rect slotRect(const DataSet& ds, int period, int day) const;

    // ---- input ----
    enum class Button { Left, Right };
    enum class Phase { Down, Up };
    enum class Reaction { None, Cycle, Menu };
    // What a mouse event on the point asks for: the subject grid cycles on a left press and opens
    // the menu on a right release; the teacher grid opens the menu on a left press and cycles on a
    // right press. The slot is remembered for the menu.
    Reaction mouse(const DataSet& ds, Button button, Phase phase, int x, int y);
    int menuPeriod() const { return menuPeriod_; }
    // The slot the menu acts on when it is opened from the keyboard.
    void aimAt(int period, int day) { menuPeriod_ = period; menuDay_ = day; }
    int menuDay() const { return menuDay_; }

    enum class Command { Prefer, Must, Never, Auto, AllAuto };
    // The menu in order: "尽量排", "一定排", "不排", a separator (Command::Auto's place is after
    // it), "本节课自动", "全部设为自动".
    static const std::string& commandText(Command c);

    // ---- changes of the school ----
    // Cycles the slot's shown value and writes the result into every class in scope or for every
    // selected teacher.
    bool cycle(DataSet& ds, int period, int day);
    // A menu command on the slot last clicked (AllAuto: every slot of the time grid).
    bool apply(DataSet& ds, Command c);
    // Writes one value (Auto = "") into one slot for the whole scope or selection.
    bool write(DataSet& ds, int period, int day, const std::string& value);
    // Auto in every slot (periods × days) for the whole scope or selection.
    bool clearAll(DataSet& ds);

    void draw(Canvas& canvas, const DataSet& ds) const;

private:
    Mode mode_;
    std::string subject_;
    std::vector<std::pair<int, int>> scope_;
    std::vector<std::string> teachers_;
    std::array<std::array<std::string, DayColumns>, MaxPeriodRows> shown_{};
    int width_ = 0, height_ = 0;
    int menuPeriod_ = -1, menuDay_ = -1;
};

} // namespace tabrel
