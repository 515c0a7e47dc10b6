#include "ui/app/PendingPanelWnd.h"

#include <QPainter>

namespace tabrel::ui {

PendingPanelWnd::PendingPanelWnd(const QString& name, QWidget* parent) : QWidget(parent), name_(name)
{
    setObjectName(QStringLiteral("PendingPanelWnd"));
}

void PendingPanelWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(246, 248, 251));
    QFont f = font();
    f.setPixelSize(std::clamp(height() / 12, 20, 48));
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(40, 64, 110));
    p.drawText(rect(), Qt::AlignCenter, name_);
}

} // namespace tabrel::ui
