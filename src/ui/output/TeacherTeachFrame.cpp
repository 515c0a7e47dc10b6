#include "ui/output/TeacherTeachFrame.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>

#include "data/DataSet.h"
#include "output/PrintDocument.h"
#include "ui/output/LoadDistributionDlg.h"
#include "ui/output/PrintSupport.h"
#include "render/QtCanvas.h"

namespace tabrel::ui {

TeacherTeachTableWnd::TeacherTeachTableWnd(TeacherTeachTable& model, DataSet*& dataSet, QWidget* parent)
    : QWidget(parent), model_(model), dataSet_(dataSet)
{
    setFocusPolicy(Qt::StrongFocus);
    vertical_ = new QScrollBar(Qt::Vertical, this);
    horizontal_ = new QScrollBar(Qt::Horizontal, this);
    vertical_->setSingleStep(1);
    vertical_->setPageStep(TeacherTeachTable::VisibleRows);
    horizontal_->setSingleStep(1);
    horizontal_->setPageStep(1);
    connect(vertical_, &QScrollBar::valueChanged, this, [this](int v) {
        model_.setFirstRow(v, *dataSet_);
        update();
    });
    connect(horizontal_, &QScrollBar::valueChanged, this, [this](int v) {
        model_.setFirstColumn(v, *dataSet_);
        update();
    });
}

QRect TeacherTeachTableWnd::tableRect() const
{
    const int w = width() - (vertical_->isHidden() ? 0 : vertical_->sizeHint().width());
    const int h = height() - (horizontal_->isHidden() ? 0 : horizontal_->sizeHint().height());
    return QRect(0, 0, std::max(w, 0), std::max(h, 0));
}

void TeacherTeachTableWnd::contentChanged()
{
    const DataSet& ds = *dataSet_;
    vertical_->setVisible(TeacherTeachTable::verticalBarShown(ds));
    horizontal_->setVisible(TeacherTeachTable::horizontalBarShown(ds));
    vertical_->setRange(0, std::max(TeacherTeachTable::verticalMaximum(ds) - 1, 0));
    horizontal_->setRange(0, TeacherTeachTable::horizontalMaximum(ds));
    model_.setFirstRow(model_.firstVisibleRow, ds);
    model_.setFirstColumn(model_.firstVisibleColumn, ds);
    vertical_->setValue(model_.firstVisibleRow);
    horizontal_->setValue(model_.firstVisibleColumn);
    resizeEvent(nullptr);
    update();
}

void TeacherTeachTableWnd::resizeEvent(QResizeEvent*)
{
    const int sw = vertical_->sizeHint().width(), sh = horizontal_->sizeHint().height();
    const QRect r = tableRect();
    vertical_->setGeometry(r.right() + 1, 0, sw, r.height());
    horizontal_->setGeometry(0, r.bottom() + 1, r.width(), sh);
}

void TeacherTeachTableWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = tableRect();
    p.setClipRect(r);
    QtCanvas canvas(p);
    model_.draw(canvas, *dataSet_, r.width(), r.height());
}

void TeacherTeachTableWnd::wheelEvent(QWheelEvent* e)
{
    const int steps = e->angleDelta().y() / 120;
    if (e->modifiers() & Qt::ShiftModifier)
        horizontal_->setValue(horizontal_->value() - steps);
    else
        vertical_->setValue(vertical_->value() - steps);
}

void TeacherTeachTableWnd::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Up: vertical_->setValue(vertical_->value() - 1); break;
    case Qt::Key_Down: vertical_->setValue(vertical_->value() + 1); break;
    case Qt::Key_PageUp: vertical_->setValue(vertical_->value() - TeacherTeachTable::VisibleRows); break;
    case Qt::Key_PageDown: vertical_->setValue(vertical_->value() + TeacherTeachTable::VisibleRows); break;
    case Qt::Key_Left: horizontal_->setValue(horizontal_->value() - 1); break;
    case Qt::Key_Right: horizontal_->setValue(horizontal_->value() + 1); break;
    case Qt::Key_Home: vertical_->setValue(0); horizontal_->setValue(0); break;
    default: QWidget::keyPressEvent(e); return;
    }
}

TeacherTeachFrame::TeacherTeachFrame(DataSet* dataSet, QWidget* parent) : PanelWindow(parent), dataSet_(dataSet)
{
    setObjectName(QStringLiteral("TeacherTeachFrame"));
    strip_ = new QFrame(this);
    strip_->setObjectName(QStringLiteral("OutputStrip"));
    strip_->setStyleSheet(stripStyleSheet());
    auto* row = new QHBoxLayout(strip_);
    row->setContentsMargins(8, 0, 8, 0);
    row->setSpacing(10);
    auto* subject = new QCheckBox(QStringLiteral("显示科目"), strip_);
    auto* cls = new QCheckBox(QStringLiteral("显示班级"), strip_);
    subject->setChecked(true);
    cls->setChecked(true);
    connect(subject, &QCheckBox::toggled, this, [this](bool on) {
        model_.showSubject = on ? 1 : 0;
        table_->update();
    });
    connect(cls, &QCheckBox::toggled, this, [this](bool on) {
        model_.showClass = on ? 1 : 0;
        table_->update();
    });
    row->addWidget(subject);
    row->addWidget(cls);
    auto button = [&](const QString& text, const QString& tip, auto slot) {
        auto* b = new QToolButton(strip_);
        b->setText(text);
        b->setToolTip(tip);
        b->setAutoRaise(true);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        connect(b, &QToolButton::clicked, this, slot);
        row->addWidget(b);
        return b;
    };
    button(QStringLiteral("分布情况"), QStringLiteral("每位教师每节、每天的课时数"), [this] { openDistribution(); });
    button(QStringLiteral("导出打印"), QStringLiteral("打印总任课表和分布情况（Ctrl+P）"), [this] { print(); })
        ->setIcon(exportIcon());
    button(QStringLiteral("导出PDF"), QStringLiteral("把总任课表和分布情况保存为 PDF 文件"), [this] { exportPdfFile(); });
    row->addStretch();
    table_ = new TeacherTeachTableWnd(model_, dataSet_, this);
    table_->contentChanged();
}

void TeacherTeachFrame::setDataSet(DataSet* dataSet)
{
    dataSet_ = dataSet;
    model_.firstVisibleRow = model_.firstVisibleColumn = 0;
    table_->contentChanged();
}

void TeacherTeachFrame::prepareForShow() { table_->contentChanged(); }

void TeacherTeachFrame::resizeEvent(QResizeEvent*)
{
    const int h = std::max(height() / 20, 28);
    strip_->setGeometry(0, 0, width(), h);
    table_->setGeometry(0, h, width(), std::max(0, height() - h));
}

void TeacherTeachFrame::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Print))
        print();
    else if (e->key() == Qt::Key_F1)
        showHelp();
    else
        QWidget::keyPressEvent(e);
}

void TeacherTeachFrame::openDistribution()
{
    LoadDistributionDlg dlg(*dataSet_, model_.showSubject, model_.showClass, this);
    dlg.exec();
}

void TeacherTeachFrame::print()
{
    auto doc = assignmentTableDocument(*dataSet_, model_.showSubject, model_.showClass);
    showPrintPreview(this, *doc);
}

void TeacherTeachFrame::exportPdfFile()
{
    auto doc = assignmentTableDocument(*dataSet_, model_.showSubject, model_.showClass);
    const QString text = exportPdf(this, *doc);
    if (!text.isEmpty())
        emit statusMessage(text);
}

void TeacherTeachFrame::showHelp() { showHelpPage(this, QStringLiteral("总任课表"), TeacherTeachTable::helpPage()); }

} // namespace tabrel::ui
