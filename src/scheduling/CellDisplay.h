#pragma once
// What a class timetable cell shows when it is drawn.
#include <string>

namespace tabrel {

class ClassTable;
class LessonCell;

struct CellDisplayOptions {
    bool showSubject = true;  // subjects (and common-period names)
    bool showTeacher = true;
    bool shortNames = false;  // teacher cut to its last four bytes (two Chinese characters)
};

struct CellDisplay {
    bool split = false;    // upper half `upper` (subject), lower half `lower` (teacher)
    std::string upper;     // the single centred text when not split
    std::string lower;
    bool markIcon = false; // markFlag 1: the mark icon at three quarters of the cell's width
};

// The common-period name if one is set; otherwise the subject ("empty" shows as blank) and the
// teacher, split into halves when both are shown and the teacher is not "".
CellDisplay cellDisplay(const ClassTable& classTable, const LessonCell& cell, const CellDisplayOptions& options);

} // namespace tabrel
