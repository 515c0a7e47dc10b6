#include "ui/output/TimetableFrameWnd.h"

#include <QKeyEvent>

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>

#include "app/Application.h"
#include "ui/widgets/ExportPlaces.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"
#include "output/PrintDocument.h"
#include "output/WorkbookExports.h"
#include "render/QtCanvas.h"
#include "ui/output/PrintSupport.h"

namespace tabrel::ui {

using Hit = TimetableToolStrip::Hit;
using Kind = TimetableToolStrip::ItemKind;

namespace {
QRect qrect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }
} // namespace

// ---------------------------------------------------------------- the list of tables

TimetableListWnd::TimetableListWnd(TimetableFrameModel& model, QWidget* parent)
    : QAbstractScrollArea(parent), model_(model)
{
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
    horizontalScrollBar()->setSingleStep(ScrollState::LineStep);
    verticalScrollBar()->setSingleStep(ScrollState::LineStep);
}

void TimetableListWnd::ensurePicture()
{
    TimetablePanel& panel = model_.panel();
    if (!panel.hasLayout()) {
        picture_ = QImage();
        return;
    }
    if (!model_.pictureStale && picture_.width() == panel.pictureWidth() && picture_.height() == panel.pictureHeight())
        return;
    picture_ = QImage(panel.pictureWidth(), panel.pictureHeight(), QImage::Format_RGB32);
    picture_.fill(Qt::white);
    model_.pictureStale = false;
    redrawTables();
}

void TimetableListWnd::redrawTables()
{
    if (picture_.isNull())
        return;
    {
        QPainter p(&picture_);
        QtCanvas canvas(p);
        model_.panel().RedrawTables(canvas);
    }
    viewport()->update();
}

void TimetableListWnd::contentChanged()
{
    ensurePicture();
    updateScrollBars();
    viewport()->update();
}

double TimetableListWnd::viewScale() const
{
    // The row the user asked for ("每行显示 4 张表格") fits the window's width, shrunk down to half
    // size at most; beyond that the tables scroll sideways.
    const int content = model_.panel().contentWidth;
    if (content <= 0 || viewport()->width() >= content)
        return 1.0;
    return std::max(0.5, static_cast<double>(viewport()->width()) / content);
}

QSize TimetableListWnd::clientInPicture() const
{
    const double scale = viewScale();
    return QSize(static_cast<int>(viewport()->width() / scale), static_cast<int>(viewport()->height() / scale));
}

void TimetableListWnd::updateScrollBars()
{
    TimetablePanel& panel = model_.panel();
    const QSize client = clientInPicture();
    panel.scroll.clientWidth = client.width(); // the scale follows the tables per row
    panel.scroll.clientHeight = client.height();
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setPageStep(client.height());
    horizontalScrollBar()->setRange(0, std::max(0, panel.contentWidth - client.width()));
    verticalScrollBar()->setRange(0, std::max(0, panel.contentHeight - client.height()));
    panel.scroll.scrollX = horizontalScrollBar()->value();
    panel.scroll.scrollY = verticalScrollBar()->value();
}

void TimetableListWnd::resizeEvent(QResizeEvent*)
{
    // A new size returns both offsets to 0.
    const QSize client = clientInPicture();
    model_.panel().scroll.setClientSize(client.width(), client.height());
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    updateScrollBars();
}

void TimetableListWnd::scrollContentsBy(int, int)
{
    TimetablePanel& panel = model_.panel();
    panel.scroll.scrollX = horizontalScrollBar()->value();
    panel.scroll.scrollY = verticalScrollBar()->value();
    viewport()->update();
}

void TimetableListWnd::paintEvent(QPaintEvent*)
{
    ensurePicture();
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Qt::white);
    if (picture_.isNull())
        return;
    const TimetablePanel& panel = model_.panel();
    const double scale = viewScale();
    const QSize client = clientInPicture();
    if (scale < 1.0) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.scale(scale, scale);
    }
    p.drawImage(QPoint(0, 0), picture_, QRect(panel.scroll.scrollX, panel.scroll.scrollY, client.width(), client.height()));
}

// ---------------------------------------------------------------- the panel with its strip

TimetableFrameWnd::TimetableFrameWnd(std::unique_ptr<TimetableFrameModel> model, Application& app, QWidget* parent)
    : PanelWindow(parent), model_(std::move(model)), app_(app)
{
    list_ = new TimetableListWnd(*model_, this);
    // The strip and the tables are reached with Tab; arrows work the strip and scroll the tables.
    setFocusPolicy(Qt::StrongFocus);
    list_->setFocusPolicy(Qt::StrongFocus);
    auto* printKey = new QShortcut(QKeySequence::Print, this, [this] { printTables(); });
    printKey->setContext(Qt::WidgetWithChildrenShortcut);
}

TimetableFrameWnd::~TimetableFrameWnd() = default;

void TimetableFrameWnd::setDataSet(DataSet* dataSet)
{
    model_->setDataSet(dataSet);
}

void TimetableFrameWnd::prepareForShow()
{
    const std::string message = model_->prepareForShow();
    if (!message.empty())
        Prompter::current().inform(this, qu(message));
    list_->contentChanged();
}

QPoint TimetableFrameWnd::stripPoint(Hit hit) const
{
    return qrect(model_->strip.rectOf(hit)).center();
}

void TimetableFrameWnd::resizeEvent(QResizeEvent*)
{
    const int strip = TimetableToolStrip::stripHeight(height());
    model_->strip.layout(width(), strip);
    list_->setGeometry(0, strip, width(), std::max(0, height() - strip));
}

void TimetableFrameWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const TimetableToolStrip& strip = model_->strip;
    const QRect band(0, 0, width(), strip.height());
    const Rgb bg = TimetableToolStrip::Background;
    p.fillRect(band, QColor(bg.r, bg.g, bg.b));
    // Sunken edge.
    p.setPen(QColor(32, 112, 112));
    p.drawLine(band.topLeft(), band.topRight());
    p.drawLine(band.topLeft(), band.bottomLeft());
    p.setPen(QColor(160, 232, 232));
    p.drawLine(band.bottomLeft(), band.bottomRight());
    p.drawLine(band.topRight(), band.bottomRight());
    // Grooves between the groups.
    for (int x : strip.grooves()) {
        p.setPen(QColor(32, 112, 112));
        p.drawLine(x, 3, x, band.height() - 4);
        p.setPen(QColor(160, 232, 232));
        p.drawLine(x + 1, 3, x + 1, band.height() - 4);
    }

    QFont f = font();
    f.setPixelSize(strip.fontHeight());
    p.setFont(f);
    for (const auto& it : strip.items()) {
        const QRect ind = qrect(it.indicator);
        if (hasFocus() && it.hit != TimetableToolStrip::Hit::None && it.hit == strip.focus()) {
            // The keyboard's place on the strip.
            p.setPen(QPen(QColor(220, 120, 30), 2, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(qrect(it.rect).adjusted(-2, 1, 2, -1));
        }
        switch (it.kind) {
        case Kind::CheckBox:
            p.setPen(Qt::black);
            p.setBrush(Qt::white);
            p.drawRect(ind.adjusted(0, 0, -1, -1));
            if (model_->isOn(it.hit))
                p.fillRect(ind.adjusted(3, 3, -3, -3), Qt::black);
            break;
        case Kind::Radio:
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::black);
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(ind).adjusted(0.5, 0.5, -0.5, -0.5));
            if (model_->isOn(it.hit)) {
                p.setBrush(Qt::black);
                p.drawEllipse(QRectF(ind).adjusted(3.5, 3.5, -3.5, -3.5));
            }
            p.setRenderHint(QPainter::Antialiasing, false);
            break;
        case Kind::NumberBox:
            p.setPen(QColor(32, 112, 112));
            p.setBrush(Qt::white);
            p.drawRect(ind.adjusted(0, 0, -1, -1));
            p.setPen(Qt::black);
            p.drawText(ind, Qt::AlignCenter, QString::number(model_->panel().tablesPerRow));
            break;
        case Kind::ExportButton: {
            QtCanvas canvas(p);
            canvas.drawIcon(Icon::Export, ind.left(), ind.top());
            break;
        }
        case Kind::Label:
            break;
        }
        if (!it.text.empty()) {
            p.setPen(Qt::black);
            p.drawText(qrect(it.textRect), Qt::AlignVCenter | Qt::AlignLeft, qs(it.text));
        }
    }
}

void TimetableFrameWnd::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    act(e->position().toPoint().x(), e->position().toPoint().y());
}

void TimetableFrameWnd::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        model_->strip.moveFocus(e->key() == Qt::Key_Right ? 1 : -1);
        update(0, 0, width(), model_->strip.height());
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: {
        const Rect r = model_->strip.rectOf(model_->strip.focus());
        if (r.width() > 0)
            act((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return;
    }
    default:
        QWidget::keyPressEvent(e);
    }
}

void TimetableFrameWnd::focusInEvent(QFocusEvent*)
{
    if (model_->strip.focus() == TimetableToolStrip::Hit::None)
        model_->strip.moveFocus(1);
    update(0, 0, width(), model_->strip.height());
}

void TimetableFrameWnd::focusOutEvent(QFocusEvent*)
{
    update(0, 0, width(), model_->strip.height());
}

void TimetableFrameWnd::act(int x, int y)
{
    switch (model_->click(x, y)) {
    case TimetableFrameModel::ClickResult::None:
        break;
    case TimetableFrameModel::ClickResult::Redraw:
        update(0, 0, width(), model_->strip.height());
        list_->redrawTables();
        break;
    case TimetableFrameModel::ClickResult::OpenPerRowMenu:
        openPerRowMenu();
        break;
    case TimetableFrameModel::ClickResult::OpenExportMenu:
        openExportMenu();
        break;
    }
}

void TimetableFrameWnd::openPerRowMenu()
{
    QMenu menu(this);
    const auto items = TimetablePanel::tablesPerRowMenuItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        QAction* a = menu.addAction(qs(items[i]));
        a->setData(static_cast<int>(i) + 1);
    }
    const QRect box = qrect(model_->strip.rectOf(Hit::PerRowBox));
    if (QAction* chosen = menu.exec(mapToGlobal(box.bottomLeft())))
        chooseTablesPerRow(chosen->data().toInt());
}

void TimetableFrameWnd::chooseTablesPerRow(int n)
{
    if (!model_->chooseTablesPerRow(n))
        return;
    update(0, 0, width(), model_->strip.height());
    list_->contentChanged();
}

void TimetableFrameWnd::openExportMenu()
{
    QMenu menu(this);
    const auto items = TimetableToolStrip::exportMenuItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        QAction* a = menu.addAction(qs(items[i]));
        a->setData(static_cast<int>(i));
    }
    menu.addSeparator();
    menu.addAction(QStringLiteral("打印…\tCtrl+P"))->setData(-1);
    menu.addAction(QStringLiteral("导出PDF…"))->setData(-2);
    const QRect box = qrect(model_->strip.rectOf(Hit::Export));
    if (QAction* chosen = menu.exec(mapToGlobal(box.bottomLeft()))) {
        const int item = chosen->data().toInt();
        if (item == -1)
            printTables();
        else if (item == -2)
            exportTablesPdf();
        else
            runExport(item);
    }
}

void TimetableFrameWnd::printTables()
{
    auto doc = printDocument();
    if (doc->pageCount() == 0) {
        Prompter::current().inform(this, QStringLiteral("没有可以打印的课程表。"));
        return;
    }
    showPrintPreview(this, *doc);
}

void TimetableFrameWnd::exportTablesPdf()
{
    auto doc = printDocument();
    if (doc->pageCount() == 0) {
        Prompter::current().inform(this, QStringLiteral("没有可以导出的课程表。"));
        return;
    }
    const QString text = exportPdf(this, *doc);
    if (!text.isEmpty())
        emit statusMessage(text);
}

std::unique_ptr<PrintDocument> ClassTableFrame::printDocument()
{
    ClassTablePanel& panel = classModel().classPanel;
    return classSheetsDocument(*panel.pDataSet, allClassesInOrder(*panel.pDataSet), panel.cellOptions());
}

std::unique_ptr<PrintDocument> TeacherTableFrame::printDocument()
{
    TeacherTablePanel& panel = teacherModel().teacherPanel;
    return teacherSheetsDocument(*panel.pDataSet, panel.cellOptions());
}

void TimetableFrameWnd::runExport(int item)
{
    const QString folder = exportplaces::askFolder(this, QStringLiteral("课程表"));
    if (folder.isEmpty())
        return;
    QtCanvasFactory pictures;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (const QScreen* screen = this->screen())
        model_->setDisplayDepth(screen->depth());
    const ExportOutcome o = model_->runExport(item, utf8(folder), pictures, xlsxWorkbookFactory());
    QApplication::restoreOverrideCursor();
    list_->contentChanged();
    if (!o.summary.empty())
        emit statusMessage(qu(o.summary));
    if (!o.ok)
        Prompter::current().inform(this, qu(o.failureMessage()));
    else if (!o.summary.empty())
        exportplaces::tellWritten(this, qu(o.summary), qu(o.folder));
}

ClassTableFrame::ClassTableFrame(DataSet* dataSet, Application& app, QWidget* parent)
    : TimetableFrameWnd(std::make_unique<ClassTableFrameModel>(dataSet), app, parent)
{
    setObjectName(QStringLiteral("ClassTableFrame"));
}

TeacherTableFrame::TeacherTableFrame(DataSet* dataSet, Application& app, QWidget* parent)
    : TimetableFrameWnd(std::make_unique<TeacherTableFrameModel>(dataSet), app, parent)
{
    setObjectName(QStringLiteral("TeacherTableFrame"));
}

} // namespace tabrel::ui
