#pragma once
// The subject preset window ("<subject> 课节预设"), opened by "设置..." of the subjects panel: a
// scope tree (全校 → grades → classes) and the subject rule grid for the classes in scope, the
// button "全部恢复为自动", and the summary the subjects panel stores when the window closes,
// whichever way. Texts are GBK.
#include <string>
#include <vector>

#include "setup/PaikeRuleGrid.h"

namespace tabrel {

class DataSet;

class SubjectRulePreset {
public:
    // For the subject at `subjectIndex`; opens with the whole school in scope.
    SubjectRulePreset(const DataSet& ds, int subjectIndex);

    int subjectIndex() const { return subjectIndex_; }
    std::string title() const; // the subject name followed by " 课节预设"
    static const std::string& scopeLabel(); // "针对范围设置"
    static const std::string& restoreButtonText(); // "全部恢复为自动"
    static const std::string& wrongSelectionMessage(); // "选择错误!"

    // The scope tree, depth first: the root, each grade, under it its classes.
    struct Node {
        enum class Kind { School, Grade, Class } kind = Kind::School;
        int grade = -1, classIndex = -1;
        std::string text;
    };
    static std::vector<Node> scopeTree(const DataSet& ds);

    // A tree selection: the root puts every class in scope, a grade its classes, a class itself.
    // The grid recomputes its texts. A node that is none of these (`valid` false) leaves the scope
    // empty and returns "选择错误!" for the window to show; otherwise "".
    std::string selectScope(const DataSet& ds, const Node& node, bool valid = true);
    const Node& selectedScope() const { return scopeNode_; }

    PaikeRuleGrid& grid() { return grid_; }
    const PaikeRuleGrid& grid() const { return grid_; }
    // "全部恢复为自动": Auto in every slot of every class in scope.
    bool restoreAll(DataSet& ds) { return grid_.clearAll(ds); }
    // After the school changed behind the window (undo): the grid re-reads the rules.
    void reload(const DataSet& ds) { grid_.refresh(ds); }
    // What the panel stores as the subject's rule summary when the window closes.
    std::string summary(const DataSet& ds) const { return grid_.summary(ds); }

private:
    int subjectIndex_;
    std::string subjectName_;
    Node scopeNode_;
    PaikeRuleGrid grid_{PaikeRuleGrid::Mode::Subject};
};

// The window's help page (UTF-8 HTML).
std::string subjectRulePresetHelpPage();

} // namespace tabrel
