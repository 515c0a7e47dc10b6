#pragma once
// The teacher view of the "手动排课" panel on screen: forwards clicks, drags, menus and keys to the
// core TeacherPaike and paints what it says.
#include "manual/TeacherPaike.h"
#include "ui/manual/ManualViewWnd.h"

namespace tabrel::ui {

class TeacherPaikeWnd : public ManualViewWnd {
    Q_OBJECT
public:
    explicit TeacherPaikeWnd(Document& doc, QWidget* parent = nullptr);

    manual::TeacherPaike& view() { return view_; }
    void refresh() override;
    void openPlacementMenu(manual::Slot slot, const QPoint& globalPos);
    void setMode(manual::TeacherPaike::Mode mode);

private:
    void press(QMouseEvent* e);
    void move(QMouseEvent* e);
    void release(QMouseEvent* e);
    void context(QContextMenuEvent* e);
    void paint(Canvas& canvas);
    std::string stepName(const char* what, manual::Slot s) const;
    QPoint cellCentre(manual::Slot s) const override;
    void moveHover(int periods, int days) override { view_.moveHover(*ds_, periods, days); }
    bool stepItem(int delta) override { return delta < 0 ? view_.previousTeacher(*ds_) : view_.nextTeacher(*ds_); }
    bool cancelSwap() override { return view_.cancelSwap(*ds_); }
    manual::Slot hoveredSlot() const override { return view_.hoveredSlot(); }
    void actOn(manual::Slot slot) override;
    void placeLabel(char label) override;

    manual::TeacherPaike view_;
    bool pressed_ = false;
};

} // namespace tabrel::ui
