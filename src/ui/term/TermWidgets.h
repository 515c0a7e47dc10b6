#pragma once
// The small widget helpers the term panel's pages share: date fields, read-only tables and their
// rows, buttons, and the view that paints a dated week through the core's drawing.
#include <QDate>
#include <QDateEdit>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <string>
#include <vector>

#include "app/DatedWeekSheet.h"
#include "data/CalendarDate.h"
#include "render/QtCanvas.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui::termui {


inline const QDate Epoch(1970, 1, 1);
inline DayNumber dayOf(const QDateEdit* e) { return static_cast<DayNumber>(Epoch.daysTo(e->date())); }
inline QDate qdate(DayNumber d) { return Epoch.addDays(d); }
inline QDateEdit* dateEdit(QWidget* parent)
{
    auto* e = new QDateEdit(parent);
    e->setCalendarPopup(true);
    e->setDisplayFormat(QStringLiteral("yyyy年MM月dd日 ddd"));
    return e;
}
inline QTableWidget* table(QWidget* parent, const std::vector<std::string>& headings)
{
    auto* t = new QTableWidget(parent);
    t->setColumnCount(static_cast<int>(headings.size()));
    QStringList h;
    for (const auto& s : headings)
        h << qs(s);
    t->setHorizontalHeaderLabels(h);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->setVisible(false);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}
inline void fillRow(QTableWidget* t, int row, const std::vector<std::string>& cells, const QColor& fg = QColor())
{
    for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
        auto* item = new QTableWidgetItem(qs(cells[c]));
        if (fg.isValid())
            item->setForeground(fg);
        t->setItem(row, c, item);
    }
}
inline QPushButton* button(const QString& text, QWidget* parent, const QString& tip = {})
{
    auto* b = new QPushButton(text, parent);
    b->setToolTip(tip);
    b->setAutoDefault(true);
    return b;
}


} // namespace tabrel::ui::termui

namespace tabrel::ui {

// The dated week, painted from the core's sheet.
class DatedWeekView : public QWidget {
public:
    using QWidget::QWidget;
    DatedWeek sheet;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        QtCanvas canvas(p);
        if (sheet.headers.empty()) {
            p.fillRect(rect(), Qt::white);
            p.drawText(rect(), Qt::AlignCenter, QStringLiteral("尚未设置学期，或没有可显示的班级和教师"));
            return;
        }
        drawDatedWeek(canvas, sheet, width(), height());
    }
};

} // namespace tabrel::ui
