#pragma once
// The class and teacher timetable panels: the teal tool strip along the top and, below it, the
// scrolling picture of all tables. The state and the rules are the core's TimetableFrameModel;
// these windows paint it through QtCanvas and forward clicks and menu choices.
#include <QAbstractScrollArea>
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/TimetableFrameModel.h"
#include "ui/widgets/PanelWindow.h"

class QMenu;

namespace tabrel {
class PrintDocument;
}

namespace tabrel {
class Application;
class DataSet;
}

namespace tabrel::ui {

// The scrolling child window that shows the laid-out tables.
class TimetableListWnd : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TimetableListWnd(TimetableFrameModel& model, QWidget* parent = nullptr);
    // Draws the tables into the picture again (a toggle) and repaints.
    void redrawTables();
    // Updates the scroll bars to the content size and repaints; the picture is remade first when
    // the model says so.
    void contentChanged();
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void ensurePicture();
    // The scale the tables are shown at, and the viewport's size in picture pixels.
    double viewScale() const;
    QSize clientInPicture() const;
    void updateScrollBars();
    TimetableFrameModel& model_;
    QImage picture_;
};

class TimetableFrameWnd : public PanelWindow {
    Q_OBJECT
public:
    TimetableFrameWnd(std::unique_ptr<TimetableFrameModel> model, Application& app, QWidget* parent = nullptr);
    ~TimetableFrameWnd() override;
    void beforeShow(bool) override { prepareForShow(); }
    void schoolReplaced(DataSet& dataSet) override { setDataSet(&dataSet); }

    TimetableFrameModel& model() { return *model_; }
    TimetableListWnd* list() const { return list_; }
    void setDataSet(DataSet* dataSet);
    // Lists and lays the tables out again; the picture is remade before the next paint.
    void prepareForShow();


    // The menus the strip opens (tests and the screenshot tour choose from them directly).
    void chooseTablesPerRow(int n);
    void runExport(int item);
    // "打印" (the print preview) and "导出PDF" of every table, one A4 page each.
    void printTables();
    void exportTablesPdf();
    virtual std::unique_ptr<PrintDocument> printDocument() = 0;
    // Centre of a strip item, in this window's coordinates.
    QPoint stripPoint(TimetableToolStrip::Hit hit) const;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;

private:
    void act(int x, int y);
    void openPerRowMenu();
    void openExportMenu();
    std::unique_ptr<TimetableFrameModel> model_;
    Application& app_;
    TimetableListWnd* list_ = nullptr;
};

// "班级课程表"
class ClassTableFrame : public TimetableFrameWnd {
    Q_OBJECT
public:
    ClassTableFrame(DataSet* dataSet, Application& app, QWidget* parent = nullptr);
    ClassTableFrameModel& classModel() { return static_cast<ClassTableFrameModel&>(model()); }
    std::unique_ptr<PrintDocument> printDocument() override;
};

// "教师课程表"
class TeacherTableFrame : public TimetableFrameWnd {
    Q_OBJECT
public:
    TeacherTableFrame(DataSet* dataSet, Application& app, QWidget* parent = nullptr);
    TeacherTableFrameModel& teacherModel() { return static_cast<TeacherTableFrameModel&>(model()); }
    std::unique_ptr<PrintDocument> printDocument() override;
};

} // namespace tabrel::ui
