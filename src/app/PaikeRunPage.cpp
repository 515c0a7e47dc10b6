#include "app/PaikeRunPage.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

PaikeRunPage::PaikeRunPage(DataSet& dataSet, SchedulingState& state)
    : dataSet_(&dataSet), state_(state), run_(std::make_unique<AutoRun>(dataSet, state))
{
}

void PaikeRunPage::setDataSet(DataSet& dataSet)
{
    dataSet_ = &dataSet;
    run_ = std::make_unique<AutoRun>(dataSet, state_);
    tree_ = ScopeTree();
    selected_ = -1;
    lastResults_.clear();
}

bool PaikeRunPage::refreshTree()
{
    const bool hadSelection = selected_ >= 0 && selected_ < static_cast<int>(tree_.nodes().size());
    const Node previous = hadSelection ? tree_.nodes()[selected_] : Node{};
    if (!tree_.rebuild(*dataSet_))
        return false;
    const int keep = hadSelection ? tree_.find(previous) : -1;
    select(keep >= 0 ? keep : 0);
    return true;
}

std::string PaikeRunPage::select(int nodeIndex)
{
    selected_ = nodeIndex;
    int ok = 0;
    if (nodeIndex >= 0 && nodeIndex < static_cast<int>(tree_.nodes().size())) {
        const Node& n = tree_.nodes()[nodeIndex];
        switch (n.kind) {
        case Node::Kind::School: ok = run_->SelectSchool(); break;
        case Node::Kind::Grade: ok = run_->SelectGrade(n.gradeIndex); break;
        case Node::Kind::Class: ok = run_->SelectClass(n.gradeIndex, n.classIndex); break;
        }
    } else {
        run_->ClearSelection();
    }
    return ok ? std::string() : AutoRun::SelectionErrorMessage();
}

std::string PaikeRunPage::start(ProgressSink* sink)
{
    lastResults_ = run_->Start(sink);
    return AutoRun::EndMessage();
}

std::vector<PaikeRunPage::ClassSummary> PaikeRunPage::summary() const
{
    std::vector<ClassSummary> out;
    const DataSet& ds = *dataSet_;
    for (const ClassTable* c : run_->classList()) {
        ClassSummary s;
        s.gradeName = c->gradeName;
        const int g = ds.gradeIndexOf(c);
        if (g >= 0)
            s.gradeName = ds.gradeNames[g];
        s.className = c->name;
        s.placed = c->placedLessonCount();
        s.required = c->requiredLessonCount();
        out.push_back(s);
    }
    return out;
}

PaikeRunPage::Geometry PaikeRunPage::layout(int width, int height, int buttonWidth, int buttonHeight)
{
    Geometry g;
    const int left = buttonHeight / 2;
    const int top = buttonHeight / 2;
    g.button = Rect{left, top, left + buttonWidth, top + buttonHeight};
    const int treeTop = 2 * buttonHeight;
    const int treeHeight = std::max(0, height - buttonHeight * 5 / 2);
    g.tree = Rect{left, treeTop, left + width / 9, treeTop + treeHeight};
    g.progress = Rect{g.button.right + buttonHeight / 2, top, std::max(g.button.right + buttonHeight / 2, width - left),
                      top + buttonHeight};
    g.summary = Rect{g.tree.right + buttonHeight / 2, treeTop, std::max(g.tree.right + buttonHeight / 2, width - left),
                     treeTop + treeHeight};
    return g;
}

} // namespace tabrel
