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
