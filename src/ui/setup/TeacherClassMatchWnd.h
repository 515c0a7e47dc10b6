#pragma once
// The assignment page (任课信息): the assignment control and its buttons below it.
#include <QWidget>

#include "ui/setup/EditRunner.h"

class QPushButton;

namespace tabrel::ui {

class TeacherClassMatchCtrl;

class TeacherClassMatchWnd : public QWidget {
    Q_OBJECT
public:
    explicit TeacherClassMatchWnd(DataSet* dataSet, QWidget* parent = nullptr);

    TeacherClassMatchCtrl* control() const { return ctrl_; }
    QPushButton* button(const QString& text) const;
    void setDataSet(DataSet* dataSet);
    void setRunner(EditRunner runner);
    void prepareForShow();
    void refresh();

    // "数据清空" (after its question) and "提取教师".
    void clearAll();
    void showTeacherLoad();

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    DataSet* ds_;
    EditRunner run_;
    TeacherClassMatchCtrl* ctrl_ = nullptr;
    std::vector<QPushButton*> buttons_;
};

} // namespace tabrel::ui
