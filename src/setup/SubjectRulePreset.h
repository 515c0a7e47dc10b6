#pragma once
// The subject preset window ("<subject> 课节预设"), opened by "设置..." of the subjects panel: a
// scope tree (全校 → grades → classes) and the subject rule grid for the classes in scope, the
// button "全部恢复为自动", and the summary the subjects panel stores when the window closes,
// whichever way. Texts are GBK.
#include <string>
#include <vector>

#include "views/ScopeTree.h"
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

    // The scope tree (全校 → grades → classes) of the school as it is now.
    const ScopeTree& tree() const { return tree_; }
    // A tree selection by node index: the root puts every class in scope, a grade its classes, a
    // class itself; the grid recomputes its texts. Any other selection (no node) leaves the scope
    // empty and returns "选择错误!" for the window to show; otherwise "".
    std::string selectScope(const DataSet& ds, int nodeIndex);
    int selectedNode() const { return selected_; }

    PaikeRuleGrid& grid() { return grid_; }
    const PaikeRuleGrid& grid() const { return grid_; }
    // "全部恢复为自动": Auto in every slot of every class in scope.
    bool restoreAll(DataSet& ds) { return grid_.clearAll(ds); }
    // After the school changed behind the window: the tree follows it, the selection is kept by
    // what it names, and the grid re-reads the rules.
    void reload(const DataSet& ds);
    // What the panel stores as the subject's rule summary when the window closes.
    std::string summary(const DataSet& ds) const { return grid_.summary(ds); }

private:
    int subjectIndex_;
    std::string subjectName_;
    ScopeTree tree_;
    int selected_ = -1;
    PaikeRuleGrid grid_{PaikeRuleGrid::Mode::Subject};
};

// The window's help page (UTF-8 HTML).
std::string subjectRulePresetHelpPage();

} // namespace tabrel
