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
#include "ui/setup/GroupNameDlg.h"
#include "ui/setup/TableViewDlg.h"
#include "ui/setup/TeacherClassMatchCtrl.h"
#include "ui/setup/TeacherClassMatchWnd.h"
#include "ui/setup/TeacherGroupDlg.h"
#include "ui/setup/TeacherInfoGridCtrl.h"
#include "ui/setup/TeacherInfoWnd.h"
#include "setup/TeacherClassMatch.h"
#include "data/DataSet.h"

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

    view->openPanel(QStringLiteral("科目管理"));
    ok &= save(&frame, dir, QStringLiteral("09-pending-panel.png"));
    view->runButton(QStringLiteral("返回"));

    // The teacher page with the rule buttons of the second teacher, the group dialogs.
    view->openPanel(QStringLiteral("教师信息"));
    {
        TeacherInfoGridCtrl* grid = view->teacherInfo()->gridCtrl();
        grid->grid().leftDown(1, 6);
        grid->grid().leftUp(1, 6);
        grid->refresh();
    }
    ok &= save(&frame, dir, QStringLiteral("11-teacher-page.png"));
    {
        TeacherGroupDlg groups(&doc.dataSet(), [&doc](const std::string&, const EditFn& edit) { return edit(doc.dataSet()); },
                               &frame);
        groups.show();
        groups.addTeacherRow(0);
        groups.addTeacherRow(2);
        ok &= save(&groups, dir, QStringLiteral("12-teacher-groups.png"));
        GroupNameDlg names(doc.dataSet().teacherGroupTable, &groups);
        names.show();
        ok &= save(&names, dir, QStringLiteral("13-group-names.png"));
    }
    view->runButton(QStringLiteral("返回"));

    // The assignment page with one teacher's classes in red.
    view->openPanel(QStringLiteral("任课信息"));
    {
        TeacherClassMatchCtrl* ctrl = view->teacherClassMatch()->control();
        const auto l = ctrl->currentLayout();
        const QPoint p = ctrl->matrixPoint(1, 1);
        ctrl->model().leftDown(doc.dataSet(), l, p.x(), p.y());
        ctrl->model().leftUp(doc.dataSet(), l, p.x(), p.y());
        ctrl->update();
    }
    ok &= save(&frame, dir, QStringLiteral("14-assignment-page.png"));
    {
        TableViewDlg load(QStringLiteral("教师任教信息表"), TeacherClassMatch::teacherLoadRows(doc.dataSet()), &frame);
        load.show();
        ok &= save(&load, dir, QStringLiteral("15-teacher-load.png"));
    }
    view->runButton(QStringLiteral("返回"));

    AboutDlg about(&frame);
    about.show();
    ok &= save(&about, dir, QStringLiteral("10-about.png"));
    about.close();

    Prompter::install(nullptr);
    return ok ? 0 : 1;
}

} // namespace tabrel::ui
