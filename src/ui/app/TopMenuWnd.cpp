#include "ui/app/TopMenuWnd.h"

#include <QLinearGradient>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "ui/widgets/Icons.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui {

TopMenuWnd::TopMenuWnd(TopMenuStrip& strip, QWidget* parent) : QWidget(parent), strip_(strip)
{
    setMouseTracking(true);
    setObjectName(QStringLiteral("TopMenuWnd"));
    setFocusPolicy(Qt::StrongFocus);
}

void TopMenuWnd::refresh()
{
    strip_.layout(width(), height());
    update();
}

QPoint TopMenuWnd::buttonCentre(const QString& text) const
{
    const auto buttons = strip_.buttons();
    const auto& rects = strip_.buttonRects();
    for (std::size_t i = 0; i < buttons.size() && i < rects.size(); ++i)
        if (qs(buttons[i]) == text)
            return QPoint((rects[i].left + rects[i].right) / 2, (rects[i].top + rects[i].bottom) / 2);
    return {-1, -1};
}

void TopMenuWnd::resizeEvent(QResizeEvent*)
{
    strip_.layout(width(), height());
}

void TopMenuWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient bg(0, 0, 0, height());
    bg.setColorAt(0, QColor(250, 252, 255));
    bg.setColorAt(1, QColor(214, 226, 240));
    p.fillRect(rect(), bg);
    p.setPen(QColor(160, 176, 200));
    p.drawLine(0, height() - 1, width(), height() - 1);

    const auto buttons = strip_.buttons();
    const auto& rects = strip_.buttonRects();
    const int textH = std::clamp(height() / 4, 11, 16);
    QFont f = font();
    f.setPixelSize(textH);
    p.setFont(f);
    for (std::size_t i = 0; i < buttons.size() && i < rects.size(); ++i) {
        const Rect& r = rects[i];
        const QRect box(r.left, r.top, r.width(), r.height());
        const bool hover = static_cast<int>(i) == strip_.hover();
        if (hover) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(QColor(112, 144, 190), 1));
            p.setBrush(QColor(255, 255, 255, 160));
            p.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
            p.setRenderHint(QPainter::Antialiasing, false);
        }
        const QString text = qs(buttons[i]);
        const bool enabled = strip_.isEnabled(static_cast<int>(i));
        const int iconSize = std::max(12, box.height() - textH - 10);
        p.setOpacity(enabled ? 1.0 : 0.35);
        p.drawPixmap(box.center().x() - iconSize / 2, box.top() + 3, menuButtonIcon(strip_.buttonIds()[i], iconSize));
        p.setOpacity(1.0);
        if (hasFocus() && static_cast<int>(i) == strip_.focus()) {
            p.setPen(QPen(QColor(220, 120, 30), 2, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(box).adjusted(1, 1, -1, -1), 4, 4);
        }
        p.setPen(!enabled ? QColor(150, 150, 150) : hover ? QColor(220, 0, 0) : QColor(30, 40, 60));
        p.drawText(QRect(box.left(), box.bottom() - textH - 4, box.width(), textH + 3), Qt::AlignCenter, text);
    }
}

void TopMenuWnd::mouseMoveEvent(QMouseEvent* e)
{
    if (strip_.setHover(e->position().toPoint().x(), e->position().toPoint().y()))
        update();
}

void TopMenuWnd::mousePressEvent(QMouseEvent* e)
{
    e->accept();
}

void TopMenuWnd::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    if (auto b = strip_.release(e->position().toPoint().x(), e->position().toPoint().y()))
        emit buttonReleased(*b);
}

void TopMenuWnd::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Right:
        strip_.moveFocus(1);
        update();
        return;
    case Qt::Key_Left:
        strip_.moveFocus(-1);
        update();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (auto b = strip_.activateFocus())
            emit buttonReleased(*b);
        return;
    default:
        QWidget::keyPressEvent(e);
    }
}

void TopMenuWnd::focusInEvent(QFocusEvent*)
{
    if (strip_.focus() < 0 || !strip_.isEnabled(strip_.focus()))
        strip_.moveFocus(1);
    update();
}

void TopMenuWnd::focusOutEvent(QFocusEvent*)
{
    update();
}

void TopMenuWnd::setToolTips(const QString& undoText, const QString& redoText)
{
    undoTip_ = undoText;
    redoTip_ = redoText;
}

bool TopMenuWnd::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const int i = strip_.hitTest(help->pos().x(), help->pos().y());
        QString tip;
        if (i >= 0 && strip_.buttonIds()[i] == MenuButton::Undo)
            tip = undoTip_;
        else if (i >= 0 && strip_.buttonIds()[i] == MenuButton::Redo)
            tip = redoTip_;
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(e);
}

void TopMenuWnd::leaveEvent(QEvent*)
{
    strip_.clearHover();
    update();
}

} // namespace tabrel::ui
