#pragma once
// The scope tree "全校" → grades → classes that the automatic page, the common periods and the
// subject rules choose a range of classes in. Rebuilt from the school whenever it changes; a
// selection is kept by what it names (the school, a grade position, a class position), never by
// a pointer into the school.
#include <string>
#include <vector>

namespace tabrel {

class DataSet;

class ScopeTree {
public:
    struct Node {
        enum class Kind { School, Grade, Class } kind = Kind::School;
        std::string text;  // GBK: "全校", the grade name or the class name
        int gradeIndex = -1;
        int classIndex = -1;
        int parent = -1;   // index of the parent node, -1 for the root
        bool operator==(const Node&) const = default;
    };

    // Rebuilds the nodes from the grades and classes present now; true when they changed.
    bool rebuild(const DataSet& dataSet);
    const std::vector<Node>& nodes() const { return nodes_; }
    bool empty() const { return nodes_.empty(); }

    // The node of the same kind and positions as `node` in the current tree, or -1.
    int find(const Node& node) const;
    // The classes a node covers, as (grade, class) positions: every class for the school, the
    // grade's classes, or the class itself.
    std::vector<std::pair<int, int>> classesOf(int nodeIndex) const;

private:
    std::vector<Node> nodes_;
};

} // namespace tabrel
