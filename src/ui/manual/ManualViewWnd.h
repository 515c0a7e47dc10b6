#pragma once
// What the two views of the "手动排课" panel share on screen: the list on the left tenth, the drawn
// title, week and tables, the row of buttons below, the label that switches to the other view,
// and the door through which every change of the school goes (one undoable step each).
#include <QWidget>
#include <functional>
#include <string>

#include "manual/ManualViewDrawing.h"
#include "manual/ReportBox.h"

class QListWidget;
class QPushButton;
class QRadioButton;
class QMenu;

namespace tabrel {
class DataSet;
class Document;
}

namespace tabrel::ui {

class ManualCanvasWnd;

class ManualViewWnd : public QWidget {
    Q_OBJECT
public:
    ManualViewWnd(Document& doc, const QString& switchText, QWidget* parent = nullptr);

    void setDataSet(DataSet& dataSet) { ds_ = &dataSet; }
    DataSet& dataSet() const { return *ds_; }
    // Re-reads the school (after an edit, an undo, or when the panel is shown).
    virtual void refresh() = 0;

    QListWidget* list() const { return list_; }
    ManualCanvasWnd* canvas() const { return canvas_; }
    QRadioButton* placementButton() const { return placement_; }
    QRadioButton* swapButton() const { return swap_; }
    QPushButton* clearButton() const { return clear_; }
    QPushButton* switchLabel() const { return switch_; }
    manual::ViewLayout layout() const;
    // The keyboard of both views (the canvas forwards its keys; public for the tour and the
    // tests): the arrows move the hovered slot, Page Up and Page Down go to the previous and next
    // class or teacher, Escape drops a pending swap, Return, Enter and Space act on the hovered
    // slot as a click would, the menu key or Shift+F10 opens the slot's right-click menu, a label key
    // places the candidate it labels.
    bool handleKey(int key, const QString& text);

signals:
    void switchRequested();

protected:
    void resizeEvent(QResizeEvent*) override;
    bool edit(const std::string& step, const std::function<bool(DataSet&)>& change);
    // Fills the list with the texts, keeping the row without emitting a change.
    void fillList(const std::vector<std::string>& texts, int row);
    // Runs a menu at the global point; the chosen action's data (an int), or -2 when none was chosen.
    int runMenu(QMenu& menu, const QPoint& globalPos);
    // The hover box follows the mouse (or the hovered cell, for the keyboard).
    void placeBox(int x, int y);
    void addButton(QPushButton* button) { extra_.push_back(button); }

    // What the shared keyboard asks of a view.
    virtual void moveHover(int periods, int days) = 0;
    // The previous (delta -1) or next (+1) class or teacher; true when it moved.
    virtual bool stepItem(int delta) = 0;
    virtual bool cancelSwap() = 0;
    virtual manual::Slot hoveredSlot() const = 0;
    // Return on the hovered slot: the placement menu, picking a swap source, or the swap.
    virtual void actOn(manual::Slot slot) = 0;
    virtual void placeLabel(char label) = 0;
    // The menu key (or Shift+F10) on the hovered slot: the view's right-click menu; false when none.
    virtual bool openContextMenu(manual::Slot) { return false; }
    virtual QPoint cellCentre(manual::Slot slot) const = 0;

    Document& doc_;
    DataSet* ds_;
    QListWidget* list_ = nullptr;
    ManualCanvasWnd* canvas_ = nullptr;
    QRadioButton* placement_ = nullptr;
    QRadioButton* swap_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* switch_ = nullptr;
    std::vector<QPushButton*> extra_;
    manual::ReportBox box_;
    bool filling_ = false;
};

} // namespace tabrel::ui
