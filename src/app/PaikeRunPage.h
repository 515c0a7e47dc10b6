#pragma once
// The automatic-scheduling page (自动排课): the scope tree "全校" → grades → classes, what a selection
// means, the start of the engine, the page geometry and the summary shown after a run.
#include <memory>
#include <string>
#include <vector>

#include "app/ScopeTree.h"
#include "data/Dimensions.h"
#include "scheduling/AutoRun.h"

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

    // "开始排课": the searches of the scope, then the end message "auto paike end".
    std::string start(ProgressSink* sink);
    const std::vector<SearchResult>& lastResults() const { return lastResults_; }

    // One line per class of the current scope after a run: class name, lessons placed, lessons
    // required (GBK texts, numbers as numbers).
    struct ClassSummary {
        std::string gradeName;
        std::string className;
        int placed = 0;
        int required = 0;
        // Lessons are still missing: the placed count is shown in red.
        bool incomplete() const { return placed < required; }
    };
    std::vector<ClassSummary> summary() const;

    // The data set was replaced: the tree is filled again at the next show.
    void setDataSet(DataSet& dataSet);

    // Page geometry: the button at the top left, the tree below it (left edge at the button's, top
    // at twice the button's height, a ninth of the page's width, the page height minus two and a
    // half button heights), the progress bar right of the button, the summary right of the tree.
    struct Geometry {
        Rect button, tree, progress, summary;
    };
    static Geometry layout(int width, int height, int buttonWidth, int buttonHeight);

private:
    DataSet* dataSet_;
    SchedulingState& state_;
    std::unique_ptr<AutoRun> run_;
    ScopeTree tree_;
    int selected_ = -1;
    std::vector<SearchResult> lastResults_;
};

} // namespace tabrel
