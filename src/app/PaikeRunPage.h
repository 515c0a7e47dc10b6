#pragma once
// The automatic-scheduling page (自动排课): the scope tree "全校" → grades → classes, what a selection
// means, the start of the engine, the page geometry and the summary shown after a run.
#include <memory>
#include <string>
#include <vector>

#include "views/ScopeTree.h"
#include "data/Dimensions.h"
#include "scheduling/AutoRun.h"
#include "scheduling/QualityPhase.h"
#include "scheduling/TimetableCheck.h"

namespace tabrel {

class DataSet;

class PaikeRunPage {
public:
    PaikeRunPage(DataSet& dataSet, SchedulingState& state);

    using Node = ScopeTree::Node;
    // Rebuilds the tree from the grades and classes present now (after an edit, a merge, an
    // undo). True when it changed (the window then rebuilds its tree): the node of the same
    // kind and positions stays selected, else the root.
    bool refreshTree();
    const ScopeTree& tree() const { return tree_; }
    const std::vector<Node>& nodes() const { return tree_.nodes(); }

    // A tree selection by node index: "" when the scope was set, otherwise "选择错误!" (GBK) and the
    // class list is empty.
    std::string select(int nodeIndex);
    int selectedNode() const { return selected_; }
    const AutoRun& run() const { return *run_; }

    // "开始排课": the searches of the scope, then (when "补排、修正冲突并优化（推荐）" is ticked) the
    // completion phase and the quality phase, which `completionSink` follows and `stop` ends; then
    // the end message "auto paike end".
    std::string start(ProgressSink* sink, ProgressSink* completionSink = nullptr,
                      const std::atomic<bool>* stop = nullptr);

    // "补排、修正冲突并优化（推荐）": off in a new page model; the window ticks it for a new user and
    // remembers the user's choice in the settings. Unticked, a start is the plain run.
    bool completeAfterRun() const { return completeAfterRun_; }
    void setCompleteAfterRun(bool on) { completeAfterRun_ = on; }
    static std::string completeCheckText(); // the check box's text (GBK)

    // Starting again: every lesson of the scope is placed (and the scope has lessons), so "开始排课"
    // first asks `rerunQuestion()`; on "确定" `clearForRerun()` empties every cell of the scope's
    // classes except those fixed by hand (`markFlag` 1), and the start follows (one undo step).
    bool everyLessonPlaced() const;
    static std::string rerunQuestion(); // GBK
    // Returns the cells emptied.
    int clearForRerun();

    // How good the scope's timetables are now: per class the lessons of each day, holes, same-day
    // repeats, "尽量排" not kept; teachers' free periods; one score.
    QualityReport quality() const;
    // One line for beside the problem count: the totals and the score (GBK).
    static std::string qualityText(const QualityReport& report);
    // The summary's extra columns and one class's texts in them: 每天课时, 空节, 同日重复, 尽量排未排 (GBK).
    static std::vector<std::string> qualityColumns();
    static std::vector<std::string> qualityRow(const ClassQuality& c);
    // The outcome of the last start's completion phase, for the line under the check list; "" when
    // the last start ran none (GBK).
    std::string completionText() const;

    // "排课检查": the problems of the scope's classes as the timetable stands now.
    std::vector<TimetableProblem> problems() const;
    // The title of the list: "排课检查：共 N 个问题" or "排课检查：没有发现问题" (GBK).
    static std::string problemCountText(std::size_t count);
    // The list's column titles and one problem's texts in them: 班级, 时间, 问题, 科目, 教师, 节数 (GBK).
    static std::vector<std::string> problemColumns();
    std::vector<std::string> problemRow(const TimetableProblem& problem) const;
    // UTF-8 HTML: the page's help.
    static std::string helpPage();
    const std::vector<SearchResult>& lastResults() const { return lastResults_; }

    // One line per class of the current scope after a run: class name, lessons placed, lessons
    // required (GBK texts, numbers as numbers).
    struct ClassSummary {
        std::string gradeName;
        std::string className;
        int placed = 0;
        long long required = 0;
        // Lessons are still missing: the placed count is shown in red.
        bool incomplete() const { return placed < required; }
    };
    std::vector<ClassSummary> summary() const;

    // The data set was replaced: the tree is filled again at the next show.
    void setDataSet(DataSet& dataSet);

    // Page geometry: the button at the top left, the tree below it (left edge at the button's, top
    // at twice the button's height, a ninth of the page's width, the page height minus two and a
    // half button heights), the progress bar right of the button, the summary right of the tree.
    // The check box "完成后补排并修正冲突" right of the button (`checkWidth` wide) and the
    // progress bar after it; the summary takes the upper part of its place and the check list
    // ("排课检查") the lower part.
    struct Geometry {
        Rect button, tree, progress, summary, checkBox, problems;
    };
    static Geometry layout(int width, int height, int buttonWidth, int buttonHeight, int checkWidth = 0);

private:
    DataSet* dataSet_;
    SchedulingState& state_;
    std::unique_ptr<AutoRun> run_;
    ScopeTree tree_;
    int selected_ = -1;
    std::vector<SearchResult> lastResults_;
    bool completeAfterRun_ = false;
    bool completionRan_ = false;
    CompletionResult lastCompletion_;
};

} // namespace tabrel
