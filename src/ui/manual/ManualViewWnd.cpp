#include "ui/manual/ManualViewWnd.h"

#include <QGuiApplication>

#include <QButtonGroup>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>

#include "app/Document.h"
#include "data/DataSet.h"
#include "manual/ManualSlot.h"
#include "ui/widgets/UiText.h"
#include "ui/manual/ManualCanvasWnd.h"

namespace tabrel::ui {

ManualViewWnd::ManualViewWnd(Document& doc, const QString& switchText, QWidget* parent)
    : QWidget(parent), doc_(doc), ds_(&doc.dataSet())
{
    list_ = new QListWidget(this);
    canvas_ = new ManualCanvasWnd(this);
    placement_ = new QRadioButton(QStringLiteral("排课操作"), this);
    swap_ = new QRadioButton(QStringLiteral("调课操作"), this);
    auto* group = new QButtonGroup(this);
    group->addButton(placement_);
    group->addButton(swap_);
    placement_->setChecked(true);
    clear_ = new QPushButton(QStringLiteral("清空数据"), this);
    switch_ = new QPushButton(switchText, this);
    switch_->setFlat(true);
    switch_->setCursor(Qt::PointingHandCursor);
    switch_->setStyleSheet(QStringLiteral("QPushButton { color: #1a56c4; text-decoration: underline; border: none; }"));
    connect(switch_, &QPushButton::clicked, this, &ManualViewWnd::switchRequested);
}

manual::ViewLayout ManualViewWnd::layout() const
{
    return manual::layoutView(canvas_->width(), canvas_->height(), *ds_);
}

void ManualViewWnd::resizeEvent(QResizeEvent*)
{
    const int w = width(), h = height();
    const int listWidth = std::max(w / 10, 90);
    list_->setGeometry(0, 0, listWidth, h);
    const int buttonsTop = h - 40;
    switch_->setGeometry(w - 150, 2, 146, 26);
    canvas_->setGeometry(listWidth + 4, 30, w - listWidth - 8, buttonsTop - 34);
    int x = listWidth + 40;
    for (QWidget* b : std::initializer_list<QWidget*>{placement_, swap_}) {
        b->setGeometry(x, buttonsTop + 6, 100, 28);
        x += 110;
    }
    clear_->setGeometry(x, buttonsTop + 4, 100, 32);
    x += 110;
    for (QPushButton* b : extra_) {
        b->setGeometry(x, buttonsTop + 4, 100, 32);
        x += 110;
    }
}

bool ManualViewWnd::edit(const std::string& step, const std::function<bool(DataSet&)>& change)
{
    const bool changed = doc_.edit(step, change);
    refresh();
    return changed;
}

bool ManualViewWnd::handleKey(int key, const QString& text)
{
    switch (key) {
    case Qt::Key_Left: moveHover(0, -1); break;
    case Qt::Key_Right: moveHover(0, 1); break;
    case Qt::Key_Up: moveHover(-1, 0); break;
    case Qt::Key_Down: moveHover(1, 0); break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (stepItem(key == Qt::Key_PageUp ? -1 : 1))
            refresh();
        return true;
    case Qt::Key_Escape:
        if (!cancelSwap())
            return false;
        canvas_->update();
        return true;
    case Qt::Key_Menu:
    case Qt::Key_F10: {
        const manual::Slot s = hoveredSlot();
        if ((key == Qt::Key_F10 && !(QGuiApplication::keyboardModifiers() & Qt::ShiftModifier)) || !s.valid())
            return false;
        return openContextMenu(s);
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: {
        const manual::Slot s = hoveredSlot();
        if (!s.valid())
            return false;
        actOn(s);
        canvas_->update();
        return true;
    }
    default: {
        const std::string t = text.toStdString();
        if (t.size() != 1 || manual::labelIndex(t[0]) < 0)
            return false;
        placeLabel(t[0]);
        return true;
    }
    }
    if (hoveredSlot().valid()) {
        const QPoint c = cellCentre(hoveredSlot());
        placeBox(c.x(), c.y());
    }
    canvas_->update();
    return true;
}

void ManualViewWnd::fillList(const std::vector<std::string>& texts, int row)
{
    filling_ = true;
    if (list_->count() != static_cast<int>(texts.size())) {
        list_->clear();
        for (const std::string& t : texts)
            list_->addItem(qs(t));
    } else
        for (int i = 0; i < list_->count(); ++i)
            if (list_->item(i)->text() != qs(texts[i]))
                list_->item(i)->setText(qs(texts[i]));
    list_->setCurrentRow(row);
    filling_ = false;
}

int ManualViewWnd::runMenu(QMenu& menu, const QPoint& globalPos)
{
    QAction* chosen = menu.exec(globalPos);
    return chosen ? chosen->data().toInt() : -2;
}

void ManualViewWnd::placeBox(int x, int y)
{
    box_.move(x, y, canvas_->height());
}

} // namespace tabrel::ui
