#include "ui/setup/PeriodTimeDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui {

PeriodTimeDlg::PeriodTimeDlg(PeriodTimeTable& table, QWidget* parent) : QDialog(parent), table_(table)
{
    setObjectName(QStringLiteral("PeriodTimeDlg"));
    setWindowTitle(QStringLiteral("节次时间设置（格式：8:30 ）"));
    auto* layout = new QVBoxLayout(this);
    grid_ = new QTableWidget(0, 3, this);
    grid_->setHorizontalHeaderLabels({QStringLiteral("节名称"), QStringLiteral("开始"), QStringLiteral("结束")});
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(26);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->installEventFilter(this);
    layout->addWidget(grid_, 1);
    auto* row = new QHBoxLayout;
    lesson_ = new QLineEdit(qs(table_.lessonText), this);
    break_ = new QLineEdit(qs(table_.breakText), this);
    for (QLineEdit* e : {lesson_, break_})
        e->setMaximumWidth(60);
    row->addWidget(new QLabel(QStringLiteral("每节"), this));
    row->addWidget(lesson_);
    row->addWidget(new QLabel(QStringLiteral("分钟"), this));
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("课间"), this));
    row->addWidget(break_);
    row->addWidget(new QLabel(QStringLiteral("分钟"), this));
    row->addStretch(1);
    auto* fill = new QPushButton(QStringLiteral("向后填充"), this);
    fill->setObjectName(QStringLiteral("fillForward"));
    fill->setAutoDefault(false);
    connect(fill, &QPushButton::clicked, this, &PeriodTimeDlg::fillForward);
    row->addWidget(fill);
    layout->addLayout(row);
    layout->addWidget(new QLabel(QStringLiteral("选中一个有时间的格子后按“向后填充”，按每节和课间的分钟数推算后面各行的时间。"), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(grid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!loading_)
            takeTyped(item->row(), item->column());
    });
    reload();
    if (grid_->rowCount() > 0)
        grid_->setCurrentCell(0, 1);
    resize(420, 560);
}

void PeriodTimeDlg::reload()
{
    loading_ = true;
    const auto& rows = table_.rows();
    grid_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(qs(table_.text(r, c)));
            if (c == PeriodTimeTable::NameColumn) {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                item->setBackground(rows[r].key[0] == 'p' ? QColor(255, 244, 214) : QColor(236, 240, 246));
            }
            grid_->setItem(r, c, item);
        }
    loading_ = false;
}

void PeriodTimeDlg::takeTyped(int row, int column)
{
    const QString typed = grid_->item(row, column)->text();
    const auto text = gbk::fromUtf8(typed.trimmed().toStdString());
    if (!text) {
        Prompter::current().inform(this, QStringLiteral("“%1”中有无法保存的字符").arg(typed));
        reload();
        return;
    }
    table_.setText(row, column, *text);
}

bool PeriodTimeDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        const auto text = gbk::fromUtf8(QApplication::clipboard()->text().toStdString());
        if (!text) {
            Prompter::current().inform(this, QStringLiteral("剪贴板中有无法保存的字符"));
            return true;
        }
        const int r = std::max(grid_->currentRow(), 0), c = std::max(grid_->currentColumn(), 1);
        table_.paste(r, c, *text);
        reload();
        grid_->setCurrentCell(r, c);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PeriodTimeDlg::fillForward()
{
    table_.lessonText = gbkOf(lesson_->text());
    table_.breakText = gbkOf(break_->text());
    const int r = grid_->currentRow(), c = grid_->currentColumn();
    if (const std::string message = table_.fillForward(r, c < 0 ? 0 : c); !message.empty()) {
        Prompter::current().inform(this, qs(message));
        return;
    }
    reload();
    grid_->setCurrentCell(r, c);
}

void PeriodTimeDlg::accept()
{
    // A cell still being typed into is taken first.
    if (QWidget* typing = focusWidget(); typing && typing != grid_ && grid_->isAncestorOf(typing))
        typing->clearFocus();
    QDialog::accept();
}

} // namespace tabrel::ui
