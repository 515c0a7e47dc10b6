#pragma once
// The class-grid definition panel (课时安排): the scope tree "针对范围设置任免课", the box
// "上课天数及每天节数" below it and the preview of one week on the right, with the slot and row
// menus and the dialogs of the time grid and the common periods. Every change of the school goes
// through the panel's edit door.
#include <QWidget>
#include <vector>

#include "setup/CommonPeriodPage.h"
#include "setup/TimeGridBox.h"
#include "ui/widgets/PanelWindow.h"

namespace tabrel {
class DataSet;
class Document;
}

class QLabel;
class QScrollArea;

namespace tabrel::ui {

class TimeGridBoxWnd;
class ScopeTreeWnd;
class CommonPreviewArea;

class ClassGridDefWnd : public PanelWindow {
    Q_OBJECT
public:
    explicit ClassGridDefWnd(Document& doc, QWidget* parent = nullptr);
    // Shown from elsewhere the tree starts again at "全校"; shown again after an undo it keeps its choice.
    void beforeShow(bool again) override { again ? refresh() : prepareForShow(); }
    void schoolReplaced(DataSet& dataSet) override { setDataSet(dataSet); }

    void setDataSet(DataSet& dataSet);
    // Before the panel is shown: the scope tree is rebuilt.
    void prepareForShow();
    // Re-reads the school after any change (an edit, an undo).
    void refresh();

    CommonPeriodPage& page() { return page_; }
    ScopeTreeWnd* tree() const { return tree_; }
    TimeGridBoxWnd* box() const { return box_; }
    QWidget* preview() const;
    void selectNode(int nodeIndex);

    // The commands, as the gestures and menus run them (the tests and the tour call them too).
    void boxTarget(TimeGridBox::Target target, DaySection section);
    void toggleSlot(int period, int day);
    void slotMenuChoice(const std::string& entry); // an entry of the slot menu (GBK)
    void rowMenuChoice(const std::string& entry);  // an entry of the row menu (GBK)
    void changeDays();
    void editPeriodTimes();
    void insertCommonRow();

protected:
    void resizeEvent(QResizeEvent*) override;
    void showEvent(QShowEvent*) override;

private:
    friend class CommonPreviewArea;
    void rebuildTree();
    void treeSelectionChanged(int nodeIndex);
    void previewPress(const QPoint& at, Qt::MouseButton button);
    void previewRelease(const QPoint& at, Qt::MouseButton button);
    void openSlotMenu(int period, int day, const QPoint& globalPos);
    void openRowMenu(int period, const QPoint& globalPos);
    bool runEdit(const std::string& name, const std::function<bool(DataSet&)>& edit);

    Document& doc_;
    DataSet* dataSet_;
    CommonPeriodPage page_;
    TimeGridBox boxModel_;
    QLabel* treeTitle_ = nullptr;
    ScopeTreeWnd* tree_ = nullptr;
    TimeGridBoxWnd* box_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    CommonPreviewArea* area_ = nullptr;
};

} // namespace tabrel::ui
