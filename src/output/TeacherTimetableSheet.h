#pragma once
// The teacher timetable sheet: the class sheet with the title "%s 课程信息表" and, in every slot
// with a subject, the subject and the class text (grade name followed by the class numbers).
#include <string>

namespace tabrel {

class Canvas;
class TeacherInfoRecord;

// What a teacher slot shows (the teacher panel's tool strip).
struct TeacherCellOptions {
    bool showSubject = true;
    bool showClass = true;
};

// The class text of one slot, e.g. 初一1.3; "" outside the slot tables.
std::string teacherSlotClassText(const TeacherInfoRecord& teacher, int period, int day);

// Draws one teacher timetable at the record's origin: stores the title, refreshes the drawing size,
// draws the sheet, fills `cellRects`, then the slot texts.
void DrawTeacherTimetable(TeacherInfoRecord& teacher, Canvas& canvas, const TeacherCellOptions& options);

} // namespace tabrel
