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
    nodes_.clear();
    treeFilled_ = false;
    selected_ = -1;
    lastResults_.clear();
}

bool PaikeRunPage::fillTree()
{
    if (treeFilled_)
        return false;
    nodes_.clear();
    nodes_.push_back({Node::Kind::School, GBK("全校"), -1, -1, -1});
    const DataSet& ds = *dataSet_;
    for (std::size_t g = 0; g < ds.grades.size(); ++g) {
        const int gradeNode = static_cast<int>(nodes_.size());
        nodes_.push_back({Node::Kind::Grade, ds.gradeNames[g], static_cast<int>(g), -1, 0});
        const auto& classes = ds.grades[g]->classes;
        for (std::size_t c = 0; c < classes.size(); ++c) {
            nodes_.push_back({Node::Kind::Class, classes[c]->name, static_cast<int>(g), static_cast<int>(c), gradeNode});
        }
    }
    // The node addresses are final only now: link every class to its node.
    for (auto& n : nodes_)
        if (n.kind == Node::Kind::Class)
            if (ClassTable* c = ds.classAt(n.gradeIndex, n.classIndex))
                c->treeItem = &n;
    treeFilled_ = true;
    select(0);
    return true;
}

std::string PaikeRunPage::select(int nodeIndex)
{
    selected_ = nodeIndex;
    int ok = 0;
    if (nodeIndex >= 0 && nodeIndex < static_cast<int>(nodes_.size())) {
        const Node& n = nodes_[nodeIndex];
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
    const int periods = std::clamp(ds.periodsPerDay(), 0, MaxPeriodRows);
    const int days = std::clamp(ds.dayCount(), 0, DayColumns);
    for (const ClassTable* c : run_->classList()) {
        ClassSummary s;
        s.gradeName = c->gradeName;
        const int g = ds.gradeIndexOf(c);
        if (g >= 0)
            s.gradeName = ds.gradeNames[g];
        s.className = c->name;
        for (int p = 0; p < periods; ++p)
            for (int d = 0; d < days; ++d) {
                const std::string& subject = c->cells[p][d].subject;
                if (!subject.empty() && subject != "empty")
                    ++s.placed;
            }
        for (const auto& a : c->assignments)
            s.required += a->weeklyLessons;
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
