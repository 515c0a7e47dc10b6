#include "ui/setup/TeacherGroupDlg.h"

#include "app/Document.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/DataSet.h"
#include "setup/TeacherGroups.h"
#include "ui/widgets/UiText.h"
#include "ui/setup/GroupNameDlg.h"

namespace tabrel::ui {

namespace {

QTableWidget* makeList(const QString& nameHeader, QWidget* parent)
{
    auto* t = new QTableWidget(parent);
    t->setColumnCount(2);
    t->setHorizontalHeaderLabels({QStringLiteral("序号"), nameHeader});
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    t->setColumnWidth(0, 50);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return t;
}

void setRows(QTableWidget* t, const std::vector<std::pair<QString, QString>>& rows)
{
    t->clearContents();
    t->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        t->setItem(i, 0, new QTableWidgetItem(rows[i].first));
        t->setItem(i, 1, new QTableWidgetItem(rows[i].second));
    }
}

std::vector<int> selectedRows(const QTableWidget* t)
{
    std::vector<int> rows;
    for (const QModelIndex& i : t->selectionModel()->selectedRows())
        rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

TeacherGroupDlg::TeacherGroupDlg(Document& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), ds_(&doc.dataSet())
{
    setObjectName(QStringLiteral("TeacherGroupDlg"));
    setWindowTitle(QStringLiteral("教师分组"));
    doc_.edit(GBK("建立教师分组"), [](DataSet& ds) { return TeacherGroups::ensureDefaultTable(ds); });

    selector_ = new QComboBox(this);
    auto* names = new QPushButton(QStringLiteral("*"), this);
    names->setToolTip(QStringLiteral("修改、增加或删除组"));
    names->setFixedWidth(36);
    members_ = makeList(QStringLiteral("名称<双击退出>"), this);
    teachers_ = makeList(QStringLiteral("名称<双击添加>"), this);
    neverGrouped_ = new QCheckBox(QStringLiteral("只显示从未分组"), this);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);

    struct B {
        const char* text;
        void (TeacherGroupDlg::*slot)();
    } defs[] = {{"<< 加入组", &TeacherGroupDlg::addSelected},
                {"<<<全选入组", &TeacherGroupDlg::addAllShown},
                {"退出组 >>", &TeacherGroupDlg::removeSelected},
                {"全清本组 >>>", &TeacherGroupDlg::clearGroup}};
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    for (const B& d : defs) {
        auto* b = new QPushButton(QString::fromUtf8(d.text), this);
        connect(b, &QPushButton::clicked, this, d.slot);
        buttons_.push_back(b);
        middle->addWidget(b);
    }
    middle->addStretch();
    buttons_.push_back(names);
    buttons_.push_back(close);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("组："), this));
    top->addWidget(selector_, 1);
    top->addWidget(names);
    top->addStretch();
    top->addWidget(neverGrouped_);
    auto* lists = new QHBoxLayout;
    lists->addWidget(members_, 1);
    lists->addLayout(middle);
    lists->addWidget(teachers_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(lists, 1);
    layout->addLayout(bottom);

    connect(selector_, &QComboBox::currentIndexChanged, this, [this] { refillMembers(); });
    connect(names, &QPushButton::clicked, this, &TeacherGroupDlg::editNames);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(neverGrouped_, &QCheckBox::toggled, this, [this] { refillTeachers(); });
    connect(teachers_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { addTeacherRow(row); });
    connect(members_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { removeMemberRow(row); });

    refillSelector();
    refillTeachers();
    resize(640, 480);
}

QPushButton* TeacherGroupDlg::button(const QString& text) const
{
    for (QPushButton* b : buttons_)
        if (b->text() == text)
            return b;
    return nullptr;
}

int TeacherGroupDlg::currentColumn() const
{
    if (!ds_ || selector_->currentIndex() < 0)
        return -1;
    return TeacherGroups::groupColumn(ds_->teacherGroupTable, gbkOf(selector_->currentText()));
}

void TeacherGroupDlg::refillSelector()
{
    const QSignalBlocker block(selector_);
    selector_->clear();
    if (ds_)
        for (const std::string& n : TeacherGroups::groupNames(ds_->teacherGroupTable))
            selector_->addItem(qs(n));
    if (selector_->count() > 0)
        selector_->setCurrentIndex(0);
    refillMembers();
}

void TeacherGroupDlg::refillMembers()
{
    std::vector<std::pair<QString, QString>> rows;
    const int column = currentColumn();
    if (ds_ && column > 0) {
        const auto m = TeacherGroups::members(ds_->teacherGroupTable, column);
        for (std::size_t r = 0; r < m.size(); ++r)
            rows.push_back({QString::number(r + 1), qs(m[r])});
    }
    setRows(members_, rows);
    if (neverGrouped_ && neverGrouped_->isChecked())
        refillTeachers();
}

void TeacherGroupDlg::refillTeachers()
{
    shownTeachers_.clear();
    std::vector<std::pair<QString, QString>> rows;
    if (ds_)
        for (int i = 0; i < static_cast<int>(ds_->teachers.size()); ++i) {
            const std::string& name = ds_->teachers[i]->name;
            if (neverGrouped_->isChecked() && TeacherGroups::inAnyGroup(ds_->teacherGroupTable, name))
                continue;
            shownTeachers_.push_back(i);
            rows.push_back({QString::number(i + 1), qs(name)});
        }
    setRows(teachers_, rows);
}

void TeacherGroupDlg::addTeacherRow(int row)
{
    const int column = currentColumn();
    if (!ds_ || column < 1 || row < 0 || row >= static_cast<int>(shownTeachers_.size()))
        return;
    const std::string name = ds_->teachers[shownTeachers_[row]]->name;
    doc_.edit(GBK("加入教师分组"), [column, name](DataSet& ds) { return TeacherGroups::addMember(ds, column, name); });
    refillMembers();
}

void TeacherGroupDlg::removeMemberRow(int row)
{
    const int column = currentColumn();
    if (column < 1)
        return;
    doc_.edit(GBK("退出教师分组"), [column, row](DataSet& ds) { return TeacherGroups::removeMember(ds, column, row); });
    refillMembers();
}

void TeacherGroupDlg::addSelected()
{
    const int column = currentColumn();
    if (!ds_ || column < 1)
        return;
    std::vector<std::string> names;
    for (int r : selectedRows(teachers_))
        if (r < static_cast<int>(shownTeachers_.size()))
            names.push_back(ds_->teachers[shownTeachers_[r]]->name);
    doc_.edit(GBK("加入教师分组"), [column, names](DataSet& ds) {
        bool changed = false;
        for (const std::string& n : names)
            changed = TeacherGroups::addMember(ds, column, n) || changed;
        return changed;
    });
    refillMembers();
}

void TeacherGroupDlg::addAllShown()
{
    const int column = currentColumn();
    if (!ds_ || column < 1)
        return;
    std::vector<std::string> names;
    for (int t : shownTeachers_)
        names.push_back(ds_->teachers[t]->name);
    doc_.edit(GBK("全选入组"), [column, names](DataSet& ds) { return TeacherGroups::addMembers(ds, column, names); });
    refillMembers();
}

void TeacherGroupDlg::removeSelected()
{
    const int column = currentColumn();
    if (column < 1)
        return;
    const auto rows = selectedRows(members_);
    doc_.edit(GBK("退出教师分组"), [column, rows](DataSet& ds) {
        bool changed = false;
        // From the bottom up, so the rows above keep their places.
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            changed = TeacherGroups::removeMember(ds, column, *it) || changed;
        return changed;
    });
    refillMembers();
}

void TeacherGroupDlg::clearGroup()
{
    const int column = currentColumn();
    if (column < 1)
        return;
    doc_.edit(GBK("全清本组"), [column](DataSet& ds) { return TeacherGroups::clearMembers(ds, column); });
    refillMembers();
}

void TeacherGroupDlg::editNames()
{
    if (!ds_)
        return;
    GroupNameDlg dlg(ds_->teacherGroupTable, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const auto rows = dlg.rows();
    doc_.edit(GBK("修改组名称"), [rows](DataSet& ds) { return TeacherGroups::applyNameRows(ds, rows); });
    refillSelector();
    refillTeachers();
}

} // namespace tabrel::ui
