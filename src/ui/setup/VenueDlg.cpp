#include "ui/setup/VenueDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/Document.h"
#include "data/ClassTable.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "setup/VenuePage.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui {

VenueDlg::VenueDlg(QWidget* parent, Document& doc) : QDialog(parent), doc_(doc)
{
    setObjectName(QStringLiteral("VenueDlg"));
    setWindowTitle(QStringLiteral("场室设置"));
    resize(980, 620);
    auto* layout = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("场室（双击或按 F2 修改；Insert 添加，Delete 删除）"), this));
    venues_ = new QTableWidget(0, 3, this);
    venues_->setHorizontalHeaderLabels({QStringLiteral("场室名称"), QStringLiteral("容纳班数"), QStringLiteral("使用科目")});
    venues_->horizontalHeader()->setStretchLastSection(true);
    venues_->setColumnWidth(0, 140);
    venues_->setColumnWidth(1, 80);
    venues_->setSelectionBehavior(QAbstractItemView::SelectRows);
    venues_->setSelectionMode(QAbstractItemView::SingleSelection);
    venues_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed);
    connect(venues_, &QTableWidget::cellChanged, this, &VenueDlg::cellEdited);
    connect(venues_, &QTableWidget::currentCellChanged, this, [this] {
        if (!filling_)
            showVenue();
    });
    left->addWidget(venues_, 1);
    auto* row = new QHBoxLayout;
    const std::pair<QString, void (VenueDlg::*)()> commands[] = {
        {QStringLiteral("添加场室"), &VenueDlg::addVenue}, {QStringLiteral("删除场室"), &VenueDlg::removeVenue},
        {QStringLiteral("上移"), &VenueDlg::moveUp},       {QStringLiteral("下移"), &VenueDlg::moveDown},
        {QStringLiteral("帮助"), &VenueDlg::showHelp},
    };
    for (const auto& [text, slot] : commands) {
        auto* b = new QPushButton(text, this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        row->addWidget(b);
        buttons_.push_back(b);
    }
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    row->addWidget(close);
    buttons_.push_back(close);
    left->addLayout(row);

    auto* planBox = new QGroupBox(QStringLiteral("例外：以下班级的这门课在本场室上（不论科目属于哪个场室）"), this);
    auto* planLayout = new QGridLayout(planBox);
    plans_ = new QListWidget(planBox);
    planClass_ = new QComboBox(planBox);
    planSubject_ = new QComboBox(planBox);
    auto* addPlanButton = new QPushButton(QStringLiteral("添加例外"), planBox);
    auto* removePlanButton = new QPushButton(QStringLiteral("删除例外"), planBox);
    addPlanButton->setAutoDefault(false);
    removePlanButton->setAutoDefault(false);
    connect(addPlanButton, &QPushButton::clicked, this, &VenueDlg::addPlan);
    connect(removePlanButton, &QPushButton::clicked, this, &VenueDlg::removePlan);
    buttons_.push_back(addPlanButton);
    buttons_.push_back(removePlanButton);
    planLayout->addWidget(plans_, 0, 0, 1, 4);
    planLayout->addWidget(planClass_, 1, 0);
    planLayout->addWidget(planSubject_, 1, 1);
    planLayout->addWidget(addPlanButton, 1, 2);
    planLayout->addWidget(removePlanButton, 1, 3);
    left->addWidget(planBox);
    layout->addLayout(left, 3);

    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("不可用时段（点击或按空格切换；灰色 = 不可用）"), this));
    slotGrid_ = new QTableWidget(this);
    slotGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    slotGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
    slotGrid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(slotGrid_, &QTableWidget::cellClicked, this, &VenueDlg::toggleSlot);
    right->addWidget(slotGrid_, 1);
    layout->addLayout(right, 2);

    setTabOrder(venues_, buttons_[0]);
    reload();
}

QPushButton* VenueDlg::button(const QString& text) const
{
    for (QPushButton* b : buttons_)
        if (b->text() == text)
            return b;
    return nullptr;
}

int VenueDlg::currentVenue() const
{
    const int r = venues_->currentRow();
    return r >= 0 && r < static_cast<int>(doc_.dataSet().extension.venues.size()) ? r : -1;
}

void VenueDlg::reload()
{
    const DataSet& ds = doc_.dataSet();
    filling_ = true;
    const int keep = std::max(0, venues_->currentRow());
    const int keepColumn = std::max(0, venues_->currentColumn());
    venues_->setRowCount(static_cast<int>(ds.extension.venues.size()));
    for (int v = 0; v < venues_->rowCount(); ++v) {
        const VenueRecord& r = ds.extension.venues[v];
        venues_->setItem(v, 0, new QTableWidgetItem(qs(r.name)));
        venues_->setItem(v, 1, new QTableWidgetItem(QString::number(r.capacity)));
        venues_->setItem(v, 2, new QTableWidgetItem(qs(venues::subjectsText(ds, v))));
    }
    if (venues_->rowCount() > 0)
        venues_->setCurrentCell(std::min(keep, venues_->rowCount() - 1), keepColumn);
    planClass_->clear();
    for (const ClassTable* c : ds.classesInGradeOrder())
        planClass_->addItem(qs(c->name));
    planSubject_->clear();
    for (const auto& s : ds.subjects)
        if (!s->name.empty())
            planSubject_->addItem(qs(s->name));
    filling_ = false;
    showVenue();
}

void VenueDlg::showVenue()
{
    const DataSet& ds = doc_.dataSet();
    const int v = currentVenue();
    filling_ = true;
    plans_->clear();
    const int periods = ds.gridPeriods(), days = ds.gridDays();
    slotGrid_->setRowCount(periods);
    slotGrid_->setColumnCount(days);
    QStringList dayLabels, periodLabels;
    for (int d = 0; d < days; ++d)
        dayLabels << qs(ds.dayNames[d]);
    for (int p = 0; p < periods; ++p)
        periodLabels << qs(ds.periodLabel(p));
    slotGrid_->setHorizontalHeaderLabels(dayLabels);
    slotGrid_->setVerticalHeaderLabels(periodLabels);
    for (int p = 0; p < periods; ++p)
        for (int d = 0; d < days; ++d) {
            bool closed = false;
            if (v >= 0)
                for (const VenueSlot& s : ds.extension.venues[v].unavailable)
                    closed = closed || (s.period == p && s.day == d);
            auto* item = new QTableWidgetItem(closed ? QStringLiteral("不可用") : QString());
            item->setTextAlignment(Qt::AlignCenter);
            item->setBackground(closed ? QColor(190, 190, 190) : QColor(Qt::white));
            slotGrid_->setItem(p, d, item);
        }
    slotGrid_->setEnabled(v >= 0);
    if (v >= 0)
        for (int k = 0; k < static_cast<int>(ds.extension.venues[v].plans.size()); ++k)
            plans_->addItem(qs(venues::planText(ds, v, k)));
    plans_->setEnabled(v >= 0);
    filling_ = false;
}

bool VenueDlg::change(const char* stepName, const std::function<std::string(DataSet&)>& edit)
{
    std::string refusal;
    doc_.edit(gbk::literal(stepName), [&](DataSet& ds) {
        const std::vector<VenueRecord> before = ds.extension.venues;
        refusal = edit(ds);
        return ds.extension.venues != before;
    });
    if (!refusal.empty())
        Prompter::current().inform(this, qu(refusal));
    reload();
    return refusal.empty();
}

void VenueDlg::cellEdited(int row, int column)
{
    if (filling_)
        return;
    const std::string text = gbkOf(venues_->item(row, column)->text());
    if (column == 0)
        change("修改场室名称", [&](DataSet& ds) { return venues::setName(ds, row, text); });
    else if (column == 1)
        change("修改容纳班数", [&](DataSet& ds) { return venues::setCapacity(ds, row, text); });
    else
        change("修改场室科目", [&](DataSet& ds) { return venues::setSubjects(ds, row, text); });
}

void VenueDlg::addVenue()
{
    change("添加场室", [](DataSet& ds) { return venues::addVenue(ds); });
    venues_->setCurrentCell(venues_->rowCount() - 1, 0);
    venues_->setFocus();
}

void VenueDlg::removeVenue()
{
    const int v = currentVenue();
    if (v < 0)
        return Prompter::current().inform(this, QStringLiteral("请先选中要删除的场室。"));
    change("删除场室", [v](DataSet& ds) { return venues::removeVenue(ds, v); });
}

void VenueDlg::moveUp()
{
    const int v = currentVenue();
    if (v > 0 && change("上移场室", [v](DataSet& ds) { return venues::moveVenue(ds, v, -1); }))
        venues_->setCurrentCell(v - 1, venues_->currentColumn());
}

void VenueDlg::moveDown()
{
    const int v = currentVenue();
    if (v >= 0 && v + 1 < venues_->rowCount() && change("下移场室", [v](DataSet& ds) { return venues::moveVenue(ds, v, 1); }))
        venues_->setCurrentCell(v + 1, venues_->currentColumn());
}

void VenueDlg::addPlan()
{
    const int v = currentVenue();
    if (v < 0)
        return Prompter::current().inform(this, QStringLiteral("请先在左边的表中选中场室。"));
    const std::string cls = gbkOf(planClass_->currentText()), subject = gbkOf(planSubject_->currentText());
    change("添加场室例外", [&](DataSet& ds) { return venues::addPlan(ds, v, cls, subject); });
}

void VenueDlg::removePlan()
{
    const int v = currentVenue(), k = plans_->currentRow();
    if (v < 0 || k < 0)
        return Prompter::current().inform(this, QStringLiteral("请先选中要删除的例外。"));
    change("删除场室例外", [&](DataSet& ds) { return venues::removePlan(ds, v, k); });
}

void VenueDlg::toggleSlot(int period, int day)
{
    const int v = currentVenue();
    if (v < 0 || filling_)
        return;
    change("场室不可用时段", [&](DataSet& ds) { return venues::toggleUnavailable(ds, v, period, day); });
    slotGrid_->setCurrentCell(period, day);
    slotGrid_->setFocus();
}

void VenueDlg::showHelp()
{
    showHelpPage(this, QStringLiteral("场室设置"), venues::helpPage());
}

void VenueDlg::keyPressEvent(QKeyEvent* e)
{
    const bool inSlots = slotGrid_->hasFocus();
    QWidget* focus = focusWidget();
    const bool editing = focus && focus != venues_ && venues_->isAncestorOf(focus); // a cell editor is open
    if (e->key() == Qt::Key_F1)
        showHelp();
    else if (inSlots && e->key() == Qt::Key_Space && slotGrid_->currentRow() >= 0)
        toggleSlot(slotGrid_->currentRow(), slotGrid_->currentColumn());
    else if (!editing && venues_->hasFocus() && e->key() == Qt::Key_Insert)
        addVenue();
    else if (!editing && venues_->hasFocus() && e->key() == Qt::Key_Delete)
        removeVenue();
    else if (!editing && plans_->hasFocus() && e->key() == Qt::Key_Delete)
        removePlan();
    else if (e->modifiers() & Qt::AltModifier && e->key() == Qt::Key_Up)
        moveUp();
    else if (e->modifiers() & Qt::AltModifier && e->key() == Qt::Key_Down)
        moveDown();
    else if (e->matches(QKeySequence::Undo)) {
        doc_.undoStack().undo();
        reload();
    } else if (e->matches(QKeySequence::Redo)) {
        doc_.undoStack().redo();
        reload();
    } else
        QDialog::keyPressEvent(e);
}

} // namespace tabrel::ui
