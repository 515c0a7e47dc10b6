#pragma once
// The automatic-scheduling page's logic: the scope (whole school, one grade, one class) and the start
// of the engine on it. The window only shows the tree, the button and the progress bar.
#include <string>
#include <vector>

#include "scheduling/CompletionPhase.h"
#include "scheduling/PlacementEngine.h"
#include "scheduling/QualityPhase.h"

namespace tabrel {

class AutoRun {
public:
    enum class Scope { None, School, Grade, Class };

    AutoRun(DataSet& dataSet, SchedulingState& state) : dataSet_(dataSet), state_(state) {}

    // Tree selections. Each makes the class list of the scope and builds the slot list from it at
    // once; a selection that names no grade or class leaves the list empty and returns 0 (the page
    // answers SelectionErrorMessage()).
    int SelectSchool();
    int SelectGrade(int gradeIndex);
    int SelectClass(int gradeIndex, int classIndex);
    void ClearSelection();

    Scope scope() const { return scope_; }
    const std::vector<ClassTable*>& classList() const { return classList_; }
    const std::vector<LessonCell*>& slotList() const { return slotList_; }

    // "开始排课": the whole school runs one search per grade, in grade order, each on a slot list built
    // from that grade's classes; a grade or class scope runs one search. Every start builds its slot
    // lists from the cells that are free at that moment, so a second start never revisits the lessons
    // of the first. Returns the result of every search made.
    std::vector<SearchResult> Start(ProgressSink* sink = nullptr);

    // When set, every start ends with the completion phase over the scope's classes, keeping the
    // cells that held a lesson before the start. `completionSink` (or, when null, the start's sink)
    // follows it; `stopFlag` ends it early.
    bool completeAfterSearch = false;
    ProgressSink* completionSink = nullptr;
    const std::atomic<bool>* stopFlag = nullptr;
    // When set (with completeAfterSearch or without it), every start runs the completion phase and
    // then the quality phase over the scope's classes, both keeping the cells that held a lesson
    // before the start. `qualitySink` (or, when null, the completion's sink) follows the quality phase.
    bool optimizeAfterSearch = false;
    ProgressSink* qualitySink = nullptr;
    // The outcome of the last start's completion phase (all zero when it did not run).
    const CompletionResult& lastCompletion() const { return lastCompletion_; }
    // The outcome of the last start's quality phase (all zero when it did not run).
    const QualityResult& lastQuality() const { return lastQuality_; }

    // The step cap of every search (SearchStepLimit; checks of the engine use smaller ones).
    int stepLimit = SearchStepLimit;

    // "auto paike end", shown after every start whatever the outcome.
    static const std::string& EndMessage();
    // "选择错误!"
    static const std::string& SelectionErrorMessage();

private:
    DataSet& dataSet_;
    SchedulingState& state_;
    // The class list of the scope, made again from the selected records at every start (a record
    // that no longer exists by then selects nothing, so no pointer is followed after it died).
    void makeClassList();

    Scope scope_ = Scope::None;
    const void* selectedGrade_ = nullptr;
    const ClassTable* selectedClass_ = nullptr;
    std::vector<ClassTable*> classList_;
    std::vector<LessonCell*> slotList_;
    CompletionResult lastCompletion_;
    QualityResult lastQuality_;
};

} // namespace tabrel
