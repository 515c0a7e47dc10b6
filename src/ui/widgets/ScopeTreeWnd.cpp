#include "ui/widgets/ScopeTreeWnd.h"

#include "ui/widgets/UiText.h"

namespace tabrel::ui {

ScopeTreeWnd::ScopeTreeWnd(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (!filling_)
            emit nodeSelected(nodeOf(current));
    });
}

void ScopeTreeWnd::showTree(const ScopeTree& tree, int selected)
{
    filling_ = true;
    clear();
    items_.clear();
    for (const auto& n : tree.nodes()) {
        QTreeWidgetItem* item = n.parent < 0 ? new QTreeWidgetItem(this) : new QTreeWidgetItem(items_[n.parent]);
        item->setText(0, qs(n.text));
        items_.push_back(item);
    }
    if (!items_.empty())
        items_[0]->setExpanded(true);
    if (selected >= 0 && selected < static_cast<int>(items_.size())) {
        setCurrentItem(items_[selected]);
        scrollToItem(items_[selected]);
    }
    filling_ = false;
}

void ScopeTreeWnd::selectNode(int nodeIndex)
{
    if (nodeIndex >= 0 && nodeIndex < static_cast<int>(items_.size()))
        setCurrentItem(items_[nodeIndex]);
}

int ScopeTreeWnd::nodeOf(const QTreeWidgetItem* item) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == item)
            return static_cast<int>(i);
    return -1;
}

} // namespace tabrel::ui
