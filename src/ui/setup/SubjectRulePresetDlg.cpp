#include "ui/setup/SubjectRulePresetDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Document.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "setup/SubjectRulePreset.h"
#include "ui/app/Prompter.h"
#include "ui/app/UiText.h"
#include "ui/setup/PaikeRuleGridWnd.h"
#include "ui/setup/SetupEdit.h"

namespace tabrel::ui {

namespace {
constexpr int NodeRole = Qt::UserRole + 1;
}

SubjectRulePresetDlg::SubjectRulePresetDlg(QWidget* parent, Document& doc, int subjectIndex)
    : QDialog(parent), doc_(doc), model_(std::make_unique<SubjectRulePreset>(doc.dataSet(), subjectIndex))
{
    setObjectName(QStringLiteral("SubjectRulePresetDlg"));
    setWindowTitle(qs(model_->title()));
    auto* layout = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(qs(SubjectRulePreset::scopeLabel()), this));
    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    tree_->setMinimumWidth(160);
    const auto nodes = SubjectRulePreset::scopeTree(doc_.dataSet());
    QTreeWidgetItem* root = nullptr;
    QTreeWidgetItem* grade = nullptr;
    for (int i = 0; i < static_cast<int>(nodes.size()); ++i) {
        const auto& n = nodes[i];
        QTreeWidgetItem* item = nullptr;
        switch (n.kind) {
        case SubjectRulePreset::Node::Kind::School: item = root = new QTreeWidgetItem(tree_); break;
        case SubjectRulePreset::Node::Kind::Grade: item = grade = new QTreeWidgetItem(root); break;
        case SubjectRulePreset::Node::Kind::Class: item = new QTreeWidgetItem(grade); break;
        }
        item->setText(0, qs(n.text));
        item->setData(0, NodeRole, i);
    }
    if (root) {
        root->setExpanded(true);
        tree_->setCurrentItem(root);
    }
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { scopeChosen(); });
    left->addWidget(tree_, 1);
    auto* restore = new QPushButton(qs(SubjectRulePreset::restoreButtonText()), this);
    connect(restore, &QPushButton::clicked, this, [this] {
        runSetupEdit(doc_, GBK("全部恢复为自动"), [this](DataSet& ds) { return model_->restoreAll(ds); });
        gridWnd_->reload();
    });
    left->addWidget(restore);
    auto* help = new QPushButton(QStringLiteral("帮助"), this);
    connect(help, &QPushButton::clicked, this,
            [this] { showHelpPage(this, QStringLiteral("课节预设"), subjectRulePresetHelpPage()); });
    left->addWidget(help);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    left->addWidget(close);
    layout->addLayout(left);

    gridWnd_ = new PaikeRuleGridWnd(doc_, model_->grid(), this);
    layout->addWidget(gridWnd_, 1);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, help, &QPushButton::click);
    resize(860, 520);
}

SubjectRulePresetDlg::~SubjectRulePresetDlg() = default;

std::string SubjectRulePresetDlg::summary() const
{
    return model_->summary(doc_.dataSet());
}

void SubjectRulePresetDlg::scopeChosen()
{
    QTreeWidgetItem* item = tree_->currentItem();
    const auto nodes = SubjectRulePreset::scopeTree(doc_.dataSet());
    const int index = item ? item->data(0, NodeRole).toInt() : -1;
    const bool valid = index >= 0 && index < static_cast<int>(nodes.size());
    const std::string message =
        model_->selectScope(doc_.dataSet(), valid ? nodes[index] : SubjectRulePreset::Node{}, valid);
    gridWnd_->reload();
    if (!message.empty())
        Prompter::current().inform(this, qs(message));
}

} // namespace tabrel::ui
