#pragma once
// The completion phase after the automatic searches of a scope: it moves and places the scope's
// lessons until none is left to place and the timetable check finds no problem in the scope, or
// until its bounded effort is spent. Lessons that stood in the grid before the run keep their cells,
// and so does every lesson of a class outside the scope. Deterministic: the same data always gives
// the same timetable. The phase keeps its timetable only when the check finds no more problems in
// the scope than in the timetable it started from.
#include <atomic>
#include <cstdint>
#include <vector>

namespace tabrel {

class ClassTable;
class DataSet;
class LessonCell;
class ProgressSink;

struct CompletionResult {
    int problemsBefore = 0, problemsAfter = 0; // problems of the scope, as the check counts them
    int unplacedBefore = 0, unplacedAfter = 0; // lessons of the scope still to place
    long long iterations = 0;                  // moves made
    bool stopped = false;                      // the stop flag ended the phase early
    bool kept = false;                         // the phase's timetable replaced the one it started from
};

// The cells of the classes that hold a lesson (neither free nor "empty"): what a run must not move.
std::vector<const LessonCell*> LessonCells(const DataSet& dataSet, const std::vector<ClassTable*>& classes);

class CompletionPhase {
public:
    // `pinned`: the cells of the scope that held a lesson before the run.
    CompletionPhase(DataSet& dataSet, std::vector<ClassTable*> scope, std::vector<const LessonCell*> pinned);

    // Moves tried at most; 0 chooses a budget from the size of the scope.
    long long effort = 0;
    // Seed of the phase's own random choices.
    uint64_t seed = 0x9E3779B97F4A7C15ULL;

    // Runs the phase. `sink` (may be null) gets the range 0 … budget once, then the moves made;
    // `stop` (may be null) is read between moves and ends the phase, keeping the best timetable found.
    CompletionResult Run(ProgressSink* sink = nullptr, const std::atomic<bool>* stop = nullptr);

private:
    DataSet& dataSet_;
    std::vector<ClassTable*> scope_;
    std::vector<const LessonCell*> pinned_;
};

} // namespace tabrel
