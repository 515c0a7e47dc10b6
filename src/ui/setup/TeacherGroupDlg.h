#pragma once
// The group dialog (教师分组): the group selector, the members of the current group on the left,
// every teacher on the right, and the buttons between them. Changes are made at once.
#include <QDialog>

namespace tabrel {
class DataSet;
class Document;
}


class QCheckBox;
class QComboBox;
class QPushButton;
class QTableWidget;

namespace tabrel::ui {

class TeacherGroupDlg : public QDialog {
    Q_OBJECT
public:
    TeacherGroupDlg(Document& doc, QWidget* parent = nullptr);

    QComboBox* selector() const { return selector_; }
    QTableWidget* memberList() const { return members_; }
    QTableWidget* teacherList() const { return teachers_; }
    QCheckBox* neverGroupedOnly() const { return neverGrouped_; }
    QPushButton* button(const QString& text) const;

    // The commands (double clicks and buttons).
    void addTeacherRow(int row);
    void removeMemberRow(int row);
    void addSelected();
    void addAllShown();
    void removeSelected();
    void clearGroup();
    void editNames();
    // GroupNameDlg's result is applied here (the "*" button runs the dialog, then this).
    void refillSelector();
    void refillMembers();
    void refillTeachers();

private:
    int currentColumn() const;

    Document& doc_;
    DataSet* ds_;
    QComboBox* selector_ = nullptr;
    QTableWidget* members_ = nullptr;
    QTableWidget* teachers_ = nullptr;
    QCheckBox* neverGrouped_ = nullptr;
    std::vector<QPushButton*> buttons_;
    std::vector<int> shownTeachers_; // teacher index of each row of the right list
};

} // namespace tabrel::ui
