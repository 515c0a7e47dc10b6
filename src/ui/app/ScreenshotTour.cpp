#include "ui/app/ScreenshotTour.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>
#include <cstdio>

#include "app/Application.h"
#include "app/Document.h"
#include "ui/app/AboutDlg.h"
#include "ui/app/HomePageWnd.h"
#include "ui/app/MainFrame.h"
#include "ui/app/Prompter.h"
#include "ui/app/QelvoView.h"
#include "ui/app/StartDlg.h"
#include "ui/output/TimetableFrameWnd.h"
#include "ui/scheduling/PaikeRunWnd.h"
#include "ui/manual/ClassTableTiaoKeWnd.h"
#include "ui/manual/PaikeTiaokeWnd.h"
#include "ui/manual/TeacherPaikeWnd.h"
#include "ui/manual/ManualCanvasWnd.h"
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace tabrel::ui {

namespace {
// Messages go to the terminal; no dialog blocks the tour.
class TourPrompter : public Prompter {
public:
    void inform(QWidget*, const QString& text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
    bool confirm(QWidget*, const QString&) override { return false; }
    QString openFile(QWidget*, const QString&) override { return {}; }
    QString saveFile(QWidget*, const QString&, const QString&) override { return {}; }
    void about(QWidget*) override {}
};

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

bool save(QWidget* w, const QDir& dir, const QString& name)
{
    settle();
    const QString path = dir.filePath(name);
    const bool ok = w->grab().save(path);
    std::fprintf(stderr, "%s %s\n", ok ? "saved" : "FAILED", qPrintable(path));
    return ok;
}
void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

template <class ViewWnd>
QPoint cellPoint(ViewWnd* v, int period, int day)
{
    const Rect r = v->layout().grid.cell(period, day);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The manual scheduling panel: both views in both modes, the hover box over a freed cell, a swap
// pending with its marks and the teachers beside, a lesson dragged.
bool manualSchedulingTour(MainFrame& frame, const QDir& dir)
{
    bool ok = true;
    QelvoView* view = frame.view();
    view->openPanel(QStringLiteral("手动排课"));
    PaikeTiaokeWnd* panel = view->paikeTiaoke();
    ClassTableTiaoKeWnd* cv = panel->classView();
    DataSet& ds = cv->dataSet();
    cv->view().emptyCell(ds, {1, 2});
    cv->refresh();
    QWidget* canvas = cv->canvas();
    mouse(canvas, QEvent::MouseMove, cellPoint(cv, 1, 2), Qt::NoButton, Qt::NoButton);
    ok &= save(&frame, dir, QStringLiteral("11-manual-class-placement.png"));
    cv->teacherButton()->click();
    cv->swapButton()->click();
    mouse(canvas, QEvent::MouseButtonPress, cellPoint(cv, 0, 0), Qt::LeftButton, Qt::LeftButton);
    mouse(canvas, QEvent::MouseButtonRelease, cellPoint(cv, 0, 0), Qt::LeftButton, Qt::NoButton);
    mouse(canvas, QEvent::MouseMove, cellPoint(cv, 6, 0), Qt::NoButton, Qt::NoButton);
    ok &= save(&frame, dir, QStringLiteral("12-manual-class-swap-pending.png"));
    mouse(canvas, QEvent::MouseButtonPress, cellPoint(cv, 0, 0), Qt::LeftButton, Qt::LeftButton);
    mouse(canvas, QEvent::MouseMove, cellPoint(cv, 3, 2) + QPoint(12, 8), Qt::NoButton, Qt::LeftButton);
    ok &= save(&frame, dir, QStringLiteral("13-manual-class-dragging.png"));
    mouse(canvas, QEvent::MouseButtonRelease, cellPoint(cv, 0, 0), Qt::LeftButton, Qt::NoButton);
    cv->teacherButton()->click();
    cv->placementButton()->click();

    cv->switchLabel()->click();
    TeacherPaikeWnd* tv = panel->teacherView();
    QWidget* week = tv->canvas();
    tv->list()->setCurrentRow(3);
    manual::Slot free;
    manual::Slot lesson;
    for (int p = 0; p < manual::shownPeriods(ds) && !(free.valid() && lesson.valid()); ++p)
        for (int d = 0; d < manual::shownDays(ds); ++d) {
            if (!free.valid() && !tv->view().teaches(ds, {p, d}) && !tv->view().candidates({p, d}).empty())
                free = {p, d};
            if (!lesson.valid() && tv->view().teaches(ds, {p, d}))
                lesson = {p, d};
        }
    if (!free.valid())
        free = {0, 0};
    mouse(week, QEvent::MouseMove, cellPoint(tv, free.period, free.day), Qt::NoButton, Qt::NoButton);
    ok &= save(&frame, dir, QStringLiteral("14-manual-teacher-placement.png"));
    mouse(week, QEvent::MouseMove, cellPoint(tv, lesson.period, lesson.day), Qt::NoButton, Qt::NoButton);
    ok &= save(&frame, dir, QStringLiteral("15-manual-teacher-lesson-and-class.png"));
    tv->swapButton()->click();
    mouse(week, QEvent::MouseButtonPress, cellPoint(tv, lesson.period, lesson.day), Qt::LeftButton, Qt::LeftButton);
    mouse(week, QEvent::MouseMove, cellPoint(tv, (lesson.period + 2) % manual::shownPeriods(ds), lesson.day), Qt::NoButton,
          Qt::LeftButton);
    ok &= save(&frame, dir, QStringLiteral("16-manual-teacher-swap.png"));
    mouse(week, QEvent::MouseButtonRelease, cellPoint(tv, lesson.period, lesson.day), Qt::LeftButton, Qt::NoButton);
    tv->placementButton()->click();
    tv->switchLabel()->click();
    view->runButton(QStringLiteral("返回"));
    return ok;
}

} // namespace

int runScreenshotTour(Application& app, Document& doc, const QString& folder, const QString& schoolFile)
{
    TourPrompter prompter;
    Prompter::install(&prompter);
    QDir dir(folder);
    dir.mkpath(QStringLiteral("."));
    bool ok = true;

    {
        std::vector<std::string> history;
        if (!schoolFile.isEmpty())
            history.push_back(schoolFile.toStdString());
        history.push_back("/home/teacher/排课数据/2024-2025学年/第一学期/初中部/期末调整后课表.qtf");
        history.push_back("/home/teacher/school.qtf");
        StartDialogModel model(history);
        StartDlg dlg(model);
        dlg.show();
        ok &= save(&dlg, dir, QStringLiteral("01-start-dialog.png"));
        dlg.close();
    }

    doc.newSchedule();
    MainFrame frame(app, doc);
    frame.resize(1280, 800);
    frame.show();
    ok &= save(&frame, dir, QStringLiteral("02-home-empty-school.png"));

    if (schoolFile.isEmpty() || !frame.openDataFile(schoolFile)) {
        std::fprintf(stderr, "no school file to show: %s\n", qPrintable(schoolFile));
        Prompter::install(nullptr);
        return 1;
    }
    frame.view()->homePage()->update();
    ok &= save(&frame, dir, QStringLiteral("03-home-school.png"));

    QelvoView* view = frame.view();
    view->openPanel(QStringLiteral("自动排课"));
    ok &= save(&frame, dir, QStringLiteral("04-auto-before-run.png"));
    view->paikeRun()->startRun();
    ok &= save(&frame, dir, QStringLiteral("05-auto-after-run.png"));
    view->runButton(QStringLiteral("返回"));

    view->openPanel(QStringLiteral("班级课程表"));
    ok &= save(&frame, dir, QStringLiteral("06-class-timetables.png"));
    view->classFrame()->chooseTablesPerRow(2);
    view->classFrame()->classModel().click(view->classFrame()->stripPoint(TimetableToolStrip::Hit::ShortName).x(),
                                           view->classFrame()->stripPoint(TimetableToolStrip::Hit::ShortName).y());
    view->classFrame()->list()->redrawTables();
    view->classFrame()->update();
    ok &= save(&frame, dir, QStringLiteral("07-class-timetables-2-per-row-short-names.png"));
    view->runButton(QStringLiteral("返回"));

    view->openPanel(QStringLiteral("教师课程表"));
    ok &= save(&frame, dir, QStringLiteral("08-teacher-timetables.png"));
    view->runButton(QStringLiteral("返回"));

    ok &= manualSchedulingTour(frame, dir);

    view->openPanel(QStringLiteral("科目管理"));
    ok &= save(&frame, dir, QStringLiteral("09-pending-panel.png"));
    view->runButton(QStringLiteral("返回"));

    AboutDlg about(&frame);
    about.show();
    ok &= save(&about, dir, QStringLiteral("10-about.png"));
    about.close();

    Prompter::install(nullptr);
    return ok ? 0 : 1;
}

} // namespace tabrel::ui
