#include "ScreenshotTour.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>
#include <QDir>
#include <QTextStream>
#include <cstdio>
#include <functional>

#include "app/Application.h"
#include "app/Document.h"
#include "ui/widgets/AboutDlg.h"
#include "ui/app/HomePageWnd.h"
#include "ui/app/MainFrame.h"
#include "ui/widgets/Prompter.h"
#include "ui/app/QelvoView.h"
#include "ui/app/StartDlg.h"
#include "ui/widgets/UiText.h"
#include "output/PrintDocument.h"
#include "ui/output/ClassChoiceDlg.h"
#include "ui/output/LoadDistributionDlg.h"
#include "ui/output/TeacherTeachFrame.h"
#include "ui/output/TimetableFrameWnd.h"
#include "ui/output/TotalScheduleWnd.h"
#include "render/PdfPrinting.h"
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include "ui/scheduling/PaikeRunWnd.h"
#include "ui/setup/ClassGridDefWnd.h"
#include "ui/setup/ClassManageWnd.h"
#include "ui/setup/PeriodTimeDlg.h"
#include "ui/setup/TimeGridBoxWnd.h"
#include "ui/widgets/LeftMenuWnd.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "setup/SubjectQuickImport.h"
#include "setup/SubjectRulePreset.h"
#include "ui/setup/KmSetWnd.h"
#include "ui/setup/SubjectImportDlg.h"
#include "ui/setup/SubjectRulePresetDlg.h"
#include "ui/setup/TeacherRuleDlg.h"
#include "ui/widgets/GridCtrl.h"
#include <QListWidget>
#include "ui/widgets/ScopeTreeWnd.h"
#include "ui/setup/GroupNameDlg.h"
#include "ui/setup/TableViewDlg.h"
#include "ui/setup/TeacherClassMatchCtrl.h"
#include "ui/setup/TeacherClassMatchWnd.h"
#include "ui/setup/TeacherGroupDlg.h"
#include "ui/setup/TeacherInfoGridCtrl.h"
#include "ui/setup/TeacherInfoWnd.h"
#include "setup/TeacherClassMatch.h"
#include "data/DataSet.h"
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
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString chooseFolder(QWidget*, const QString&, const QString&) override { return {}; }
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

// Runs `open`, which shows a modal dialog, and saves a picture of the dialog (after `prepare`)
// before closing it with Cancel.
bool saveModal(const QDir& dir, const QString& name, const std::function<void()>& open,
               const std::function<void(QDialog*)>& prepare = {})
{
    bool ok = false;
    QTimer::singleShot(200, [&] {
        auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dlg) {
            std::fprintf(stderr, "FAILED no dialog for %s\n", qPrintable(name));
            return;
        }
        if (prepare)
            prepare(dlg);
        ok = save(dlg, dir, name);
        dlg->reject();
    });
    open();
    return ok;
}

// The subjects panel with a pasted catalogue, its quick import, the preset window and both teacher
// rule windows.
bool visitSubjectPanels(MainFrame& frame, Document& doc, const QDir& dir)
{
    bool ok = true;
    QelvoView* view = frame.view();
    view->openPanel(QStringLiteral("科目管理"));
    KmSetWnd* panel = view->kmSet();
    {
        SubjectImportDlg dlg(panel, doc);
        dlg.model().paste(1, 1, gbk::literal("语文\t6\t6\t5\n数学\t6\t6\t6\n英语\t5\t5\t5\n物理\t\t3\t3\n"
                                             "化学\t\t\t3\n体育\t3\t3\t3\n音乐\t1\t1\n美术\t1\t1\n信息技术\t2\t1.1\t16\n"));
        dlg.grid()->itemModel()->reload();
        dlg.show();
        ok &= save(&dlg, dir, QStringLiteral("11-subjects-quick-import.png"));
        dlg.accept();
    }
    panel->reload();
    DataSet& ds = doc.dataSet();
    // 体育 不排 on 第1节 of every class of the first grade, 信息技术 一定排 for one class.
    doc.edit(gbk::literal("课节预设"), [](DataSet& school) {
    DataSet& ds = school;
    for (std::size_t s = 0; s < ds.subjects.size(); ++s) {
        SubjectRulePreset preset(ds, static_cast<int>(s));
        const std::size_t nodes = preset.tree().nodes().size();
        if (ds.subjects[s]->name == gbk::literal("体育") && nodes > 1) {
            preset.selectScope(ds, 1);
            for (int d = 0; d < ds.dayCount(); ++d)
                preset.grid().write(ds, 0, d, gbk::literal("不排"));
            preset.selectScope(ds, 0);
            KmGrid::setRuleSummary(ds, static_cast<int>(s), preset.summary(ds));
        }
        if (ds.subjects[s]->name == gbk::literal("信息技术") && nodes > 2) {
            preset.selectScope(ds, 2);
            preset.grid().write(ds, 5, 1, gbk::literal("一定排"));
            KmGrid::setRuleSummary(ds, static_cast<int>(s), preset.summary(ds));
        }
    }
    return true;
    });
    panel->model().select(ds, 5, 7);
    const Rect rules = panel->model().cellRect(ds, 5, static_cast<int>(panel->model().columns(ds).size()) - 1);
    panel->model().press(ds, rules.left + 100, rules.top + 5);
    panel->model().release(ds, rules.left + 100, rules.top + 5);
    panel->update();
    ok &= save(&frame, dir, QStringLiteral("12-subjects-panel.png"));
    panel->model().hideButtons();
    {
        SubjectRulePresetDlg dlg(panel, doc, 5);
        dlg.tree()->selectNode(1);
        dlg.show();
        ok &= save(&dlg, dir, QStringLiteral("13-subject-rule-preset.png"));
        dlg.close();
    }
    if (!ds.teachers.empty()) {
        doc.edit(gbk::literal("教师排课要求"), [](DataSet& ds) {
            return ds.setTeacherSlotValue(0, 0, ds.teachers[0]->name, gbk::literal("不排")) != 0;
        });
        TeacherRuleDlg one(panel, doc, 0);
        one.show();
        ok &= save(&one, dir, QStringLiteral("14-teacher-rule.png"));
        one.close();
        TeachersRuleDlg many(panel, doc);
        for (int i = 0; i < std::min(3, many.list()->count()); ++i)
            many.list()->item(i)->setCheckState(Qt::Checked);
        many.show();
        ok &= save(&many, dir, QStringLiteral("15-teachers-rule.png"));
        many.close();
    }
    view->runButton(QStringLiteral("返回"));
    view->openPanel(QStringLiteral("科目管理"));
    ok &= save(&frame, dir, QStringLiteral("16-subjects-after-return.png"));
    view->runButton(QStringLiteral("返回"));
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

    // The grades-and-classes panel of the new schedule: the hint with its clickable "点击此处".
    frame.view()->openPanel(QStringLiteral("班级管理"));
    ok &= save(&frame, dir, QStringLiteral("02b-class-manage-empty.png"));
    frame.view()->runButton(QStringLiteral("返回"));

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

    view->openPanel(QStringLiteral("任课信息"));
    ok &= manualSchedulingTour(frame, dir);
    view->openPanel(QStringLiteral("总课程表"));
    ok &= save(&frame, dir, QStringLiteral("11-master-style1.png"));
    view->totalSchedule()->setStyle(1);
    ok &= save(&frame, dir, QStringLiteral("12-master-style2.png"));
    view->totalSchedule()->setStyle(2);
    ok &= save(&frame, dir, QStringLiteral("13-master-style3.png"));
    view->totalSchedule()->setStyle(0);
    {
        ClassChoiceDlg choice(doc.dataSet(), {0, 1, 2, 8}, &frame);
        choice.show();
        ok &= save(&choice, dir, QStringLiteral("18-master-choose-classes.png"));
        choice.close();
    }
    view->totalSchedule()->chooseClassMenuEntry(1);
    ok &= save(&frame, dir, QStringLiteral("14-master-style1-first-grade.png"));
    {
        const auto& ds = doc.dataSet();
        auto printed = masterStyle1Document(ds, view->totalSchedule()->model().selectedConstClasses(ds),
                                            view->totalSchedule()->model().style1Options());
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Landscape);
        QPrintPreviewDialog preview(&printer, &frame);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* p) {
            QPainter painter(p);
            paintPrintDocument(*printed, painter, *p);
        });
        preview.resize(1100, 780);
        preview.show();
        ok &= save(&preview, dir, QStringLiteral("15-master-print-preview.png"));
        preview.close();
    }
    view->runButton(QStringLiteral("返回"));

    view->openPanel(QStringLiteral("总任课表"));
    ok &= save(&frame, dir, QStringLiteral("16-assignment-table.png"));
    {
        LoadDistributionDlg dist(doc.dataSet(), 1, 1, &frame);
        dist.show();
        ok &= save(&dist, dir, QStringLiteral("17-load-distribution.png"));
        dist.close();
    }
    view->runButton(QStringLiteral("返回"));


    // 班级管理 on the example school, the in-place edit field and its dialogs.
    view->openPanel(QStringLiteral("班级管理"));
    ok &= save(&frame, dir, QStringLiteral("11-class-manage.png"));
    ClassManageWnd* cm = view->classManage();
    {
        const auto l = ClassManagePage::layout(doc.dataSet(), cm->drawArea()->width(), cm->drawArea()->height());
        if (l.items.size() > 2) {
            const Rect r = l.items[2].rect;
            const QPointF at((r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0);
            QMouseEvent press(QEvent::MouseButtonPress, at, cm->drawArea()->mapToGlobal(at), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(cm->drawArea(), &press);
            ok &= save(&frame, dir, QStringLiteral("11b-class-manage-rename.png"));
        }
    }
    cm->commitPending();
    ok &= saveModal(dir, QStringLiteral("12-quick-entry.png"), [cm] { cm->runCommand(gbk::literal("1.录入数据")); });
    ok &= saveModal(dir, QStringLiteral("13-table-editor.png"), [cm] { cm->runCommand(gbk::literal("2.表格修改")); });
    ok &= saveModal(dir, QStringLiteral("14-fill-rule.png"), [cm] { cm->runCommand(gbk::literal("填充班名称")); });
    view->runButton(QStringLiteral("返回"));

    // 课时安排 with a common-period row, and its dialogs.
    view->openPanel(QStringLiteral("课时安排"));
    ok &= save(&frame, dir, QStringLiteral("15-class-grid-def.png"));
    ClassGridDefWnd* cg = view->classGridDef();
    ok &= saveModal(dir, QStringLiteral("16-teaching-days.png"), [cg] { cg->changeDays(); });
    ok &= saveModal(dir, QStringLiteral("17-period-times.png"), [cg] { cg->editPeriodTimes(); }, [](QDialog* d) {
        auto* dlg = qobject_cast<PeriodTimeDlg*>(d);
        if (!dlg || dlg->grid()->rowCount() == 0)
            return;
        dlg->grid()->item(0, 1)->setText(QStringLiteral("7:30"));
        dlg->grid()->setCurrentCell(0, 1);
        dlg->fillForward();
    });
    ok &= saveModal(dir, QStringLiteral("18-insert-common-row.png"), [cg] { cg->insertCommonRow(); });
    view->runButton(QStringLiteral("返回"));
    ok &= visitSubjectPanels(frame, doc, dir);
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
        TeacherGroupDlg groups(doc, &frame);
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
