// The main window: panel switching by name, the refusals, the top menu's commands, the title and
// files dropped on the window.
#include <QApplication>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "app/Application.h"
#include "app/Document.h"
#include "data/DataFile.h"
#include "data/DataSet.h"
#include "ui/app/HomePageWnd.h"
#include "ui/app/MainFrame.h"
#include "ui/setup/ClassManageWnd.h"
#include "ui/app/QelvoView.h"
#include "ui/app/TopMenuWnd.h"
#include "ui/output/TimetableFrameWnd.h"
#include "ui/scheduling/PaikeRunWnd.h"
#include "ui/manual/ClassTableTiaoKeWnd.h"
#include "ui/manual/PaikeTiaokeWnd.h"
#include <QTableWidget>
#include "ui/UiTestSupport.h"

using namespace tabrel;
using namespace tabrel::ui;
using tabrel::uitest::ScriptedPrompter;

namespace {
struct Program {
    QTemporaryDir dir;
    Application app;
    Document doc{app};
    std::unique_ptr<MainFrame> frame;
    explicit Program(bool newSchedule = true)
    {
        app.setProgramFolder({dir.path().toStdString(), false});
        if (newSchedule)
            doc.newSchedule();
        frame = std::make_unique<MainFrame>(app, doc);
        frame->resize(1200, 800);
        frame->show();
        QApplication::processEvents();
    }
    QelvoView* view() const { return frame->view(); }
    void clickMenu(const QString& text)
    {
        const QPoint p = view()->topMenu()->buttonCentre(text);
        QVERIFY2(p.x() >= 0, qPrintable(text));
        QTest::mouseClick(view()->topMenu(), Qt::LeftButton, {}, p);
    }
};
} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT
private slots:
    // After any change nothing is lost unasked: "关闭", the window's close box and a dropped file
    // ask "文件已修改，是否保存?"; 取消 keeps everything, 保存 saves first, 不保存 goes on.
    void unsavedChangesAreNeverLostSilently()
    {
        ScriptedPrompter prompter;
        Program p;
        const QString title = p.frame->windowTitle();
        QVERIFY(!title.endsWith(QStringLiteral(" *")));
        p.doc.undoStack().push("edit", [](DataSet& ds) { return ds.appendGrade() > 0; });
        QVERIFY(p.frame->windowTitle().endsWith(QStringLiteral(" *")));

        using Choice = Prompter::SaveChoice;
        prompter.saveChoices = {Choice::Cancel};
        p.clickMenu(QStringLiteral("关闭"));
        QVERIFY(p.frame->isVisible());
        QCOMPARE(prompter.questions, QStringList{QString::fromUtf8(Document::SaveQuestion())});
        QVERIFY(!p.frame->close());

        // A dropped file: cancelled, the school stays.
        const QString other = p.dir.filePath(QStringLiteral("other.qtf"));
        QVERIFY(saveDataFile(DataSet(), other.toStdString()).ok());
        prompter.saveChoices = {Choice::Cancel};
        QVERIFY(!p.frame->openDataFile(other));
        QCOMPARE(p.doc.dataSet().grades.size(), std::size_t{1});

        // 保存 with a name: saved, then closed.
        const QString saved = p.dir.filePath(QStringLiteral("saved.qtf"));
        prompter.saveChoices = {Choice::Save};
        prompter.saveAnswers = {saved};
        QVERIFY(p.frame->close());
        QVERIFY(QFile::exists(saved));
        QVERIFY(!p.doc.isModified());

        // 不保存: closed without writing.
        Program q;
        q.doc.undoStack().push("edit", [](DataSet& ds) { return ds.appendGrade() > 0; });
        prompter.saveChoices = {Choice::Discard};
        const int dialogs = prompter.saveDialogs;
        QVERIFY(q.frame->close());
        QCOMPARE(prompter.saveDialogs, dialogs);
        // Nothing changed: "关闭" asks only whether to quit.
        Program r;
        prompter.questions.clear();
        prompter.confirmAnswers = {false};
        r.clickMenu(QStringLiteral("关闭"));
        QCOMPARE(prompter.questions, QStringList{QStringLiteral("是否真的退出应用程序?")});
        QVERIFY(r.frame->isVisible());
    }

    // A problem of the check, activated in the run page's list, opens manual scheduling on its class.
    void aProblemOpensManualSchedulingOnItsClass()
    {
        ScriptedPrompter prompter;
        Program p;
        DataSet& ds = p.doc.dataSet();
        ds.setGradeCount(2);
        ds.setClassCount(0, 1);
        ds.setClassCount(1, 2);
        ds.classAt(1, 1)->name = gbk::literal("初二(2)");
        auto* a = ds.classAt(1, 1)->appendAssignment();
        a->subject = gbk::literal("语文");
        a->weeklyLessons = 3;
        p.app.loadedFromFile = true;
        QVERIFY(p.view()->openPanel(PanelId::AutoPaike));
        PaikeRunWnd* run = p.view()->paikeRun();
        QCOMPARE(run->problemTable()->rowCount(), 1); // 语文: 3 lessons still to place
        emit run->problemTable()->cellActivated(0, 0);
        QCOMPARE(p.view()->visibleWidget(), p.view()->panel(PanelId::ManualPaike));
        const auto& view = p.view()->paikeTiaoke()->classView()->view();
        QCOMPARE(view.currentClass(ds), ds.classAt(1, 1));
    }

    void automaticSchedulingIsRefusedForANewSchedule()
    {
        ScriptedPrompter prompter;
        Program p;
        QVERIFY(!p.view()->openPanel(QStringLiteral("自动排课")));
        QCOMPARE(prompter.messages, QStringList{QStringLiteral("请保存数据后，再打开，再自动排课")});
        QCOMPARE(p.view()->visibleWidget(), p.view()->homePage());
        QVERIFY(p.view()->topMenu()->buttonCentre(QStringLiteral("关闭")).x() >= 0);

        // Once saved, the school counts as read: no reopening is needed.
        prompter.saveAnswers.push_back(p.dir.filePath(QStringLiteral("new.qtf")));
        p.clickMenu(QStringLiteral("保存"));
        QCOMPARE(prompter.saveDialogs, 1);
        QVERIFY(p.view()->openPanel(QStringLiteral("自动排课")));
    }

    void panelsSwitchByNameAndBackReturnsHome()
    {
        ScriptedPrompter prompter;
        Program p;
        QVERIFY(p.view()->openPanel(QStringLiteral("任课信息")));
        QCOMPARE(p.view()->visibleWidget(), p.view()->panel(PanelId::Assignments));
        QVERIFY(p.view()->topMenu()->buttonCentre(QStringLiteral("返回")).x() >= 0);
        QCOMPARE(p.view()->topMenu()->buttonCentre(QStringLiteral("关闭")).x(), -1);

        QVERIFY(p.view()->openPanel(QStringLiteral("总课程表")));
        QVERIFY(p.view()->topMenu()->buttonCentre(QStringLiteral("清空")).x() >= 0);

        // The home page's "场室课程表" opens the venue timetables.
        QVERIFY(p.view()->openPanel(QStringLiteral("场室课程表")));
        QCOMPARE(p.view()->visibleWidget(), p.view()->panel(PanelId::VenueTimetable));
        QVERIFY(p.view()->openPanel(QStringLiteral("总课程表")));

        // A name without a panel leaves the visible panel as it is.
        QWidget* before = p.view()->visibleWidget();
        QVERIFY(!p.view()->openPanel(QStringLiteral("没有这个面板")));
        QCOMPARE(p.view()->visibleWidget(), before);

        p.clickMenu(QStringLiteral("返回"));
        QCOMPARE(p.view()->visibleWidget(), p.view()->homePage());
        QVERIFY(p.view()->topMenu()->buttonCentre(QStringLiteral("关于")).x() >= 0);
        p.clickMenu(QStringLiteral("关于"));
        QCOMPARE(prompter.abouts, 1);
        QVERIFY(prompter.messages.isEmpty());
    }

    void homeStepsOpenOnlyWhatTheDataAllows()
    {
        ScriptedPrompter prompter;
        Program p;
        HomePageWnd* home = p.view()->homePage();
        // Step 2 is not available in a new schedule: a click does nothing.
        QTest::mouseClick(home, Qt::LeftButton, {}, home->itemCentre(1));
        QCOMPARE(p.view()->visibleWidget(), home);
        QTest::mouseClick(home, Qt::LeftButton, {}, home->itemCentre(0));
        QCOMPARE(p.view()->visibleWidget(), static_cast<QWidget*>(p.view()->classManage()));
        // The trace file is written in the program folder.
        QFile trace(p.dir.filePath(QStringLiteral("debug.txt")));
        QVERIFY(trace.open(QIODevice::ReadOnly));
        const QByteArray lines = trace.readAll();
        QVERIFY(lines.startsWith("CHomePageWnd::OnInitDialog\n"));
        QVERIFY(lines.contains("CHomePageWnd::OnPaint\n"));
    }

    void saveOfANewFileAsksForANameOnceAndTheTitleFollows()
    {
        ScriptedPrompter prompter;
        Program p;
        QVERIFY(p.frame->windowTitle().endsWith(QStringLiteral(" 文件: 新文件")));
        p.clickMenu(QStringLiteral("保存"));
        QCOMPARE(prompter.saveDialogs, 1); // cancelled: nothing changes
        QVERIFY(p.doc.isNewFile());

        const QString target = p.dir.filePath(QStringLiteral("学校.qtf"));
        prompter.saveAnswers.push_back(target);
        p.clickMenu(QStringLiteral("保存"));
        QCOMPARE(prompter.saveDialogs, 2);
        QVERIFY(QFile::exists(target));
        QCOMPARE(p.frame->windowTitle(), QStringLiteral("Tabrel排课 文件: ") + target);
        p.clickMenu(QStringLiteral("保存"));
        QCOMPARE(prompter.saveDialogs, 2);

        // A folder that cannot be written is reported.
        prompter.saveAnswers.push_back(p.dir.filePath(QStringLiteral("no/such/folder/x.qtf")));
        p.clickMenu(QStringLiteral("另存为"));
        QCOMPARE(prompter.messages.size(), 1);
        QVERIFY(prompter.messages[0].startsWith(QStringLiteral("保存失败")));
    }

    void closeAsksFirst()
    {
        ScriptedPrompter prompter;
        Program p;
        prompter.confirmAnswers = {false, true};
        p.clickMenu(QStringLiteral("关闭"));
        QCOMPARE(prompter.questions, QStringList{QStringLiteral("是否真的退出应用程序?")});
        QVERIFY(p.frame->isVisible());
        p.clickMenu(QStringLiteral("关闭"));
        QVERIFY(!p.frame->isVisible());
    }

    // A dropped file replaces the data set; nothing of the old school stays, and every panel
    // follows the new one.
    void aDroppedFileReplacesTheSchool()
    {
        ScriptedPrompter prompter;
        Program p;
        const QString one = p.dir.filePath(QStringLiteral("one.qtf"));
        const QString two = p.dir.filePath(QStringLiteral("two.qtf"));
        uitest::writeSchool(one, 1);
        uitest::writeSchool(two, 2);
        QVERIFY(p.frame->openDataFile(two));
        QVERIFY(p.view()->openPanel(QStringLiteral("班级课程表")));
        QCOMPARE(p.view()->classFrame()->classModel().classPanel.classList.size(), std::size_t(4));
        p.clickMenu(QStringLiteral("返回"));

        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(one)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(p.frame.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(p.frame.get(), &drop);
        QCOMPARE(p.doc.dataSet().grades.size(), std::size_t(1));
        QCOMPARE(p.doc.dataSet().teachers.size(), std::size_t(10));
        QVERIFY(p.frame->windowTitle().endsWith(one));
        QVERIFY(p.view()->openPanel(QStringLiteral("班级课程表")));
        QCOMPARE(p.view()->classFrame()->classModel().classPanel.classList.size(), std::size_t(2));
        QVERIFY(p.view()->openPanel(QStringLiteral("教师课程表")));
        QCOMPARE(p.view()->teacherFrame()->teacherModel().teacherPanel.pDataSet, &p.doc.dataSet());

        // A file that is not a data file is refused and the school stays.
        const QString junk = p.dir.filePath(QStringLiteral("junk.qtf"));
        QFile f(junk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(3, '\x01'));
        f.close();
        QVERIFY(!p.frame->openDataFile(junk));
        QCOMPARE(prompter.messages.size(), 1);
        QCOMPARE(p.doc.dataSet().grades.size(), std::size_t(1));
    }
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
