#include "ui/scheduling/PaikeRunWnd.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include "app/Document.h"
#include "data/Gbk.h"
#include "ui/app/Prompter.h"
#include "ui/app/UiText.h"
#include "ui/widgets/ScopeTreeWnd.h"

namespace tabrel::ui {

namespace {
QRect qrect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

// Moves the progress bar with the search and lets it repaint, without taking user input, every
// few milliseconds (the search runs on this thread).
class BarSink : public ProgressSink {
public:
    explicit BarSink(QProgressBar* bar) : bar_(bar) { clock_.start(); }
    void setRange(int low, int high) override
    {
        bar_->setRange(low, std::max(low, high));
        bar_->setValue(low);
        pump();
    }
    void setPosition(int position) override
    {
        if (clock_.elapsed() < 30)
            return;
        bar_->setValue(position);
        pump();
    }

private:
    void pump()
    {
        bar_->repaint();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        clock_.restart();
    }
    QProgressBar* bar_;
    QElapsedTimer clock_;
};
} // namespace

PaikeRunWnd::PaikeRunWnd(Document& doc, SchedulingState& state, QWidget* parent)
    : QWidget(parent), doc_(doc), page_(doc.dataSet(), state)
{
    setObjectName(QStringLiteral("PaikeRunWnd"));
    setAutoFillBackground(true);
    start_ = new QPushButton(QStringLiteral("开始排课"), this);
    start_->setObjectName(QStringLiteral("startButton"));
    tree_ = new ScopeTreeWnd(this);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progress_->setFormat(QStringLiteral("%p%"));
    summaryTitle_ = new QLabel(QStringLiteral("所选范围各班课时（已排 / 应排）"), this);
    summary_ = new QTableWidget(0, 4, this);
    summary_->setHorizontalHeaderLabels(
        {QStringLiteral("年级"), QStringLiteral("班级"), QStringLiteral("已排课时"), QStringLiteral("应排课时")});
    summary_->verticalHeader()->hide();
    summary_->verticalHeader()->setDefaultSectionSize(24);
    summary_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    summary_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(start_, &QPushButton::clicked, this, &PaikeRunWnd::startRun);
    connect(tree_, &ScopeTreeWnd::nodeSelected, this, &PaikeRunWnd::selectionChanged);
    // The page is created with the main view: the tree is filled at once.
    prepareForShow();
}

PaikeRunWnd::~PaikeRunWnd() = default;

void PaikeRunWnd::dataSetReplaced()
{
    page_.setDataSet(doc_.dataSet());
    summary_->setRowCount(0);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    prepareForShow();
}

void PaikeRunWnd::prepareForShow()
{
    if (page_.refreshTree())
        tree_->showTree(page_.tree(), page_.selectedNode());
    showSummary();
}

void PaikeRunWnd::selectNode(int nodeIndex)
{
    tree_->selectNode(nodeIndex);
}

void PaikeRunWnd::selectionChanged(int index)
{
    const std::string error = page_.select(index);
    if (!error.empty())
        Prompter::current().inform(this, qs(error));
    showSummary();
}

void PaikeRunWnd::startRun()
{
    start_->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    BarSink sink(progress_);
    std::string end;
    // The whole run is one step: one undo takes every lesson it placed back.
    doc_.undoStack().push(GBK("自动排课"), [&](DataSet&) {
        end = page_.start(&sink);
        return true;
    });
    progress_->setValue(progress_->maximum());
    QApplication::restoreOverrideCursor();
    start_->setEnabled(true);
    showSummary();
    Prompter::current().inform(this, qs(end));
}

void PaikeRunWnd::showSummary()
{
    const auto lines = page_.summary();
    summary_->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        const auto& l = lines[r];
        const QString texts[4] = {qs(l.gradeName), qs(l.className), QString::number(l.placed),
                                  QString::number(l.required)};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            item->setTextAlignment(Qt::AlignCenter);
            if (c == 2 && l.incomplete())
                item->setForeground(QColor(200, 0, 0));
            summary_->setItem(r, c, item);
        }
    }
}

void PaikeRunWnd::resizeEvent(QResizeEvent*)
{
    const QSize hint = start_->sizeHint();
    const int buttonW = std::max(hint.width() + 24, 110);
    const int buttonH = std::max(hint.height() + 8, 32);
    const auto g = PaikeRunPage::layout(width(), height(), buttonW, buttonH);
    start_->setGeometry(qrect(g.button));
    tree_->setGeometry(qrect(g.tree));
    progress_->setGeometry(qrect(g.progress));
    const int titleH = summaryTitle_->sizeHint().height();
    summaryTitle_->setGeometry(g.summary.left, g.summary.top, g.summary.width(), titleH);
    summary_->setGeometry(g.summary.left, g.summary.top + titleH + 4, g.summary.width(),
                          std::max(0, g.summary.height() - titleH - 4));
}

} // namespace tabrel::ui
