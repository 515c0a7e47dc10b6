#pragma once
// The "手动排课" panel: the class view, shown first, and the teacher view, one visible at a time;
// their labels switch between them, keeping both views' states.
#include <QWidget>

#include "ui/manual/ManualViewWnd.h"
#include "ui/widgets/PanelWindow.h"

class QStackedLayout;

namespace tabrel::ui {

class ClassTableTiaoKeWnd;
class TeacherPaikeWnd;

class PaikeTiaokeWnd : public PanelWindow {
    Q_OBJECT
public:
    explicit PaikeTiaokeWnd(Document& doc, QWidget* parent = nullptr);
    void beforeShow(bool) override { prepareForShow(); }
    void afterSchoolChange() override { schoolChanged(); }
    void schoolReplaced(DataSet& dataSet) override { setDataSet(dataSet); }
    void showTarget(const PanelTarget& t) override { showClassAt(t.grade, t.klass, t.period, t.day); }

    ClassTableTiaoKeWnd* classView() const { return classView_; }
    TeacherPaikeWnd* teacherView() const { return teacherView_; }
    bool showingTeachers() const;
    void setDataSet(DataSet& dataSet);
    // Every change goes through the runner (the document's undo stack).
    // The panel is about to be shown (after the teachers were handed their courses).
    void prepareForShow();
    // The school changed under the panel (an undo, a redo): both views re-read it.
    void schoolChanged();
    void showClassView();
    // The class view on one class (by grade and class position) with the slot hovered, when given.
    void showClassAt(int gradeIndex, int classIndex, int period, int day);
    void showTeacherView();

private:
    QStackedLayout* stack_ = nullptr;
    ClassTableTiaoKeWnd* classView_ = nullptr;
    TeacherPaikeWnd* teacherView_ = nullptr;
};

} // namespace tabrel::ui
