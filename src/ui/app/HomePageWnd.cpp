#include "ui/app/HomePageWnd.h"

#include <QKeyEvent>

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include "app/TraceLog.h"
#include "ui/widgets/Icons.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui {

namespace {
QRect qrect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }
QColor qcolor(Rgb c) { return QColor(c.r, c.g, c.b); }
} // namespace

HomePageWnd::HomePageWnd(HomeSteps& steps, TraceLog& trace, QWidget* parent)
    : QWidget(parent), steps_(steps), trace_(trace)
{
    setObjectName(QStringLiteral("HomePageWnd"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    this->trace("CHomePageWnd::OnInitDialog");
}

void HomePageWnd::trace(const char* line)
{
    if (trace_.append(line) == TraceLog::Outcome::Failed) {
        // Shown once, and never from inside a paint.
        QTimer::singleShot(0, this, [this] { Prompter::current().inform(this, QStringLiteral("创建文件失败!")); });
    }
}

QPoint HomePageWnd::itemCentre(int index) const
{
    return qrect(steps_.items().at(index).rect).center();
}

void HomePageWnd::resizeEvent(QResizeEvent*)
{
    steps_.layout(width(), height());
    trace("CHomePageWnd::OnSize");
}

void HomePageWnd::paintEvent(QPaintEvent*)
{
    trace("CHomePageWnd::OnPaint");
    QPainter p(this);
    p.drawTiledPixmap(rect(), homeBackgroundTile());
    p.setRenderHint(QPainter::Antialiasing);

    const auto& items = steps_.items();
    const int band = steps_.titleBandHeight();
    const QColor ink(40, 52, 72);

    // Heading of the page.
    if (!items.empty()) {
        QFont hf = font();
        hf.setPixelSize(std::clamp(height() / 22, 18, 34));
        hf.setBold(true);
        p.setFont(hf);
        p.setPen(QColor(40, 64, 110));
        const int top = items[0].rect.top;
        p.drawText(QRect(items[0].rect.left, 0, width(), top), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("排课向导：按顺序完成以下步骤"));
    }

    // Arrows between the steps.
    p.setPen(QPen(QColor(112, 144, 190), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(QColor(112, 144, 190));
    for (const auto& a : steps_.arrows()) {
        p.drawLine(a.x1, a.y1, a.x2 - 8, a.y2);
        QPainterPath head;
        head.moveTo(a.x2, a.y2);
        head.lineTo(a.x2 - 12, a.y2 - 7);
        head.lineTo(a.x2 - 12, a.y2 + 7);
        head.closeSubpath();
        p.drawPath(head);
    }

    // Group headings.
    QFont gf = font();
    gf.setPixelSize(std::clamp(band * 11 / 20, 13, 20));
    gf.setBold(true);
    p.setFont(gf);
    p.setPen(QColor(40, 64, 110));
    p.drawText(qrect(steps_.outputsHeading()), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("课程表输出"));
    p.drawText(qrect(steps_.toolsHeading()), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("数据工具"));

    QFont titleFont = font();
    titleFont.setPixelSize(std::clamp(band * 11 / 20, 13, 22));
    titleFont.setBold(true);
    QFont bodyFont = font();
    bodyFont.setPixelSize(std::clamp(band * 9 / 20, 12, 18));

    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto& it = items[i];
        const QRect r = qrect(it.rect);
        const bool hover = (static_cast<int>(i) == steps_.hover() && steps_.hoverActive()) ||
                           (hasFocus() && static_cast<int>(i) == steps_.focus());
        const QColor bandColour = qcolor(HomeSteps::bandColour(it.available));
        // Shadow, body, band.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 40));
        p.drawRoundedRect(r.translated(3, 3), 6, 6);
        p.setBrush(Qt::white);
        p.setPen(QPen(hover ? QColor(220, 120, 30) : bandColour.darker(120), hover ? 2 : 1));
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
        if (it.kind == HomeSteps::Kind::Step) {
            QPainterPath bandPath;
            bandPath.addRoundedRect(QRectF(r.left() + 1, r.top() + 1, r.width() - 2, band + 6), 5, 5);
            QPainterPath clip;
            clip.addRect(QRectF(r.left(), r.top(), r.width(), band));
            p.setPen(Qt::NoPen);
            p.setBrush(bandColour);
            p.drawPath(bandPath.intersected(clip));
            p.setFont(titleFont);
            p.setPen(it.available ? Qt::white : QColor(110, 110, 110));
            p.drawText(QRect(r.left() + 10, r.top(), r.width() - 20, band), Qt::AlignVCenter | Qt::AlignLeft,
                       qs(it.title));
            p.setFont(bodyFont);
            p.setPen(it.available ? ink : QColor(170, 60, 60));
            p.drawText(QRect(r.left() + 10, r.top() + band + 6, r.width() - 20, r.height() - band - 12),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, qs(it.body()));
        } else {
            // Output and tool buttons: the text on a band-coloured face.
            p.setPen(Qt::NoPen);
            p.setBrush(it.available ? bandColour : QColor(225, 225, 225));
            p.drawRoundedRect(QRectF(r).adjusted(2, 2, -2, -2), 5, 5);
            // The text fits the face with a margin on both sides.
            const QString title = qs(it.title);
            QFont buttonFont = titleFont;
            const int fit = (r.width() - 16) / std::max<int>(1, static_cast<int>(title.size()));
            buttonFont.setPixelSize(std::max(11, std::min(titleFont.pixelSize(), fit)));
            p.setFont(buttonFont);
            p.setPen(it.available ? Qt::white : QColor(140, 140, 140));
            p.drawText(r, Qt::AlignCenter, title);
        }
        if (hasFocus() && static_cast<int>(i) == steps_.focus()) {
            // The keyboard's place: a dashed frame around the item.
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QColor(220, 120, 30), 2, Qt::DashLine));
            p.drawRoundedRect(QRectF(r).adjusted(-4, -4, 4, 4), 8, 8);
        }
    }
}

void HomePageWnd::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint pt = e->position().toPoint();
    if (steps_.setHover(pt.x(), pt.y())) {
        setCursor(steps_.hoverActive() ? Qt::PointingHandCursor : Qt::ArrowCursor);
        update();
    }
}

void HomePageWnd::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint pt = e->position().toPoint();
    const HomeSteps::Action action = steps_.click(pt.x(), pt.y());
    if (action.kind != HomeSteps::ActionKind::None)
        emit actionChosen(action);
}

void HomePageWnd::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        steps_.moveFocus(1);
        update();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        steps_.moveFocus(-1);
        update();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: {
        const HomeSteps::Action action = steps_.activateFocus();
        if (action.kind != HomeSteps::ActionKind::None)
            emit actionChosen(action);
        return;
    }
    default:
        QWidget::keyPressEvent(e);
    }
}

bool HomePageWnd::focusNextPrevChild(bool next)
{
    // Tab walks the usable items of the page; past the last (or before the first) it leaves for
    // the next window.
    const auto& items = steps_.items();
    int first = -1, last = -1;
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
        if (items[i].available) {
            if (first < 0)
                first = i;
            last = i;
        }
    const int at = steps_.focus();
    if (first < 0 || (next && at == last) || (!next && at == first))
        return QWidget::focusNextPrevChild(next);
    steps_.moveFocus(next ? 1 : -1);
    update();
    return true;
}

void HomePageWnd::focusInEvent(QFocusEvent*)
{
    if (steps_.focus() < 0)
        steps_.moveFocus(1);
    update();
}

void HomePageWnd::focusOutEvent(QFocusEvent*)
{
    update();
}

void HomePageWnd::leaveEvent(QEvent*)
{
    if (steps_.setHover(-1, -1))
        update();
}

} // namespace tabrel::ui
