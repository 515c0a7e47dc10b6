#include "ui/setup/TableViewDlg.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/widgets/UiText.h"

namespace tabrel::ui {

TableViewDlg::TableViewDlg(const QString& title, const std::vector<std::vector<std::string>>& rows, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TableViewDlg"));
    setWindowTitle(title);
    grid_ = new QTableWidget(this);
    std::size_t columns = 0;
    for (const auto& r : rows)
        columns = std::max(columns, r.size());
    grid_->setRowCount(static_cast<int>(rows.size()));
    grid_->setColumnCount(static_cast<int>(columns));
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
            auto* item = new QTableWidgetItem(qs(rows[r][c]));
            item->setTextAlignment(Qt::AlignCenter);
            if (r == 0) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            grid_->setItem(r, c, item);
        }
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(420, 520);
}

} // namespace tabrel::ui
