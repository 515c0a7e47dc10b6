#pragma once
// The teacher page (教师信息): its buttons above the teacher grid.
#include <QWidget>
#include <functional>
#include <optional>

#include "ui/setup/EditRunner.h"

class QPushButton;

namespace tabrel::ui {

class TeacherInfoGridCtrl;

class TeacherInfoWnd : public QWidget {
    Q_OBJECT
public:
    explicit TeacherInfoWnd(DataSet* dataSet, QWidget* parent = nullptr);

    TeacherInfoGridCtrl* gridCtrl() const { return grid_; }
    // The button of a text ("添加教师" …), nullptr when none.
    QPushButton* button(const QString& text) const;
    void setDataSet(DataSet* dataSet);
    void setRunner(EditRunner runner);
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
    DataSet* ds_;
    EditRunner run_;
    TeacherInfoGridCtrl* grid_ = nullptr;
    std::vector<QPushButton*> buttons_;
    std::function<void(QWidget*, DataSet&)> severalTeachers_;
};

} // namespace tabrel::ui
