#pragma once
// What the two manual scheduling views share: a slot of the shown grid, the entries of a placement
// menu, and the outcome of an action the view may refuse.
#include <string>

namespace tabrel {

class ClassTable;
class DataSet;

namespace manual {

// (period, day) of the shown grid; (-1, -1) is no slot.
struct Slot {
    int period = -1;
    int day = -1;
    bool valid() const { return period >= 0 && day >= 0; }
    bool operator==(const Slot&) const = default;
};

// One entry of a placement menu: "[空白]" (candidate -1) or candidate k of the menu's list.
struct MenuEntry {
    std::string text; // GBK, as the menu shows it
    int candidate = -1;
    bool acts = true; // false: choosing it does nothing (past the 19 that act, or refused there)
};

// Only the first 19 candidates of a placement menu act when chosen.
inline constexpr int ActingMenuEntries = 19;

// Periods and days of the grid the views show (within the fixed 12 x 7 grid).
int shownPeriods(const DataSet& ds);
int shownDays(const DataSet& ds);
inline bool insideGrid(const DataSet& ds, Slot s)
{
    return s.period >= 0 && s.day >= 0 && s.period < shownPeriods(ds) && s.day < shownDays(ds);
}

// Every class of the data set in grade order: the class at a position (nullptr past the end), the
// position of a class (-1 when it is not there), and their number.
ClassTable* classInListOrder(const DataSet& ds, int index);
int listIndexOf(const DataSet& ds, const ClassTable* classTable);
int classListSize(const DataSet& ds);

// The help page of the "手动排课" panel: both views and the keys every panel shares (UTF-8 HTML).
std::string panelHelpPage();
// The same page while the teacher view is shown: its own part first, then the class view's.
std::string teacherViewHelpPage();

// The label key of the i-th listed candidate ("1234567890qwertyuiop"), or -1 for a key that is no label.
int labelIndex(char key);

} // namespace manual
} // namespace tabrel
