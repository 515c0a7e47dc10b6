// The grid widget: headers from the fixed cells, in-place edits, copy and paste through the clipboard.
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include "views/GridModel.h"
#include "data/Gbk.h"
#include "ui/widgets/GridCtrl.h"

using namespace tabrel;
using namespace tabrel::ui;

class GridCtrlTest : public QObject {
    Q_OBJECT
private slots:
    void headersEditsCopyAndPaste()
    {
        GridModel grid(4, 3);
        grid.setHeader(0, 1, gbk::literal("班级"));
        grid.setHeader(1, 0, gbk::literal("初一"));
        GridCtrl ctrl(grid);
        ctrl.show();
        QCOMPARE(ctrl.itemModel()->rowCount(), 3);
        QCOMPARE(ctrl.itemModel()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("班级"));
        QCOMPARE(ctrl.itemModel()->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("初一"));

        QVERIFY(ctrl.itemModel()->setData(ctrl.itemModel()->index(0, 0), QStringLiteral("一班"), Qt::EditRole));
        QCOMPARE(grid.text(1, 1), gbk::literal("一班"));
        QSignalSpy refused(ctrl.itemModel(), &GridItemModel::refused);
        QVERIFY(!ctrl.itemModel()->setData(ctrl.itemModel()->index(0, 1), QStringLiteral("😀"), Qt::EditRole));
        QCOMPARE(refused.size(), 1);

        QApplication::clipboard()->setText(QStringLiteral("甲\t乙\n丙\t丁\n"));
        ctrl.setCurrentIndex(ctrl.itemModel()->index(1, 0));
        QTest::keyClick(&ctrl, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(grid.text(2, 1), gbk::literal("甲"));
        QCOMPARE(grid.text(3, 2), gbk::literal("丁"));
        QCOMPARE(ctrl.itemModel()->data(ctrl.itemModel()->index(2, 1), Qt::DisplayRole).toString(), QStringLiteral("丁"));

        ctrl.selectionModel()->select(QItemSelection(ctrl.itemModel()->index(0, 0), ctrl.itemModel()->index(1, 1)),
                                      QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(&ctrl, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("一班\t\n甲\t乙\n"));
    }
};

QTEST_MAIN(GridCtrlTest)
#include "GridCtrlTest.moc"
