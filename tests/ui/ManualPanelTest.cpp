// The "手动排课" panel driven as a user drives it: clicks that open the placement menus, the label
// keys over the hover box, drags onto "√" and "╳" cells, the switch to the teacher view and its
// own menus, keys and drags, and "清空数据" with both answers.
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "app/Application.h"
#include "app/Document.h"
#include "app/UndoStack.h"
#include "data/DataFile.h"
#include "ui/app/MainFrame.h"
#include "ui/app/QelvoView.h"
#include "ui/manual/ClassTableTiaoKeWnd.h"
#include "ui/manual/ManualCanvasWnd.h"
#include "ui/manual/PaikeTiaokeWnd.h"
#include "ui/manual/TeacherPaikeWnd.h"
#include "ui/scheduling/PaikeRunWnd.h"
#include "ui/UiTestSupport.h"

using namespace tabrel;
using namespace tabrel::ui;
using manual::Slot;
using uitest::G;

namespace {

// Chooses the entry of the next popup menu whose text starts with `prefix`; records the entries.
void chooseInNextMenu(const QString& prefix, QStringList* seen = nullptr)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, prefix, seen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        timer->stop();
        timer->deleteLater();
        for (QAction* a : menu->actions()) {
            if (seen)
                *seen << a->text() + (a->isEnabled() ? QString() : QStringLiteral(" (off)"));
            if (a->text().startsWith(prefix) && a->isEnabled()) {
                menu->setActiveAction(a);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close();
    });
    timer->start();
}

template <class ViewWnd>
QPoint centre(ViewWnd* v, Slot s)
{
    const Rect r = v->layout().grid.cell(s.period, s.day);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

template <class ViewWnd>
void drag(ViewWnd* v, Slot from, Slot to)
{
    QWidget* c = v->canvas();
    QTest::mousePress(c, Qt::LeftButton, {}, centre(v, from));
    QMouseEvent move(QEvent::MouseMove, QPointF(centre(v, to)), QPointF(c->mapToGlobal(centre(v, to))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(c, &move);
    QTest::mouseRelease(c, Qt::LeftButton, {}, centre(v, to));
}

template <class ViewWnd>
void hoverOver(ViewWnd* v, Slot s)
{
    QTest::mouseMove(v->canvas(), centre(v, s));
    QMouseEvent move(QEvent::MouseMove, QPointF(centre(v, s)), QPointF(v->canvas()->mapToGlobal(centre(v, s))),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(v->canvas(), &move);
}

} // namespace

class ManualPanelTest : public QObject {
    Q_OBJECT
private slots:
    void classAndTeacherViews()
    {
        uitest::ScriptedPrompter prompter;
        QTemporaryDir dir;
        const QString school = dir.filePath(QStringLiteral("school.qtf"));
        uitest::writeSchool(school, 1);
        Application app;
        Document doc(app);
        QVERIFY(doc.open(school.toStdString()).ok());
        MainFrame frame(app, doc);
        frame.resize(1280, 800);
        frame.show();
        QApplication::processEvents();
        QelvoView* view = frame.view();
        QVERIFY(view->openPanel(QStringLiteral("自动排课")));
        view->paikeRun()->startRun();
        view->runButton(QStringLiteral("返回"));
        QVERIFY(view->openPanel(QStringLiteral("手动排课")));
        PaikeTiaokeWnd* panel = view->paikeTiaoke();
        ClassTableTiaoKeWnd* cv = panel->classView();
        DataSet& ds = doc.dataSet();
        ClassTable& c = *ds.classAt(0, 0);
        QCOMPARE(cv->list()->count(), 2);
        std::string scheduled;
        QVERIFY(encodeDataFile(ds, scheduled).ok());
        const std::size_t stepsBefore = doc.undoStack().index();
        const std::string first = c.cells[0][0].subject;
        const std::string teacher = c.cells[0][0].teacher;
        QVERIFY(!first.empty());

        // A click on a lesson: "[空白]" empties it, and the teacher loses the lesson at once.
        QStringList entries;
        chooseInNextMenu(QStringLiteral("[空白]"), &entries);
        QTest::mouseClick(cv->canvas(), Qt::LeftButton, {}, centre(cv, {0, 0}));
        QCOMPARE(entries.value(0), QStringLiteral("[空白]"));
        QVERIFY(c.cells[0][0].subject.empty());
        QVERIFY(ds.findTeacher(teacher)->slotSubject[0][0].empty());

        // The hover box lists the lesson that is now missing; its label key places it again.
        hoverOver(cv, {0, 0});
        QCOMPARE(cv->view().reportLines().size(), std::size_t(3));
        QTest::keyClick(cv->canvas(), Qt::Key_1);
        QCOMPARE(c.cells[0][0].subject, first);
        QCOMPARE(ds.findTeacher(teacher)->slotSubject[0][0], first);

        // Empty it again, then place it from the menu.
        chooseInNextMenu(QStringLiteral("[空白]"));
        QTest::mouseClick(cv->canvas(), Qt::LeftButton, {}, centre(cv, {0, 0}));
        entries.clear();
        chooseInNextMenu(QString::fromStdString(gbk::toUtf8(first)), &entries);
        QTest::mouseClick(cv->canvas(), Qt::LeftButton, {}, centre(cv, {0, 0}));
        QCOMPARE(entries.size(), 1);
        QCOMPARE(c.cells[0][0].subject, first);
        // Every step undoes and redoes; the teacher's week follows.
        view->action(MenuButton::Undo)->trigger();
        QVERIFY(c.cells[0][0].subject.empty());
        QVERIFY(ds.findTeacher(teacher)->slotSubject[0][0].empty());
        view->action(MenuButton::Redo)->trigger();
        QCOMPARE(c.cells[0][0].subject, first);
        QCOMPARE(ds.findTeacher(teacher)->slotSubject[0][0], first);

        // Swap mode: a drop on a "╳" cell (the same subject) changes nothing, one on a "√" swaps.
        QTest::mouseClick(cv->swapButton(), Qt::LeftButton);
        QCOMPARE(cv->view().mode(), manual::ClassTableTiaoKe::Swap);
        Slot cross, good;
        cv->view().pickSwapSource(ds, {0, 0});
        for (int p = 0; p < 7; ++p)
            for (int d = 0; d < 5; ++d) {
                if (!cross.valid() && c.cells[p][d].mark == G("╳"))
                    cross = {p, d};
                if (!good.valid() && c.cells[p][d].mark == G("√"))
                    good = {p, d};
            }
        QVERIFY(cross.valid() && good.valid());
        drag(cv, {0, 0}, cross);
        QCOMPARE(c.cells[0][0].subject, first);
        const std::string other = c.cells[good.period][good.day].subject;
        drag(cv, {0, 0}, good);
        QCOMPARE(c.cells[good.period][good.day].subject, first);
        QCOMPARE(c.cells[0][0].subject, other);
        QVERIFY(!cv->view().swapPending());
        // Escape drops a pending source.
        QTest::mouseClick(cv->canvas(), Qt::LeftButton, {}, centre(cv, {1, 1}));
        QVERIFY(cv->view().swapPending());
        QTest::keyClick(cv->canvas(), Qt::Key_Escape);
        QVERIFY(!cv->view().swapPending());
        QTest::mouseClick(cv->placementButton(), Qt::LeftButton);

        // The teacher view: the teacher's lesson slot offers "[空白]", the freed slot its lesson by key.
        QTest::mouseClick(cv->switchLabel(), Qt::LeftButton);
        QVERIFY(panel->showingTeachers());
        TeacherPaikeWnd* tv = panel->teacherView();
        QCOMPARE(tv->list()->item(0)->text(), QStringLiteral("语文-王初一1"));
        TeacherInfoRecord& wang = *ds.teachers[0];
        Slot lesson;
        for (int p = 0; p < 7 && !lesson.valid(); ++p)
            for (int d = 0; d < 5 && !lesson.valid(); ++d)
                if (!wang.slotSubject[p][d].empty())
                    lesson = {p, d};
        QVERIFY(lesson.valid());
        hoverOver(tv, lesson);
        QVERIFY(tv->view().currentClass(ds) == &c);
        entries.clear();
        chooseInNextMenu(QStringLiteral("[空白]"), &entries);
        QTest::mouseClick(tv->canvas(), Qt::LeftButton, {}, centre(tv, lesson));
        QCOMPARE(entries, QStringList{QStringLiteral("[空白]")});
        QVERIFY(wang.slotSubject[lesson.period][lesson.day].empty());
        QVERIFY(c.cells[lesson.period][lesson.day].subject.empty());
        QVERIFY(!tv->view().candidates(lesson).empty());
        hoverOver(tv, {lesson.period, (lesson.day + 1) % 5});
        hoverOver(tv, lesson);
        QCOMPARE(tv->view().reportLines().size(), std::size_t(2));
        QTest::keyClick(tv->canvas(), Qt::Key_1);
        QCOMPARE(c.cells[lesson.period][lesson.day].subject, G("语文"));

        // A drag of the teacher's lesson onto a slot where the teacher already teaches changes nothing.
        QTest::mouseClick(tv->swapButton(), Qt::LeftButton);
        Slot busy;
        for (int p = 0; p < 7 && !busy.valid(); ++p)
            for (int d = 0; d < 5 && !busy.valid(); ++d)
                if (!wang.slotSubject[p][d].empty() && Slot{p, d} != lesson)
                    busy = {p, d};
        drag(tv, lesson, busy);
        QCOMPARE(c.cells[lesson.period][lesson.day].subject, G("语文"));

        // "清空数据": Cancel keeps everything, OK empties the teacher's lessons.
        prompter.confirmAnswers = {false, true};
        QTest::mouseClick(tv->clearButton(), Qt::LeftButton);
        QVERIFY(!wang.lessons.empty());
        QTest::mouseClick(tv->clearButton(), Qt::LeftButton);
        QVERIFY(wang.lessons.empty());
        QCOMPARE(prompter.questions.value(0), QStringLiteral("是否真的清所有数据?"));
        QTest::mouseClick(tv->switchLabel(), Qt::LeftButton);
        QVERIFY(!panel->showingTeachers());

        // Undoing every step of the panel gives back the school as the automatic run left it.
        QVERIFY(doc.undoStack().index() >= stepsBefore + 8);
        while (doc.undoStack().index() > stepsBefore)
            view->action(MenuButton::Undo)->trigger();
        std::string back;
        QVERIFY(encodeDataFile(ds, back).ok());
        QVERIFY(back == scheduled);
        QVERIFY(!wang.lessons.empty());
    }
};

QTEST_MAIN(ManualPanelTest)
#include "ManualPanelTest.moc"
