#pragma once
// The home page: the seven guided steps, the output buttons and the two data tools, painted from
// the core's HomeSteps. Clicks go back to the main view as actions.
#include <QWidget>

#include "app/HomeSteps.h"

namespace tabrel {
class TraceLog;
}

namespace tabrel::ui {

class HomePageWnd : public QWidget {
    Q_OBJECT
public:
    HomePageWnd(HomeSteps& steps, TraceLog& trace, QWidget* parent = nullptr);
    // Centre of item i of the steps (for tests and the screenshot tour).
    QPoint itemCentre(int index) const;

signals:
    void actionChosen(const HomeSteps::Action& action);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void leaveEvent(QEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;
    bool focusNextPrevChild(bool next) override;

private:
    void trace(const char* line);
    HomeSteps& steps_;
    TraceLog& trace_;
};

} // namespace tabrel::ui
