#include "ui/setup/ClassGridDefWnd.h"
#include "app/Document.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>

#include "data/DataSet.h"
#include "setup/PeriodTimeTable.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"
#include "ui/setup/InsertCommonRowDlg.h"
#include "ui/setup/NameInputDlg.h"
#include "ui/setup/PeriodTimeDlg.h"
#include "ui/setup/TeachingDaysDlg.h"
#include "ui/setup/TimeGridBoxWnd.h"
#include "ui/widgets/ScopeTreeWnd.h"

namespace tabrel::ui {

namespace {
QRect qrect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }
} // namespace

// The preview of one week, inside the panel's scroll area.
class CommonPreviewArea : public QWidget {
public:
    explicit CommonPreviewArea(ClassGridDefWnd& owner) : owner_(owner)
    {
        setObjectName(QStringLiteral("CommonPreviewArea"));
        setFocusPolicy(Qt::StrongFocus);
    }
    CommonPeriodPage::Preview current() const
    {
        return CommonPeriodPage::preview(*owner_.dataSet_, width(), height());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(250, 251, 253));
        const DataSet& ds = *owner_.dataSet_;
        const auto pv = current();
        if (pv.rows.empty())
            return;
        QFont f = font();
        f.setPixelSize(std::clamp(pv.rows.front().rect.height() / 4, 11, 15));
        QFont bold = f;
        bold.setBold(true);
        const QColor line(150, 165, 190);
        const int right = pv.rows.front().rect.right;
        for (const auto& row : pv.rows) {
            const QRect r = qrect(row.rect);
            const QRect label(pv.labelColumn.left, r.top(), pv.labelColumn.width(), r.height());
            using Kind = CommonPeriodPage::PreviewRow::Kind;
            switch (row.kind) {
            case Kind::Header:
                p.fillRect(QRect(0, r.top(), right, r.height()), QColor(214, 226, 244));
                p.setFont(bold);
                p.setPen(QColor(30, 50, 100));
                p.drawText(label, Qt::AlignCenter, qs(row.label));
                for (std::size_t d = 0; d < pv.dayColumns.size(); ++d)
                    p.drawText(QRect(pv.dayColumns[d].left, r.top(), pv.dayColumns[d].width(), r.height()),
                               Qt::AlignCenter, qs(ds.dayNames[d]));
                break;
            case Kind::Break:
                p.fillRect(QRect(pv.labelColumn.left, r.top(), right - pv.labelColumn.left, r.height()),
                           QColor(238, 238, 238));
                p.setFont(f);
                p.setPen(QColor(90, 90, 90));
                // Centred over the days, as the common periods' names are.
                p.drawText(QRect(pv.labelColumn.right, r.top(), right - pv.labelColumn.right, r.height()),
                           Qt::AlignCenter, qs(row.label));
                break;
            case Kind::CommonRow:
                p.fillRect(QRect(pv.labelColumn.left, r.top(), right - pv.labelColumn.left, r.height()),
                           QColor(255, 244, 214));
                p.setFont(f);
                p.setPen(QColor(120, 80, 10));
                p.drawText(label, Qt::AlignCenter, qs(row.times));
                p.drawText(QRect(pv.labelColumn.right, r.top(), right - pv.labelColumn.right, r.height()),
                           Qt::AlignCenter, qs(row.label));
                break;
            case Kind::Period: {
                p.setFont(bold);
                p.setPen(QColor(20, 30, 50));
                p.drawText(label, Qt::AlignCenter, qs(row.times.empty() ? row.label : row.label + "\n" + row.times));
                p.setFont(f);
                for (std::size_t d = 0; d < pv.dayColumns.size(); ++d) {
                    const QRect cell(pv.dayColumns[d].left, r.top(), pv.dayColumns[d].width(), r.height());
                    const std::string a = owner_.page_.aggregate(ds, row.period, static_cast<int>(d));
                    if (a.empty())
                        continue;
                    const bool mixed = a == CommonPeriodPage::mixedText();
                    p.fillRect(cell.adjusted(1, 1, 0, 0), mixed ? QColor(255, 226, 226) : QColor(222, 240, 222));
                    p.setPen(mixed ? QColor(170, 30, 30) : QColor(20, 100, 40));
                    p.drawText(cell, Qt::AlignCenter, qs(a));
                }
                break;
            }
            }
            p.setPen(line);
            p.drawLine(pv.labelColumn.left, r.bottom() + 1, right, r.bottom() + 1);
        }
        // The narrow column of the parts of the day.
        p.setFont(bold);
        for (const auto& [rect, text] : pv.partCells) {
            const QRect r = qrect(rect);
            p.fillRect(r, QColor(228, 234, 244));
            p.setPen(QColor(30, 50, 100));
            QString vertical;
            for (QChar ch : qs(text))
                vertical += QString(ch) + QLatin1Char('\n');
            vertical.chop(1);
            p.drawText(r, Qt::AlignCenter, vertical);
            p.setPen(line);
            p.drawLine(r.left(), r.bottom() + 1, r.right() + 1, r.bottom() + 1);
        }
        // The keyboard cursor.
        if (hasFocus()) {
            const int row = owner_.page_.cursorRow(pv);
            if (row >= 0) {
                const Rect& rr = pv.rows[row].rect;
                QRect c(pv.labelColumn.right, rr.top, rr.right - pv.labelColumn.right, rr.height());
                if (pv.rows[row].kind == CommonPeriodPage::PreviewRow::Kind::Period &&
                    owner_.page_.cursorDay() < static_cast<int>(pv.dayColumns.size())) {
                    const Rect& d = pv.dayColumns[owner_.page_.cursorDay()];
                    c = QRect(d.left, rr.top, d.width(), rr.height());
                }
                p.setPen(QPen(QColor(210, 80, 20), 2));
                p.setBrush(Qt::NoBrush);
                p.drawRect(c.adjusted(2, 2, -2, -2));
            }
        }
        p.setPen(line);
        const int bottom = pv.rows.back().rect.bottom;
        p.drawLine(0, 0, right, 0);
        for (int x : {pv.sectionColumn.left, pv.labelColumn.left, pv.labelColumn.right})
            p.drawLine(x, 0, x, bottom);
        for (const Rect& d : pv.dayColumns)
            p.drawLine(d.right, 0, d.right, bottom);
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        const auto pv = current();
        CommonPeriodPage& page = owner_.page_;
        auto move = [&](int rows, int days) {
            page.moveCursor(pv, rows, days);
            update();
        };
        switch (e->key()) {
        case Qt::Key_Up:
            return move(-1, 0);
        case Qt::Key_Down:
            return move(1, 0);
        case Qt::Key_Left:
            return move(0, -1);
        case Qt::Key_Right:
            return move(0, 1);
        default:
            break;
        }
        const int row = page.cursorRow(pv);
        const bool menuKey = e->key() == Qt::Key_Menu || (e->key() == Qt::Key_F10 && (e->modifiers() & Qt::ShiftModifier));
        const bool runKey = e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
        if (row < 0 || (!menuKey && !runKey)) {
            if (row < 0 && (menuKey || runKey))
                move(0, 0);
            else
                QWidget::keyPressEvent(e);
            return;
        }
        const auto& r = pv.rows[row];
        const int day = page.cursorDay();
        if (r.kind == CommonPeriodPage::PreviewRow::Kind::CommonRow) {
            owner_.openRowMenu(r.period, mapToGlobal(QPoint(r.rect.left + 40, r.rect.bottom)));
        } else if (day < static_cast<int>(pv.dayColumns.size())) {
            const Rect& c = pv.dayColumns[day];
            if (runKey)
                owner_.toggleSlot(r.period, day);
            else
                owner_.openSlotMenu(r.period, day, mapToGlobal(QPoint(c.left + 10, r.rect.bottom)));
        }
        update();
    }
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }
    void mousePressEvent(QMouseEvent* e) override
    {
        setFocus();
        owner_.previewPress(e->position().toPoint(), e->button());
    }
    void mouseReleaseEvent(QMouseEvent* e) override { owner_.previewRelease(e->position().toPoint(), e->button()); }

private:
    ClassGridDefWnd& owner_;
};

ClassGridDefWnd::ClassGridDefWnd(Document& doc, QWidget* parent)
    : PanelWindow(parent), doc_(doc), dataSet_(&doc.dataSet())
{
    setObjectName(QStringLiteral("ClassGridDefWnd"));
    setAutoFillBackground(true);
    treeTitle_ = new QLabel(QStringLiteral("针对范围设置任免课"), this);
    treeTitle_->setAlignment(Qt::AlignCenter);
    QFont tf = treeTitle_->font();
    tf.setBold(true);
    treeTitle_->setFont(tf);
    tree_ = new ScopeTreeWnd(this);
    connect(tree_, &ScopeTreeWnd::nodeSelected, this, &ClassGridDefWnd::treeSelectionChanged);
    box_ = new TimeGridBoxWnd(doc.dataSet(), boxModel_, this);
    connect(box_, &TimeGridBoxWnd::targetClicked, this, &ClassGridDefWnd::boxTarget);
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    area_ = new CommonPreviewArea(*this);
    scroll_->setWidget(area_);
    rebuildTree();
}

QWidget* ClassGridDefWnd::preview() const
{
    return area_;
}

void ClassGridDefWnd::setDataSet(DataSet& dataSet)
{
    dataSet_ = &dataSet;
    box_->setDataSet(dataSet);
    page_.rememberSlot(-1, -1);
    page_.rememberRow(-1);
    rebuildTree();
    refresh();
}

void ClassGridDefWnd::prepareForShow()
{
    rebuildTree();
    refresh();
}

void ClassGridDefWnd::rebuildTree()
{
    page_.rebuildTree(*dataSet_);
    tree_->showTree(page_.tree(), page_.selectedNode());
}

void ClassGridDefWnd::selectNode(int nodeIndex)
{
    tree_->selectNode(nodeIndex);
}

void ClassGridDefWnd::treeSelectionChanged(int nodeIndex)
{
    if (const std::string why = page_.select(nodeIndex); !why.empty())
        Prompter::current().inform(this, qs(why));
    area_->update();
}

void ClassGridDefWnd::refresh()
{
    // After an undo the school may have other grades or classes than the tree shows.
    if (page_.refreshTree(*dataSet_))
        tree_->showTree(page_.tree(), page_.selectedNode());
    // The preview fills the visible area; rows that do not fit keep their least height and scroll.
    const auto pv = CommonPeriodPage::preview(*dataSet_, 0, 0);
    area_->setMinimumSize(pv.rows.empty() ? 0 : pv.rows.front().rect.right + 2,
                          pv.rows.empty() ? 0 : pv.rows.back().rect.bottom + 2);
    area_->update();
    box_->update();
}

void ClassGridDefWnd::showEvent(QShowEvent*)
{
    refresh();
}

void ClassGridDefWnd::resizeEvent(QResizeEvent*)
{
    const int left = std::clamp(width() / 5, 220, 300);
    const int boxHeight = 300;
    treeTitle_->setGeometry(4, 4, left - 8, 26);
    tree_->setGeometry(4, 32, left - 8, std::max(60, height() - boxHeight - 40));
    box_->setGeometry(4, std::max(96, height() - boxHeight - 4), left - 8, boxHeight);
    scroll_->setGeometry(left + 4, 4, std::max(0, width() - left - 8), std::max(0, height() - 8));
    refresh();
}

bool ClassGridDefWnd::runEdit(const std::string& name, const std::function<bool(DataSet&)>& edit)
{
    const bool changed = doc_.edit(name, edit);
    refresh();
    return changed;
}

// ---------------------------------------------------------------- the box

void ClassGridDefWnd::boxTarget(TimeGridBox::Target target, DaySection section)
{
    switch (target) {
    case TimeGridBox::Target::Up:
    case TimeGridBox::Target::Down: {
        const int step = target == TimeGridBox::Target::Up ? 1 : -1;
        boxModel_.setNote(TimeGridBox::stepRefusal(*dataSet_, section, step));
        runEdit(TimeGridBox::stepName(section, step),
                [section, step](DataSet& ds) { return TimeGridBox::step(ds, section, step); });
        break;
    }
    case TimeGridBox::Target::ChangeDays:
        changeDays();
        break;
    case TimeGridBox::Target::PeriodTimes:
        editPeriodTimes();
        break;
    case TimeGridBox::Target::CommonPeriods:
        insertCommonRow();
        break;
    case TimeGridBox::Target::None:
        break;
    }
}

void ClassGridDefWnd::changeDays()
{
    TeachingDaysDlg dlg(TimeGridBox::tickedDays(*dataSet_), this);
    dlg.exec();
    const auto ticked = dlg.ticked();
    boxModel_.setNote({});
    runEdit(GBK("设置上课天数"), [ticked](DataSet& ds) { return TimeGridBox::setTeachingDays(ds, ticked); });
}

void ClassGridDefWnd::editPeriodTimes()
{
    PeriodTimeTable table;
    table.load(*dataSet_);
    PeriodTimeDlg dlg(table, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    runEdit(GBK("设置节次时间"), [&table](DataSet& ds) { return table.apply(ds); });
}

void ClassGridDefWnd::insertCommonRow()
{
    InsertCommonRowDlg dlg(CommonPeriodPage::insertPositions(*dataSet_), CommonPeriodPage::insertDefaultPosition(*dataSet_),
                           CommonPeriodPage::insertNames(), this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const int position = dlg.position();
    const std::string name = gbkOf(dlg.name().trimmed());
    runEdit(CommonPeriodPage::rowStepName(*dataSet_, position, name),
            [position, name](DataSet& ds) { return CommonPeriodPage::insertRow(ds, position, name); });
}

// ---------------------------------------------------------------- the preview

void ClassGridDefWnd::toggleSlot(int period, int day)
{
    if (page_.scope(*dataSet_).empty())
        return;
    if (const std::string q = page_.toggleQuestion(*dataSet_, period, day); !q.empty())
        if (!Prompter::current().confirm(this, qs(q)))
            return;
    const std::string value = page_.toggleValue(*dataSet_, period, day);
    runEdit(CommonPeriodPage::slotStepName(value),
            [this, period, day, value](DataSet& ds) { return page_.writeSlot(ds, period, day, value); });
}

void ClassGridDefWnd::slotMenuChoice(const std::string& entry)
{
    if (!page_.hasSlot(*dataSet_))
        return;
    if (entry == GBK("添加公共时段...")) {
        const int n = page_.slotPeriod();
        NameInputDlg dlg(QStringLiteral("添加公共时段"), QStringLiteral("公共时段名称:"), qs(dataSet_->commonRowNames[n]),
                         this);
        if (dlg.exec() != QDialog::Accepted)
            return;
        const std::string name = gbkOf(dlg.text().trimmed());
        runEdit(CommonPeriodPage::rowStepName(*dataSet_, n, name),
                [n, name](DataSet& ds) { return CommonPeriodPage::setRowName(ds, n, name); });
        return;
    }
    std::string name = entry;
    if (entry == GBK("其它名称...")) {
        NameInputDlg dlg(QStringLiteral("其它名称"), QStringLiteral("请设置免任课的名称"), QString(), this);
        if (dlg.exec() != QDialog::Accepted)
            return;
        name = gbkOf(dlg.text().trimmed());
    }
    std::string question;
    if (!page_.namedWouldChange(*dataSet_, name, question))
        return;
    if (!question.empty() && !Prompter::current().confirm(this, qs(question)))
        return;
    runEdit(CommonPeriodPage::slotStepName(name), [this, name](DataSet& ds) { return page_.setNamed(ds, name); });
}

void ClassGridDefWnd::rowMenuChoice(const std::string& entry)
{
    const int n = page_.rememberedRow();
    if (n < 0 || n >= dataSet_->periodsPerDay() || dataSet_->commonRowNames[n].empty())
        return;
    std::string name;
    if (entry == GBK("修改公共时间段")) {
        NameInputDlg dlg(QStringLiteral("修改公共时间段"), QStringLiteral("公共时段名称:"),
                         qs(dataSet_->commonRowNames[n]), this);
        if (dlg.exec() != QDialog::Accepted)
            return;
        name = gbkOf(dlg.text().trimmed());
    } else if (entry != GBK("删除此公共时间段")) {
        return;
    }
    runEdit(CommonPeriodPage::rowStepName(*dataSet_, n, name),
            [n, name](DataSet& ds) { return CommonPeriodPage::setRowName(ds, n, name); });
}

void ClassGridDefWnd::previewPress(const QPoint& at, Qt::MouseButton button)
{
    const auto pv = area_->current();
    const auto hit = CommonPeriodPage::hitTest(pv, at.x(), at.y());
    if (hit.row < 0 || hit.day < 0 || pv.rows[hit.row].kind != CommonPeriodPage::PreviewRow::Kind::Period)
        return;
    const int period = pv.rows[hit.row].period;
    if (button == Qt::LeftButton) {
        toggleSlot(period, hit.day);
        return;
    }
    if (button != Qt::RightButton)
        return;
    openSlotMenu(period, hit.day, area_->mapToGlobal(at));
}

void ClassGridDefWnd::openSlotMenu(int period, int day, const QPoint& globalPos)
{
    page_.rememberSlot(period, day);
    QMenu menu(this);
    for (const std::string& e : CommonPeriodPage::slotMenu()) {
        if (e.empty()) {
            menu.addSeparator();
            continue;
        }
        QAction* a = menu.addAction(qs(e));
        connect(a, &QAction::triggered, this, [this, e] { slotMenuChoice(e); });
    }
    menu.exec(globalPos);
}

void ClassGridDefWnd::openRowMenu(int period, const QPoint& globalPos)
{
    page_.rememberRow(period);
    QMenu menu(this);
    for (const std::string& e : CommonPeriodPage::rowMenu()) {
        QAction* a = menu.addAction(qs(e));
        connect(a, &QAction::triggered, this, [this, e] { rowMenuChoice(e); });
    }
    menu.exec(globalPos);
}

void ClassGridDefWnd::previewRelease(const QPoint& at, Qt::MouseButton button)
{
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    const auto pv = area_->current();
    const auto hit = CommonPeriodPage::hitTest(pv, at.x(), at.y());
    if (hit.row < 0 || pv.rows[hit.row].kind != CommonPeriodPage::PreviewRow::Kind::CommonRow)
        return;
    openRowMenu(pv.rows[hit.row].period, area_->mapToGlobal(at));
}

} // namespace tabrel::ui
