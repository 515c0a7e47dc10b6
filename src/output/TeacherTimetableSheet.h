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

struct DrawnTable;
// Draws one teacher timetable at the view's origin: the title and drawing size and every slot's
// rectangle go into the view, then the slot texts. The teacher is only read.
void DrawTeacherTimetable(const TeacherInfoRecord& teacher, DrawnTable& view, Canvas& canvas,
                          const TeacherCellOptions& options);

} // namespace tabrel
