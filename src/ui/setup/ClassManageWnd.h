#pragma once
// The grades-and-classes panel (班级管理): the left menu, the drawing of every grade with its class
// boxes, in-place renaming in an edit field, and the dialogs of the menu. Every change of the school
// goes through the panel's edit door; the state lives in the core's ClassManagePage.
#include <QWidget>

#include "setup/ClassManagePage.h"
#include "ui/widgets/PanelWindow.h"

namespace tabrel {
class DataSet;
class Document;
}

class QLineEdit;
class QScrollArea;

namespace tabrel::ui {

class LeftMenuWnd;
class ClassDrawArea;

class ClassManageWnd : public PanelWindow {
    Q_OBJECT
public:
    explicit ClassManageWnd(Document& doc, QWidget* parent = nullptr);
    void beforeShow(bool) override { refresh(); }
    void schoolReplaced(DataSet& dataSet) override { setDataSet(dataSet); }

    void setDataSet(DataSet& dataSet);
    // Re-reads the school after any change (an edit, an undo).
    void refresh();

    ClassManagePage& page() { return page_; }
    LeftMenuWnd* leftMenu() const { return menu_; }
    QWidget* drawArea() const;
    QLineEdit* editField() const { return edit_; }

    // A command of the left menu by its text (GBK), as a click on it runs it.
    void runCommand(const std::string& command);
    // The edit field's pending text becomes the name (before every click and command).
    void commitPending();

protected:
    void resizeEvent(QResizeEvent*) override;
    void showEvent(QShowEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ClassDrawArea;
    void leftClick(const QPoint& at);
    void rightClick(const QPoint& at);
    void openEdit(const ClassManagePage::Click& click);
    void showSubjects(int grade, int klass);
    void scrollToSelection();
    bool runEdit(const std::string& name, const std::function<bool(DataSet&)>& edit);
    void quickEntry();
    void tableEditor();
    void fillRule();

    Document& doc_;
    DataSet* dataSet_;
    ClassManagePage page_;
    LeftMenuWnd* menu_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    ClassDrawArea* area_ = nullptr;
    QLineEdit* edit_ = nullptr;
};

} // namespace tabrel::ui
