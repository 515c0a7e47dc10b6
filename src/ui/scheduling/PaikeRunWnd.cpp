#include "ui/scheduling/PaikeRunWnd.h"

#include <QApplication>
#include <QCheckBox>
#include <QProgressDialog>
#include <QSettings>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include "app/Document.h"
#include "data/Gbk.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/RecentFileSettings.h"
#include "ui/widgets/UiText.h"
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

// Follows the completion phase on the page's bar and in a window-modal progress window whose
// "停止" asks the phase to stop; the window takes input (only its button can be reached), so a
// phase of a few seconds can be stopped.
class PhaseSink : public ProgressSink {
public:
    PhaseSink(QWidget* parent, QProgressBar* bar, std::atomic<bool>& stop) : parent_(parent), bar_(bar), stop_(stop)
    {
        clock_.start();
    }
    ~PhaseSink() override
    {
        if (dialog_)
            dialog_->close();
    }
    void setRange(int low, int high) override
    {
        low_ = low;
        high_ = std::max(low, high);
        bar_->setRange(low_, high_);
        bar_->setValue(low_);
        bar_->repaint();
        if (dialog_)
            dialog_->setRange(low_, high_);
    }
    void setPosition(int position) override
    {
        if (clock_.elapsed() < 50)
            return;
        clock_.restart();
        bar_->setValue(std::min(position, high_));
        if (!dialog_) {
            dialog_ = std::make_unique<QProgressDialog>(QStringLiteral("正在补排、修正冲突并优化……"), QStringLiteral("停止"),
                                                        low_, high_, parent_);
            dialog_->setWindowTitle(QStringLiteral("补排、修正冲突并优化"));
            dialog_->setWindowModality(Qt::WindowModal);
            dialog_->setMinimumDuration(0);
            QObject::connect(dialog_.get(), &QProgressDialog::canceled, [this] { stop_.store(true); });
        }
        dialog_->setValue(std::min(position, high_));
        QApplication::processEvents();
    }

private:
    QWidget* parent_ = nullptr;
    QProgressBar* bar_;
    std::atomic<bool>& stop_;
    std::unique_ptr<QProgressDialog> dialog_;
    QElapsedTimer clock_;
    int low_ = 0, high_ = 1;
};

// On for a new user: the recommended run.
const char* CompleteSetting = "AutoSchedule/OptimizeAfterRun";

QSettings settings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QString::fromUtf8(RecentFileSettings::Organisation),
                     QString::fromUtf8(RecentFileSettings::ApplicationName));
}
} // namespace

PaikeRunWnd::PaikeRunWnd(Document& doc, SchedulingState& state, QWidget* parent)
    : PanelWindow(parent), doc_(doc), page_(doc.dataSet(), state)
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
    quality_ = new QLabel(this);
    quality_->setObjectName(QStringLiteral("qualityLine"));
    QStringList summaryHeaders{QStringLiteral("年级"), QStringLiteral("班级"), QStringLiteral("已排课时"),
                               QStringLiteral("应排课时")};
    for (const auto& c : PaikeRunPage::qualityColumns())
        summaryHeaders << qs(c);
    summary_ = new QTableWidget(0, static_cast<int>(summaryHeaders.size()), this);
    summary_->setObjectName(QStringLiteral("summaryTable"));
    summary_->setHorizontalHeaderLabels(summaryHeaders);
    summary_->verticalHeader()->hide();
    summary_->verticalHeader()->setDefaultSectionSize(24);
    summary_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    summary_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    complete_ = new QCheckBox(qs(PaikeRunPage::completeCheckText()), this);
    complete_->setObjectName(QStringLiteral("completeBox"));
    complete_->setChecked(settings().value(QString::fromUtf8(CompleteSetting), true).toBool());
    page_.setCompleteAfterRun(complete_->isChecked());
    connect(complete_, &QCheckBox::toggled, this, [this](bool on) {
        page_.setCompleteAfterRun(on);
        settings().setValue(QString::fromUtf8(CompleteSetting), on);
    });
    problemTitle_ = new QLabel(this);
    completion_ = new QLabel(this);
    const auto columns = PaikeRunPage::problemColumns();
    problems_ = new QTableWidget(0, static_cast<int>(columns.size()), this);
    problems_->setObjectName(QStringLiteral("problemTable"));
    QStringList headers;
    for (const auto& c : columns)
        headers << qs(c);
    problems_->setHorizontalHeaderLabels(headers);
    problems_->verticalHeader()->hide();
    problems_->verticalHeader()->setDefaultSectionSize(24);
    problems_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    problems_->setSelectionBehavior(QAbstractItemView::SelectRows);
    problems_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(problems_, &QTableWidget::cellActivated, this, [this](int row, int) {
        const auto list = page_.problems();
        if (row >= 0 && row < static_cast<int>(list.size()))
            emit openRequested(PanelId::ManualPaike, {list[row].gradeIndex, list[row].classIndex, list[row].period, list[row].day});
    });
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
    problems_->setRowCount(0);
    problemTitle_->clear();
    completion_->clear();
    quality_->clear();
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
    // Every lesson of the scope is placed: starting again is a question, never a silent nothing.
    const bool again = page_.everyLessonPlaced();
    if (again && !Prompter::current().confirm(this, qs(PaikeRunPage::rerunQuestion())))
        return;
    start_->setEnabled(false);
    complete_->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    BarSink sink(progress_);
    stop_.store(false);
    std::string end;
    {
        PhaseSink phase(this, progress_, stop_);
        // The whole run, completion phase included, is one step: one undo takes every lesson it
        // placed or moved back.
        doc_.edit(again ? GBK("重新排课") : GBK("自动排课"), [&](DataSet&) {
            if (again)
                page_.clearForRerun();
            end = page_.start(&sink, &phase, &stop_);
            return true;
        });
    }
    progress_->setValue(progress_->maximum());
    QApplication::restoreOverrideCursor();
    start_->setEnabled(true);
    complete_->setEnabled(true);
    showSummary();
    Prompter::current().inform(this, qs(end));
}

void PaikeRunWnd::showProblems()
{
    const auto list = page_.problems();
    problemTitle_->setText(qs(PaikeRunPage::problemCountText(list.size())));
    completion_->setText(qs(page_.completionText()));
    // a long list is shown up to its first thousand lines; the count above says how many there are
    const int rows = static_cast<int>(std::min<std::size_t>(list.size(), 1000));
    problems_->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const auto texts = page_.problemRow(list[r]);
        for (int c = 0; c < static_cast<int>(texts.size()); ++c) {
            auto* item = new QTableWidgetItem(qs(texts[c]));
            item->setTextAlignment(Qt::AlignCenter);
            problems_->setItem(r, c, item);
        }
    }
}

void PaikeRunWnd::showSummary()
{
    const auto lines = page_.summary();
    const QualityReport quality = page_.quality();
    quality_->setText(lines.empty() ? QString() : qs(PaikeRunPage::qualityText(quality)));
    summary_->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        const auto& l = lines[r];
        QStringList texts{qs(l.gradeName), qs(l.className), QString::number(l.placed), QString::number(l.required)};
        if (r < static_cast<int>(quality.classes.size()))
            for (const auto& t : PaikeRunPage::qualityRow(quality.classes[r]))
                texts << qs(t);
        for (int c = 0; c < static_cast<int>(texts.size()); ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            item->setTextAlignment(Qt::AlignCenter);
            if ((c == 2 && l.incomplete()) || (c == 5 && texts[c] != QStringLiteral("0")))
                item->setForeground(QColor(200, 0, 0));
            summary_->setItem(r, c, item);
        }
    }
    showProblems();
}

void PaikeRunWnd::resizeEvent(QResizeEvent*)
{
    const QSize hint = start_->sizeHint();
    const int buttonW = std::max(hint.width() + 24, 110);
    const int buttonH = std::max(hint.height() + 8, 32);
    const int checkW = complete_->sizeHint().width() + 8;
    const auto g = PaikeRunPage::layout(width(), height(), buttonW, buttonH, checkW);
    start_->setGeometry(qrect(g.button));
    complete_->setGeometry(qrect(g.checkBox));
    tree_->setGeometry(qrect(g.tree));
    progress_->setGeometry(qrect(g.progress));
    const int titleH = summaryTitle_->sizeHint().height();
    summaryTitle_->setGeometry(g.summary.left, g.summary.top, g.summary.width() / 3, titleH);
    quality_->setGeometry(g.summary.left + g.summary.width() / 3, g.summary.top, g.summary.width() * 2 / 3, titleH);
    summary_->setGeometry(g.summary.left, g.summary.top + titleH + 4, g.summary.width(),
                          std::max(0, g.summary.height() - titleH - 4));
    problemTitle_->setGeometry(g.problems.left, g.problems.top, g.problems.width() / 3, titleH);
    completion_->setGeometry(g.problems.left + g.problems.width() / 3, g.problems.top, g.problems.width() * 2 / 3, titleH);
    problems_->setGeometry(g.problems.left, g.problems.top + titleH + 4, g.problems.width(),
                           std::max(0, g.problems.height() - titleH - 4));
}

} // namespace tabrel::ui
