#pragma once
// What a block paste took and what it left: the grids fill it while they paste, and the window
// shows its one message when something was left. Texts are GBK.
#include <string>
#include <vector>

namespace tabrel {

struct PasteSummary {
    int cellsTaken = 0;   // fields written (changed or not)
    int recordsAdded = 0; // rows that created a record
    std::vector<std::string> left; // one reason per row or cell left, in text order ("第3行…")
    std::vector<std::string> notes; // what was taken but needs a look (names without a record)
    bool changed = false;

    // True when the user should read the message: something was left or needs a look.
    bool worthTelling() const { return !left.empty() || !notes.empty(); }
    // One message: what was taken, then every row or cell left and why, then the notes.
    // `recordWord` names the record a row creates ("位教师").
    std::string message(const std::string& recordWord) const;
};

// "第n行" for the n-th line (1-based) of a pasted text.
std::string pastedLineName(int line);
// True when `text` holds a leading integer (as an edit reads it) that fits no int: such a number
// is refused, never clamped.
bool leadingIntOverflows(const std::string& text);

} // namespace tabrel
