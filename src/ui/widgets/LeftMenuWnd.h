#pragma once
// The left menu of an editing panel: paints the core's LeftMenu (headings, command rows and the
// "返回主页" area) and turns clicks and keys into commands. Up and Down move the highlight through
// the command rows, Enter or Space runs the highlighted one.
#include <QWidget>
#include <string>
#include <vector>

#include "views/LeftMenu.h"

namespace tabrel::ui {

class LeftMenuWnd : public QWidget {
    Q_OBJECT
public:
    // `entries` as the core takes them: "[title]…" and "[item]…" texts (GBK).
    explicit LeftMenuWnd(const std::vector<std::string>& entries, QWidget* parent = nullptr);

    const LeftMenu& menu() const { return menu_; }
    // Centre of the row showing `text` (UTF-8 or GBK-converted QString), or of "返回主页"; (-1,-1)
    // when there is none.
    QPoint rowCentre(const QString& text) const;
    QPoint homeCentre() const;

signals:
    // An item row was chosen: its text (GBK).
    void commandChosen(const std::string& gbkText);
    // "返回主页" was chosen.
    void homeRequested();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void leaveEvent(QEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    void moveHighlight(int step);
    LeftMenu menu_;
    int hover_ = -1;     // row under the mouse, -2 for "返回主页"
    int highlight_ = -1; // row chosen with the keyboard
};

} // namespace tabrel::ui
