#include "ui/setup/SubjectRulePresetDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/Document.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "setup/SubjectRulePreset.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"
#include "ui/setup/PaikeRuleGridWnd.h"
#include "ui/widgets/ScopeTreeWnd.h"

namespace tabrel::ui {

SubjectRulePresetDlg::SubjectRulePresetDlg(QWidget* parent, Document& doc, int subjectIndex)
    : QDialog(parent), doc_(doc), model_(std::make_unique<SubjectRulePreset>(doc.dataSet(), subjectIndex))
{
    setObjectName(QStringLiteral("SubjectRulePresetDlg"));
    setWindowTitle(qs(model_->title()));
    auto* layout = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(qs(SubjectRulePreset::scopeLabel()), this));
    tree_ = new ScopeTreeWnd(this);
    tree_->setMinimumWidth(160);
    tree_->showTree(model_->tree(), model_->selectedNode());
    connect(tree_, &ScopeTreeWnd::nodeSelected, this, &SubjectRulePresetDlg::scopeChosen);
    left->addWidget(tree_, 1);
    auto* restore = new QPushButton(qs(SubjectRulePreset::restoreButtonText()), this);
    connect(restore, &QPushButton::clicked, this, [this] {
        doc_.edit(GBK("全部恢复为自动"), [this](DataSet& ds) { return model_->restoreAll(ds); });
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

void SubjectRulePresetDlg::scopeChosen(int nodeIndex)
{
    const std::string message = model_->selectScope(doc_.dataSet(), nodeIndex);
    gridWnd_->reload();
    if (!message.empty())
        Prompter::current().inform(this, qs(message));
}

} // namespace tabrel::ui
