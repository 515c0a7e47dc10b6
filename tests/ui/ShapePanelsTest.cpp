// A new user describes a school with mouse and keyboard alone: from "新建排课" three grades of eight
// classes, six days, early reading, four morning and four afternoon periods with times filled
// forward from 7:30, a 课间操 row and a 自习 common period for one grade; saved and reopened
// identical; every step undone back to the new schedule and redone to the end.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/Application.h"
#include "app/Document.h"
#include "app/UndoStack.h"
#include "ui/app/HomePageWnd.h"
#include "ui/app/MainFrame.h"
#include "ui/app/QelvoView.h"
#include "ui/setup/ClassGridDefWnd.h"
#include "ui/setup/ClassManageWnd.h"
#include "ui/setup/GridEntryDlg.h"
#include "ui/setup/InsertCommonRowDlg.h"
#include "ui/setup/PeriodTimeDlg.h"
#include "ui/setup/TeachingDaysDlg.h"
#include "ui/setup/TimeGridBoxWnd.h"
#include "ui/widgets/GridCtrl.h"
#include "ui/widgets/LeftMenuWnd.h"
#include "ui/widgets/ScopeTreeWnd.h"
#include "ui/UiTestSupport.h"

using namespace tabrel;
using namespace tabrel::ui;
using uitest::G;

namespace {
// Runs `act` on the next modal dialog or popup menu once it is up (the gesture that opens it
// follows this call).
void whenUp(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(10, [act] {
        QWidget* w = QApplication::activePopupWidget();
        if (!w)
            w = QApplication::activeModalWidget();
        if (w)
            act(w);
        else
            whenUp(act);
    });
}

void clickOk(QWidget* dlg)
{
    QTest::mouseClick(dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

std::string bytes(const DataSet& ds)
{
    std::string out;
    encodeDataFile(ds, out);
    return out;
}

QPoint centre(const Rect& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
} // namespace

class ShapePanelsTest : public QObject {
    Q_OBJECT
private slots:
    void describeASchoolFromNothing()
    {
        uitest::ScriptedPrompter prompter;
        QTemporaryDir dir;
        Application app;
        app.setProgramFolder({dir.path().toStdString(), false});
        Document doc(app);
        doc.newSchedule();
        const std::string fresh = bytes(doc.dataSet());
        MainFrame frame(app, doc);
        frame.resize(1280, 800);
        frame.show();
        QApplication::processEvents();
        QelvoView* view = frame.view();
        const DataSet& ds = doc.dataSet();

        // 班级管理: the hint's "点击此处", a pasted table, OK.
        QVERIFY(view->openPanel(QStringLiteral("班级管理")));
        ClassManageWnd* cm = view->classManage();
        QApplication::processEvents();
        const auto hint = ClassManagePage::layout(ds, cm->drawArea()->width(), cm->drawArea()->parentWidget()->height());
        QVERIFY(hint.empty);
        QApplication::clipboard()->setText(QStringLiteral("初一\t8\n初二\t8\n初三\t8\n\t\n"));
        whenUp([](QWidget* w) {
            auto* dlg = qobject_cast<GridEntryDlg*>(w);
            QVERIFY(dlg);
            QTest::keyClick(dlg->gridCtrl(), Qt::Key_V, Qt::ControlModifier);
            clickOk(dlg);
        });
        QTest::mouseClick(cm->drawArea(), Qt::LeftButton, {}, centre(hint.hintClick));
        QCOMPARE(int(ds.grades.size()), 3);
        QCOMPARE(ds.classCount(2), 8);
        QCOMPARE(QString::fromStdString(gbk::toUtf8(ds.classAt(1, 7)->name)), QStringLiteral("初二(8)"));

        // "删除年级" answered with Cancel leaves the school and the undo stack as they were.
        const auto l = ClassManagePage::layout(ds, cm->drawArea()->width(), 600);
        QTest::mouseClick(cm->drawArea(), Qt::LeftButton, {}, centre(l.items[0].rect));
        QTest::keyClick(cm->editField(), Qt::Key_Escape);
        prompter.confirmAnswers = {false};
        QTest::mouseClick(cm->leftMenu(), Qt::LeftButton, {}, cm->leftMenu()->rowCentre(QStringLiteral("删除年级")));
        QCOMPARE(prompter.questions.size(), 1);
        QCOMPARE(int(ds.grades.size()), 3);
        QCOMPARE(int(doc.undoStack().count()), 1);
        QTest::mouseClick(cm->leftMenu(), Qt::LeftButton, {}, cm->leftMenu()->homeCentre());
        QCOMPARE(view->visibleWidget(), static_cast<QWidget*>(view->homePage()));

        // 课时安排: six days, one early-reading and four afternoon periods.
        QVERIFY(view->openPanel(QStringLiteral("课时安排")));
        ClassGridDefWnd* cg = view->classGridDef();
        TimeGridBoxWnd* box = cg->box();
        whenUp([](QWidget* w) {
            auto* dlg = qobject_cast<TeachingDaysDlg*>(w);
            QVERIFY(dlg);
            dlg->box(5)->setFocus();
            QTest::keyClick(dlg->box(5), Qt::Key_Space);
            dlg->close();
        });
        QTest::mouseClick(box, Qt::LeftButton, {}, box->targetCentre(TimeGridBox::Target::ChangeDays));
        QCOMPARE(ds.dayCount(), 6);
        QTest::mouseClick(box, Qt::LeftButton, {}, box->targetCentre(TimeGridBox::Target::Up, DaySection::EarlyReading));
        QTest::mouseClick(box, Qt::LeftButton, {}, box->targetCentre(TimeGridBox::Target::Up, DaySection::Afternoon));
        QCOMPARE(ds.periodsPerDay(), 9);

        // "公共时段...": 课间操 before 第2节, the third position, chosen as it opens.
        whenUp([](QWidget* w) {
            auto* dlg = qobject_cast<InsertCommonRowDlg*>(w);
            QVERIFY(dlg);
            QCOMPARE(dlg->positionBox()->currentText(), QStringLiteral("第2节之前"));
            clickOk(dlg);
        });
        QTest::mouseClick(box, Qt::LeftButton, {}, box->targetCentre(TimeGridBox::Target::CommonPeriods));
        QCOMPARE(QString::fromStdString(gbk::toUtf8(ds.commonRowNames[2])), QStringLiteral("课间操"));

        // "节次时间...": 7:30 typed into the first start cell and filled forward.
        whenUp([](QWidget* w) {
            auto* dlg = qobject_cast<PeriodTimeDlg*>(w);
            QVERIFY(dlg);
            dlg->grid()->setCurrentCell(0, 1);
            dlg->grid()->item(0, 1)->setText(QStringLiteral("7:30"));
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("fillForward")), Qt::LeftButton);
            clickOk(dlg);
        });
        QTest::mouseClick(box, Qt::LeftButton, {}, box->targetCentre(TimeGridBox::Target::PeriodTimes));
        QCOMPARE(ds.periodEnds[0], std::string("8:10"));
        QCOMPARE(ds.commonRowStarts[2] + "-" + ds.commonRowEnds[2], std::string("9:0-9:40"));
        QCOMPARE(ds.periodStarts[2], std::string("9:40"));

        // 自习 from the slot menu for 初二 only (第3节, 星期一).
        cg->selectNode(10);
        QCOMPARE(QString::fromStdString(gbk::toUtf8(cg->page().nodes()[10].text)), QStringLiteral("初二"));
        const auto pv = CommonPeriodPage::preview(ds, cg->preview()->width(), cg->preview()->height());
        int row = -1;
        for (std::size_t i = 0; i < pv.rows.size(); ++i)
            if (pv.rows[i].kind == CommonPeriodPage::PreviewRow::Kind::Period && pv.rows[i].period == 3)
                row = int(i);
        QVERIFY(row >= 0);
        whenUp([](QWidget* w) {
            auto* menu = qobject_cast<QMenu*>(w);
            QVERIFY(menu);
            for (QAction* a : menu->actions())
                if (a->text() == QStringLiteral("自习"))
                    menu->setActiveAction(a);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTest::mousePress(cg->preview(), Qt::RightButton, {},
                          QPoint(pv.dayColumns[0].left + 5, pv.rows[row].rect.top + 5));
        QTest::mouseRelease(cg->preview(), Qt::RightButton, {}, QPoint(pv.dayColumns[0].left + 5, pv.rows[row].rect.top + 5));
        for (int g = 0; g < 3; ++g)
            QCOMPARE(QString::fromStdString(gbk::toUtf8(ds.classAt(g, 3)->commonPeriods[3][0])),
                     g == 1 ? QStringLiteral("自习") : QString());
        QCOMPARE(int(doc.undoStack().count()), 7);

        // Saved under a name, then every step undone and redone.
        const QString path = dir.filePath(QStringLiteral("新学校.qtf"));
        prompter.saveAnswers = {path};
        view->runButton(QStringLiteral("保存"));
        QCOMPARE(prompter.saveDialogs, 1);
        const std::string saved = bytes(ds);
        for (int i = 0; i < 7; ++i)
            view->runButton(MenuButton::Undo);
        QVERIFY(!doc.undoStack().canUndo());
        QCOMPARE(bytes(doc.dataSet()), fresh);
        for (int i = 0; i < 7; ++i)
            view->runButton(MenuButton::Redo);
        QCOMPARE(bytes(doc.dataSet()), saved);

        // Closed and opened again: the same school.
        QVERIFY(doc.open(path.toStdString()).ok());
        QCOMPARE(bytes(doc.dataSet()), saved);
        QVERIFY(prompter.messages.isEmpty());
    }
};

QTEST_MAIN(ShapePanelsTest)
#include "ShapePanelsTest.moc"
