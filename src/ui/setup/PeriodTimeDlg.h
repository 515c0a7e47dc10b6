#pragma once
// The period-time dialog "节次时间设置（格式：8:30 ）": the grid of rows with their start and end
// times, the lesson and break lengths, "向后填充", OK and Cancel, over the core's PeriodTimeTable.
#include <QDialog>

#include "setup/PeriodTimeTable.h"

class QLineEdit;
class QTableWidget;

namespace tabrel::ui {

class PeriodTimeDlg : public QDialog {
    Q_OBJECT
public:
    PeriodTimeDlg(PeriodTimeTable& table, QWidget* parent = nullptr);
    QTableWidget* grid() const { return grid_; }
    QLineEdit* lessonEdit() const { return lesson_; }
    QLineEdit* breakEdit() const { return break_; }

public slots:
    void fillForward();
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reload();
    void takeTyped(int row, int column);
    PeriodTimeTable& table_;
    QTableWidget* grid_;
    QLineEdit* lesson_;
    QLineEdit* break_;
    bool loading_ = false;
};

} // namespace tabrel::ui
