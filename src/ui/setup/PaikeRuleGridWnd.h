#pragma once
// The rule grid window: paints a PaikeRuleGrid and turns mouse clicks into its cycle and its menu
// ("尽量排", "一定排", "不排", "本节课自动", "全部设为自动"). Arrow keys move a focus slot; Space
// cycles it and the menu key opens the menu there.
#include <QWidget>

namespace tabrel {
class Document;
class PaikeRuleGrid;
}

namespace tabrel::ui {

class PaikeRuleGridWnd : public QWidget {
    Q_OBJECT
public:
    PaikeRuleGridWnd(Document& doc, PaikeRuleGrid& grid, QWidget* parent = nullptr);
    // Re-reads the stored rules and repaints.
    void reload();
    // Runs a menu command on the slot last clicked, as one undoable step.
    void runCommand(int command);

signals:
    // A rule changed.
    void changed();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    void handle(int button, int phase, const QPoint& at);
    void cycleAt(int period, int day);
    void openMenu(const QPoint& globalAt);

    Document& doc_;
    PaikeRuleGrid& grid_;
    int focusPeriod_ = 0, focusDay_ = 0;
};

} // namespace tabrel::ui
