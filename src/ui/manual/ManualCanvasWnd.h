#pragma once
// The drawn part of a manual scheduling view: paints through the core's drawing and hands every
// mouse and key event to its owner. Qt paints into a back buffer, so the hover box follows the
// mouse without flicker.
#include <QWidget>
#include <functional>

namespace tabrel {
class Canvas;
}

namespace tabrel::ui {

class ManualCanvasWnd : public QWidget {
    Q_OBJECT
public:
    explicit ManualCanvasWnd(QWidget* parent = nullptr);

    std::function<void(Canvas&)> onPaint;
    std::function<void(QMouseEvent*)> onPress, onMove, onRelease;
    std::function<void(QContextMenuEvent*)> onContextMenu;
    std::function<bool(QKeyEvent*)> onKey; // true when the key was used
    std::function<void()> onLeave;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void leaveEvent(QEvent*) override;
    bool focusNextPrevChild(bool) override { return false; } // arrows and tab stay in the grid
};

} // namespace tabrel::ui
