#pragma once
// The box "上课天数及每天节数": paints the core's TimeGridBox and turns clicks on its arrows and
// clickable texts into requests for the panel.
#include <QWidget>

#include "setup/TimeGridBox.h"

namespace tabrel::ui {

class TimeGridBoxWnd : public QWidget {
    Q_OBJECT
public:
    TimeGridBoxWnd(const DataSet& dataSet, TimeGridBox& box, QWidget* parent = nullptr);
    void setDataSet(const DataSet& dataSet) { dataSet_ = &dataSet; update(); }
    // Centre of a target (for tests and the screenshot tour).
    QPoint targetCentre(TimeGridBox::Target target, DaySection section = DaySection::EarlyReading) const;

signals:
    void targetClicked(TimeGridBox::Target target, DaySection section);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }

private:
    const DataSet* dataSet_;
    TimeGridBox& box_;
    int focus_ = 0; // index into the box's targets, walked with the arrow keys
};

} // namespace tabrel::ui
