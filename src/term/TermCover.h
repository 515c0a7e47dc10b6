#pragma once
// Running the term: absences and the lessons they touch, the candidates for covering one lesson
// (a substitute, a swap), the checks every change passes, the one-click cover of whole absences,
// and the change records themselves. Every operation that changes the school takes the DataSet to
// change and leaves it untouched when it refuses; the caller runs it as one edit of the document.
#include <string>
#include <vector>

#include "data/SchoolExtension.h"
#include "term/DatedTimetable.h"

namespace tabrel {

class DataSet;

// ---- absences ------------------------------------------------------------------------------------
enum class LessonState { Open, Covered, Cancelled };

struct TouchedLesson {
    DayNumber date = 0;
    int period = 0;
    int classIndex = -1; // grade order
    std::string className, subject;
    LessonState state = LessonState::Open;
    int change = -1;     // the change that covers it
    std::string how;     // "代课 李强", "自习", "停课", "调课 3月13日第1节" (GBK), "" while open
};

// Every lesson of the weekly timetable the absent teacher would give within the absence, on the
// teaching days of the term, in date, period and class order.
std::vector<TouchedLesson> touchedLessons(const DataSet& dataSet, const AbsenceRecord& absence);

// Why the absence cannot be recorded (GBK), "" when it can: an unknown teacher, a kind that is not
// one of AbsenceKinds, a date outside the term (or no term), a period outside the grid, an end before
// the start.
std::string absenceRefusal(const DataSet& dataSet, const AbsenceRecord& absence);
// Records it with the next free id (its own id is ignored); returns the id, 0 when refused.
int addAbsence(DataSet& dataSet, AbsenceRecord absence, std::string* refusal = nullptr);
// Removes the absence and every change that belongs to it; false when no absence has the id.
bool removeAbsence(DataSet& dataSet, int id);

// ---- candidates -----------------------------------------------------------------------------------
struct SubstituteCandidate {
    int teacher = -1; // index in dataSet.teachers
    int group = 2;    // 0 same subject, 1 teaches the class, 2 the rest
    int coversSoFar = 0;
    int lessonsThatDay = 0;
    std::string reason; // "科目相同，本学期已代 N 节，当天已有 M 节" (GBK)
};

// The teachers who may take the lesson of the class at date/period: free by the dated timetable, no
// "不排" there, not absent; same subject first, then the class's teachers, then the rest; within
// each, fewer cover lessons this term, then fewer lessons that day, then list order.
std::vector<SubstituteCandidate> substituteCandidates(const DataSet& dataSet, DayNumber date, int period,
                                                      int classIndex);

struct SwapCandidate {
    DayNumber date = 0;
    int period = 0;
    std::string subject, teacher;
    int distance = 0; // slots between the two lessons, counted through the days
};

// The class's lessons within [from, to] that may change places with its lesson at date/period: both
// teachers present and free at the other's slot, no "不排" rule of a teacher or a subject broken,
// neither lesson changed already; closest in time first (earlier on a tie).
std::vector<SwapCandidate> swapCandidates(const DataSet& dataSet, DayNumber date, int period, int classIndex,
                                          DayNumber from, DayNumber to);

// ---- one change -----------------------------------------------------------------------------------
struct CoverRequest {
    DayNumber date = 0;
    int period = 0;
    int classIndex = -1;
    ChangeKind kind = ChangeKind::Substitute;
    std::string teacher; // the substitute, or the supervisor of a self-study ("" for none)
    DayNumber swapDate = 0;
    int swapPeriod = -1;
};

// Checks a request and builds its record (the absence it belongs to found by the original teacher).
// On refusal returns false with the reason (GBK): no lessons that day, no lesson there, a lesson
// already swapped, a substitute who is the teacher, busy, absent or has "不排" there, a swap the rules
// refuse. A lesson that already has another change may be covered anew: the new change replaces it.
bool checkCover(const DataSet& dataSet, const CoverRequest& request, ChangeRecord& record, std::string& refusal);
// Stores the record, replacing the change of the same lesson (same date, period and class) if any.
void storeChange(DataSet& dataSet, const ChangeRecord& record);
// checkCover then storeChange; false (and nothing changed) on refusal.
bool coverLesson(DataSet& dataSet, const CoverRequest& request, std::string& refusal);

// ---- one-click cover ----------------------------------------------------------------------------------
// A change for every open lesson of the absences: per slot (date, period) in time order, the lessons
// of that slot get substitutes by a minimum-cost assignment (rank group first, then cover lessons so
// far — counting those proposed before — then lessons that day, then list order), never a teacher
// twice in a slot nor one busy, absent or barred there; a lesson no one can take becomes self-study
// without a supervisor. Deterministic.
std::vector<ChangeRecord> proposeCover(const DataSet& dataSet, const std::vector<int>& absenceIds);
// Stores the proposal's records (one edit).
void acceptProposal(DataSet& dataSet, const std::vector<ChangeRecord>& proposal);

// ---- the record -------------------------------------------------------------------------------------
// Indices of the changes in date, period and class order (grade order; a class the school no longer
// has after the others), stable.
std::vector<int> changesInOrder(const DataSet& dataSet);
// The notice line of a change (GBK), e.g. "【代课】3月12日（星期四）第3节 初一(2) 数学 王芳 → 李强".
std::string noticeLine(const DataSet& dataSet, const ChangeRecord& change);
// The notice text of a date: one line per change of that date (a swap counts on both its dates),
// each ended by "\n" (GBK).
std::string noticeText(const DataSet& dataSet, DayNumber date);

} // namespace tabrel
