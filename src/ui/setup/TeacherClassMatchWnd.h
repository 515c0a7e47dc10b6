#pragma once
// The assignment page (任课信息): the assignment control and its buttons below it.
#include <QWidget>
#include "ui/widgets/PanelWindow.h"

namespace tabrel {
class DataSet;
class Document;
}


class QPushButton;

namespace tabrel::ui {

class TeacherClassMatchCtrl;

class TeacherClassMatchWnd : public PanelWindow {
    Q_OBJECT
public:
    explicit TeacherClassMatchWnd(Document& doc, QWidget* parent = nullptr);
    void beforeShow(bool) override { prepareForShow(); }
    void afterSchoolChange() override { refresh(); }
    void schoolReplaced(DataSet& dataSet) override { setDataSet(&dataSet); }

    TeacherClassMatchCtrl* control() const { return ctrl_; }
    QPushButton* button(const QString& text) const;
    void setDataSet(DataSet* dataSet);
    void prepareForShow();
    void refresh();

    // "数据清空" (after its question) and "提取教师".
    void clearAll();
    void showTeacherLoad();

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    Document& doc_;
    DataSet* ds_;
    TeacherClassMatchCtrl* ctrl_ = nullptr;
    std::vector<QPushButton*> buttons_;
};

} // namespace tabrel::ui
