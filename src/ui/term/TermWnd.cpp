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

namespace tabrel::ui {

namespace {

const QDate Epoch(1970, 1, 1);
DayNumber dayOf(const QDateEdit* e) { return static_cast<DayNumber>(Epoch.daysTo(e->date())); }
QDate qdate(DayNumber d) { return Epoch.addDays(d); }
QDateEdit* dateEdit(QWidget* parent)
{
    auto* e = new QDateEdit(parent);
    e->setCalendarPopup(true);
    e->setDisplayFormat(QStringLiteral("yyyy年MM月dd日 ddd"));
    return e;
}
QTableWidget* table(QWidget* parent, const std::vector<std::string>& headings)
{
    auto* t = new QTableWidget(parent);
    t->setColumnCount(static_cast<int>(headings.size()));
    QStringList h;
    for (const auto& s : headings)
        h << qs(s);
    t->setHorizontalHeaderLabels(h);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->setVisible(false);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}
void fillRow(QTableWidget* t, int row, const std::vector<std::string>& cells, const QColor& fg = QColor())
{
    for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
        auto* item = new QTableWidgetItem(qs(cells[c]));
        if (fg.isValid())
            item->setForeground(fg);
        t->setItem(row, c, item);
    }
}
QPushButton* button(const QString& text, QWidget* parent, const QString& tip = {})
{
    auto* b = new QPushButton(text, parent);
    b->setToolTip(tip);
    b->setAutoDefault(true);
    return b;
}

} // namespace

// The dated week, painted from the core's sheet.
class DatedWeekView : public QWidget {
public:
    using QWidget::QWidget;
    DatedWeek sheet;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        QtCanvas canvas(p);
        if (sheet.headers.empty()) {
            p.fillRect(rect(), Qt::white);
            p.drawText(rect(), Qt::AlignCenter, QStringLiteral("尚未设置学期，或没有可显示的班级和教师"));
            return;
        }
        drawDatedWeek(canvas, sheet, width(), height());
    }
};

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
