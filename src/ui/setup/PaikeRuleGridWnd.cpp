#include "ui/setup/PaikeRuleGridWnd.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "app/Document.h"
#include "ui/widgets/Prompter.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "setup/PaikeRuleGrid.h"
#include "ui/widgets/UiText.h"
#include "render/QtCanvas.h"

namespace tabrel::ui {

PaikeRuleGridWnd::PaikeRuleGridWnd(Document& doc, PaikeRuleGrid& grid, QWidget* parent)
    : QWidget(parent), doc_(doc), grid_(grid)
{
    setObjectName(QStringLiteral("PaikeRuleGridWnd"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(420, 300);
    grid_.refresh(doc_.dataSet());
}

void PaikeRuleGridWnd::reload()
{
    grid_.refresh(doc_.dataSet());
    update();
}

void PaikeRuleGridWnd::resizeEvent(QResizeEvent*)
{
    grid_.setSize(width(), height());
}

void PaikeRuleGridWnd::paintEvent(QPaintEvent*)
{
    grid_.setSize(width(), height());
    // The teacher grid shows the stored rules as they are whenever it is drawn.
    if (grid_.mode() == PaikeRuleGrid::Mode::Teacher)
        grid_.refresh(doc_.dataSet());
    QPainter p(this);
    QtCanvas canvas(p);
    grid_.draw(canvas, doc_.dataSet());
    if (hasFocus()) {
        const Rect r = grid_.slotRect(doc_.dataSet(), focusPeriod_, focusDay_);
        p.setPen(QPen(QColor(0, 120, 215), 2, Qt::DotLine));
        p.drawRect(r.left + 2, r.top + 2, r.width() - 5, r.height() - 5);
    }
}

void PaikeRuleGridWnd::handle(int button, int phase, const QPoint& at)
{
    const auto reaction = grid_.mouse(doc_.dataSet(), static_cast<PaikeRuleGrid::Button>(button),
                                      static_cast<PaikeRuleGrid::Phase>(phase), at.x(), at.y());
    if (reaction == PaikeRuleGrid::Reaction::None)
        return;
    focusPeriod_ = grid_.menuPeriod();
    focusDay_ = grid_.menuDay();
    if (reaction == PaikeRuleGrid::Reaction::Cycle)
        cycleAt(grid_.menuPeriod(), grid_.menuDay());
    else
        openMenu(mapToGlobal(at));
}

void PaikeRuleGridWnd::mousePressEvent(QMouseEvent* e)
{
    setFocus();
    if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton)
        handle(e->button() == Qt::LeftButton ? 0 : 1, 0, e->position().toPoint());
}

void PaikeRuleGridWnd::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton)
        handle(e->button() == Qt::LeftButton ? 0 : 1, 1, e->position().toPoint());
}

void PaikeRuleGridWnd::cycleAt(int period, int day)
{
    if (!grid_.active())
        return;
    const std::string value = PaikeRuleGrid::nextInCycle(grid_.shown(period, day));
    const std::string step = GBK("课节设置：") + (value.empty() ? GBK("本节课自动") : value);
    doc_.edit(step, [&](DataSet& ds) { return grid_.write(ds, period, day, value); });
    reload();
    emit changed();
}

void PaikeRuleGridWnd::runCommand(int command)
{
    if (!grid_.active())
        return;
    const auto c = static_cast<PaikeRuleGrid::Command>(command);
    doc_.edit(GBK("课节设置：") + PaikeRuleGrid::commandText(c),
                 [&](DataSet& ds) { return grid_.apply(ds, c); });
    reload();
    emit changed();
}

void PaikeRuleGridWnd::openMenu(const QPoint& globalAt)
{
    if (!grid_.active())
        return;
    QMenu menu(this);
    using C = PaikeRuleGrid::Command;
    for (C c : {C::Prefer, C::Must, C::Never, C::Auto, C::AllAuto}) {
        if (c == C::Auto)
            menu.addSeparator();
        QAction* a = menu.addAction(qs(PaikeRuleGrid::commandText(c)));
        connect(a, &QAction::triggered, this, [this, c] { runCommand(static_cast<int>(c)); });
    }
    menu.exec(globalAt);
}

void PaikeRuleGridWnd::keyPressEvent(QKeyEvent* e)
{
    const DataSet& ds = doc_.dataSet();
    const int periods = std::clamp(ds.periodsPerDay(), 1, MaxPeriodRows);
    const int days = std::clamp(ds.dayCount(), 1, DayColumns);
    switch (e->key()) {
    case Qt::Key_Up: focusPeriod_ = std::max(0, focusPeriod_ - 1); break;
    case Qt::Key_Down: focusPeriod_ = std::min(periods - 1, focusPeriod_ + 1); break;
    case Qt::Key_Left: focusDay_ = std::max(0, focusDay_ - 1); break;
    case Qt::Key_Right: focusDay_ = std::min(days - 1, focusDay_ + 1); break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const Rect r = grid_.slotRect(ds, focusPeriod_, focusDay_);
        // The same reaction a click on the slot gives: the cycle of the subject grid's left button
        // and of the teacher grid's right button.
        handle(grid_.mode() == PaikeRuleGrid::Mode::Subject ? 0 : 1, 0, QPoint(r.left + 1, r.top + 1));
        break;
    }
    case Qt::Key_Menu: {
        const Rect r = grid_.slotRect(ds, focusPeriod_, focusDay_);
        grid_.aimAt(focusPeriod_, focusDay_);
        openMenu(mapToGlobal(QPoint(r.left + r.width() / 2, r.top + r.height() / 2)));
        break;
    }
    default: QWidget::keyPressEvent(e); return;
    }
    update();
}

} // namespace tabrel::ui
