#include "ui/output/LoadDistributionDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "output/LoadDistribution.h"
#include "output/PrintDocument.h"
#include "ui/widgets/UiText.h"
#include "ui/output/PrintSupport.h"

namespace tabrel::ui {

LoadDistributionDlg::LoadDistributionDlg(const DataSet& ds, int showSubject, int showClass, QWidget* parent)
    : QDialog(parent), ds_(ds), showSubject_(showSubject), showClass_(showClass)
{
    setWindowTitle(QStringLiteral("分布情况"));
    const LoadDistribution dist = buildLoadDistribution(ds);
    auto* layout = new QVBoxLayout(this);
    table_ = new QTableWidget(static_cast<int>(dist.rows.size()), static_cast<int>(dist.header.size()), this);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    QStringList header;
    for (const auto& h : dist.header)
        header << qs(h);
    table_->setHorizontalHeaderLabels(header);
    for (int r = 0; r < static_cast<int>(dist.rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(dist.rows[r].size()); ++c) {
            auto* item = new QTableWidgetItem(qs(dist.rows[r][c]));
            item->setTextAlignment(Qt::AlignCenter);
            table_->setItem(r, c, item);
        }
    layout->addWidget(table_);

    auto* row = new QHBoxLayout;
    auto* copy = new QPushButton(QStringLiteral("复制"), this);
    auto* print = new QPushButton(QStringLiteral("打印"), this);
    auto* help = new QPushButton(QStringLiteral("帮助"), this);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    connect(copy, &QPushButton::clicked, this, [this] {
        QGuiApplication::clipboard()->setText(qs(loadDistributionText(buildLoadDistribution(ds_))));
    });
    connect(print, &QPushButton::clicked, this, [this] {
        auto doc = assignmentTableDocument(ds_, showSubject_, showClass_);
        showPrintPreview(this, *doc);
    });
    connect(help, &QPushButton::clicked, this,
            [this] { showHelpPage(this, QStringLiteral("分布情况"), loadDistributionHelpPage()); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    row->addWidget(copy);
    row->addWidget(print);
    row->addWidget(help);
    row->addStretch();
    row->addWidget(close);
    layout->addLayout(row);
    resize(900, 600);
    sizeColumns();
}

void LoadDistributionDlg::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    sizeColumns();
}

void LoadDistributionDlg::sizeColumns()
{
    // Equal columns, the name column 20 pixels wider.
    const int columns = table_->columnCount();
    if (columns == 0)
        return;
    const int width = table_->viewport()->width() > 100 ? table_->viewport()->width() : this->width() - 40;
    const int unit = std::max((width - 20) / columns, 30);
    for (int c = 0; c < columns; ++c)
        table_->setColumnWidth(c, c == 0 ? unit + 20 : unit);
}

} // namespace tabrel::ui
