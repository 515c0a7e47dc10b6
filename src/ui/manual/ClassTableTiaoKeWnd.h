#pragma once
// The class view of the "手动排课" panel on screen: forwards clicks, drags, menus and keys to the
// core ClassTableTiaoKe and paints what it says.
#include "manual/ClassTableTiaoKe.h"
#include "ui/manual/ManualViewWnd.h"

namespace tabrel::ui {

class ClassTableTiaoKeWnd : public ManualViewWnd {
    Q_OBJECT
public:
    explicit ClassTableTiaoKeWnd(DataSet& dataSet, QWidget* parent = nullptr);

    manual::ClassTableTiaoKe& view() { return view_; }
    QPushButton* teacherButton() const { return teachers_; }
    void refresh() override;
    // The placement menu of a cell at a point of the screen (a click, or Enter on the hovered cell).
    void openPlacementMenu(manual::Slot slot, const QPoint& globalPos);
    // Keyboard and mouse handling, public for the tour and the tests.
    bool handleKey(int key, const QString& text);
    void setMode(manual::ClassTableTiaoKe::Mode mode);

private:
    void press(QMouseEvent* e);
    void move(QMouseEvent* e);
    void release(QMouseEvent* e);
    void context(QContextMenuEvent* e);
    void paint(Canvas& canvas);
    std::string stepName(const char* what, manual::Slot s) const;
    QPoint cellCentre(manual::Slot s) const;

    manual::ClassTableTiaoKe view_;
    QPushButton* teachers_ = nullptr;
};

} // namespace tabrel::ui
