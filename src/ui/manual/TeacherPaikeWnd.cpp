#include "ui/manual/TeacherPaikeWnd.h"
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
#include "manual/ClassTableTiaoKe.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"
#include "ui/manual/ManualCanvasWnd.h"

namespace tabrel::ui {

using manual::Slot;
using manual::TeacherPaike;

TeacherPaikeWnd::TeacherPaikeWnd(Document& doc, QWidget* parent)
    : ManualViewWnd(doc, QStringLiteral("切换到班级排课"), parent)
{
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_ && view_.chooseTeacher(*ds_, row))
            refresh();
    });
    connect(placement_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setMode(TeacherPaike::Placement);
    });
    connect(swap_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setMode(TeacherPaike::Swap);
    });
    connect(clear_, &QPushButton::clicked, this, [this] {
        const TeacherInfoRecord* t = view_.currentTeacher(*ds_);
        if (!t || !Prompter::current().confirm(this, qs(manual::ClassTableTiaoKe::clearQuestion())))
            return;
        edit(GBK("清空数据 ") + t->name, [this](DataSet& ds) { return view_.clearTeacher(ds); });
    });
    canvas_->onPaint = [this](Canvas& c) { paint(c); };
    canvas_->onPress = [this](QMouseEvent* e) { press(e); };
    canvas_->onMove = [this](QMouseEvent* e) { move(e); };
    canvas_->onRelease = [this](QMouseEvent* e) { release(e); };
    canvas_->onContextMenu = [this](QContextMenuEvent* e) { context(e); };
    canvas_->onKey = [this](QKeyEvent* e) { return handleKey(e->key(), e->text()); };
    canvas_->onLeave = [this] {
        if (view_.hover(*ds_, {}, false))
            canvas_->update();
    };
}

void TeacherPaikeWnd::refresh()
{
    view_.refresh(*ds_);
    fillList(view_.teacherEntries(*ds_), view_.currentIndex());
    canvas_->update();
}

void TeacherPaikeWnd::setMode(TeacherPaike::Mode mode)
{
    if (view_.setMode(*ds_, mode)) {
        (mode == TeacherPaike::Placement ? placement_ : swap_)->setChecked(true);
        canvas_->update();
    }
}

std::string TeacherPaikeWnd::stepName(const char* what, Slot s) const
{
    const TeacherInfoRecord* t = view_.currentTeacher(*ds_);
    std::string name = gbk::literal(what) + " " + (t ? t->name : std::string());
    if (insideGrid(*ds_, s))
        name += " " + ds_->dayNames[s.day] + ds_->periodLabel(s.period);
    return name;
}

QPoint TeacherPaikeWnd::cellCentre(Slot s) const
{
    const Rect r = layout().grid.cell(s.period, s.day);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void TeacherPaikeWnd::openPlacementMenu(Slot s, const QPoint& globalPos)
{
    const auto entries = view_.placementMenu(*ds_, s);
    canvas_->update();
    if (entries.empty())
        return;
    QMenu menu(this);
    for (const auto& e : entries) {
        QAction* a = menu.addAction(qs(e.text));
        a->setData(e.candidate);
        a->setEnabled(e.acts);
    }
    const int chosen = runMenu(menu, globalPos);
    if (chosen == -1)
        edit(stepName("清空", s), [this, s](DataSet& ds) { return view_.emptySlot(ds, s); });
    else if (chosen >= 0)
        edit(stepName("排课", s), [this, s, chosen](DataSet& ds) { return view_.placeCandidate(ds, s, chosen); });
    else
        canvas_->update();
}

void TeacherPaikeWnd::press(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    const manual::ViewLayout l = layout();
    if (e->button() == Qt::LeftButton && l.previousArrow.contains(pos.x(), pos.y())) {
        if (view_.previousTeacher(*ds_))
            refresh();
        return;
    }
    if (e->button() == Qt::LeftButton && l.nextArrow.contains(pos.x(), pos.y())) {
        if (view_.nextTeacher(*ds_))
            refresh();
        return;
    }
    const Slot s = l.grid.hit(pos.x(), pos.y());
    if (e->button() != Qt::LeftButton || !s.valid())
        return;
    if (view_.mode() == TeacherPaike::Placement)
        openPlacementMenu(s, e->globalPosition().toPoint());
    else {
        pressed_ = true;
        if (view_.pickLesson(*ds_, s))
            view_.startDrag(pos.x(), pos.y());
        canvas_->update();
    }
}

void TeacherPaikeWnd::move(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    placeBox(pos.x(), pos.y());
    const bool held = e->buttons() & Qt::LeftButton;
    if (held)
        view_.dragTo(pos.x(), pos.y());
    view_.hover(*ds_, layout().grid.hit(pos.x(), pos.y()), held);
    canvas_->update();
}

void TeacherPaikeWnd::release(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    const QPoint pos = e->position().toPoint();
    const Slot target = layout().grid.hit(pos.x(), pos.y());
    if (!view_.dragText().empty() && target.valid() && target != view_.selectedSlot())
        edit(stepName("调课", target), [this, target](DataSet& ds) { return view_.dropOn(ds, target); });
    canvas_->update();
}

void TeacherPaikeWnd::context(QContextMenuEvent* e)
{
    if (view_.mode() != TeacherPaike::Swap)
        return;
    const Slot s = layout().grid.hit(e->pos().x(), e->pos().y());
    if (!view_.moveAccepted(*ds_, s))
        return;
    QMenu menu(this);
    menu.addAction(QStringLiteral("与这节课交换"))->setData(0);
    if (runMenu(menu, e->globalPos()) == 0)
        edit(stepName("调课", s), [this, s](DataSet& ds) { return view_.swapWith(ds, s); });
}

void TeacherPaikeWnd::actOn(Slot s)
{
    if (view_.mode() == TeacherPaike::Placement)
        openPlacementMenu(s, canvas_->mapToGlobal(cellCentre(s)));
    else if (!view_.lessonPicked() || s == view_.selectedSlot())
        view_.pickLesson(*ds_, s);
    else
        edit(stepName("调课", s), [this, s](DataSet& ds) { return view_.swapWith(ds, s); });
}

void TeacherPaikeWnd::placeLabel(char label)
{
    edit(stepName("排课", view_.hoveredSlot()), [this, label](DataSet& ds) { return view_.placeByKey(ds, label); });
}

void TeacherPaikeWnd::paint(Canvas& c)
{
    const manual::ViewLayout l = layout();
    manual::drawTeacherView(c, l, *ds_, view_);
    if (!view_.dragText().empty() && view_.lessonPicked())
        manual::drawDragBox(c, view_.dragX(), view_.dragY(), l.grid.cellWidth * 3 / 2, l.grid.cellHeight, {view_.dragText()});
    else {
        box_.setLines(view_.reportLines());
        box_.draw(c, manual::TextPixels);
    }
}

} // namespace tabrel::ui
