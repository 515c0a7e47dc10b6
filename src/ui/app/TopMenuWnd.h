#pragma once
// The band of buttons across the top of the main view. Paints the core's TopMenuStrip and turns
// mouse movement and releases into hover changes and button commands.
#include <QWidget>
#include <string>

#include "app/TopMenuStrip.h"

namespace tabrel::ui {

class TopMenuWnd : public QWidget {
    Q_OBJECT
public:
    TopMenuWnd(TopMenuStrip& strip, QWidget* parent = nullptr);
    // Re-reads the button set after the core changed it.
    void refresh();
    // Centre of a button by its text (for tests and the screenshot tour); (-1, -1) when absent.
    QPoint buttonCentre(const QString& text) const;
    // What hovering "撤销" and "重做" tells: the step they would take back or redo.
    void setToolTips(const QString& undoText, const QString& redoText);

signals:
    // A release over an enabled button.
    void buttonReleased(tabrel::MenuButton button);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void leaveEvent(QEvent*) override;
    bool event(QEvent*) override;

private:
    TopMenuStrip& strip_;
    QString undoTip_, redoTip_;
};

} // namespace tabrel::ui
