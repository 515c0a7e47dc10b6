// The subjects panel used with the mouse and keyboard: a catalogue pasted into the quick import,
// a lesson count typed into the grid, the rule buttons copying one subject's rules onto another,
// a rule clicked in the preset window, and "返回" giving every class its plan.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/Application.h"
#include "app/Document.h"
#include "app/UndoStack.h"
#include "ui/widgets/UiText.h"
#include "setup/KmGrid.h"
#include "setup/SubjectRulePreset.h"
#include "ui/widgets/GridCtrl.h"
#include "ui/app/MainFrame.h"
#include "ui/app/QelvoView.h"
#include "ui/setup/KmGridCtrl.h"
#include "ui/setup/KmSetWnd.h"
#include "ui/setup/PaikeRuleGridWnd.h"
#include "ui/setup/SubjectImportDlg.h"
#include "ui/setup/SubjectRulePresetDlg.h"
#include "ui/UiTestSupport.h"

using namespace tabrel;
using namespace tabrel::ui;
using uitest::G;

namespace {
QPoint centreOf(const Rect& r)
{
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}
} // namespace

class SubjectsPanelTest : public QObject {
    Q_OBJECT
private slots:
    void pasteTypeCopyRulesAndReturn()
    {
        uitest::ScriptedPrompter prompter;
        QTemporaryDir dir;
        const QString school = dir.filePath(QStringLiteral("school.qtf"));
        uitest::writeSchool(school, 2);
        Application app;
        Document doc(app);
        QVERIFY(doc.open(school.toStdString()).ok());
        MainFrame frame(app, doc);
        frame.resize(1280, 800);
        frame.show();
        QelvoView* view = frame.view();
        QVERIFY(view->openPanel(QStringLiteral("科目管理")));
        KmSetWnd* panel = view->kmSet();
        KmGridCtrl* grid = panel->gridCtrl();
        DataSet& ds = doc.dataSet();

        // The quick import refuses an empty grid, then takes the pasted catalogue.
        {
            SubjectImportDlg dlg(panel, doc);
            dlg.show();
            dlg.accept();
            QCOMPARE(prompter.messages.value(0), QStringLiteral("请复制数据后，再确定"));
            QVERIFY(dlg.isVisible());
            QApplication::clipboard()->setText(QStringLiteral("语文\t6\t6\n数学\t6\t0\n体育\t3\t3\n"));
            dlg.grid()->setFocus();
            QTest::keyClick(dlg.grid(), Qt::Key_V, Qt::ControlModifier);
            dlg.accept();
        }
        QCOMPARE(ds.subjects.size(), std::size_t(3));
        QCOMPARE(ds.subjects[1]->gradeLessons[1], std::string());
        panel->reload();

        // Typing a count into 数学 / 初二.
        KmGrid& model = panel->model();
        const int gradeColumn = 3;
        const QPoint cell = centreOf(model.cellRect(ds, 1, gradeColumn));
        QTest::mouseClick(grid, Qt::LeftButton, {}, cell);
        QVERIFY(grid->editor()->isVisible());
        grid->editor()->setText(QStringLiteral("5.1"));
        QTest::keyClick(grid->editor(), Qt::Key_Return);
        QCOMPARE(ds.subjects[1]->gradeLessons[1], std::string("5.1"));

        // 体育: 不排 on 第1节 of 星期一 with the whole school in scope, through the preset window.
        {
            SubjectRulePresetDlg dlg(panel, doc, 2);
            dlg.show();
            dlg.gridWnd()->resize(600, 400);
            const Rect slot = dlg.model().grid().slotRect(ds, 0, 0);
            for (int i = 0; i < 3; ++i)
                QTest::mouseClick(dlg.gridWnd(), Qt::LeftButton, {}, centreOf(slot));
            QCOMPARE(ClassTable::cellRule(ds.classAt(1, 1)->cells[0][0], G("体育")), G("不排"));
            QCOMPARE(dlg.summary(), G("星期一第1节（不排）"));
        }

        // The rule buttons: copy from 体育, paste on 语文.
        const int rules = static_cast<int>(model.columns(ds).size()) - 1;
        auto clickButton = [&](int subject, KmGrid::Button b) {
            QTest::mouseClick(grid, Qt::LeftButton, {}, centreOf(model.cellRect(ds, subject, rules)));
            QVERIFY(model.buttonsShown());
            QTest::mouseClick(grid, Qt::LeftButton, {}, centreOf(model.buttonRect(ds, b)));
            QVERIFY(!model.buttonsShown());
        };
        clickButton(2, KmGrid::Button::Copy);
        clickButton(0, KmGrid::Button::Paste);
        QCOMPARE(ClassTable::cellRule(ds.classAt(0, 0)->cells[0][0], G("语文")), G("不排"));

        // "返回": every class gets its plan; the plan rows of subjects no longer listed go, and
        // the message names them.
        view->runButton(QStringLiteral("返回"));
        const ClassTable& second = *ds.classAt(1, 0);
        QCOMPARE(second.assignments.size(), std::size_t(3));
        QCOMPARE(second.assignments[1]->weeklyLessons, 5);
        QCOMPARE(second.assignments[1]->doubleCount, 1);
        QCOMPARE(ds.classAt(0, 0)->assignments.size(), std::size_t(3));
        QVERIFY(prompter.messages.size() == 2 && prompter.messages[1].contains(QStringLiteral("英语")));

        // Every change was one step: undoing walks back through them to the school as opened.
        UndoStack& stack = doc.undoStack();
        QStringList steps;
        while (stack.canUndo()) {
            steps << qs(stack.undoText());
            stack.undo();
        }
        QCOMPARE(steps, QStringList({QStringLiteral("撤销：科目课时转入教学计划"), QStringLiteral("撤销：粘贴设置"),
                                     QStringLiteral("撤销：课节设置：不排"), QStringLiteral("撤销：课节设置：一定排"),
                                     QStringLiteral("撤销：课节设置：尽量排"), QStringLiteral("撤销：修改科目"),
                                     QStringLiteral("撤销：快速导入科目")}));
        QCOMPARE(ds.subjects.size(), std::size_t(uitest::SubjectCount));
        QCOMPARE(ds.classAt(1, 0)->assignments.size(), std::size_t(uitest::SubjectCount));
        QVERIFY(ds.classAt(0, 0)->cells[0][0].subjectRules.empty());
    }
};

QTEST_MAIN(SubjectsPanelTest)
#include "SubjectsPanelTest.moc"
