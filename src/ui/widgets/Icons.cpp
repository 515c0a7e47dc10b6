#include "ui/widgets/Icons.h"

#include <QPainter>
#include <QPainterPath>

namespace tabrel::ui {

namespace {
const QColor Ink(40, 64, 110);
const QColor Accent(64, 150, 190);

void drawDisk(QPainter& p, double s)
{
    // A floppy disk: body, shutter and label.
    p.setPen(QPen(Ink, s / 16));
    p.setBrush(Accent);
    QPainterPath body;
    body.moveTo(s * 0.15, s * 0.12);
    body.lineTo(s * 0.74, s * 0.12);
    body.lineTo(s * 0.88, s * 0.26);
    body.lineTo(s * 0.88, s * 0.88);
    body.lineTo(s * 0.15, s * 0.88);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(s * 0.28, s * 0.12, s * 0.40, s * 0.24));
    p.drawRect(QRectF(s * 0.25, s * 0.55, s * 0.52, s * 0.33));
}
} // namespace

QPixmap menuButtonIcon(MenuButton button, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QPen pen(Ink, std::max(1.5, s / 12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (button == MenuButton::Close) {
        p.setPen(QPen(QColor(190, 50, 50), s / 9, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(s * 0.18, s * 0.2, s * 0.64, s * 0.64), 120 * 16, 300 * 16);
        p.drawLine(QPointF(s * 0.5, s * 0.1), QPointF(s * 0.5, s * 0.48));
    } else if (button == MenuButton::Open) { // a folder
        p.setPen(QPen(Ink, s / 16));
        p.setBrush(QColor(235, 190, 80));
        QPainterPath folder;
        folder.moveTo(s * 0.1, s * 0.25);
        folder.lineTo(s * 0.4, s * 0.25);
        folder.lineTo(s * 0.48, s * 0.33);
        folder.lineTo(s * 0.9, s * 0.33);
        folder.lineTo(s * 0.9, s * 0.8);
        folder.lineTo(s * 0.1, s * 0.8);
        folder.closeSubpath();
        p.drawPath(folder);
    } else if (button == MenuButton::New) { // a page with a folded corner
        p.setPen(QPen(Ink, s / 16));
        p.setBrush(Qt::white);
        QPainterPath page;
        page.moveTo(s * 0.22, s * 0.1);
        page.lineTo(s * 0.6, s * 0.1);
        page.lineTo(s * 0.78, s * 0.28);
        page.lineTo(s * 0.78, s * 0.9);
        page.lineTo(s * 0.22, s * 0.9);
        page.closeSubpath();
        p.drawPath(page);
        p.drawLine(QPointF(s * 0.6, s * 0.1), QPointF(s * 0.6, s * 0.28));
        p.drawLine(QPointF(s * 0.6, s * 0.28), QPointF(s * 0.78, s * 0.28));
    } else if (button == MenuButton::Save) {
        drawDisk(p, s);
    } else if (button == MenuButton::SaveAs) {
        p.save();
        p.scale(0.8, 0.8);
        drawDisk(p, s);
        p.restore();
        p.setPen(QPen(QColor(200, 120, 20), s / 10, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.55, s * 0.92), QPointF(s * 0.92, s * 0.55));
    } else if (button == MenuButton::Help || button == MenuButton::About) {
        p.setPen(QPen(Ink, s / 16));
        p.setBrush(button == MenuButton::Help ? QColor(90, 170, 90) : Accent);
        p.drawEllipse(QRectF(s * 0.1, s * 0.1, s * 0.8, s * 0.8));
        QFont f = p.font();
        f.setPixelSize(int(s * 0.6));
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter,
                   button == MenuButton::Help ? QStringLiteral("?") : QStringLiteral("i"));
    } else if (button == MenuButton::Back || button == MenuButton::Undo || button == MenuButton::Redo) {
        p.setPen(pen);
        if (button == MenuButton::Redo) { // the undo arrow, mirrored
            p.translate(s, 0);
            p.scale(-1, 1);
        }
        if (button != MenuButton::Back)
            p.setPen(QPen(QColor(40, 110, 170), std::max(1.5, s / 12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath arrow;
        arrow.moveTo(s * 0.82, s * 0.78);
        arrow.cubicTo(s * 0.82, s * 0.4, s * 0.6, s * 0.36, s * 0.22, s * 0.36);
        p.drawPath(arrow);
        p.drawLine(QPointF(s * 0.22, s * 0.36), QPointF(s * 0.42, s * 0.18));
        p.drawLine(QPointF(s * 0.22, s * 0.36), QPointF(s * 0.42, s * 0.54));
    } else if (button == MenuButton::Clear) {
        p.setPen(QPen(Ink, s / 16));
        p.setBrush(QColor(230, 230, 230));
        p.drawRect(QRectF(s * 0.25, s * 0.3, s * 0.5, s * 0.6));
        p.drawLine(QPointF(s * 0.15, s * 0.3), QPointF(s * 0.85, s * 0.3));
        p.drawRect(QRectF(s * 0.4, s * 0.15, s * 0.2, s * 0.15));
        for (double x : {0.38, 0.5, 0.62})
            p.drawLine(QPointF(s * x, s * 0.4), QPointF(s * x, s * 0.8));
    } else {
        p.setPen(pen);
        p.drawRect(QRectF(s * 0.2, s * 0.2, s * 0.6, s * 0.6));
    }
    return pm;
}

QIcon applicationIcon()
{
    // The 64-pixel picture from the resources (also the desktop's), the other sizes drawn here.
    QIcon icon(QStringLiteral(":/tabrel/tabrel-64.png"));
    for (int size : {16, 32, 48, 128}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const double s = size;
        p.setPen(QPen(Ink, std::max(1.0, s / 32)));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(s * 0.06, s * 0.1, s * 0.88, s * 0.84), s * 0.08, s * 0.08);
        p.setBrush(QColor(64, 192, 192));
        p.drawRect(QRectF(s * 0.06, s * 0.1, s * 0.88, s * 0.2));
        p.setPen(QPen(QColor(150, 150, 150), std::max(1.0, s / 48)));
        for (int i = 1; i < 4; ++i)
            p.drawLine(QPointF(s * (0.06 + 0.22 * i), s * 0.3), QPointF(s * (0.06 + 0.22 * i), s * 0.94));
        for (int i = 1; i < 3; ++i)
            p.drawLine(QPointF(s * 0.06, s * (0.3 + 0.213 * i)), QPointF(s * 0.94, s * (0.3 + 0.213 * i)));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 80, 80));
        p.drawRect(QRectF(s * 0.3, s * 0.53, s * 0.2, s * 0.19));
        p.setBrush(QColor(112, 144, 190));
        p.drawRect(QRectF(s * 0.52, s * 0.32, s * 0.2, s * 0.19));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QPixmap homeBackgroundTile()
{
    // A pale paper tile with a faint diagonal weave.
    QPixmap pm(48, 48);
    pm.fill(QColor(236, 242, 248));
    QPainter p(&pm);
    p.setPen(QPen(QColor(222, 231, 241), 1));
    for (int i = -48; i < 48; i += 12) {
        p.drawLine(i, 0, i + 48, 48);
        p.drawLine(i + 48, 0, i, 48);
    }
    return pm;
}

} // namespace tabrel::ui
