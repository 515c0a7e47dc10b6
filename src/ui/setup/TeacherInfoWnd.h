#pragma once
// The teacher page (教师信息): its buttons above the teacher grid.
#include <QWidget>
#include <functional>
#include <optional>
#include "ui/widgets/PanelWindow.h"

namespace tabrel {
class DataSet;
class Document;
}


class QPushButton;

namespace tabrel::ui {

class TeacherInfoGridCtrl;

class TeacherInfoWnd : public PanelWindow {
    Q_OBJECT
public:
    explicit TeacherInfoWnd(Document& doc, QWidget* parent = nullptr);
    void beforeShow(bool) override { prepareForShow(); }
    void afterSchoolChange() override { refresh(); }
    void schoolReplaced(DataSet& dataSet) override { setDataSet(&dataSet); }

    TeacherInfoGridCtrl* gridCtrl() const { return grid_; }
    // The button of a text ("添加教师" …), nullptr when none.
    QPushButton* button(const QString& text) const;
    void setDataSet(DataSet* dataSet);
    // Before the page is shown, and after every change of the school (undo included).
    void prepareForShow();
    void refresh();

    // The slot-rule windows: the one-teacher window ("设置...") returns the summary it reports;
    // the several-teachers window ("多人同时设置") edits the rules itself. Until they are set, the
    // two buttons are disabled.
    void setRuleWindows(std::function<std::optional<std::string>(QWidget*, DataSet&, const std::string&)> oneTeacher,
                        std::function<void(QWidget*, DataSet&)> severalTeachers);

    // The page commands.
    void addTeacher();
    void deleteTeacher();
    void moveUp();
    void moveDown();
    void openGroups();
    void openSeveralTeachers();

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    Document& doc_;
    DataSet* ds_;
    TeacherInfoGridCtrl* grid_ = nullptr;
    std::vector<QPushButton*> buttons_;
    std::function<void(QWidget*, DataSet&)> severalTeachers_;
};

} // namespace tabrel::ui
