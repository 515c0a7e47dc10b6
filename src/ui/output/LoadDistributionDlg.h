#pragma once
// "分布情况": every teacher's lessons per period of the day and per day of the week, read only,
// with buttons to copy the table as text and to print it.
#include <QDialog>

class QTableWidget;

namespace tabrel {
class DataSet;
}

namespace tabrel::ui {

class LoadDistributionDlg : public QDialog {
    Q_OBJECT
public:
    LoadDistributionDlg(const DataSet& dataSet, int showSubject, int showClass, QWidget* parent = nullptr);
    QTableWidget* table() const { return table_; }

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    void sizeColumns();
    const DataSet& ds_;
    int showSubject_, showClass_;
    QTableWidget* table_ = nullptr;
};

} // namespace tabrel::ui
