#include "ui/manual/PaikeTiaokeWnd.h"
#include "app/Document.h"

#include <QStackedLayout>

#include "data/DataSet.h"
#include "scheduling/TeacherAssignment.h"

#include "ui/manual/ClassTableTiaoKeWnd.h"
#include "ui/manual/ManualCanvasWnd.h"
#include "ui/manual/TeacherPaikeWnd.h"

namespace tabrel::ui {

PaikeTiaokeWnd::PaikeTiaokeWnd(Document& doc, QWidget* parent) : PanelWindow(parent)
{
    stack_ = new QStackedLayout(this);
    classView_ = new ClassTableTiaoKeWnd(doc);
    teacherView_ = new TeacherPaikeWnd(doc);
    stack_->addWidget(classView_);
    stack_->addWidget(teacherView_);
    connect(classView_, &ManualViewWnd::switchRequested, this, &PaikeTiaokeWnd::showTeacherView);
    connect(teacherView_, &ManualViewWnd::switchRequested, this, &PaikeTiaokeWnd::showClassView);
}

bool PaikeTiaokeWnd::showingTeachers() const
{
    return stack_->currentWidget() == teacherView_;
}

void PaikeTiaokeWnd::setDataSet(DataSet& dataSet)
{
    classView_->setDataSet(dataSet);
    teacherView_->setDataSet(dataSet);
}

void PaikeTiaokeWnd::prepareForShow()
{
    // The views work from the teachers' loads and taught courses.
    PrepareForScheduling(classView_->dataSet());
    classView_->refresh();
    teacherView_->refresh();
}

void PaikeTiaokeWnd::schoolChanged()
{
    if (showingTeachers())
        teacherView_->refresh();
    else
        classView_->refresh();
}

void PaikeTiaokeWnd::showClassAt(int gradeIndex, int classIndex, int period, int day)
{
    showClassView();
    classView_->view().showClassAt(classView_->dataSet(), gradeIndex, classIndex, manual::Slot{period, day});
    classView_->refresh();
}

void PaikeTiaokeWnd::showClassView()
{
    classView_->refresh();
    stack_->setCurrentWidget(classView_);
    classView_->canvas()->setFocus();
}

void PaikeTiaokeWnd::showTeacherView()
{
    // The teacher view recomputes its candidate lists from the school as it now stands.
    teacherView_->refresh();
    stack_->setCurrentWidget(teacherView_);
    teacherView_->canvas()->setFocus();
}

} // namespace tabrel::ui
