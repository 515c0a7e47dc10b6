#include "ui/app/StartDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/Application.h"
#include "ui/widgets/Icons.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui {

StartDlg::StartDlg(const StartDialogModel& model, QWidget* parent) : QDialog(parent), model_(model)
{
    choice_ = model_.quit();
    setWindowTitle(QString::fromUtf8(Application::productName()));
    setWindowIcon(applicationIcon());
    setObjectName(QStringLiteral("StartDlg"));

    auto* icon = new QLabel;
    icon->setPixmap(applicationIcon().pixmap(48, 48));
    auto* title = new QLabel(QStringLiteral("%1 — 中小学排课系统").arg(QString::fromUtf8(Application::productName())));
    QFont tf = title->font();
    tf.setPixelSize(24);
    tf.setBold(true);
    title->setFont(tf);
    title->setStyleSheet(QStringLiteral("color: rgb(40,64,110);"));
    auto* header = new QHBoxLayout;
    header->addWidget(icon);
    header->addWidget(title, 1);

    list_ = new QTableWidget(static_cast<int>(model_.rows().size()), 2);
    list_->setObjectName(QStringLiteral("historyList"));
    list_->setHorizontalHeaderLabels({QStringLiteral("序号"), QStringLiteral("历史数据 ( 双击文件直接打开 )")});
    list_->verticalHeader()->hide();
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(true);
    list_->setStyleSheet(QStringLiteral("QTableWidget { background-color: rgb(255,255,224); }"));
    list_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list_->horizontalHeader()->setStretchLastSection(true);
    for (int r = 0; r < static_cast<int>(model_.rows().size()); ++r) {
        const auto& row = model_.rows()[r];
        auto* number = new QTableWidgetItem(qu(row.number));
        number->setTextAlignment(Qt::AlignCenter);
        list_->setItem(r, 0, number);
        auto* text = new QTableWidgetItem(qu(row.text));
        text->setToolTip(qu(model_.pathOfRow(r)));
        list_->setItem(r, 1, text);
    }
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        list_->selectRow(row);
        openSelected();
    });

    auto* open = new QPushButton(QStringLiteral("选择打开"));
    open->setObjectName(QStringLiteral("openButton"));
    open->setDefault(true);
    auto* create = new QPushButton(QStringLiteral("新建排课"));
    create->setObjectName(QStringLiteral("newButton"));
    auto* quit = new QPushButton(QStringLiteral("退出系统"));
    quit->setObjectName(QStringLiteral("quitButton"));
    connect(open, &QPushButton::clicked, this, &StartDlg::openSelected);
    connect(create, &QPushButton::clicked, this, &StartDlg::newSchedule);
    connect(quit, &QPushButton::clicked, this, &StartDlg::quitProgram);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(open);
    buttons->addWidget(create);
    buttons->addWidget(quit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(620, 420);
}

void StartDlg::openSelected()
{
    const auto rows = list_->selectionModel()->selectedRows();
    const int row = rows.isEmpty() ? -1 : rows.first().row();
    const StartDialogModel::Choice c = model_.open(row);
    if (c.action == StartDialogModel::Action::None) {
        Prompter::current().inform(this, qu(c.message));
        return;
    }
    choice_ = c;
    accept();
}

void StartDlg::newSchedule()
{
    choice_ = model_.newSchedule();
    accept();
}

void StartDlg::quitProgram()
{
    choice_ = model_.quit();
    QDialog::reject();
}

void StartDlg::reject()
{
    quitProgram();
}

StartDialogModel::Choice StartDlg::run(const StartDialogModel& model, QWidget* parent)
{
    StartDlg dlg(model, parent);
    dlg.exec();
    return dlg.choice();
}

} // namespace tabrel::ui
