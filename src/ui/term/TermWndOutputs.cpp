// The term panel's pages that read and print what was arranged: the record, the dated week,
// the notices and the statistics.
#include "ui/term/TermWnd.h"
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include "app/CoverStatisticsBook.h"
#include "app/DatedWeekSheet.h"
#include "app/Document.h"
#include "data/DataSet.h"
#include "output/PrintDocument.h"
#include "output/XlsxWorkbook.h"
#include "render/QtCanvas.h"
#include "term/TermCalendar.h"
#include "ui/output/PrintSupport.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"
#include "ui/term/TermWidgets.h"

namespace tabrel::ui {

using namespace termui;

// ---- 调代课记录 -------------------------------------------------------------------------------------

QWidget* TermWnd::makeChangesPage()
{
    auto* page = new QWidget;
    auto* filters = new QHBoxLayout;
    filterDates_ = new QCheckBox(QStringLiteral("日期"), page);
    filterFrom_ = dateEdit(page);
    filterTo_ = dateEdit(page);
    filterTeacher_ = new QComboBox(page);
    filterClass_ = new QComboBox(page);
    filters->addWidget(filterDates_);
    filters->addWidget(filterFrom_);
    filters->addWidget(new QLabel(QStringLiteral("至"), page));
    filters->addWidget(filterTo_);
    filters->addWidget(filterTeacher_);
    filters->addWidget(filterClass_);
    auto* del = button(QStringLiteral("删除记录"), page, QStringLiteral("删除选中的调代课记录（Delete）"));
    filters->addWidget(del);
    filters->addStretch();
    for (QDateEdit* e : {filterFrom_, filterTo_})
        connect(e, &QDateEdit::dateChanged, this, [this] {
            if (!filling_)
                refreshChanges();
        });
    connect(filterDates_, &QCheckBox::toggled, this, [this] { refreshChanges(); });
    for (QComboBox* b : {filterTeacher_, filterClass_})
        connect(b, &QComboBox::currentIndexChanged, this, [this] {
            if (!filling_)
                refreshChanges();
        });
    connect(del, &QPushButton::clicked, this, [this] { deleteSelectedChange(); });
    changes_ = table(page, TermPanel::changeHeadings());
    changes_->installEventFilter(this);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(filters);
    layout->addWidget(changes_);
    return page;
}

void TermWnd::refreshChanges()
{
    TermPanel::ChangeFilter f;
    if (filterDates_->isChecked()) {
        f.from = dayOf(filterFrom_);
        f.to = dayOf(filterTo_);
    }
    if (filterTeacher_->currentIndex() > 0)
        f.teacher = gbkOf(filterTeacher_->currentText());
    if (filterClass_->currentIndex() > 0)
        f.className = gbkOf(filterClass_->currentText());
    changeRows_ = TermPanel::changeRows(school(), f);
    changes_->clearContents();
    changes_->setRowCount(static_cast<int>(changeRows_.size()));
    for (int r = 0; r < static_cast<int>(changeRows_.size()); ++r)
        fillRow(changes_, r, changeRows_[r].cells, changeRows_[r].stale ? QColor(160, 160, 160) : QColor());
    changes_->resizeColumnsToContents();
}

void TermWnd::deleteSelectedChange()
{
    const int row = changes_->currentRow();
    if (row < 0 || row >= static_cast<int>(changeRows_.size()))
        return;
    if (!Prompter::current().confirm(this, QStringLiteral("删除这条调代课记录？")))
        return;
    TermPanel::deleteChange(doc_.editRunner(), school(), changeRows_[row].index);
    refresh();
}

// ---- 按周课表 ----------------------------------------------------------------------------------------

QWidget* TermWnd::makeWeekPage()
{
    auto* page = new QWidget;
    auto* bar = new QHBoxLayout;
    week_ = new QSpinBox(page);
    week_->setPrefix(QStringLiteral("第 "));
    week_->setSuffix(QStringLiteral(" 周"));
    week_->setRange(1, MaxTermWeeks);
    weekMode_ = new QComboBox(page);
    weekMode_->addItems({QStringLiteral("班级"), QStringLiteral("教师")});
    weekWho_ = new QComboBox(page);
    weekWho_->setMinimumWidth(140);
    auto* all = new QCheckBox(QStringLiteral("打印全部"), page);
    all->setObjectName(QStringLiteral("printAll"));
    auto* print = button(QStringLiteral("打印"), page);
    auto* pdf = button(QStringLiteral("导出PDF"), page);
    bar->addWidget(week_);
    bar->addWidget(weekMode_);
    bar->addWidget(weekWho_);
    bar->addWidget(all);
    bar->addWidget(print);
    bar->addWidget(pdf);
    bar->addStretch();
    connect(week_, &QSpinBox::valueChanged, this, [this] { refreshWeek(); });
    connect(weekMode_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            refresh();
    });
    connect(weekWho_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            refreshWeek();
    });
    connect(print, &QPushButton::clicked, this, [this] { printWeek(false); });
    connect(pdf, &QPushButton::clicked, this, [this] { printWeek(true); });
    weekView_ = new DatedWeekView(page);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(bar);
    layout->addWidget(weekView_, 1);
    return page;
}

void TermWnd::refreshWeek()
{
    const DataSet& ds = school();
    const int i = weekWho_->currentIndex();
    weekView_->sheet = weekMode_->currentIndex() == 0 ? datedClassWeek(ds, i, week_->value())
                                                      : datedTeacherWeek(ds, gbkOf(weekWho_->currentText()), week_->value());
    weekView_->update();
}

void TermWnd::printWeek(bool pdf)
{
    const DataSet& ds = school();
    std::vector<DatedWeek> sheets;
    const bool all = findChild<QCheckBox*>(QStringLiteral("printAll"))->isChecked();
    for (int i = 0; i < weekWho_->count(); ++i) {
        if (!all && i != weekWho_->currentIndex())
            continue;
        sheets.push_back(weekMode_->currentIndex() == 0 ? datedClassWeek(ds, i, week_->value())
                                                        : datedTeacherWeek(ds, gbkOf(weekWho_->itemText(i)), week_->value()));
        if (sheets.back().headers.empty())
            sheets.pop_back();
    }
    if (sheets.empty()) {
        refuse(GBK("尚未设置学期，没有可打印的课程表"));
        return;
    }
    auto document = datedWeekDocument(std::move(sheets), GBK("第") + gbk::formatInt(week_->value()) + GBK("周课程表"));
    if (pdf) {
        const QString text = exportPdf(this, *document);
        if (!text.isEmpty())
            status(text);
    } else {
        showPrintPreview(this, *document);
    }
}

// ---- 调代课通知 -------------------------------------------------------------------------------------

QWidget* TermWnd::makeNoticePage()
{
    auto* page = new QWidget;
    auto* bar = new QHBoxLayout;
    noticeBy_ = new QComboBox(page);
    noticeBy_->addItems({QStringLiteral("按日期"), QStringLiteral("按请假")});
    noticeDate_ = dateEdit(page);
    noticeAbsence_ = new QComboBox(page);
    noticeAbsence_->setMinimumWidth(260);
    auto* copy = button(QStringLiteral("复制"), page, QStringLiteral("把通知文字复制到剪贴板，可粘贴到工作群"));
    auto* print = button(QStringLiteral("打印通知单"), page);
    auto* pdf = button(QStringLiteral("导出PDF"), page);
    bar->addWidget(noticeBy_);
    bar->addWidget(noticeDate_);
    bar->addWidget(noticeAbsence_);
    bar->addWidget(copy);
    bar->addWidget(print);
    bar->addWidget(pdf);
    bar->addStretch();
    connect(noticeBy_, &QComboBox::currentIndexChanged, this, [this] { refreshNotice(); });
    connect(noticeDate_, &QDateEdit::dateChanged, this, [this] {
        if (!filling_)
            refreshNotice();
    });
    connect(noticeAbsence_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            refreshNotice();
    });
    connect(copy, &QPushButton::clicked, this, [this] { copyNotice(); });
    connect(print, &QPushButton::clicked, this, [this] { printNotice(false); });
    connect(pdf, &QPushButton::clicked, this, [this] { printNotice(true); });
    noticeText_ = new QPlainTextEdit(page);
    noticeText_->setReadOnly(true);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(bar);
    layout->addWidget(noticeText_);
    return page;
}

std::vector<int> TermWnd::noticeChanges() const
{
    if (noticeBy_->currentIndex() == 0)
        return TermPanel::changesOfDate(school(), dayOf(noticeDate_));
    return TermPanel::changesOfAbsence(school(), noticeAbsence_->currentData().toInt());
}

void TermWnd::refreshNotice()
{
    const DataSet& ds = school();
    filling_ = true;
    const int keep = noticeAbsence_->currentData().toInt();
    noticeAbsence_->clear();
    for (const auto& row : TermPanel::absenceRows(ds))
        noticeAbsence_->addItem(qs(row.cells[0] + " " + row.cells[3] + " " + row.cells[1]), row.id);
    const int i = noticeAbsence_->findData(keep);
    noticeAbsence_->setCurrentIndex(i >= 0 ? i : 0);
    filling_ = false;
    const bool byDate = noticeBy_->currentIndex() == 0;
    noticeDate_->setVisible(byDate);
    noticeAbsence_->setVisible(!byDate);
    const std::string text = TermPanel::chatText(ds, noticeChanges());
    noticeText_->setPlainText(text.empty() ? QString() : qs(text));
    noticeText_->setPlaceholderText(QStringLiteral("没有调代课记录"));
}

void TermWnd::copyNotice()
{
    const std::string text = TermPanel::chatText(school(), noticeChanges());
    if (text.empty()) {
        refuse(GBK("没有调代课记录，未复制"));
        return;
    }
    QApplication::clipboard()->setText(qs(text));
    status(QStringLiteral("通知文字已复制到剪贴板"));
}

void TermWnd::printNotice(bool pdf)
{
    const auto changes = noticeChanges();
    if (changes.empty()) {
        refuse(GBK("没有调代课记录，没有通知单可打印"));
        return;
    }
    const std::string title = noticeBy_->currentIndex() == 0
                                  ? GBK("调代课通知 ") + TermCalendar::longDateText(dayOf(noticeDate_))
                                  : GBK("调代课通知 ") + gbkOf(noticeAbsence_->currentText());
    auto document = TermPanel::slipsDocument(school(), changes, title);
    if (pdf) {
        const QString text = exportPdf(this, *document);
        if (!text.isEmpty())
            status(text);
    } else {
        showPrintPreview(this, *document);
    }
}

// ---- 代课统计 ----------------------------------------------------------------------------------------

QWidget* TermWnd::makeStatisticsPage()
{
    auto* page = new QWidget;
    auto* bar = new QHBoxLayout;
    statFrom_ = dateEdit(page);
    statTo_ = dateEdit(page);
    auto* count = button(QStringLiteral("统计"), page);
    auto* xlsx = button(QStringLiteral("导出Excel"), page);
    auto* print = button(QStringLiteral("打印"), page);
    auto* pdf = button(QStringLiteral("导出PDF"), page);
    bar->addWidget(new QLabel(QStringLiteral("从"), page));
    bar->addWidget(statFrom_);
    bar->addWidget(new QLabel(QStringLiteral("到"), page));
    bar->addWidget(statTo_);
    bar->addWidget(count);
    bar->addWidget(xlsx);
    bar->addWidget(print);
    bar->addWidget(pdf);
    bar->addStretch();
    connect(count, &QPushButton::clicked, this, [this] { countStatistics(); });
    connect(xlsx, &QPushButton::clicked, this, [this] { exportStatistics(); });
    connect(print, &QPushButton::clicked, this, [this] { printStatistics(false); });
    connect(pdf, &QPushButton::clicked, this, [this] { printStatistics(true); });
    stats_ = table(page, coverStatisticsHeadings());
    stats_->horizontalHeader()->setSectionsClickable(true);
    stats_->horizontalHeader()->setSortIndicatorShown(true);
    connect(stats_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        statDescending_ = column == statColumn_ ? !statDescending_ : column != 0;
        statColumn_ = column;
        countStatistics();
    });
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(bar);
    layout->addWidget(stats_);
    return page;
}

void TermWnd::countStatistics()
{
    const DataSet& ds = school();
    const DayNumber from = dayOf(statFrom_), to = dayOf(statTo_);
    if (std::string why = TermPanel::statisticsRefusal(ds, from, to); !why.empty()) {
        refuse(why);
        return;
    }
    statRows_ = TermPanel::sortedStatistics(ds, from, to, statColumn_, statDescending_);
    fillStatistics();
}

void TermWnd::fillStatistics()
{
    stats_->clearContents();
    stats_->setRowCount(static_cast<int>(statRows_.size()));
    for (int r = 0; r < static_cast<int>(statRows_.size()); ++r) {
        const TeacherCoverStats& s = statRows_[r];
        fillRow(stats_, r,
                {s.teacher, gbk::formatInt(s.due), gbk::formatInt(s.taught), gbk::formatInt(s.coverGiven),
                 gbk::formatInt(s.coveredByOthers), gbk::formatInt(s.swaps), gbk::formatInt(s.selfStudy)});
    }
    stats_->horizontalHeader()->setSortIndicator(statColumn_, statDescending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TermWnd::exportStatistics()
{
    countStatistics();
    if (statRows_.empty())
        return;
    const QString path =
        Prompter::current().saveFile(this, QStringLiteral("Excel 工作簿 (*.xlsx)|*.xlsx||"), QStringLiteral("xlsx"));
    if (path.isEmpty())
        return;
    XlsxWorkbook book;
    writeCoverStatistics(book, TermPanel::statisticsTitle(dayOf(statFrom_), dayOf(statTo_)), statRows_);
    std::string error;
    if (!book.saveAs(path.toStdString(), error)) {
        Prompter::current().inform(this, QStringLiteral("无法写入 %1：%2").arg(path, qu(error)));
        return;
    }
    status(QStringLiteral("已导出代课统计：%1").arg(path));
}

void TermWnd::printStatistics(bool pdf)
{
    countStatistics();
    if (statRows_.empty())
        return;
    auto document = TermPanel::statisticsDocument(TermPanel::statisticsTitle(dayOf(statFrom_), dayOf(statTo_)), statRows_);
    if (pdf) {
        const QString text = exportPdf(this, *document);
        if (!text.isEmpty())
            status(text);
    } else {
        showPrintPreview(this, *document);
    }
}

} // namespace tabrel::ui
