#pragma once
// The master assignment table panel (总任课表): the tool strip ("显示科目", "显示班级",
// "分布情况", "导出打印") and the table of every teacher's week with both scroll bars.
#include <QWidget>
#include <functional>

#include "output/TeacherTeachTable.h"
#include "ui/widgets/PanelWindow.h"

class QCheckBox;
class QFrame;
class QScrollBar;

namespace tabrel {
class DataSet;
}

namespace tabrel::ui {

// The table window: 18 teacher rows and 30 slot columns at a time.
class TeacherTeachTableWnd : public QWidget {
    Q_OBJECT
public:
    TeacherTeachTableWnd(TeacherTeachTable& model, DataSet*& dataSet, QWidget* parent = nullptr);
    void contentChanged();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    QRect tableRect() const;
    TeacherTeachTable& model_;
    DataSet*& dataSet_;
    QScrollBar* vertical_ = nullptr;
    QScrollBar* horizontal_ = nullptr;
};

class TeacherTeachFrame : public PanelWindow {
    Q_OBJECT
public:
    explicit TeacherTeachFrame(DataSet* dataSet, QWidget* parent = nullptr);
    TeacherTeachTable& model() { return model_; }
    TeacherTeachTableWnd* table() const { return table_; }
    void setDataSet(DataSet* dataSet);
    void prepareForShow();
    void beforeShow(bool) override { prepareForShow(); }
    void schoolReplaced(DataSet& dataSet) override { setDataSet(&dataSet); }


    void openDistribution();
    void print();
    void exportPdfFile();
    void showHelp();

protected:
    void resizeEvent(QResizeEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    DataSet* dataSet_ = nullptr;
    TeacherTeachTable model_;
    QFrame* strip_ = nullptr;
    TeacherTeachTableWnd* table_ = nullptr;
};

} // namespace tabrel::ui
