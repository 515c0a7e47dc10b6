#pragma once
// The timetable of one date: the weekly timetable of the column the date follows, with the changes
// recorded for that date applied (swaps first, then cover, self-study and cancellation, each
// replacing what stands at its slot).
#include <string>
#include <unordered_map>
#include <vector>

#include "data/SchoolExtension.h"
#include "term/TermCalendar.h"

namespace tabrel {

class ClassTable;
class DataSet;

// True for a cell subject that is a lesson (neither "" nor "empty").
bool isLessonSubject(const std::string& subject);

struct DatedLesson {
    std::string subject, teacher;                 // what stands there on the date ("" = free)
    std::string originalSubject, originalTeacher; // the weekly timetable's lesson
    bool changed = false;
    ChangeKind kind = ChangeKind::Substitute;     // when changed
    int change = -1;                              // index in extension.changes, when changed
    bool isLesson() const { return isLessonSubject(subject); }
};

class DayPlan {
public:
    DayPlan(const DataSet& dataSet, const TermCalendar& calendar, DayNumber date);

    DayNumber date() const { return date_; }
    int column() const { return column_; } // -1: no lessons that day
    int periods() const { return periods_; }
    const std::vector<const ClassTable*>& classes() const { return classes_; }
    // Class position (grade order) of the first class of a name, or -1.
    int classIndex(const std::string& name) const;
    const DatedLesson& at(int classIndex, int period) const { return cells_[classIndex * periods_ + period]; }

    // The first class (grade order) where the teacher has a lesson at the period, or -1.
    int classOfTeacher(const std::string& teacher, int period) const;
    // Lessons the teacher gives that day (self-study supervision included).
    int lessonsOfTeacher(const std::string& teacher) const;

private:
    DayNumber date_;
    int column_ = -1;
    int periods_ = 0;
    std::vector<const ClassTable*> classes_;
    std::unordered_map<std::string, int> classByName_;
    std::vector<DatedLesson> cells_;
    std::vector<std::unordered_map<std::string, int>> busy_; // per period: teacher -> first class
    std::unordered_map<std::string, int> dayCount_;
};

// Whether an absence of the teacher covers the date and period; the first such absence's id or 0.
int absenceAt(const SchoolExtension& extension, const std::string& teacher, DayNumber date, int period);

} // namespace tabrel
