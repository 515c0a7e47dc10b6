#include "ui/widgets/LeftMenuWnd.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/widgets/UiText.h"

namespace tabrel::ui {

namespace {
QRect qrect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }
} // namespace

LeftMenuWnd::LeftMenuWnd(const std::vector<std::string>& entries, QWidget* parent)
    : QWidget(parent), menu_(entries)
{
    setObjectName(QStringLiteral("LeftMenuWnd"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumWidth(120);
}

QPoint LeftMenuWnd::rowCentre(const QString& text) const
{
    const std::string t = gbkOf(text);
    for (std::size_t i = 0; i < menu_.rows().size(); ++i)
        if (menu_.rows()[i].text == t)
            return qrect(menu_.rowRect(static_cast<int>(i), width(), height())).center();
    return {-1, -1};
}

QPoint LeftMenuWnd::homeCentre() const
{
    return qrect(menu_.homeRect(width(), height())).center();
}

void LeftMenuWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(232, 238, 247));
    const int h = menu_.rowHeight(width(), height());
    QFont base = font();
    base.setPixelSize(std::clamp(h * 2 / 5, 12, 22));
    for (std::size_t i = 0; i < menu_.rows().size(); ++i) {
        const auto& row = menu_.rows()[i];
        const QRect r = qrect(menu_.rowRect(static_cast<int>(i), width(), height()));
        QFont f = base;
        if (row.kind == LeftMenu::Kind::Title) {
            p.fillRect(r.adjusted(0, 1, 0, -1), QColor(58, 92, 150));
            f.setBold(true);
            p.setFont(f);
            p.setPen(Qt::white);
            p.drawText(r.adjusted(8, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, qs(row.text));
            continue;
        }
        const bool hot = hover_ == static_cast<int>(i) || highlight_ == static_cast<int>(i);
        if (hot)
            p.fillRect(r.adjusted(2, 1, -2, -1), QColor(255, 246, 214));
        p.setFont(f);
        p.setPen(hot ? QColor(200, 30, 30) : QColor(30, 40, 60));
        p.drawText(r.adjusted(22, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, qs(row.text));
        if (highlight_ == static_cast<int>(i) && hasFocus()) {
            p.setPen(QPen(QColor(200, 30, 30), 1, Qt::DotLine));
            p.drawRect(r.adjusted(3, 2, -4, -3));
        }
    }
    const QRect home = qrect(menu_.homeRect(width(), height()));
    p.fillRect(home.adjusted(4, 2, -4, -4), hover_ == -2 ? QColor(255, 246, 214) : QColor(210, 222, 240));
    p.setPen(QColor(58, 92, 150));
    p.drawRect(home.adjusted(4, 2, -5, -5));
    QFont f = base;
    f.setBold(true);
    p.setFont(f);
    p.setPen(hover_ == -2 ? QColor(200, 30, 30) : QColor(30, 40, 60));
    p.drawText(home, Qt::AlignCenter, QStringLiteral("返回主页"));
}

void LeftMenuWnd::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    int hover = menu_.homeAt(at.x(), at.y(), width(), height()) ? -2 : -1;
    if (hover == -1 && menu_.itemAt(at.x(), at.y(), width(), height()))
        hover = menu_.rowAt(at.x(), at.y(), width(), height());
    if (hover != hover_) {
        hover_ = hover;
        setCursor(hover_ == -1 ? Qt::ArrowCursor : Qt::PointingHandCursor);
        update();
    }
}

void LeftMenuWnd::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint at = e->position().toPoint();
    if (menu_.homeAt(at.x(), at.y(), width(), height())) {
        emit homeRequested();
        return;
    }
    if (auto text = menu_.itemAt(at.x(), at.y(), width(), height())) {
        highlight_ = menu_.rowAt(at.x(), at.y(), width(), height());
        update();
        emit commandChosen(*text);
    }
}

void LeftMenuWnd::leaveEvent(QEvent*)
{
    hover_ = -1;
    update();
}

void LeftMenuWnd::moveHighlight(int step)
{
    const std::vector<int> items = menu_.itemRows();
    if (items.empty())
        return;
    int pos = -1;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == highlight_)
            pos = static_cast<int>(i);
    const int n = static_cast<int>(items.size());
    pos = pos < 0 ? (step > 0 ? 0 : n - 1) : (pos + step + n) % n;
    highlight_ = items[pos];
    update();
}

void LeftMenuWnd::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Down:
        moveHighlight(1);
        return;
    case Qt::Key_Up:
        moveHighlight(-1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (highlight_ >= 0 && highlight_ < static_cast<int>(menu_.rows().size()) &&
            menu_.rows()[highlight_].kind == LeftMenu::Kind::Item)
            emit commandChosen(menu_.rows()[highlight_].text);
        return;
    default:
        QWidget::keyPressEvent(e);
    }
}

} // namespace tabrel::ui
