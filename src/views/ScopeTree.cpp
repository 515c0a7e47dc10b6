#include "views/ScopeTree.h"

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

bool ScopeTree::rebuild(const DataSet& ds)
{
    std::vector<Node> fresh;
    fresh.push_back({Node::Kind::School, GBK("全校"), -1, -1, -1});
    for (std::size_t g = 0; g < ds.grades.size(); ++g) {
        const int gradeNode = static_cast<int>(fresh.size());
        fresh.push_back({Node::Kind::Grade, ds.gradeNames[g], static_cast<int>(g), -1, 0});
        const auto& classes = ds.grades[g]->classes;
        for (std::size_t c = 0; c < classes.size(); ++c)
            fresh.push_back({Node::Kind::Class, classes[c]->name, static_cast<int>(g), static_cast<int>(c), gradeNode});
    }
    if (fresh == nodes_)
        return false;
    nodes_ = std::move(fresh);
    return true;
}

int ScopeTree::find(const Node& node) const
{
    for (std::size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i].kind == node.kind && nodes_[i].gradeIndex == node.gradeIndex &&
            nodes_[i].classIndex == node.classIndex)
            return static_cast<int>(i);
    return -1;
}

std::vector<std::pair<int, int>> ScopeTree::classesOf(int nodeIndex) const
{
    std::vector<std::pair<int, int>> out;
    if (nodeIndex < 0 || nodeIndex >= static_cast<int>(nodes_.size()))
        return out;
    const Node& n = nodes_[nodeIndex];
    for (const Node& c : nodes_)
        if (c.kind == Node::Kind::Class &&
            (n.kind == Node::Kind::School || (n.kind == Node::Kind::Grade && c.gradeIndex == n.gradeIndex) ||
             (n.kind == Node::Kind::Class && c.gradeIndex == n.gradeIndex && c.classIndex == n.classIndex)))
            out.emplace_back(c.gradeIndex, c.classIndex);
    return out;
}

} // namespace tabrel
