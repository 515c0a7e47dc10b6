#include "ui/setup/SubjectImportDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "app/Document.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "setup/SubjectQuickImport.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"
#include "ui/widgets/GridCtrl.h"

namespace tabrel::ui {

namespace {
// Every cell of the import grid is centred.
class CentredDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = Qt::AlignCenter;
    }
};

// The grid widget with Ctrl+V cutting the text as every paste of the program cuts it.
class ImportGrid : public GridCtrl {
public:
    ImportGrid(GridModel& grid, SubjectImportDlg* dlg) : GridCtrl(grid, dlg), dlg_(dlg)
    {
        setItemDelegate(new CentredDelegate(this));
    }

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (e->matches(QKeySequence::Paste)) {
            dlg_->pasteClipboard();
            return;
        }
        GridCtrl::keyPressEvent(e);
    }

private:
    SubjectImportDlg* dlg_;
};
} // namespace

SubjectImportDlg::SubjectImportDlg(QWidget* parent, Document& doc)
    : QDialog(parent), doc_(doc), model_(std::make_unique<SubjectQuickImport>(doc.dataSet()))
{
    setObjectName(QStringLiteral("SubjectImportDlg"));
    setWindowTitle(qs(SubjectQuickImport::title()));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("第一列为科目名称，其后每列为一个年级的每周课时（与表头年级顺序相同）。选中“科目名称”第1行后按 Ctrl+V 粘贴。"),
        this));
    grid_ = new ImportGrid(model_->grid(), this);
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    layout->addWidget(grid_, 1);
    auto* buttons = new QDialogButtonBox(this);
    auto* paste = buttons->addButton(QStringLiteral("粘贴"), QDialogButtonBox::ActionRole);
    connect(paste, &QPushButton::clicked, this, &SubjectImportDlg::pasteClipboard);
    auto* help = buttons->addButton(QStringLiteral("帮助"), QDialogButtonBox::HelpRole);
    connect(help, &QPushButton::clicked, this,
            [this] { showHelpPage(this, QStringLiteral("快速导入"), subjectQuickImportHelpPage()); });
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, help, &QPushButton::click);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &SubjectImportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    grid_->setCurrentIndex(grid_->model()->index(0, 0));
    resize(640, 560);
}

SubjectImportDlg::~SubjectImportDlg() = default;

void SubjectImportDlg::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    fitColumns();
}

void SubjectImportDlg::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    layout()->activate();
    fitColumns();
}

void SubjectImportDlg::fitColumns()
{
    const int width = grid_->width() - 2 * grid_->frameWidth() - grid_->verticalScrollBar()->sizeHint().width();
    const auto widths = model_->columnWidths(width);
    grid_->verticalHeader()->setFixedWidth(std::max(20, widths[0]));
    for (std::size_t c = 1; c < widths.size(); ++c)
        grid_->setColumnWidth(static_cast<int>(c) - 1, widths[c]);
}

void SubjectImportDlg::pasteClipboard()
{
    const auto text = gbk::fromUtf8(QApplication::clipboard()->text().toStdString());
    if (!text) {
        Prompter::current().inform(this, QStringLiteral("剪贴板中有无法保存的字符"));
        return;
    }
    const QModelIndex at = grid_->currentIndex().isValid() ? grid_->currentIndex() : grid_->model()->index(0, 0);
    if (model_->paste(at.row() + 1, at.column() + 1, *text) > 0)
        grid_->itemModel()->reload();
    grid_->setCurrentIndex(at);
}

void SubjectImportDlg::accept()
{
    if (model_->rowsToImport() == 0) {
        Prompter::current().inform(this, qs(SubjectQuickImport::noRowsMessage()));
        return;
    }
    if (const std::string why = model_->numberRefusal(); !why.empty()) {
        Prompter::current().inform(this, qs(why));
        return;
    }
    doc_.edit(GBK("快速导入科目"), [this](DataSet& ds) { return model_->accept(ds); });
    QDialog::accept();
}

} // namespace tabrel::ui
