#include "ui/setup/TimeGridBoxWnd.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "data/DataSet.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui {

namespace {
QRect qrect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

// The targets in keyboard order: 更改天数, each section's up and down arrows, 节次时间..., 公共时段....
std::vector<TimeGridBox::Hit> keyTargets()
{
    std::vector<TimeGridBox::Hit> t{{TimeGridBox::Target::ChangeDays}};
    for (int s = 0; s < DaySectionCount; ++s) {
        t.push_back({TimeGridBox::Target::Up, static_cast<DaySection>(s)});
        t.push_back({TimeGridBox::Target::Down, static_cast<DaySection>(s)});
    }
    t.push_back({TimeGridBox::Target::PeriodTimes});
    t.push_back({TimeGridBox::Target::CommonPeriods});
    return t;
}

void arrow(QPainter& p, const QRect& r, bool up)
{
    p.setPen(QColor(110, 130, 160));
    p.setBrush(QColor(236, 241, 248));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    QPainterPath path;
    const QPointF c = QRectF(r).center();
    const double h = r.height() / 4.0;
    if (up) {
        path.moveTo(c.x() - h, c.y() + h / 2);
        path.lineTo(c.x() + h, c.y() + h / 2);
        path.lineTo(c.x(), c.y() - h);
    } else {
        path.moveTo(c.x() - h, c.y() - h / 2);
        path.lineTo(c.x() + h, c.y() - h / 2);
        path.lineTo(c.x(), c.y() + h);
    }
    path.closeSubpath();
    p.fillPath(path, QColor(40, 70, 130));
}
} // namespace

TimeGridBoxWnd::TimeGridBoxWnd(const DataSet& dataSet, TimeGridBox& box, QWidget* parent)
    : QWidget(parent), dataSet_(&dataSet), box_(box)
{
    setObjectName(QStringLiteral("TimeGridBoxWnd"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

QPoint TimeGridBoxWnd::targetCentre(TimeGridBox::Target target, DaySection section) const
{
    const auto l = TimeGridBox::layout(width(), height());
    const int s = static_cast<int>(section);
    switch (target) {
    case TimeGridBox::Target::ChangeDays:
        return qrect(l.changeDays).center();
    case TimeGridBox::Target::Up:
        return qrect(l.up[s]).center();
    case TimeGridBox::Target::Down:
        return qrect(l.down[s]).center();
    case TimeGridBox::Target::PeriodTimes:
        return qrect(l.periodTimes).center();
    case TimeGridBox::Target::CommonPeriods:
        return qrect(l.commonPeriods).center();
    case TimeGridBox::Target::None:
        break;
    }
    return {-1, -1};
}

void TimeGridBoxWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(246, 248, 252));
    p.setPen(QColor(150, 165, 190));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const DataSet& ds = *dataSet_;
    const auto l = TimeGridBox::layout(width(), height());
    QFont f = font();
    f.setPixelSize(std::clamp(l.title.height() / 2, 12, 16));
    QFont bold = f;
    bold.setBold(true);
    QFont link = f;
    link.setUnderline(true);
    p.setFont(bold);
    p.setPen(QColor(30, 50, 100));
    p.drawText(qrect(l.title), Qt::AlignCenter, QStringLiteral("上课天数及每天节数"));
    p.setFont(f);
    p.setPen(QColor(20, 30, 50));
    p.drawText(qrect(l.daysText), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("共上 %1 天").arg(ds.dayCount()));
    p.setFont(link);
    p.setPen(QColor(20, 80, 200));
    p.drawText(qrect(l.changeDays), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("更改天数"));
    for (int s = 0; s < DaySectionCount; ++s) {
        const auto section = static_cast<DaySection>(s);
        p.setFont(f);
        p.setPen(QColor(20, 30, 50));
        p.drawText(qrect(l.label[s]), Qt::AlignVCenter | Qt::AlignLeft, qs(TimeGridBox::sectionLabel(section)));
        p.setPen(QColor(120, 140, 170));
        p.setBrush(Qt::white);
        p.drawRect(qrect(l.count[s]).adjusted(0, 0, -1, -1));
        p.setPen(QColor(20, 30, 50));
        p.drawText(qrect(l.count[s]), Qt::AlignCenter, QString::number(TimeGridBox::sectionCount(ds, section)));
        p.drawText(qrect(l.unit[s]), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("节"));
        arrow(p, qrect(l.up[s]), true);
        arrow(p, qrect(l.down[s]), false);
    }
    p.setFont(link);
    p.setPen(QColor(20, 80, 200));
    p.drawText(qrect(l.periodTimes), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("节次时间..."));
    p.drawText(qrect(l.commonPeriods), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("公共时段..."));
    if (hasFocus()) {
        const auto t = keyTargets()[focus_];
        const QPoint c = targetCentre(t.target, t.section);
        QRect r;
        for (const Rect& candidate : {l.changeDays, l.periodTimes, l.commonPeriods, l.up[static_cast<int>(t.section)],
                                      l.down[static_cast<int>(t.section)]})
            if (qrect(candidate).contains(c))
                r = qrect(candidate);
        p.setPen(QPen(QColor(210, 80, 20), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(-2, -1, 1, 0));
    }
    if (!box_.note().empty()) {
        p.setFont(f);
        p.setPen(QColor(190, 40, 30));
        p.drawText(qrect(l.note), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, qs(box_.note()));
    }
}

void TimeGridBoxWnd::keyPressEvent(QKeyEvent* e)
{
    const auto targets = keyTargets();
    const int n = static_cast<int>(targets.size());
    switch (e->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        focus_ = (focus_ + 1) % n;
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        focus_ = (focus_ + n - 1) % n;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit targetClicked(targets[focus_].target, targets[focus_].section);
        break;
    case Qt::Key_Escape:
        clearFocus();
        break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    update();
}

void TimeGridBoxWnd::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint at = e->position().toPoint();
    const auto hit = TimeGridBox::hitTest(width(), height(), at.x(), at.y());
    if (hit.target == TimeGridBox::Target::None)
        return;
    // The keyboard goes on from what was clicked.
    const auto targets = keyTargets();
    for (std::size_t i = 0; i < targets.size(); ++i)
        if (targets[i].target == hit.target && targets[i].section == hit.section)
            focus_ = static_cast<int>(i);
    update();
    emit targetClicked(hit.target, hit.section);
}

void TimeGridBoxWnd::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    const auto hit = TimeGridBox::hitTest(width(), height(), at.x(), at.y());
    setCursor(hit.target == TimeGridBox::Target::None ? Qt::ArrowCursor : Qt::PointingHandCursor);
}

} // namespace tabrel::ui
