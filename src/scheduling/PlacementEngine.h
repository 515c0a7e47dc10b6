#pragma once
// The automatic placement engine: a chronological backtracking search over an ordered list of free
// cells. Deterministic: the same data always gives the same timetable.
#include <cstdint>
#include <memory>
#include <vector>

namespace tabrel {

class ClassTable;
class DataSet;
class LessonCell;

// Application state of the automatic scheduling: the flag of a search in progress and its cursor.
struct SchedulingState {
    int32_t autoRunning = 0; // 1 exactly while a search runs
    int32_t autoCursor = 0;  // index into the slot list of the running (or last) search
};

// Receives the progress of a search: the range once, then the cursor at every step.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void setRange(int low, int high) = 0;
    virtual void setPosition(int position) = 0;
};

// The step counter ends the loop when it reaches this value: at most 97,999 steps.
inline constexpr int SearchStepLimit = 98000;

struct SearchResult {
    int steps = 0;          // steps made
    bool completed = false; // the cursor passed the last slot
    bool stepCapHit = false;
    bool exhausted = false; // backtracking used up the first cell's alternatives
};

// Free cells (no common period, subject "") of the classes: days outer, classes, periods inner.
std::vector<LessonCell*> BuildSlotList(const DataSet& dataSet, const std::vector<ClassTable*>& classes);

// Fills a free cell with the best candidate of the evaluation just made for it (EvaluateSlot of its
// class on that cell): +1 filled ("empty" when nothing is left to place), -1 nothing may go here.
int PlaceBest(ClassTable& classTable, LessonCell& cell);
// Switches a cell filled by the search to its next alternative: +1, or -1 when they are used up
// (the cell is free again).
int NextAlternative(ClassTable& classTable, LessonCell& cell);

class SearchContext;

// Runs searches over slot lists of one data set. The counters the evaluation needs are kept
// incrementally for the duration of one search; they are rebuilt from the data set at every start.
class PlacementEngine {
public:
    PlacementEngine(DataSet& dataSet, SchedulingState& state);
    ~PlacementEngine();
    PlacementEngine(const PlacementEngine&) = delete;
    PlacementEngine& operator=(const PlacementEngine&) = delete;

    // The search loop. `sink` may be null. The step counter ends the loop when it reaches
    // `stepLimit` (SearchStepLimit in the program; checks of the engine use smaller ones).
    SearchResult RunSearch(const std::vector<LessonCell*>& slots, ProgressSink* sink = nullptr,
                           int stepLimit = SearchStepLimit);

    // For checking the engine's evaluation: prepares the counters for the list and evaluates entry
    // `index` as the search would (the candidate texts are built too). No cell changes.
    void Prepare(const std::vector<LessonCell*>& slots);
    int EvaluateEntry(int index, int autoRunning);

private:
    DataSet& dataSet_;
    SchedulingState& state_;
    std::unique_ptr<SearchContext> context_;
};

} // namespace tabrel
