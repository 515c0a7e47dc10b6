#include "ui/setup/GridEntryDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"
#include "ui/widgets/GridCtrl.h"

namespace tabrel::ui {

GridEntryDlg::GridEntryDlg(const QString& title, GridModel& grid, Hooks hooks, QWidget* parent)
    : QDialog(parent), model_(grid), hooks_(std::move(hooks))
{
    setObjectName(QStringLiteral("GridEntryDlg"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(QStringLiteral("双击或直接输入修改格子；可从电子表格复制后按 Ctrl+V 粘贴。"), this);
    layout->addWidget(hint);
    grid_ = new GridCtrl(grid, this);
    grid_->installEventFilter(this);
    grid_->horizontalHeader()->setDefaultSectionSize(88);
    if (grid.columnCount() - grid.fixedColumns() <= 3)
        grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid_->verticalHeader()->setDefaultSectionSize(26);
    layout->addWidget(grid_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(grid_->itemModel(), &GridItemModel::refused, this,
            [this](const QString& text) { Prompter::current().inform(this, text); });
    grid_->setCurrentIndex(grid_->itemModel()->index(0, 0));
}

void GridEntryDlg::pasteClipboard()
{
    const auto text = gbk::fromUtf8(QApplication::clipboard()->text().toStdString());
    if (!text) {
        Prompter::current().inform(this, QStringLiteral("剪贴板中有无法保存的字符"));
        return;
    }
    const QModelIndex at = grid_->currentIndex().isValid() ? grid_->currentIndex() : grid_->itemModel()->index(0, 0);
    if (hooks_.paste)
        hooks_.paste(at.row() + model_.fixedRows(), at.column() + model_.fixedColumns(), *text);
    grid_->itemModel()->reload();
    grid_->setCurrentIndex(at);
}

bool GridEntryDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        pasteClipboard();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void GridEntryDlg::accept()
{
    // A cell still being typed into is taken first.
    if (QWidget* typing = focusWidget(); typing && typing != grid_ && grid_->isAncestorOf(typing))
        typing->clearFocus();
    if (hooks_.refusal)
        if (const std::string why = hooks_.refusal(); !why.empty()) {
            Prompter::current().inform(this, qs(why));
            return;
        }
    QDialog::accept();
}

} // namespace tabrel::ui
