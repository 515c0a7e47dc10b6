#include "ui/setup/GroupNameDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/widgets/UiText.h"

namespace tabrel::ui {

GroupNameDlg::GroupNameDlg(const DataTable& table, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GroupNameDlg"));
    setWindowTitle(QStringLiteral("组名称"));
    rows_ = TeacherGroups::nameRows(table);
    grid_ = new QTableWidget(this);
    grid_->setColumnCount(2);
    grid_->setHorizontalHeaderLabels({QStringLiteral("序号"), QStringLiteral("组名称")});
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    fill();
    auto* add = new QPushButton(QStringLiteral("增加"), this);
    auto* del = new QPushButton(QStringLiteral("删除"), this);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    ok->setDefault(true);
    connect(add, &QPushButton::clicked, this, &GroupNameDlg::addRow);
    connect(del, &QPushButton::clicked, this, &GroupNameDlg::deleteSelectedRow);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(del);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(buttons);
    resize(360, 380);
}

void GroupNameDlg::fill()
{
    grid_->setRowCount(static_cast<int>(rows_.size()));
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        auto* number = new QTableWidgetItem(QString::number(i + 1));
        number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        number->setTextAlignment(Qt::AlignCenter);
        grid_->setItem(i, 0, number);
        auto* name = new QTableWidgetItem(qs(rows_[i].name));
        name->setTextAlignment(Qt::AlignCenter);
        grid_->setItem(i, 1, name);
    }
}

std::vector<TeacherGroups::NameRow> GroupNameDlg::rows() const
{
    std::vector<TeacherGroups::NameRow> out = rows_;
    for (int i = 0; i < static_cast<int>(out.size()); ++i)
        if (QTableWidgetItem* item = grid_->item(i, 1))
            out[i].name = gbkOf(item->text());
    return out;
}

void GroupNameDlg::addRow()
{
    rows_ = rows();
    rows_.push_back({-1, {}});
    fill();
    grid_->setCurrentCell(static_cast<int>(rows_.size()) - 1, 1);
    grid_->editItem(grid_->item(static_cast<int>(rows_.size()) - 1, 1));
}

void GroupNameDlg::deleteSelectedRow()
{
    const int row = grid_->currentRow();
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    rows_ = rows();
    rows_.erase(rows_.begin() + row);
    fill();
}

} // namespace tabrel::ui
