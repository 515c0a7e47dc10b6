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


TermWnd::TermWnd(Document& doc, QWidget* parent) : PanelWindow(parent), doc_(doc)
{
    setObjectName(QStringLiteral("TermWnd"));
    tabs_ = new QTabWidget(this);
    tabs_->addTab(makeTermPage(), QStringLiteral("学期设置"));
    tabs_->addTab(makeAbsencePage(), QStringLiteral("请假登记"));
    tabs_->addTab(makeProposalPage(), QStringLiteral("一键安排"));
    tabs_->addTab(makeChangesPage(), QStringLiteral("调代课记录"));
    tabs_->addTab(makeWeekPage(), QStringLiteral("按周课表"));
    tabs_->addTab(makeNoticePage(), QStringLiteral("调代课通知"));
    tabs_->addTab(makeStatisticsPage(), QStringLiteral("代课统计"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tabs_);
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { refresh(); });
}

const DataSet& TermWnd::school() const { return std::as_const(doc_).dataSet(); }

void TermWnd::refuse(const std::string& gbkMessage)
{
    if (!gbkMessage.empty())
        Prompter::current().inform(this, qs(gbkMessage));
}

void TermWnd::beforeShow(bool again)
{
    if (!again)
        model_.loadDraft(school(), static_cast<DayNumber>(Epoch.daysTo(QDate::currentDate())));
    refresh();
}

void TermWnd::schoolReplaced(DataSet&)
{
    model_.loadDraft(school(), static_cast<DayNumber>(Epoch.daysTo(QDate::currentDate())));
    model_.clearProposal();
    refresh();
}

void TermWnd::refresh()
{
    filling_ = true;
    const DataSet& ds = school();
    // The choices that follow the school: teachers, classes, periods, day names.
    auto refill = [](QComboBox* box, const QStringList& items, const QString& first = {}) {
        const QString keep = box->currentText();
        box->clear();
        if (!first.isEmpty())
            box->addItem(first);
        box->addItems(items);
        const int i = box->findText(keep);
        box->setCurrentIndex(i >= 0 ? i : 0);
    };
    QStringList teachers, classes, periods, days;
    for (const auto& t : ds.teachers)
        if (!t->name.empty() && !teachers.contains(qs(t->name)))
            teachers << qs(t->name);
    for (const ClassTable* c : ds.classesInGradeOrder())
        classes << qs(c->name);
    for (int p = 0; p < ds.gridPeriods(); ++p)
        periods << qs(ds.periodLabel(p));
    for (const auto& d : ds.dayNames)
        days << qs(d);
    refill(absTeacher_, teachers);
    refill(absFromPeriod_, periods);
    const int toKeep = absToPeriod_->currentIndex();
    refill(absToPeriod_, periods);
    if (toKeep < 0 && absToPeriod_->count())
        absToPeriod_->setCurrentIndex(absToPeriod_->count() - 1);
    refill(makeUpFollows_, days);
    refill(filterTeacher_, teachers, QStringLiteral("全部教师"));
    refill(filterClass_, classes, QStringLiteral("全部班级"));
    refill(weekWho_, weekMode_->currentIndex() == 0 ? classes : teachers);
    const TermCalendar cal(ds);
    if (cal.isSet()) {
        for (QDateEdit* e : {absFrom_, absTo_, noticeDate_, filterFrom_, filterTo_, statFrom_, statTo_, swapFrom_, swapTo_})
            e->setDateRange(qdate(cal.firstDay()), qdate(cal.lastDay()));
        week_->setRange(1, cal.term().weeks);
    }
    filling_ = false;
    // Date fields never set yet start at the term's first day (or the draft's).
    // The notice and the statistics start at today within the term (the statistics from the term's
    // first day).
    const QDate first = qdate(cal.isSet() ? cal.firstDay() : model_.draft().start);
    const QDate today = std::clamp(QDate::currentDate(), first, cal.isSet() ? qdate(cal.lastDay()) : first);
    filling_ = true;
    for (QDateEdit* e : findChildren<QDateEdit*>()) {
        if (e == start_ || e->property("started").toBool())
            continue;
        e->setDate(e == noticeDate_ || e == statTo_ ? today : first);
        e->setProperty("started", cal.isSet());
    }
    filling_ = false;
    refreshTermPage();
    refreshAbsences();
    refreshProposal();
    refreshChanges();
    refreshWeek();
    refreshNotice();
}

// ---- 学期设置 -------------------------------------------------------------------------------------

QWidget* TermWnd::makeTermPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout;
    start_ = dateEdit(page);
    weeks_ = new QSpinBox(page);
    weeks_->setRange(1, MaxTermWeeks);
    weeks_->setSuffix(QStringLiteral(" 周"));
    form->addRow(QStringLiteral("第一个教学日："), start_);
    form->addRow(QStringLiteral("周数："), weeks_);
    connect(start_, &QDateEdit::dateChanged, this, [this] {
        if (!filling_)
            model_.setDraftStart(dayOf(start_));
    });
    connect(weeks_, &QSpinBox::valueChanged, this, [this](int w) {
        if (!filling_)
            model_.setDraftWeeks(w);
    });

    auto* offBox = new QGroupBox(QStringLiteral("放假（单日或一段日期）"), page);
    auto* offLayout = new QVBoxLayout(offBox);
    auto* offRow = new QHBoxLayout;
    offFrom_ = dateEdit(offBox);
    offTo_ = dateEdit(offBox);
    auto* addOff = button(QStringLiteral("添加放假"), offBox);
    offRow->addWidget(offFrom_);
    offRow->addWidget(new QLabel(QStringLiteral("至"), offBox));
    offRow->addWidget(offTo_);
    offRow->addWidget(addOff);
    offList_ = new QListWidget(offBox);
    offList_->setToolTip(QStringLiteral("选中后按 Delete 删除"));
    offList_->installEventFilter(this);
    offLayout->addLayout(offRow);
    offLayout->addWidget(offList_);
    connect(offFrom_, &QDateEdit::dateChanged, this, [this](const QDate& d) {
        if (offTo_->date() < d)
            offTo_->setDate(d);
    });
    connect(addOff, &QPushButton::clicked, this, [this] {
        std::string why = model_.addDayOff(dayOf(offFrom_), dayOf(offTo_));
        refuse(why);
        refreshDraftLists();
    });

    auto* muBox = new QGroupBox(QStringLiteral("补课日（星期六或星期日上某一天的课）"), page);
    auto* muLayout = new QVBoxLayout(muBox);
    auto* muRow = new QHBoxLayout;
    makeUpDate_ = dateEdit(muBox);
    makeUpFollows_ = new QComboBox(muBox);
    auto* addMu = button(QStringLiteral("添加补课日"), muBox);
    muRow->addWidget(makeUpDate_);
    muRow->addWidget(new QLabel(QStringLiteral("上"), muBox));
    muRow->addWidget(makeUpFollows_);
    muRow->addWidget(new QLabel(QStringLiteral("的课"), muBox));
    muRow->addWidget(addMu);
    makeUpList_ = new QListWidget(muBox);
    makeUpList_->setToolTip(QStringLiteral("选中后按 Delete 删除"));
    makeUpList_->installEventFilter(this);
    muLayout->addLayout(muRow);
    muLayout->addWidget(makeUpList_);
    connect(addMu, &QPushButton::clicked, this, [this] {
        refuse(model_.addMakeUpDay(school(), dayOf(makeUpDate_), gbkOf(makeUpFollows_->currentText())));
        refreshDraftLists();
    });

    auto* save = button(QStringLiteral("保存学期"), page, QStringLiteral("把上面的设置存入数据文件（可撤销）"));
    connect(save, &QPushButton::clicked, this, [this] { saveTerm(); });
    summary_ = new QLabel(page);
    summary_->setWordWrap(true);

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(offBox);
    left->addWidget(muBox);
    left->addWidget(save);
    left->addWidget(summary_);

    calendar_ = new QTableWidget(page);
    calendar_->setColumnCount(9);
    calendar_->setHorizontalHeaderLabels({QStringLiteral("周次"), QStringLiteral("单双周"), QStringLiteral("星期一"),
                                          QStringLiteral("星期二"), QStringLiteral("星期三"), QStringLiteral("星期四"),
                                          QStringLiteral("星期五"), QStringLiteral("星期六"), QStringLiteral("星期日")});
    calendar_->verticalHeader()->setVisible(false);
    calendar_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    calendar_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto* legend = new QLabel(
        QStringLiteral("<span style='background:#d6ecd6'>&nbsp;教学日&nbsp;</span> "
                       "<span style='background:#f6c8c8'>&nbsp;放假&nbsp;</span> "
                       "<span style='background:#ffe296'>&nbsp;补课日&nbsp;</span> "
                       "<span style='background:#e8e8e8'>&nbsp;周末&nbsp;</span>"),
        page);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("校历（已保存的学期）"), page));
    right->addWidget(calendar_);
    right->addWidget(legend);

    auto* row = new QHBoxLayout(page);
    row->addLayout(left, 2);
    row->addLayout(right, 3);
    setTabOrder(start_, weeks_);
    setTabOrder(weeks_, offFrom_);
    setTabOrder(offFrom_, offTo_);
    setTabOrder(offTo_, addOff);
    setTabOrder(addOff, offList_);
    setTabOrder(offList_, makeUpDate_);
    setTabOrder(makeUpDate_, makeUpFollows_);
    setTabOrder(makeUpFollows_, addMu);
    setTabOrder(addMu, makeUpList_);
    setTabOrder(makeUpList_, save);
    return page;
}

void TermWnd::refreshDraftLists()
{
    offList_->clear();
    for (const auto& t : model_.dayOffTexts())
        offList_->addItem(qs(t));
    makeUpList_->clear();
    for (const auto& t : model_.makeUpTexts())
        makeUpList_->addItem(qs(t));
}

void TermWnd::refreshTermPage()
{
    filling_ = true;
    start_->setDate(qdate(model_.draft().start));
    weeks_->setValue(model_.draft().weeks);
    filling_ = false;
    refreshDraftLists();
    const DataSet& ds = school();
    summary_->setText(qs(TermPanel::termSummary(ds)));
    const auto weeks = TermPanel::calendar(ds);
    calendar_->setRowCount(static_cast<int>(weeks.size()));
    for (int w = 0; w < static_cast<int>(weeks.size()); ++w) {
        calendar_->setItem(w, 0, new QTableWidgetItem(qs(weeks[w].weekText)));
        calendar_->setItem(w, 1, new QTableWidgetItem(qs(weeks[w].parity)));
        for (int d = 0; d < 7; ++d) {
            const auto& day = weeks[w].days[d];
            auto* item = new QTableWidgetItem(qs(day.text));
            const Rgb c = TermPanel::dayColour(day.kind);
            item->setBackground(QColor(c.r, c.g, c.b));
            calendar_->setItem(w, d + 2, item);
        }
    }
}

void TermWnd::saveTerm()
{
    model_.setDraftStart(dayOf(start_));
    model_.setDraftWeeks(weeks_->value());
    const std::string why = model_.applyTerm(doc_.editRunner(), school());
    if (!why.empty())
        refuse(why);
    else
        status(QStringLiteral("学期已保存：") + qs(TermPanel::termSummary(school())));
    refresh();
}

// ---- 请假登记 and one lesson ---------------------------------------------------------------------

QWidget* TermWnd::makeAbsencePage()
{
    auto* page = new QWidget;
    auto* formBox = new QGroupBox(QStringLiteral("登记请假"), page);
    auto* grid = new QHBoxLayout(formBox);
    absTeacher_ = new QComboBox(formBox);
    absTeacher_->setEditable(true);
    absTeacher_->setInsertPolicy(QComboBox::NoInsert);
    absTeacher_->setMinimumWidth(120);
    absFrom_ = dateEdit(formBox);
    absFromPeriod_ = new QComboBox(formBox);
    absTo_ = dateEdit(formBox);
    absToPeriod_ = new QComboBox(formBox);
    absKind_ = new QComboBox(formBox);
    for (const char* k : AbsenceKinds)
        absKind_->addItem(QString::fromUtf8(k));
    absNote_ = new QComboBox(formBox);
    absNote_->setEditable(true);
    absNote_->setMinimumWidth(120);
    absNote_->setToolTip(QStringLiteral("备注"));
    auto* add = button(QStringLiteral("登记请假"), formBox, QStringLiteral("登记后可在下方安排每一节课（Return）"));
    grid->addWidget(new QLabel(QStringLiteral("教师"), formBox));
    grid->addWidget(absTeacher_);
    grid->addWidget(new QLabel(QStringLiteral("从"), formBox));
    grid->addWidget(absFrom_);
    grid->addWidget(absFromPeriod_);
    grid->addWidget(new QLabel(QStringLiteral("到"), formBox));
    grid->addWidget(absTo_);
    grid->addWidget(absToPeriod_);
    grid->addWidget(absKind_);
    grid->addWidget(new QLabel(QStringLiteral("备注"), formBox));
    grid->addWidget(absNote_, 1);
    grid->addWidget(add);
    connect(add, &QPushButton::clicked, this, [this] { recordAbsence(); });
    connect(absNote_->lineEdit(), &QLineEdit::returnPressed, this, [this] { recordAbsence(); });
    connect(absFrom_, &QDateEdit::dateChanged, this, [this](const QDate& d) {
        if (absTo_->date() < d)
            absTo_->setDate(d);
    });

    absences_ = table(page, TermPanel::absenceHeadings());
    absences_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    absences_->installEventFilter(this);
    absences_->setToolTip(QStringLiteral("选中请假后按 Delete 删除；可多选后按“一键安排”"));
    connect(absences_, &QTableWidget::itemSelectionChanged, this, [this] {
        if (!filling_)
            refreshLessons();
    });
    auto* absButtons = new QHBoxLayout;
    auto* del = button(QStringLiteral("删除请假"), page, QStringLiteral("删除选中的请假及其调代课记录（Delete）"));
    auto* oneClick = button(QStringLiteral("一键安排…"), page, QStringLiteral("为选中的请假中未安排的课给出建议"));
    absButtons->addWidget(del);
    absButtons->addWidget(oneClick);
    absButtons->addStretch();
    connect(del, &QPushButton::clicked, this, [this] { deleteSelectedAbsence(); });
    connect(oneClick, &QPushButton::clicked, this, [this] { proposeForSelected(); });

    lessons_ = table(page, TermPanel::lessonHeadings());
    lessons_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(lessons_, &QTableWidget::itemSelectionChanged, this, [this] {
        if (!filling_)
            refreshCandidates();
    });

    auto* coverBox = new QGroupBox(QStringLiteral("安排选中的课"), page);
    auto* cover = new QVBoxLayout(coverBox);
    coverKind_ = new QComboBox(coverBox);
    coverKind_->addItems({QStringLiteral("代课"), QStringLiteral("调课"), QStringLiteral("自习"), QStringLiteral("停课")});
    auto* range = new QHBoxLayout;
    swapFrom_ = dateEdit(coverBox);
    swapTo_ = dateEdit(coverBox);
    range->addWidget(new QLabel(QStringLiteral("调课范围"), coverBox));
    range->addWidget(swapFrom_);
    range->addWidget(new QLabel(QStringLiteral("至"), coverBox));
    range->addWidget(swapTo_);
    candidates_ = new QListWidget(coverBox);
    candidates_->setToolTip(QStringLiteral("双击或按 Return 安排"));
    auto* apply = button(QStringLiteral("安排"), coverBox, QStringLiteral("按所选方式安排这节课（Return）"));
    cover->addWidget(coverKind_);
    cover->addLayout(range);
    cover->addWidget(candidates_);
    cover->addWidget(apply);
    connect(coverKind_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            refreshCandidates();
    });
    for (QDateEdit* e : {swapFrom_, swapTo_})
        connect(e, &QDateEdit::dateChanged, this, [this] {
            if (!filling_ && coverKind_->currentIndex() == 1)
                refreshCandidates();
        });
    connect(candidates_, &QListWidget::itemActivated, this, [this] { coverSelectedLesson(); });
    connect(apply, &QPushButton::clicked, this, [this] { coverSelectedLesson(); });

    auto* lower = new QSplitter(Qt::Horizontal, page);
    lower->addWidget(lessons_);
    lower->addWidget(coverBox);
    lower->setStretchFactor(0, 2);
    lower->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(formBox);
    layout->addWidget(absences_, 2);
    layout->addLayout(absButtons);
    layout->addWidget(lower, 3);
    return page;
}

int TermWnd::selectedAbsence() const
{
    const int row = absences_->currentRow();
    if (row < 0 || row >= static_cast<int>(absenceRows_.size()) || absences_->selectedItems().isEmpty())
        return 0;
    return absenceRows_[row].id;
}

const TouchedLesson* TermWnd::selectedLesson() const
{
    const int row = lessons_->currentRow();
    if (row < 0 || row >= static_cast<int>(lessonRows_.size()) || lessons_->selectedItems().isEmpty())
        return nullptr;
    return &lessonRows_[row].lesson;
}

void TermWnd::refreshAbsences()
{
    const int keep = selectedAbsence();
    filling_ = true;
    absenceRows_ = TermPanel::absenceRows(school());
    absences_->clearContents();
    absences_->setRowCount(static_cast<int>(absenceRows_.size()));
    int select = -1;
    for (int r = 0; r < static_cast<int>(absenceRows_.size()); ++r) {
        fillRow(absences_, r, absenceRows_[r].cells);
        if (absenceRows_[r].id == keep)
            select = r;
    }
    absences_->resizeColumnsToContents();
    if (select >= 0)
        absences_->selectRow(select);
    filling_ = false;
    refreshLessons();
}

void TermWnd::refreshLessons()
{
    const int keepRow = lessons_->currentRow();
    filling_ = true;
    lessonRows_ = TermPanel::lessonRows(school(), selectedAbsence());
    lessons_->clearContents();
    lessons_->setRowCount(static_cast<int>(lessonRows_.size()));
    for (int r = 0; r < static_cast<int>(lessonRows_.size()); ++r) {
        const bool open = lessonRows_[r].lesson.state == LessonState::Open;
        fillRow(lessons_, r, lessonRows_[r].cells, open ? QColor(190, 30, 30) : QColor());
    }
    lessons_->resizeColumnsToContents();
    if (keepRow >= 0 && keepRow < lessons_->rowCount())
        lessons_->selectRow(keepRow);
    filling_ = false;
    refreshCandidates();
}

void TermWnd::refreshCandidates()
{
    candidates_->clear();
    substituteRows_.clear();
    swapRows_.clear();
    const TouchedLesson* lesson = selectedLesson();
    const int kind = coverKind_->currentIndex();
    swapFrom_->setEnabled(kind == 1);
    swapTo_->setEnabled(kind == 1);
    if (!lesson) {
        candidates_->addItem(QStringLiteral("（先选中上面的一条请假和左边的一节课）"));
        return;
    }
    const DataSet& ds = school();
    if (kind == 0 || kind == 2) {
        substituteRows_ = TermPanel::substituteRows(ds, *lesson);
        if (kind == 2)
            candidates_->addItem(QStringLiteral("不指定看班教师"));
        for (const auto& c : substituteRows_)
            candidates_->addItem(qs(c.text));
        if (kind == 0 && substituteRows_.empty())
            candidates_->addItem(QStringLiteral("（该节没有空闲的教师）"));
    } else if (kind == 1) {
        DayNumber from = dayOf(swapFrom_), to = dayOf(swapTo_);
        if (swapFrom_->property("lesson").toInt() != lesson->date * 16 + lesson->period) {
            TermPanel::defaultSwapRange(ds, lesson->date, from, to);
            filling_ = true;
            swapFrom_->setDate(qdate(from));
            swapTo_->setDate(qdate(to));
            swapFrom_->setProperty("lesson", lesson->date * 16 + lesson->period);
            filling_ = false;
        }
        swapRows_ = TermPanel::swapRows(ds, *lesson, from, to);
        for (const auto& s : swapRows_)
            candidates_->addItem(qs(s.text));
        if (swapRows_.empty())
            candidates_->addItem(QStringLiteral("（范围内没有可以对调的课）"));
    } else {
        candidates_->addItem(QStringLiteral("该节停课"));
    }
    candidates_->setCurrentRow(0);
}

void TermWnd::recordAbsence()
{
    AbsenceRecord a;
    a.teacher = gbkOf(absTeacher_->currentText());
    a.from = dayOf(absFrom_);
    a.fromPeriod = absFromPeriod_->currentIndex();
    a.to = dayOf(absTo_);
    a.toPeriod = absToPeriod_->currentIndex();
    a.kind = gbkOf(absKind_->currentText());
    a.note = gbkOf(absNote_->currentText());
    std::string message;
    const int id = TermPanel::recordAbsence(doc_.editRunner(), school(), a, message);
    if (!id) {
        refuse(message);
        return;
    }
    refresh();
    for (int r = 0; r < static_cast<int>(absenceRows_.size()); ++r)
        if (absenceRows_[r].id == id)
            absences_->selectRow(r);
    status(QStringLiteral("已登记请假：%1，涉及 %2 节课").arg(absTeacher_->currentText()).arg(lessonRows_.size()));
}

void TermWnd::deleteSelectedAbsence()
{
    const int id = selectedAbsence();
    if (!id)
        return;
    if (!Prompter::current().confirm(this, qs(TermPanel::deleteAbsenceQuestion(school(), id))))
        return;
    TermPanel::deleteAbsence(doc_.editRunner(), id);
    refresh();
    status(QStringLiteral("已删除请假"));
}

void TermWnd::coverSelectedLesson()
{
    const TouchedLesson* lesson = selectedLesson();
    if (!lesson) {
        refuse(GBK("请先选中一节课"));
        return;
    }
    CoverRequest r;
    r.date = lesson->date;
    r.period = lesson->period;
    r.classIndex = lesson->classIndex;
    r.kind = static_cast<ChangeKind>(coverKind_->currentIndex());
    const int row = candidates_->currentRow();
    switch (r.kind) {
    case ChangeKind::Substitute:
        if (row < 0 || row >= static_cast<int>(substituteRows_.size())) {
            refuse(GBK("请先选择代课教师"));
            return;
        }
        r.teacher = substituteRows_[row].teacher;
        break;
    case ChangeKind::SelfStudy:
        if (row >= 1 && row - 1 < static_cast<int>(substituteRows_.size()))
            r.teacher = substituteRows_[row - 1].teacher;
        break;
    case ChangeKind::Swap:
        if (row < 0 || row >= static_cast<int>(swapRows_.size())) {
            refuse(GBK("请先选择对调的课"));
            return;
        }
        r.swapDate = swapRows_[row].swap.date;
        r.swapPeriod = swapRows_[row].swap.period;
        break;
    case ChangeKind::Cancel: break;
    }
    std::string message;
    if (!TermPanel::cover(doc_.editRunner(), school(), r, message)) {
        refuse(message);
        return;
    }
    const int next = std::min(lessons_->currentRow() + 1, lessons_->rowCount() - 1);
    refresh();
    if (next >= 0 && next < lessons_->rowCount())
        lessons_->selectRow(next);
    status(QStringLiteral("已安排"));
}

// ---- 一键安排 ----------------------------------------------------------------------------------------

QWidget* TermWnd::makeProposalPage()
{
    auto* page = new QWidget;
    proposalFor_ = new QLabel(page);
    proposalFor_->setWordWrap(true);
    proposal_ = new QTableWidget(page);
    proposal_->setColumnCount(2);
    proposal_->setHorizontalHeaderLabels({QStringLiteral("课"), QStringLiteral("安排")});
    proposal_->verticalHeader()->setVisible(false);
    proposal_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    proposal_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    proposal_->horizontalHeader()->setStretchLastSection(true);
    auto* accept = button(QStringLiteral("接受"), page, QStringLiteral("把全部建议作为一步写入（可撤销）"));
    auto* again = button(QStringLiteral("重新计算"), page);
    auto* drop = button(QStringLiteral("放弃"), page);
    connect(accept, &QPushButton::clicked, this, [this] { acceptProposal(); });
    connect(again, &QPushButton::clicked, this, [this] {
        model_.propose(school(), proposalAbsences_);
        refreshProposal();
    });
    connect(drop, &QPushButton::clicked, this, [this] {
        model_.clearProposal();
        proposalAbsences_.clear();
        refreshProposal();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(accept);
    buttons->addWidget(again);
    buttons->addWidget(drop);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(proposalFor_);
    layout->addWidget(proposal_);
    layout->addLayout(buttons);
    return page;
}

void TermWnd::proposeForSelected()
{
    std::vector<int> ids;
    for (const QModelIndex& i : absences_->selectionModel()->selectedRows())
        if (i.row() < static_cast<int>(absenceRows_.size()))
            ids.push_back(absenceRows_[i.row()].id);
    if (ids.empty()) {
        refuse(GBK("请先选中一条或几条请假"));
        return;
    }
    proposalAbsences_ = ids;
    model_.propose(school(), ids);
    tabs_->setCurrentIndex(2);
    refreshProposal();
    if (model_.proposal().empty())
        status(QStringLiteral("所选请假的课都已安排"));
}

void TermWnd::refreshProposal()
{
    const DataSet& ds = school();
    QString who;
    for (int id : proposalAbsences_)
        if (const AbsenceRecord* a = ds.extension.findAbsence(id))
            who += (who.isEmpty() ? QString() : QStringLiteral("、")) + qs(a->teacher + " " + a->kind);
    proposalFor_->setText(model_.proposal().empty()
                              ? QStringLiteral("在“请假登记”中选中请假，按“一键安排…”得到建议。")
                              : QStringLiteral("请假：%1。共 %2 节课；每行可改为其他教师、自习或停课，按“接受”作为一步写入。")
                                    .arg(who)
                                    .arg(model_.proposal().size()));
    const int n = static_cast<int>(model_.proposal().size());
    proposal_->clearContents();
    proposal_->setRowCount(n);
    for (int i = 0; i < n; ++i) {
        const ChangeRecord& c = model_.proposal()[i];
        proposal_->setItem(i, 0, new QTableWidgetItem(qs(TermCalendar(ds).shortDateText(c.date) + ds.periodLabel(c.period)
                                                          + " " + c.className + " " + c.subject + " " + c.teacher)));
        auto* box = new QComboBox(proposal_);
        int current = -1;
        for (const auto& t : model_.proposalChoices(ds, i, current))
            box->addItem(qs(t));
        box->setCurrentIndex(current);
        connect(box, &QComboBox::activated, this, [this, i, box] {
            model_.setProposalChoice(school(), i, gbkOf(box->currentText()));
            refreshProposal();
            proposal_->setCurrentCell(i, 1);
        });
        proposal_->setCellWidget(i, 1, box);
    }
}

void TermWnd::acceptProposal()
{
    std::string message;
    const int n = static_cast<int>(model_.proposal().size());
    if (!model_.acceptProposal(doc_.editRunner(), school(), message)) {
        refuse(message);
        return;
    }
    proposalAbsences_.clear();
    refresh();
    status(QStringLiteral("一键安排：已写入 %1 节课的安排").arg(n));
}

// ---- keyboard --------------------------------------------------------------------------------------

bool TermWnd::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete) {
            if (watched == absences_) {
                deleteSelectedAbsence();
                return true;
            }
            if (watched == changes_) {
                deleteSelectedChange();
                return true;
            }
            if (watched == offList_) {
                model_.removeDayOff(offList_->currentRow());
                refreshDraftLists();
                return true;
            }
            if (watched == makeUpList_) {
                model_.removeMakeUpDay(makeUpList_->currentRow());
                refreshDraftLists();
                return true;
            }
        }
    }
    return PanelWindow::eventFilter(watched, event);
}

} // namespace tabrel::ui
