#pragma once
// The master timetable panel (总课程表): the teal tool strip and, below it, one of the three style
// windows. The state and the rules are the core's TotalSchedulePanel; these windows paint it and
// forward input. Edits (批量导入, 清空) go through the document's door, one undoable step each.
#include <QAbstractScrollArea>
#include <QWidget>
#include <functional>
#include <string>

#include "output/TotalSchedulePanel.h"
#include "ui/widgets/PanelWindow.h"

namespace tabrel {
class DataSet;
class Document;
}

class QButtonGroup;
class QCheckBox;
class QFrame;
class QRadioButton;
class QStackedWidget;
class QToolButton;

namespace tabrel {
class Application;
class DataSet;
}

namespace tabrel::ui {

class TotalScheduleWnd;

// Style 1: the large grid, scrolled across; only the columns in view are drawn.
class TotalScheduleTableWnd : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TotalScheduleTableWnd(TotalScheduleWnd& panel);
    void contentChanged();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    TotalScheduleWnd& panel_;
};

// Style 2: ten class rows at a time, scrolled by classes; a click on a class name marks its row.
class TotalScheduleOneWnd : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TotalScheduleOneWnd(TotalScheduleWnd& panel);
    void contentChanged();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void scrollContentsBy(int, int) override;

private:
    TotalScheduleWnd& panel_;
};

// Style 3: every class sheet, one row per grade, scrolled both ways.
class TotalScheduleManyTableWnd : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TotalScheduleManyTableWnd(TotalScheduleWnd& panel);
    void contentChanged();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    TotalScheduleWnd& panel_;
};

class TotalScheduleWnd : public PanelWindow {
    Q_OBJECT
public:
    TotalScheduleWnd(Document& doc, Application& app, QWidget* parent = nullptr);
    void beforeShow(bool) override { prepareForShow(); }
    void schoolReplaced(DataSet& dataSet) override { setDataSet(&dataSet); }
    void clearCommand() override { clearSelected(); }

    TotalSchedulePanel& model() { return model_; }
    DataSet& dataSet() { return *dataSet_; }
    void setDataSet(DataSet* dataSet);


    // The main view's switch to the panel: every class selected, the current style redrawn.
    void prepareForShow();
    // Re-reads the school after a change elsewhere (an undo) and redraws.
    void schoolChanged();

    // The strip's commands (tests and the screenshot tour call them directly).
    void setStyle(int style);
    void chooseClassMenuEntry(int entry);
    void editTitle();
    void exportCurrent();
    void batchImport();
    void print();
    void exportPdfFile();
    // The main view's "清空": asks first, then empties the selected classes as one step.
    void clearSelected();
    void showHelp();

    QWidget* currentStyleWindow() const;

protected:
    void resizeEvent(QResizeEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    void buildStrip();
    void openClassMenu();
    void refresh();
    void status(const QString& text);
    bool runEdit(const std::string& name, const std::function<bool(DataSet&)>& edit);

    Document& doc_;
    DataSet* dataSet_ = nullptr;
    Application& app_;
    TotalSchedulePanel model_;
    QFrame* strip_ = nullptr;
    QRadioButton* styleButtons_[3] = {};
    QCheckBox* showSubject_ = nullptr;
    QCheckBox* showTeacher_ = nullptr;
    QRadioButton* fullName_ = nullptr;
    QRadioButton* shortName_ = nullptr;
    QToolButton* classMenuButton_ = nullptr;
    QToolButton* importButton_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    TotalScheduleTableWnd* style1_ = nullptr;
    TotalScheduleOneWnd* style2_ = nullptr;
    TotalScheduleManyTableWnd* style3_ = nullptr;
};

} // namespace tabrel::ui
