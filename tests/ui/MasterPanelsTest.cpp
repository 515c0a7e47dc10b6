// The master timetable and master assignment table panels in the main window: the three styles
// draw, "清空" asks and is one step, "批量导入" reads the clipboard into style 1 as one step, the
// PDF export writes the file the dialog names.
#include <QApplication>
#include <QClipboard>
#include <QTemporaryDir>
#include <QTest>

#include "app/Application.h"
#include "app/Document.h"
#include "app/UndoStack.h"
#include "ui/app/MainFrame.h"
#include "ui/app/QelvoView.h"
#include "ui/output/TeacherTeachFrame.h"
#include "ui/output/TotalScheduleWnd.h"
#include "ui/UiTestSupport.h"

using namespace tabrel;
using namespace tabrel::ui;

namespace {
int lessons(const DataSet& ds)
{
    int n = 0;
    for (const auto& g : ds.grades)
        for (const auto& c : g->classes)
            for (int p = 0; p < ds.periodsPerDay(); ++p)
                for (int d = 0; d < ds.dayCount(); ++d)
                    n += !c->cells[p][d].subject.empty();
    return n;
}
} // namespace

class MasterPanelsTest : public QObject {
    Q_OBJECT
private slots:
    void stylesClearImportAndPdf()
    {
        uitest::ScriptedPrompter prompter;
        QTemporaryDir dir;
        const QString school = dir.filePath(QStringLiteral("school.qtf"));
        uitest::writeSchool(school, 2);
        Application app;
        app.setProgramFolder({dir.path().toStdString(), false});
        Document doc(app);
        QVERIFY(doc.open(school.toStdString()).ok());
        DataSet& ds = doc.dataSet();
        ds.classAt(0, 0)->cells[0][0].subject = uitest::G("语文");
        ds.classAt(1, 1)->cells[2][3].subject = uitest::G("数学");
        MainFrame frame(app, doc);
        frame.resize(1280, 800);
        frame.show();
        QelvoView* view = frame.view();

        QVERIFY(view->openPanel(QStringLiteral("总课程表")));
        TotalScheduleWnd* master = view->totalSchedule();
        QCOMPARE(view->visibleWidget(), master);
        UndoStack& undo = doc.undoStack();
        auto undoText = [&] { return QString::fromStdString(gbk::toUtf8(undo.undoText())); };
        for (int style : {1, 2, 0}) {
            master->setStyle(style);
            QCOMPARE(master->model().style, style);
            QWidget* w = master->currentStyleWindow();
            QVERIFY(w->isVisible());
            const QImage shot = w->grab().toImage();
            int dark = 0;
            for (int y = 0; y < shot.height(); y += 4)
                for (int x = 0; x < shot.width(); x += 4)
                    dark += qGray(shot.pixel(x, y)) < 100;
            QVERIFY2(dark > 50, qPrintable(QString::number(style)));
        }

        // "清空" asks; Cancel keeps everything, OK empties the selected grade as one step.
        master->chooseClassMenuEntry(1);
        prompter.confirmAnswers = {false, true};
        view->runButton(QStringLiteral("清空"));
        QCOMPARE(prompter.questions, QStringList{QStringLiteral("是否清空所选班级的全部课程?")});
        QCOMPARE(lessons(ds), 2);
        view->runButton(QStringLiteral("清空"));
        QCOMPARE(lessons(ds), 1);
        QCOMPARE(undo.count(), std::size_t{1});
        QCOMPARE(undoText(), QStringLiteral("撤销：清空所选班级的课程"));
        // Undo brings the lessons back and keeps the grade selected.
        view->runButton(QStringLiteral("撤销"));
        QCOMPARE(lessons(ds), 2);
        QCOMPARE(master->model().selectedPositions(ds).size(), std::size_t{2});
        view->runButton(QStringLiteral("重做"));
        QCOMPARE(lessons(ds), 1);

        // "批量导入": the clipboard block lands in the selected classes; with none selected,
        // nothing is written and the user is told.
        QGuiApplication::clipboard()->setText(QStringLiteral("体育\t英语\n"));
        master->batchImport();
        QCOMPARE(lessons(ds), 3);
        QCOMPARE(QString::fromStdString(gbk::toUtf8(ds.classAt(0, 0)->cells[0][0].subject)), QStringLiteral("体育1"));
        QCOMPARE(undoText(), QStringLiteral("撤销：批量导入"));
        QCOMPARE(undo.count(), std::size_t{2});
        master->model().selectCustom(ds, {});
        master->batchImport();
        QCOMPARE(lessons(ds), 3);
        QCOMPARE(prompter.messages.size(), 1);

        // "导出PDF" writes the file the dialog names.
        master->chooseClassMenuEntry(0);
        const QString pdf = dir.filePath(QStringLiteral("master.pdf"));
        prompter.saveAnswers = {pdf};
        master->exportPdfFile();
        QVERIFY(QFileInfo(pdf).size() > 1000);

        view->runButton(QStringLiteral("返回"));
        QVERIFY(view->openPanel(QStringLiteral("总任课表")));
        QCOMPARE(view->visibleWidget(), view->teacherTeach());
    }
};

QTEST_MAIN(MasterPanelsTest)
#include "MasterPanelsTest.moc"
