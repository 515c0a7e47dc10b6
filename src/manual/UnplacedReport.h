#pragma once
// The lines of the unplaced-lesson report box ("===未排情况如下:===") of the manual scheduling views.
#include <string>
#include <vector>

namespace tabrel {

class ClassTable;
class LessonCell;
class TeacherInfoRecord;

namespace report {

// The 20 labels of the listed candidates; candidates after the 20th carry none.
inline constexpr char Labels[] = "1234567890qwertyuiop";
inline constexpr int LabelCount = 20;

const std::string& heading(); // "===未排情况如下:==="

// Class view, for a cell of the class: nothing over a common period; over a free cell the heading,
// one labelled line per candidate of EvaluateSlot and the closing line (an empty line when there is
// no candidate); over a lesson "subject [ teacher ]" when the teacher has a record, else nothing.
std::vector<std::string> classViewLines(ClassTable& classTable, const LessonCell& cell, int autoRunning = 0);

// The candidate list of a teacher's slot: for the teacher's courses in order (stopping at the first
// free course slot), every class of the course whose plan names the teacher for the subject now and
// whose cell may take the subject by RemainingIfPlaceable, as "<class><subject> [ 剩n节 ]". The
// courses are only added to between loads, so a class whose plan has since named another teacher
// is left out: placing there would write that other teacher. Callers run RecountPlaced first.
struct SlotCandidate {
    ClassTable* classTable = nullptr;
    std::string subject;
    std::string text;
};
std::vector<SlotCandidate> teacherSlotEntries(const TeacherInfoRecord& teacher, int period, int day);
std::vector<std::string> teacherSlotCandidates(const TeacherInfoRecord& teacher, int period, int day);

// Teacher view, from a free slot's candidate list: the heading and one labelled line per entry,
// no closing line; nothing when the list is empty.
std::vector<std::string> teacherViewLines(const std::vector<std::string>& candidates);

} // namespace report
} // namespace tabrel
