// The start dialog's list and buttons, and the start-up with a file that cannot be read.
#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "app/Application.h"
#include "app/Document.h"
#include "ui/app/GuiStartup.h"
#include "ui/app/StartDlg.h"
#include "ui/UiTestSupport.h"

using namespace tabrel;
using namespace tabrel::ui;
using tabrel::uitest::ScriptedPrompter;

class StartDlgTest : public QObject {
    Q_OBJECT
private slots:
    void listsTheSearchRowAndTheNumberedHistory()
    {
        StartDialogModel model({"/home/u/a.qtf", "/home/teacher/schedules/2024/autumn/term/x.qtf"});
        StartDlg dlg(model);
        QTableWidget* list = dlg.list();
        QCOMPARE(list->rowCount(), 3);
        QCOMPARE(list->horizontalHeaderItem(0)->text(), QStringLiteral("序号"));
        QCOMPARE(list->horizontalHeaderItem(1)->text(), QStringLiteral("历史数据 ( 双击文件直接打开 )"));
        QCOMPARE(list->item(0, 0)->text(), QString());
        QCOMPARE(list->item(0, 1)->text(), QStringLiteral("在电脑中查找......"));
        QCOMPARE(list->item(2, 0)->text(), QStringLiteral("2"));
        QCOMPARE(list->item(2, 1)->text(), QStringLiteral("/home/teacher/schedules/2024/.../x.qtf"));
        QVERIFY(list->styleSheet().contains(QStringLiteral("255,255,224")));
        QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
        QVERIFY(list->showGrid());
    }

    void openWithoutASelectionGoesToTheFileDialog()
    {
        ScriptedPrompter prompter;
        StartDialogModel model({"/home/u/a.qtf"});
        StartDlg dlg(model);
        dlg.show();
        QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("openButton")), Qt::LeftButton);
        QVERIFY(prompter.messages.isEmpty());
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.choice().action, StartDialogModel::Action::OpenBrowse);

        dlg.show();
        dlg.list()->selectRow(1);
        QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("openButton")), Qt::LeftButton);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.choice().action, StartDialogModel::Action::OpenHistory);
        QCOMPARE(dlg.choice().path, std::string("/home/u/a.qtf"));
    }

    void doubleClickNewAndQuit()
    {
        StartDialogModel model({"/home/u/a.qtf"});
        {
            StartDlg dlg(model);
            dlg.show();
            dlg.list()->selectRow(0);
            emit dlg.list()->cellDoubleClicked(1, 1); // the row double-clicked counts
            QCOMPARE(dlg.choice().action, StartDialogModel::Action::OpenHistory);
            QCOMPARE(dlg.choice().path, std::string("/home/u/a.qtf"));
        }
        {
            StartDlg dlg(model);
            dlg.show();
            emit dlg.list()->cellDoubleClicked(0, 0);
            QCOMPARE(dlg.choice().action, StartDialogModel::Action::OpenBrowse);
        }
        {
            StartDlg dlg(model);
            dlg.show();
            QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("newButton")), Qt::LeftButton);
            QCOMPARE(dlg.choice().action, StartDialogModel::Action::NewSchedule);
        }
        {
            StartDlg dlg(model);
            dlg.show();
            QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("quitButton")), Qt::LeftButton);
            QCOMPARE(dlg.choice().action, StartDialogModel::Action::Quit);
        }
        {
            StartDlg dlg(model);
            dlg.show();
            dlg.close();
            QCOMPARE(dlg.choice().action, StartDialogModel::Action::Quit);
        }
    }

    // A history entry whose file is gone: the user is told, once with its path, and offered to
    // forget it; the dialog comes back without it, where "新建排课" still works. The program never
    // goes on with an empty school unasked.
    void aMissingHistoryFileIsReportedAndTheDialogComesBack()
    {
        ScriptedPrompter prompter;
        QTemporaryDir dir;
        const QString gone = dir.filePath(QStringLiteral("gone.qtf"));
        Application app;
        app.recentFiles().setEntries({gone.toStdString()});
        app.takeHistorySnapshot();
        Document doc(app);
        prompter.offerAnswers = {true};

        int dialogs = 0;
        QTimer driver;
        driver.setInterval(20);
        connect(&driver, &QTimer::timeout, [&] {
            auto* dlg = qobject_cast<StartDlg*>(QApplication::activeModalWidget());
            if (!dlg || !dlg->isVisible())
                return;
            ++dialogs;
            if (dialogs == 1) {
                dlg->list()->selectRow(1);
                QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("openButton")), Qt::LeftButton);
            } else {
                QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("newButton")), Qt::LeftButton);
            }
        });
        driver.start();
        QVERIFY(openFirstSchedule(app, doc, QString()));
        driver.stop();
        QCOMPARE(dialogs, 2);
        QVERIFY(prompter.messages.isEmpty());
        QCOMPARE(prompter.offers.size(), 1);
        QCOMPARE(prompter.offers[0].count(gone), 1);
        QVERIFY(app.recentFiles().entries().empty());
        QVERIFY(doc.isNewFile());
        QCOMPARE(doc.dataSet().dayCount(), 5);
    }

    // A damaged file named on the command line is refused; the start dialog follows and its
    // file dialog, cancelled, ends the program.
    void aDamagedGivenFileLeadsToTheStartDialog()
    {
        ScriptedPrompter prompter;
        QTemporaryDir dir;
        const QString bad = dir.filePath(QStringLiteral("bad.qtf"));
        {
            QFile f(bad);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("\xff\xff\xff\x7f", 4));
        }
        Application app;
        Document doc(app);
        QTimer driver;
        driver.setInterval(20);
        connect(&driver, &QTimer::timeout, [&] {
            if (auto* dlg = qobject_cast<StartDlg*>(QApplication::activeModalWidget())) {
                dlg->list()->selectRow(0);
                QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("openButton")), Qt::LeftButton);
            }
        });
        driver.start();
        QVERIFY(!openFirstSchedule(app, doc, bad));
        driver.stop();
        QCOMPARE(prompter.messages.size(), 1);
        QVERIFY(prompter.messages[0].contains(QStringLiteral("损坏")));
        QCOMPARE(prompter.openDialogs, 1);
        QVERIFY(!app.loadedFromFile);
    }
};

QTEST_MAIN(StartDlgTest)
#include "StartDlgTest.moc"
