#pragma once
// What a timetable breaks, for a person deciding whether to print it: every lesson the cell
// fitness check calls forbidden where it stands, lessons on common-period slots, subjects over a
// room limit in one slot, slots whose "一定排" subject rule they do not keep, subjects placed more
// often than the plan, and lessons still to place.
#include <string>
#include <vector>

namespace tabrel {

class ClassTable;
class DataSet;
class LessonCell;

enum class ProblemKind { Section, TeacherClash, SubjectNever, TeacherNever, CommonPeriod, RoomLimit, SubjectMust, OverPlan,
                         Unplaced, StaleChange, Venue };

// The first reason the cell fitness check finds for calling the lesson in the cell forbidden, in the
// order it tests them; None when the lesson may stand there (or the cell holds none).
enum class LessonFault { None, Section, TeacherClash, SubjectNever, TeacherNever };
LessonFault ForbiddenReason(const ClassTable& classTable, const LessonCell& cell);

struct TimetableProblem {
    ProblemKind kind = ProblemKind::Section;
    int gradeIndex = -1, classIndex = -1;
    std::string className; // GBK
    int period = -1, day = -1; // 0-based; -1 for a problem of no slot
    std::string subject, teacher; // GBK
    int count = 0; // lessons too many or left, for OverPlan and Unplaced
    bool counted() const { return kind == ProblemKind::OverPlan || kind == ProblemKind::Unplaced; }
};

// The kind's name on the command line and in JSON ("section", "teacher-clash", …).
const char* problemKindName(ProblemKind kind);
// The kind as the run page names it (GBK).
std::string problemKindText(ProblemKind kind);

// The problems of every class (or of the listed ones, in grade and class order all the same),
// class by class: its cells in period-major order (a cell's fitness problem, then its common-period
// problem, then its room-limit problem, then one subject-must problem per "一定排" rule of a subject
// the cell does not hold, then its venue problem: a lesson after the first `capacity` lessons of its
// venue at the slot in grade and class order, or any lesson of a venue in one of its unavailable
// slots), then its plan's over-plan and unplaced problems in the order
// of its assignments, then the subjects outside the plan in the order they first stand in the grid.
// Room limits count the classes of the whole school. After a cell's own problems come its
// stale-change problems: recorded changes of the class at that slot (the weekday the change's date
// follows) whose subject or teacher no longer stands in the cell; a stale change whose date follows
// no column comes after the class's cells, and one naming no class at the end of the whole list.
std::vector<TimetableProblem> CheckTimetable(const DataSet& dataSet);
std::vector<TimetableProblem> CheckTimetable(const DataSet& dataSet, const std::vector<const ClassTable*>& classes);

// "星期一第1节" for a slot, "" for a problem of no slot (GBK).
// The subjects whose rule in the cell is "一定排", in the order of the cell's rule lines (GBK).
std::vector<std::string> MustSubjects(const LessonCell& cell);

std::string problemSlotText(const DataSet& dataSet, const TimetableProblem& problem);

} // namespace tabrel
