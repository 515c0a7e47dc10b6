#pragma once
// How good a timetable is, and the quality phase that makes it better.
//
// The measure (`MeasureQuality`) reads the cells only: per class the lessons of each day, the holes
// (free ordinary slots between two lessons of one day, the lunch break included), the same-day
// repeats (lessons of a subject beyond one a day, beyond ⌈n / days⌉ for a subject of n lessons when
// n exceeds the days), the "尽量排" slots that do not hold their subject and the teaching days short
// of ⌊lessons / days⌋ lessons; per teacher the free periods between two lessons of a day; and one
// score, lower is better, weighted by `QualityWeights`.
//
// The quality phase runs after the searches and the completion phase. It moves the lessons of the
// run (never a lesson that stood in the grid before the run, never a cell with `markFlag` 1, never a
// lesson on a slot whose "一定排" subject it is) between the cells of its class, and across classes
// by chains of classes that share teachers, to balance each class's days, close holes, spread each
// subject over the week (keeping the double periods of the plan together inside one section), keep
// "尽量排" slots and keep teachers' days compact, with the spread of a subject over the periods as
// the tie-breaker. It never adds a problem as the timetable check counts them. Deterministic, and
// bounded by a number of moves, not by a clock.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace tabrel {

class ClassTable;
class DataSet;
class LessonCell;
class ProgressSink;

// The weights of the score (documented in `tabrel-cli quality --help`).
struct QualityWeights {
    static constexpr int Hole = 20;        // a free ordinary slot between two lessons of a day
    static constexpr int ShortDay = 10;    // each lesson a teaching day lacks of ⌊lessons / days⌋
    static constexpr int Repeat = 5;       // a lesson of a subject beyond its share of one day
    static constexpr int PreferMissed = 2; // a "尽量排" slot that does not hold its subject
    static constexpr int TeacherGap = 1;   // a teacher's free period between two lessons of a day
};

struct ClassQuality {
    int gradeIndex = -1, classIndex = -1;
    std::string className;          // GBK
    std::vector<int> lessonsPerDay; // one entry per teaching day
    int holes = 0, repeats = 0, preferMissed = 0, shortDays = 0;
};

struct TeacherQuality {
    std::string teacher; // GBK
    int gaps = 0;
};

struct QualityReport {
    std::vector<ClassQuality> classes;   // grade and class order
    std::vector<TeacherQuality> teachers; // the teachers' order, those with a lesson in the classes measured
    int holes = 0, repeats = 0, preferMissed = 0, shortDays = 0, teacherGaps = 0;
    long long score = 0;
};

// The quality of every class (or of the listed ones, in grade and class order all the same); the
// teachers' gaps count their lessons in every class of the school.
QualityReport MeasureQuality(const DataSet& dataSet);
QualityReport MeasureQuality(const DataSet& dataSet, const std::vector<const ClassTable*>& classes);

struct QualityResult {
    long long scoreBefore = 0, scoreAfter = 0; // the score of the scope, as MeasureQuality gives it
    long long moves = 0;                       // moves tried
    bool stopped = false;                      // the stop flag ended the phase early
    bool kept = false;                         // the phase's timetable replaced the one it started from
};

class QualityPhase {
public:
    // `pinned`: the cells of the scope that held a lesson before the run; they keep their lessons.
    QualityPhase(DataSet& dataSet, std::vector<ClassTable*> scope, std::vector<const LessonCell*> pinned);

    // Moves tried at most; 0 chooses a budget from the size of the scope.
    long long effort = 0;
    uint64_t seed = 0x2545F4914F6CDD1DULL;

    // `sink` (may be null) gets the range 0 … budget once, then the moves made; `stop` (may be null)
    // is read between moves and ends the phase, keeping the best timetable found so far.
    QualityResult Run(ProgressSink* sink = nullptr, const std::atomic<bool>* stop = nullptr);

private:
    DataSet& dataSet_;
    std::vector<ClassTable*> scope_;
    std::vector<const LessonCell*> pinned_;
};

} // namespace tabrel
