#include "ui/manual/ClassTableTiaoKeWnd.h"
#include "app/Document.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"
#include "ui/manual/ManualCanvasWnd.h"

namespace tabrel::ui {

using manual::ClassTableTiaoKe;
using manual::Slot;

ClassTableTiaoKeWnd::ClassTableTiaoKeWnd(Document& doc, QWidget* parent)
    : ManualViewWnd(doc, QStringLiteral("切换到教师排课"), parent)
{
    teachers_ = new QPushButton(qs(view_.teacherButtonText()), this);
    addButton(teachers_);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_ && view_.chooseClass(*ds_, row))
            refresh();
    });
    connect(placement_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setMode(ClassTableTiaoKe::Placement);
    });
    connect(swap_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setMode(ClassTableTiaoKe::Swap);
    });
    connect(clear_, &QPushButton::clicked, this, [this] {
        const ClassTable* c = view_.currentClass(*ds_);
        if (!c || !Prompter::current().confirm(this, qs(ClassTableTiaoKe::clearQuestion())))
            return;
        edit(GBK("清空数据 ") + c->name, [this](DataSet& ds) { return view_.clearClass(ds); });
    });
    connect(teachers_, &QPushButton::clicked, this, [this] {
        view_.toggleTeacherDisplay();
        refresh();
    });
    canvas_->onPaint = [this](Canvas& c) { paint(c); };
    canvas_->onPress = [this](QMouseEvent* e) { press(e); };
    canvas_->onMove = [this](QMouseEvent* e) { move(e); };
    canvas_->onRelease = [this](QMouseEvent* e) { release(e); };
    canvas_->onContextMenu = [this](QContextMenuEvent* e) { context(e); };
    canvas_->onKey = [this](QKeyEvent* e) { return handleKey(e->key(), e->text()); };
    canvas_->onLeave = [this] {
        if (!view_.dragging() && view_.hover(*ds_, {}))
            canvas_->update();
    };
}

void ClassTableTiaoKeWnd::refresh()
{
    view_.refresh(*ds_);
    fillList(view_.classNames(*ds_), view_.currentIndex());
    teachers_->setText(qs(view_.teacherButtonText()));
    canvas_->update();
}

void ClassTableTiaoKeWnd::setMode(ClassTableTiaoKe::Mode mode)
{
    if (view_.setMode(mode)) {
        (mode == ClassTableTiaoKe::Placement ? placement_ : swap_)->setChecked(true);
        canvas_->update();
    }
}

std::string ClassTableTiaoKeWnd::stepName(const char* what, Slot s) const
{
    const ClassTable* c = view_.currentClass(*ds_);
    std::string name = gbk::literal(what) + " " + (c ? c->name : std::string());
    if (insideGrid(*ds_, s))
        name += " " + ds_->dayNames[s.day] + ds_->periodLabel(s.period);
    return name;
}

QPoint ClassTableTiaoKeWnd::cellCentre(Slot s) const
{
    const Rect r = layout().grid.cell(s.period, s.day);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void ClassTableTiaoKeWnd::openPlacementMenu(Slot s, const QPoint& globalPos)
{
    const auto entries = view_.placementMenu(*ds_, s);
    canvas_->update();
    if (entries.empty()) {
        view_.closeMenu();
        return;
    }
    QMenu menu(this);
    for (const auto& e : entries) {
        QAction* a = menu.addAction(qs(e.text));
        a->setData(e.candidate);
        a->setEnabled(e.acts);
    }
    const int chosen = runMenu(menu, globalPos);
    view_.closeMenu();
    if (chosen == -1)
        edit(stepName("清空", s), [this, s](DataSet& ds) { return view_.emptyCell(ds, s); });
    else if (chosen >= 0)
        edit(stepName("排课", s), [this, s, chosen](DataSet& ds) { return view_.placeCandidate(ds, s, chosen); });
    else
        canvas_->update();
}

void ClassTableTiaoKeWnd::press(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    const manual::ViewLayout l = layout();
    if (e->button() == Qt::LeftButton && l.previousArrow.contains(pos.x(), pos.y())) {
        if (view_.previousClass(*ds_))
            refresh();
        return;
    }
    if (e->button() == Qt::LeftButton && l.nextArrow.contains(pos.x(), pos.y())) {
        if (view_.nextClass(*ds_))
            refresh();
        return;
    }
    const Slot s = l.grid.hit(pos.x(), pos.y());
    if (e->button() != Qt::LeftButton || !s.valid())
        return;
    if (view_.mode() == ClassTableTiaoKe::Placement)
        openPlacementMenu(s, e->globalPosition().toPoint());
    else if (view_.pickSwapSource(*ds_, s)) {
        view_.startDrag(pos.x(), pos.y());
        canvas_->update();
    }
}

void ClassTableTiaoKeWnd::move(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    placeBox(pos.x(), pos.y());
    const bool held = e->buttons() & Qt::LeftButton;
    if (view_.dragging()) {
        if (held)
            view_.dragTo(pos.x(), pos.y());
        else
            view_.endDrag();
    }
    if (!held || view_.dragging())
        view_.hover(*ds_, layout().grid.hit(pos.x(), pos.y()));
    canvas_->update();
}

void ClassTableTiaoKeWnd::release(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !view_.dragging())
        return;
    const QPoint pos = e->position().toPoint();
    const Slot target = layout().grid.hit(pos.x(), pos.y());
    if (target.valid() && target != view_.swapSource())
        edit(stepName("调课", target), [this, target](DataSet& ds) { return view_.dropOn(ds, target); });
    view_.endDrag();
    canvas_->update();
}

void ClassTableTiaoKeWnd::context(QContextMenuEvent* e)
{
    openCellMenu(layout().grid.hit(e->pos().x(), e->pos().y()), e->globalPos());
}

bool ClassTableTiaoKeWnd::openContextMenu(Slot s)
{
    return openCellMenu(s, canvas_->mapToGlobal(cellCentre(s)));
}

// The right-click menu: "与这节课交换" while a swap is pending, and fixing or releasing the lesson.
bool ClassTableTiaoKeWnd::openCellMenu(Slot s, const QPoint& globalPos)
{
    enum { SwapEntry = 0, FixEntry = 1 };
    QMenu menu(this);
    if (view_.mode() == ClassTableTiaoKe::Swap && view_.swapMenuOffered(*ds_, s))
        menu.addAction(QStringLiteral("与这节课交换"))->setData(SwapEntry);
    const std::string fix = view_.fixEntryText(*ds_, s);
    if (!fix.empty())
        menu.addAction(qs(fix))->setData(FixEntry);
    if (menu.isEmpty())
        return false;
    const int chosen = runMenu(menu, globalPos);
    if (chosen == SwapEntry)
        edit(stepName("调课", s), [this, s](DataSet& ds) { return view_.swapWith(ds, s); });
    else if (chosen == FixEntry)
        edit(stepName(ds_ && view_.cellAt(*ds_, s)->markFlag == 1 ? "取消固定" : "固定", s),
             [this, s](DataSet& ds) { return view_.toggleFixed(ds, s); });
    canvas_->update();
    return true;
}

void ClassTableTiaoKeWnd::actOn(Slot s)
{
    if (view_.mode() == ClassTableTiaoKe::Placement)
        openPlacementMenu(s, canvas_->mapToGlobal(cellCentre(s)));
    else if (!view_.swapPending() || s == view_.swapSource())
        view_.pickSwapSource(*ds_, s);
    else
        edit(stepName("调课", s), [this, s](DataSet& ds) { return view_.swapWith(ds, s); });
}

void ClassTableTiaoKeWnd::placeLabel(char label)
{
    edit(stepName("排课", view_.hoveredCell()), [this, label](DataSet& ds) { return view_.placeByKey(ds, label); });
}

void ClassTableTiaoKeWnd::paint(Canvas& c)
{
    const manual::ViewLayout l = layout();
    manual::drawClassView(c, l, *ds_, view_);
    if (view_.dragging())
        manual::drawDragBox(c, view_.dragX(), view_.dragY(), l.grid.cellWidth, l.grid.cellHeight, view_.dragTexts(*ds_));
    else {
        box_.setLines(view_.reportLines());
        box_.draw(c, manual::TextPixels);
    }
}

} // namespace tabrel::ui
