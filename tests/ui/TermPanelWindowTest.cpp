// The term panel in the main window: opened by its name, the term saved from its fields, the
// one-click cover of a selected absence accepted as one step and undone, every page shown, the
// dated week written as PDF through the save dialog, the statistics counted, F1 on its own page.
#include <QFileInfo>
#include <QTableWidget>
#include <QTabWidget>
#include <QTest>

#include "app/Application.h"
#include "app/Document.h"
#include "app/UndoStack.h"
#include "ui/app/MainFrame.h"
#include "ui/app/QelvoView.h"
#include "ui/term/TermWnd.h"
#include "ui/UiTestSupport.h"

using namespace tabrel;
using namespace tabrel::ui;

class TermPanelWindowTest : public QObject {
    Q_OBJECT
private slots:
    void runAWeek()
    {
        uitest::ScriptedPrompter prompter;
        QTemporaryDir dir;
        const QString school = dir.filePath(QStringLiteral("school.qtf"));
        uitest::writeSchool(school, 1);
        Application app;
        app.setProgramFolder({dir.path().toStdString(), false});
        Document doc(app);
        QVERIFY(doc.open(school.toStdString()).ok());
        DataSet& ds = doc.dataSet();
        // Monday: 王初一1 teaches 语文 in 初一(1) at periods 1 and 2.
        for (int p : {0, 1}) {
            ds.classAt(0, 0)->cells[p][0].subject = uitest::G("语文");
            ds.classAt(0, 0)->cells[p][0].teacher = ds.classAt(0, 0)->assignments[0]->teacher;
        }
        MainFrame frame(app, doc);
        frame.resize(1280, 800);
        frame.show();
        QelvoView* view = frame.view();
        QVERIFY(view->openPanel(QStringLiteral("学期运行")));
        auto* term = qobject_cast<TermWnd*>(view->visibleWidget());
        QVERIFY(term);

        term->model().setDraftStart(*parseIsoDate("2027-03-01"));
        term->model().setDraftWeeks(2);
        term->beforeShow(true);
        term->saveTerm();
        QVERIFY(prompter.messages.isEmpty());
        QCOMPARE(ds.extension.term.weeks, 2);

        AbsenceRecord a;
        a.teacher = ds.classAt(0, 0)->assignments[0]->teacher;
        a.from = a.to = *parseIsoDate("2027-03-08");
        a.toPeriod = ds.periodsPerDay() - 1;
        a.kind = uitest::G("病假");
        std::string message;
        QVERIFY(TermPanel::recordAbsence(doc.editRunner(), ds, a, message));
        term->afterSchoolChange();
        term->absenceTable()->selectRow(0);
        term->proposeForSelected();
        QCOMPARE(term->tabs()->currentIndex(), 2);
        QCOMPARE(term->model().proposal().size(), std::size_t{2});
        const std::size_t steps = doc.undoStack().index();
        term->acceptProposal();
        QCOMPARE(doc.undoStack().index(), steps + 1);
        QCOMPARE(ds.extension.changes.size(), std::size_t{2});
        QVERIFY(doc.undoStack().undo());
        QVERIFY(ds.extension.changes.empty());
        QVERIFY(doc.undoStack().redo());
        term->afterSchoolChange();

        for (int page = 0; page < term->tabs()->count(); ++page) {
            term->tabs()->setCurrentIndex(page);
            QVERIFY(QTest::qWaitForWindowExposed(&frame));
            term->grab();
        }
        const QString pdf = dir.filePath(QStringLiteral("week.pdf"));
        prompter.saveAnswers.push_back(pdf);
        term->printWeek(true);
        QVERIFY(QFileInfo(pdf).size() > 0);
        term->countStatistics();
        QVERIFY(prompter.messages.isEmpty());
        QCOMPARE(term->statisticsTable()->rowCount(), static_cast<int>(ds.teachers.size()));

        view->runButton(MenuButton::Help);
        QCOMPARE(prompter.helpPages.value(0), QStringLiteral("学期运行"));
    }
};

QTEST_MAIN(TermPanelWindowTest)
#include "TermPanelWindowTest.moc"
