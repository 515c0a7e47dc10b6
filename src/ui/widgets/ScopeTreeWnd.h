#pragma once
// The one tree window of the scope tree (全校 → grades → classes): shows a ScopeTree, keeps the
// selected node visible and reports a selection by the node's index.
#include <QTreeWidget>
#include <vector>

#include "views/ScopeTree.h"

namespace tabrel::ui {

class ScopeTreeWnd : public QTreeWidget {
    Q_OBJECT
public:
    explicit ScopeTreeWnd(QWidget* parent = nullptr);

    // Shows the nodes of the tree with `selected` as the current node (no signal).
    void showTree(const ScopeTree& tree, int selected);
    // Makes a node current, as a click would (the signal follows).
    void selectNode(int nodeIndex);
    int nodeOf(const QTreeWidgetItem* item) const;

signals:
    void nodeSelected(int nodeIndex);

private:
    std::vector<QTreeWidgetItem*> items_;
    bool filling_ = false;
};

} // namespace tabrel::ui
