#pragma once
// What the main view needs of a panel's window, and all it knows of one: the window is made by its
// row in the panel windows' table (ui/app/PanelWindows.cpp), shown and hidden by the main view,
// told when it is about to be shown, when the school changed under it and when the document holds
// another school; it asks for the status line, for the home page and for another panel through
// its signals. Windows change the school only through the document's door (Document::edit).
#include <QString>
#include <QWidget>

#include "app/PanelRegistry.h"

namespace tabrel {
class DataSet;
}

namespace tabrel::ui {

// A place in another panel a window asks to open (a problem of the check: grade, class, slot).
struct PanelTarget {
    int grade = -1, klass = -1, period = -1, day = -1;
};

class PanelWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Before the main view shows the panel; `again` when it is the visible panel already (shown
    // again after an undo or a redo).
    virtual void beforeShow(bool again) = 0;
    // After every step, undo and redo while the panel is the visible one.
    virtual void afterSchoolChange() {}
    // A file was opened or a new schedule made: the document holds another school.
    virtual void schoolReplaced(DataSet& dataSet) = 0;
    // "清空" of the top menu while the panel is shown.
    virtual void clearCommand() {}
    // Opened by another panel on a place of its own.
    virtual void showTarget(const PanelTarget& target) {}

signals:
    void statusMessage(const QString& text);
    void homeRequested();
    void openRequested(tabrel::PanelId panel, const tabrel::ui::PanelTarget& target);
};

} // namespace tabrel::ui
