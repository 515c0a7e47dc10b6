#include "ui/manual/ManualCanvasWnd.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "render/QtCanvas.h"

namespace tabrel::ui {

ManualCanvasWnd::ManualCanvasWnd(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ManualCanvasWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (onPaint) {
        QtCanvas canvas(p);
        onPaint(canvas);
    }
}

void ManualCanvasWnd::mousePressEvent(QMouseEvent* e)
{
    setFocus(Qt::MouseFocusReason);
    if (onPress)
        onPress(e);
}

void ManualCanvasWnd::mouseMoveEvent(QMouseEvent* e)
{
    if (onMove)
        onMove(e);
}

void ManualCanvasWnd::mouseReleaseEvent(QMouseEvent* e)
{
    if (onRelease)
        onRelease(e);
}

void ManualCanvasWnd::contextMenuEvent(QContextMenuEvent* e)
{
    if (onContextMenu)
        onContextMenu(e);
}

void ManualCanvasWnd::keyPressEvent(QKeyEvent* e)
{
    if (onKey && onKey(e))
        return;
    QWidget::keyPressEvent(e);
}

void ManualCanvasWnd::leaveEvent(QEvent*)
{
    if (onLeave)
        onLeave();
}

} // namespace tabrel::ui
