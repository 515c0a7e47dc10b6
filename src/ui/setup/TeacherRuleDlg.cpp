#include "ui/setup/TeacherRuleDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/Document.h"
#include "ui/widgets/Prompter.h"
#include "data/DataSet.h"
#include "setup/TeacherRuleSettings.h"
#include "ui/widgets/UiText.h"
#include "ui/setup/PaikeRuleGridWnd.h"
#include "app/Document.h"

namespace tabrel::ui {

namespace {
std::vector<std::string> nameAt(const DataSet& ds, int index)
{
    if (index < 0 || index >= static_cast<int>(ds.teachers.size()))
        return {};
    return {ds.teachers[index]->name};
}

// The column of buttons beside a grid: help and close.
QVBoxLayout* closingButtons(QDialog* dlg)
{
    auto* column = new QVBoxLayout;
    column->addStretch(1);
    auto* help = new QPushButton(QStringLiteral("帮助"), dlg);
    QObject::connect(help, &QPushButton::clicked, dlg,
                     [dlg] { showHelpPage(dlg, QStringLiteral("教师课节预设"), teacherRuleHelpPage()); });
    column->addWidget(help);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, dlg);
    QObject::connect(f1, &QShortcut::activated, help, &QPushButton::click);
    auto* close = new QPushButton(QStringLiteral("关闭"), dlg);
    QObject::connect(close, &QPushButton::clicked, dlg, &QDialog::accept);
    column->addWidget(close);
    return column;
}
} // namespace

TeacherRuleDlg::TeacherRuleDlg(QWidget* parent, Document& doc, int teacherIndex)
    : TeacherRuleDlg(parent, doc, nameAt(doc.dataSet(), teacherIndex))
{
}

TeacherRuleDlg::TeacherRuleDlg(QWidget* parent, Document& doc, std::vector<std::string> teacherNames)
    : QDialog(parent), doc_(doc), model_(std::make_unique<TeacherRuleSettings>(std::move(teacherNames)))
{
    build();
}

TeacherRuleDlg::~TeacherRuleDlg() = default;

void TeacherRuleDlg::build()
{
    setObjectName(QStringLiteral("TeacherRuleDlg"));
    setWindowTitle(qs(model_->title()));
    auto* layout = new QHBoxLayout(this);
    gridWnd_ = new PaikeRuleGridWnd(doc_, model_->grid(), this);
    layout->addWidget(gridWnd_, 1);
    layout->addLayout(closingButtons(this));
    resize(720, 480);
}

std::string TeacherRuleDlg::summary() const
{
    return model_->summary(doc_.dataSet());
}

TeachersRuleDlg::TeachersRuleDlg(QWidget* parent, Document& doc)
    : QDialog(parent), doc_(doc), model_(std::make_unique<TeacherRuleSettings>(doc.dataSet()))
{
    setObjectName(QStringLiteral("TeachersRuleDlg"));
    setWindowTitle(qs(model_->title()));
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(qs(TeacherRuleSettings::checkListLabel()), this));
    // Ticks every name, or unticks them all when every name is ticked already.
    auto* multi = new QPushButton(qs(TeacherRuleSettings::multiButtonText()), this);
    multi->setToolTip(QStringLiteral("全部勾选 / 全部取消"));
    connect(multi, &QPushButton::clicked, this, [this] {
        model_->toggleAll();
        for (int i = 0; i < list_->count(); ++i)
            list_->item(i)->setCheckState(model_->ticked(i) ? Qt::Checked : Qt::Unchecked);
    });
    top->addWidget(multi);
    left->addLayout(top);
    list_ = new QListWidget(this);
    list_->setMinimumWidth(160);
    for (const std::string& name : model_->listNames()) {
        auto* item = new QListWidgetItem(qs(name), list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    connect(list_, &QListWidget::itemChanged, this, &TeachersRuleDlg::itemChanged);
    left->addWidget(list_, 1);
    layout->addLayout(left);
    gridWnd_ = new PaikeRuleGridWnd(doc_, model_->grid(), this);
    layout->addWidget(gridWnd_, 1);
    layout->addLayout(closingButtons(this));
    resize(900, 520);
}

TeachersRuleDlg::~TeachersRuleDlg() = default;

void TeachersRuleDlg::itemChanged(QListWidgetItem* item)
{
    model_->setTicked(list_->row(item), item->checkState() == Qt::Checked);
    gridWnd_->reload();
}

std::string TeachersRuleDlg::summary() const
{
    return model_->summary(doc_.dataSet());
}

} // namespace tabrel::ui
