#include "scheduling/AutoRun.h"

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

void AutoRun::makeClassList()
{
    classList_.clear();
    for (const auto& g : dataSet_.grades)
        for (const auto& c : g->classes) {
            const bool in = scope_ == Scope::School || (scope_ == Scope::Grade && g.get() == selectedGrade_) ||
                            (scope_ == Scope::Class && c.get() == selectedClass_);
            if (in)
                classList_.push_back(c.get());
        }
}

int AutoRun::SelectSchool()
{
    scope_ = Scope::School;
    makeClassList();
    slotList_ = BuildSlotList(dataSet_, classList_);
    return 1;
}

int AutoRun::SelectGrade(int gradeIndex)
{
    if (gradeIndex < 0 || gradeIndex >= static_cast<int>(dataSet_.grades.size())) {
        ClearSelection();
        return 0;
    }
    scope_ = Scope::Grade;
    selectedGrade_ = dataSet_.grades[gradeIndex].get();
    makeClassList();
    slotList_ = BuildSlotList(dataSet_, classList_);
    return 1;
}

int AutoRun::SelectClass(int gradeIndex, int classIndex)
{
    ClassTable* c = dataSet_.classAt(gradeIndex, classIndex);
    if (!c) {
        ClearSelection();
        return 0;
    }
    scope_ = Scope::Class;
    selectedClass_ = c;
    makeClassList();
    slotList_ = BuildSlotList(dataSet_, classList_);
    return 1;
}

void AutoRun::ClearSelection()
{
    scope_ = Scope::None;
    selectedGrade_ = nullptr;
    selectedClass_ = nullptr;
    classList_.clear();
    slotList_.clear();
}

std::vector<SearchResult> AutoRun::Start(ProgressSink* sink)
{
    std::vector<SearchResult> results;
    lastCompletion_ = CompletionResult{};
    lastQuality_ = QualityResult{};
    const bool complete = completeAfterSearch || optimizeAfterSearch;
    std::vector<const LessonCell*> pinned;
    if (complete) {
        makeClassList();
        pinned = LessonCells(dataSet_, classList_);
    }
    PlacementEngine engine(dataSet_, state_);
    if (scope_ == Scope::School) {
        for (const auto& g : dataSet_.grades) {
            std::vector<ClassTable*> gradeClasses;
            for (const auto& c : g->classes)
                gradeClasses.push_back(c.get());
            slotList_ = BuildSlotList(dataSet_, gradeClasses);
            results.push_back(engine.RunSearch(slotList_, sink, stepLimit));
        }
    } else if (scope_ != Scope::None) {
        makeClassList();
        slotList_ = BuildSlotList(dataSet_, classList_);
        results.push_back(engine.RunSearch(slotList_, sink, stepLimit));
    }
    makeClassList();
    if (complete && scope_ != Scope::None) {
        CompletionPhase phase(dataSet_, classList_, pinned);
        ProgressSink* completion = completionSink ? completionSink : sink;
        lastCompletion_ = phase.Run(completion, stopFlag);
        if (optimizeAfterSearch && !(stopFlag && stopFlag->load())) {
            QualityPhase quality(dataSet_, classList_, pinned);
            lastQuality_ = quality.Run(qualitySink ? qualitySink : completion, stopFlag);
        }
    }
    slotList_ = BuildSlotList(dataSet_, classList_);
    return results;
}

const std::string& AutoRun::EndMessage()
{
    static const std::string s = "auto paike end";
    return s;
}

const std::string& AutoRun::SelectionErrorMessage()
{
    return GBK("选择错误!");
}

} // namespace tabrel
