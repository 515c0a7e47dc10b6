// One whole session: open a school, schedule it automatically, look at the class and teacher
// timetables, export workbooks, pictures and the text list, and save.
#include <QApplication>
#include <QDir>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "app/Application.h"
#include "app/Document.h"
#include "ui/app/HomePageWnd.h"
#include "ui/app/MainFrame.h"
#include "ui/app/QelvoView.h"
#include "ui/app/TopMenuWnd.h"
#include "ui/widgets/UiText.h"
#include "ui/output/TimetableFrameWnd.h"
#include "ui/scheduling/PaikeRunWnd.h"
#include "ui/widgets/ScopeTreeWnd.h"
#include "ui/UiTestSupport.h"

using namespace tabrel;
using namespace tabrel::ui;
using Hit = TimetableToolStrip::Hit;

namespace {
int nonWhitePixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ++n;
    return n;
}
} // namespace

class FlowTest : public QObject {
    Q_OBJECT
private slots:
    void openScheduleViewExportSave()
    {
        uitest::ScriptedPrompter prompter;
        QTemporaryDir dir;
        const QString school = dir.filePath(QStringLiteral("school.qtf"));
        uitest::writeSchool(school, 2);
        QDir(dir.path()).mkdir(QStringLiteral("program"));
        const QString folder = dir.filePath(QStringLiteral("program"));
        // Every export asks for its folder, starting in the data file's; this run chooses another.
        QDir(dir.path()).mkdir(QStringLiteral("exports"));
        const QString exports = dir.filePath(QStringLiteral("exports"));
        prompter.folderAnswers = {exports, exports, exports, exports};

        Application app;
        app.setProgramFolder({folder.toStdString(), false});
        Document doc(app);
        QVERIFY(doc.open(school.toStdString()).ok());
        MainFrame frame(app, doc);
        frame.resize(1280, 800);
        frame.show();
        QApplication::processEvents();
        QelvoView* view = frame.view();
        HomePageWnd* home = view->homePage();

        // Step 7 on the home page opens the automatic-scheduling page.
        QTest::mouseClick(home, Qt::LeftButton, {}, home->itemCentre(6));
        PaikeRunWnd* run = view->paikeRun();
        QCOMPARE(view->visibleWidget(), run);
        QCOMPARE(run->tree()->topLevelItemCount(), 1);
        QCOMPARE(run->tree()->topLevelItem(0)->text(0), QStringLiteral("全校"));
        QCOMPARE(run->tree()->topLevelItem(0)->childCount(), 2);
        QCOMPARE(run->tree()->topLevelItem(0)->child(1)->child(0)->text(0), QStringLiteral("初二(1)"));
        // Showing the page handed every assignment to its teacher.
        QCOMPARE(doc.dataSet().teachers[0]->assignedPeriods, 7);

        QTest::mouseClick(run->startButton(), Qt::LeftButton);
        QCOMPARE(prompter.messages, QStringList{QStringLiteral("auto paike end")});
        QCOMPARE(run->progressBar()->value(), run->progressBar()->maximum());
        QCOMPARE(run->summaryTable()->rowCount(), 4);
        for (int r = 0; r < 4; ++r)
            QCOMPARE(run->summaryTable()->item(r, 2)->text(), QStringLiteral("35"));

        // Every lesson placed: a second start asks first. "取消" changes nothing; "确定" schedules the
        // scope again as one undo step, which one undo takes back.
        auto grid = [&] {
            QStringList out;
            for (ClassTable* c : doc.dataSet().classesInGradeOrder())
                for (int p = 0; p < doc.dataSet().periodsPerDay(); ++p)
                    for (int d = 0; d < doc.dataSet().dayCount(); ++d)
                        out << qs(c->cells[p][d].subject);
            return out;
        };
        // A hand change first (two lessons of the first class change places), so the run again has
        // something to change: a run that gives the same timetable records no step.
        QVERIFY(doc.edit("swap", [](DataSet& ds) {
            ClassTable& c = *ds.classesInGradeOrder().front();
            int p2 = 0, d2 = 0;
            for (int p = 0; p < ds.periodsPerDay(); ++p)
                for (int d = 0; d < ds.dayCount(); ++d)
                    if (c.cells[p][d].subject != c.cells[0][0].subject)
                        p2 = p, d2 = d;
            const std::string a = c.cells[0][0].subject, b = c.cells[p2][d2].subject;
            c.setCellSubject(c.cells[0][0], b);
            c.setCellSubject(c.cells[p2][d2], a);
            ds.relinkCell(c.cells[0][0]);
            ds.relinkCell(c.cells[p2][d2]);
            return a != b;
        }));
        const QStringList first = grid();
        const std::size_t steps = doc.undoStack().index();
        prompter.confirmAnswers = {false};
        QTest::mouseClick(run->startButton(), Qt::LeftButton);
        QCOMPARE(prompter.questions.size(), 1);
        QVERIFY(prompter.questions.back().contains(QStringLiteral("重新排课")));
        QCOMPARE(prompter.messages.size(), 1);
        QCOMPARE(doc.undoStack().index(), steps);
        prompter.confirmAnswers = {true};
        QTest::mouseClick(run->startButton(), Qt::LeftButton);
        QCOMPARE(prompter.messages.size(), 2);
        QCOMPARE(doc.undoStack().index(), steps + 1);
        QCOMPARE(qs(doc.undoStack().undoText()), QStringLiteral("撤销：重新排课"));
        for (int r = 0; r < 4; ++r)
            QCOMPARE(run->summaryTable()->item(r, 2)->text(), QStringLiteral("35"));
        QVERIFY(doc.undoStack().undo());
        QCOMPARE(grid(), first);
        prompter.messages.removeLast(); // the second run's "auto paike end"

        // The class timetables show the lessons just placed.
        view->runButton(QStringLiteral("返回"));
        QVERIFY(view->openPanel(QStringLiteral("班级课程表")));
        ClassTableFrame* classes = view->classFrame();
        QApplication::processEvents();
        classes->list()->viewport()->repaint();
        const QImage& picture = classes->list()->picture();
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.height(), classes->model().panel().contentHeight + 100);
        const int withTeachers = nonWhitePixels(picture);
        QVERIFY(withTeachers > 0);
        QTest::mouseClick(classes, Qt::LeftButton, {}, classes->stripPoint(Hit::SecondCheck));
        QCOMPARE(classes->classModel().classPanel.showTeacher, 0);
        QVERIFY(nonWhitePixels(classes->list()->picture()) < withTeachers);
        classes->chooseTablesPerRow(1);
        QCOMPARE(classes->list()->picture().height(), classes->model().panel().contentHeight + 100);

        classes->runExport(1);
        QVERIFY(QFile::exists(exports + QStringLiteral("/classFiles/allclass.xlsx")));
        classes->runExport(2);
        QCOMPARE(QDir(exports + QStringLiteral("/classFiles")).entryList({QStringLiteral("*.bmp")}).size(), 4);
        QCOMPARE(prompter.messages.size(), 1);

        view->runButton(QStringLiteral("返回"));
        QVERIFY(view->openPanel(QStringLiteral("教师课程表")));
        TeacherTableFrame* teachers = view->teacherFrame();
        teachers->list()->viewport()->repaint();
        QVERIFY(nonWhitePixels(teachers->list()->picture()) > 0);
        teachers->runExport(0);
        QCOMPARE(QDir(exports + QStringLiteral("/teacherExcelFiles")).entryList(QDir::Files).size(), 20);
        QCOMPARE(prompter.messages.size(), 1);

        // The text list from the home page's tool.
        view->runButton(QStringLiteral("返回"));
        QTest::mouseClick(home, Qt::LeftButton, {}, home->itemCentre(13));
        QFile text(exports + QStringLiteral("/paikeInfo.txt"));
        QVERIFY(text.open(QIODevice::ReadOnly));
        QCOMPARE(text.readAll().count('\n'), 4 * 35);
        QCOMPARE(prompter.folderStarts, QStringList(4, dir.path()));
        // No export went into the program's folder (the test keeps its trace there).
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("debug.txt")});

        // Saving writes the scheduled school; it reads back with every lesson in place.
        const QPoint save = view->topMenu()->buttonCentre(QStringLiteral("保存"));
        QTest::mouseClick(view->topMenu(), Qt::LeftButton, {}, save);
        QCOMPARE(prompter.saveDialogs, 0);
        DataSet check;
        QVERIFY(loadDataFile(check, school.toStdString()).ok());
        int placed = 0;
        for (const auto& g : check.grades)
            for (const auto& c : g->classes)
                for (int p = 0; p < check.periodsPerDay(); ++p)
                    for (int d = 0; d < check.dayCount(); ++d)
                        if (!c->cells[p][d].subject.empty() && c->cells[p][d].subject != "empty")
                            ++placed;
        QCOMPARE(placed, 4 * 35);
    }
};

QTEST_MAIN(FlowTest)
#include "FlowTest.moc"
