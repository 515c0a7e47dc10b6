#pragma once
// The class view of the "手动排课" panel on screen: forwards clicks, drags, menus and keys to the
// core ClassTableTiaoKe and paints what it says.
#include "manual/ClassTableTiaoKe.h"
#include "ui/manual/ManualViewWnd.h"

namespace tabrel::ui {

class ClassTableTiaoKeWnd : public ManualViewWnd {
    Q_OBJECT
public:
    explicit ClassTableTiaoKeWnd(Document& doc, QWidget* parent = nullptr);

    manual::ClassTableTiaoKe& view() { return view_; }
    QPushButton* teacherButton() const { return teachers_; }
    void refresh() override;
    // The placement menu of a cell at a point of the screen (a click, or Enter on the hovered cell).
    void openPlacementMenu(manual::Slot slot, const QPoint& globalPos);
    void setMode(manual::ClassTableTiaoKe::Mode mode);

private:
    void press(QMouseEvent* e);
    void move(QMouseEvent* e);
    void release(QMouseEvent* e);
    void context(QContextMenuEvent* e);
    bool openCellMenu(manual::Slot slot, const QPoint& globalPos);
    bool openContextMenu(manual::Slot slot) override;
    void paint(Canvas& canvas);
    std::string stepName(const char* what, manual::Slot s) const;
    QPoint cellCentre(manual::Slot s) const override;
    void moveHover(int periods, int days) override { view_.moveHover(*ds_, periods, days); }
    bool stepItem(int delta) override { return delta < 0 ? view_.previousClass(*ds_) : view_.nextClass(*ds_); }
    bool cancelSwap() override { return view_.cancelSwap(*ds_); }
    manual::Slot hoveredSlot() const override { return view_.hoveredCell(); }
    void actOn(manual::Slot slot) override;
    void placeLabel(char label) override;

    manual::ClassTableTiaoKe view_;
    QPushButton* teachers_ = nullptr;
};

} // namespace tabrel::ui
