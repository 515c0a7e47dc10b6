// A new user's way from a school with classes and subjects to a timetable: the staff list pasted
// into 教师信息, the assignment filled on 任课信息 by a pasted block, dragged names and one typed
// name without a teacher record, "返回" adding that teacher, then save, reopen, 自动排课 and both
// timetable panels. Every step is a click, a key or the clipboard, as the user does it.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "app/Application.h"
#include "app/Document.h"
#include "app/MainView.h"
#include "setup/LessonTakeOver.h"
#include "ui/UiTestSupport.h"
#include "ui/app/HomePageWnd.h"
#include "ui/app/MainFrame.h"
#include "ui/app/QelvoView.h"
#include "ui/app/TopMenuWnd.h"
#include "ui/widgets/UiText.h"
#include "ui/output/TimetableFrameWnd.h"
#include "ui/scheduling/PaikeRunWnd.h"
#include "ui/setup/TeacherClassMatchCtrl.h"
#include "ui/setup/TeacherClassMatchWnd.h"
#include "ui/setup/TeacherInfoGridCtrl.h"
#include "ui/setup/TeacherInfoWnd.h"

using namespace tabrel;
using namespace tabrel::ui;
using uitest::G;

namespace {

const char* const Subjects[] = {"语文", "数学", "英语", "物理", "体育"};
const int Lessons[] = {6, 6, 5, 4, 3};
constexpr int Classes = 12;
const char* const Family[] = {"王", "李", "张", "刘", "陈", "杨", "赵", "黄"};
const char* const Given[] = {"伟", "芳", "娜", "敏", "静"};

// Teacher t of the staff list: subject t / 8, a name of two characters.
QString teacherName(int t) { return QString::fromUtf8(Family[t % 8]) + QString::fromUtf8(Given[t / 8]); }
// Who teaches subject s in class i: the teachers of a subject take classes 0-7, then 0-3 again.
int teacherOf(int s, int i) { return s * 8 + i % 8; }

// Three grades of four classes, the five subjects with their lessons taken over into every class.
QString writeShape(const QTemporaryDir& dir)
{
    DataSet ds;
    ds.applyNewDocumentDefaults();
    ds.setGradeCount(3);
    const char* grades[] = {"初一", "初二", "初三"};
    for (int g = 0; g < 3; ++g) {
        ds.gradeNames[g] = G(grades[g]);
        ds.setClassCount(g, 4);
    }
    ds.renameClasses("(", ")");
    for (int s = 0; s < 5; ++s) {
        ds.findOrAppendSubject(G(Subjects[s]));
        for (int g = 0; g < 3; ++g)
            ds.subjects[s]->gradeLessons[g] = std::to_string(Lessons[s]);
    }
    takeOverLessonCounts(ds);
    const QString path = dir.filePath(QStringLiteral("学校.qtf"));
    saveDataFile(ds, path.toStdString());
    return path;
}

void pressMoveRelease(QWidget* w, const QPoint& from, const QPoint& to)
{
    QTest::mousePress(w, Qt::LeftButton, {}, from);
    for (int step = 1; step <= 4; ++step) {
        const QPoint p = from + (to - from) * step / 4;
        QMouseEvent move(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }
    QTest::mouseRelease(w, Qt::LeftButton, {}, to);
}

} // namespace

class TeacherFlowTest : public QObject {
    Q_OBJECT
private slots:
    void staffAssignmentScheduleAndTimetables()
    {
        uitest::ScriptedPrompter prompter;
        QTemporaryDir dir;
        const QString school = writeShape(dir);
        Application app;
        app.setProgramFolder({dir.path().toStdString(), false});
        Document doc(app);
        QVERIFY(doc.open(school.toStdString()).ok());
        MainFrame frame(app, doc);
        frame.resize(1280, 800);
        frame.show();
        QApplication::processEvents();
        QelvoView* view = frame.view();
        HomePageWnd* home = view->homePage();

        // 教师信息: one empty row to start with; the staff list goes in from its 教师名称 cell.
        QTest::mouseClick(home, Qt::LeftButton, {}, home->itemCentre(3));
        TeacherInfoWnd* page = view->teacherInfo();
        QCOMPARE(view->visibleWidget(), page);
        QCOMPARE(doc.dataSet().teachers.size(), std::size_t{1});
        TeacherInfoGridCtrl* grid = page->gridCtrl();
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(0, 1).center());
        QString staff;
        for (int t = 0; t < 40; ++t)
            staff += teacherName(t) + QStringLiteral("\t\t%1\t%2\t\r\n").arg(QString::fromUtf8(Subjects[t / 8])).arg(12);
        QApplication::clipboard()->setText(staff);
        QTest::mouseClick(page->button(QStringLiteral("数据粘贴")), Qt::LeftButton);
        QCOMPARE(doc.dataSet().teachers.size(), std::size_t{40});
        QCOMPARE(qs(doc.dataSet().teachers[39]->name), teacherName(39));
        QCOMPARE(doc.dataSet().teachers[39]->workload, 12);
        // The paste is one step: Ctrl+Z takes the whole list away, Ctrl+Y brings it back.
        QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(doc.dataSet().teachers.size(), std::size_t{1});
        QTest::keyClick(grid, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(doc.dataSet().teachers.size(), std::size_t{40});
        // A typed short name, ended with Tab, goes on into the next cell.
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(0, 2).center());
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(0, 2).center());
        QVERIFY(grid->editorOpen());
        grid->editor()->insert(QStringLiteral("老王")); // as an input method types it
        QTest::keyClick(grid->editor(), Qt::Key_Tab);
        QCOMPARE(qs(doc.dataSet().teachers[0]->shortName), QStringLiteral("老王"));
        QVERIFY(grid->editorOpen());
        QTest::keyClick(grid->editor(), Qt::Key_Escape);
        QTest::mouseClick(view->topMenu(), Qt::LeftButton, {}, view->topMenu()->buttonCentre(QStringLiteral("返回")));

        // 任课信息: a block for the first eleven classes, pasted at the first cell.
        QTest::mouseClick(home, Qt::LeftButton, {}, home->itemCentre(4));
        TeacherClassMatchWnd* match = view->teacherClassMatch();
        QCOMPARE(view->visibleWidget(), match);
        TeacherClassMatchCtrl* ctrl = match->control();
        QTest::mouseClick(ctrl, Qt::LeftButton, {}, ctrl->matrixPoint(1, 1));
        QString block;
        for (int i = 0; i < Classes - 1; ++i) {
            for (int s = 0; s < 5; ++s)
                block += (s ? QStringLiteral("\t") : QString()) + teacherName(teacherOf(s, i));
            block += QStringLiteral("\r\n");
        }
        QApplication::clipboard()->setText(block);
        QTest::mouseClick(match->button(QStringLiteral("数据粘贴")), Qt::LeftButton);
        const DataSet& ds = doc.dataSet();
        QCOMPARE(qs(ds.classAt(2, 2)->teacherForSubject(G("英语"))), teacherName(teacherOf(2, 10)));
        QCOMPARE(ds.classAt(2, 3)->teacherForSubject(G("语文")), std::string());
        // The last class: three names dragged from the teacher list, 物理 dragged from another
        // class's cell (the source keeps it), and 体育 typed: a name without a record.
        for (int s = 0; s < 3; ++s) {
            const int t = teacherOf(s, Classes - 1);
            pressMoveRelease(ctrl, ctrl->listPoint(t), ctrl->matrixPoint(Classes, s + 1));
        }
        pressMoveRelease(ctrl, ctrl->matrixPoint(4, 4), ctrl->matrixPoint(Classes, 4));
        QCOMPARE(qs(ds.classAt(0, 3)->teacherForSubject(G("物理"))), teacherName(teacherOf(3, 3)));
        QCOMPARE(qs(ds.classAt(2, 3)->teacherForSubject(G("物理"))), teacherName(teacherOf(3, 3)));
        QCOMPARE(qs(ds.classAt(2, 3)->teacherForSubject(G("数学"))), teacherName(teacherOf(1, 11)));
        // One click highlights the teacher's classes, the second opens the editor.
        QTest::mouseClick(ctrl, Qt::LeftButton, {}, ctrl->matrixPoint(Classes, 5));
        QTest::mouseClick(ctrl, Qt::LeftButton, {}, ctrl->matrixPoint(Classes, 5));
        QVERIFY(ctrl->editor()->isVisible());
        ctrl->editor()->insert(QStringLiteral("新老师"));
        QTest::keyClick(ctrl->editor(), Qt::Key_Return);
        QCOMPARE(qs(ds.classAt(2, 3)->teacherForSubject(G("体育"))), QStringLiteral("新老师"));
        // "数据清空" asks first; answering no keeps everything.
        QTest::mouseClick(match->button(QStringLiteral("数据清空")), Qt::LeftButton);
        QCOMPARE(prompter.questions.size(), 1);
        QCOMPARE(qs(ds.classAt(2, 3)->teacherForSubject(G("体育"))), QStringLiteral("新老师"));

        // "返回" names the teacher who has no record yet, then adds him.
        prompter.confirmAnswers.push_back(true);
        QTest::mouseClick(view->topMenu(), Qt::LeftButton, {}, view->topMenu()->buttonCentre(QStringLiteral("返回")));
        QCOMPARE(prompter.questions.size(), 2);
        QVERIFY(prompter.questions.last().contains(QStringLiteral("新老师")));
        QCOMPARE(doc.dataSet().teachers.size(), std::size_t{41});
        QCOMPARE(qs(doc.dataSet().teachers[40]->name), QStringLiteral("新老师"));
        QCOMPARE(qs(doc.dataSet().teachers[40]->taughtSubjects), QStringLiteral("体育"));

        // Save, reopen, and schedule automatically: every lesson finds its place.
        QTest::mouseClick(view->topMenu(), Qt::LeftButton, {}, view->topMenu()->buttonCentre(QStringLiteral("保存")));
        QVERIFY(frame.openDataFile(school));
        QCOMPARE(doc.dataSet().teachers.size(), std::size_t{41});
        QTest::mouseClick(home, Qt::LeftButton, {}, home->itemCentre(6));
        PaikeRunWnd* run = view->paikeRun();
        QCOMPARE(view->visibleWidget(), run);
        QTest::mouseClick(run->startButton(), Qt::LeftButton);
        QCOMPARE(run->summaryTable()->rowCount(), Classes);
        for (int r = 0; r < Classes; ++r)
            QCOMPARE(run->summaryTable()->item(r, 2)->text(), QStringLiteral("24"));
        for (int g = 0; g < 3; ++g)
            for (int c = 0; c < 4; ++c) {
                int placed = 0;
                const ClassTable& k = *doc.dataSet().classAt(g, c);
                for (int p = 0; p < doc.dataSet().periodsPerDay(); ++p)
                    for (int d = 0; d < doc.dataSet().dayCount(); ++d)
                        placed += !k.cells[p][d].subject.empty() && k.cells[p][d].subject != "empty";
                QCOMPARE(placed, 24);
            }

        // Both timetable panels show the result.
        view->runButton(QStringLiteral("返回"));
        QVERIFY(view->openPanel(QStringLiteral("班级课程表")));
        view->classFrame()->list()->viewport()->repaint();
        QVERIFY(!view->classFrame()->list()->picture().isNull());
        view->runButton(QStringLiteral("返回"));
        QVERIFY(view->openPanel(QStringLiteral("教师课程表")));
        view->teacherFrame()->list()->viewport()->repaint();
        QVERIFY(!view->teacherFrame()->list()->picture().isNull());
    }
};

QTEST_MAIN(TeacherFlowTest)
#include "TeacherFlowTest.moc"
