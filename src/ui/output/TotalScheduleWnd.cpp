#include "ui/output/TotalScheduleWnd.h"
#include "app/Document.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>

#include "app/Application.h"
#include "data/DataSet.h"
#include "output/PrintDocument.h"
#include "output/SheetDrawing.h"
#include "output/TotalScheduleManyTables.h"
#include "output/TotalScheduleText.h"
#include "output/WorkbookExports.h"
#include "ui/widgets/Icons.h"
#include "ui/widgets/ExportPlaces.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"
#include "ui/output/ClassChoiceDlg.h"
#include "ui/output/PrintSupport.h"
#include "ui/setup/NameInputDlg.h"
#include "render/QtCanvas.h"

namespace tabrel::ui {

namespace {
const QString WorkbookFilter = QStringLiteral("Excel 工作簿 (*.xlsx)|*.xlsx||");
} // namespace

// ---------------------------------------------------------------- style 1

TotalScheduleTableWnd::TotalScheduleTableWnd(TotalScheduleWnd& panel) : panel_(panel)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalScrollBar()->setSingleStep(TotalScheduleTable::ColumnWidth);
}

void TotalScheduleTableWnd::contentChanged()
{
    const DataSet& ds = panel_.dataSet();
    const TotalScheduleTable table(ds, static_cast<int>(panel_.model().selectedPositions(ds).size()),
                                   viewport()->height());
    horizontalScrollBar()->setPageStep(std::max(viewport()->width(), 1));
    horizontalScrollBar()->setRange(0, std::max(0, table.contentWidth() - viewport()->width()));
    viewport()->update();
}

void TotalScheduleTableWnd::resizeEvent(QResizeEvent*) { contentChanged(); }

void TotalScheduleTableWnd::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Qt::white);
    const DataSet& ds = panel_.dataSet();
    const auto selected = panel_.model().selectedConstClasses(ds);
    const TotalScheduleTable table(ds, static_cast<int>(selected.size()), viewport()->height());
    const int x = horizontalScrollBar()->value();
    p.translate(-x, 0);
    QtCanvas canvas(p);
    table.draw(canvas, ds, selected, panel_.model().style1Options(), 0, -1, x, x + viewport()->width());
}

// ---------------------------------------------------------------- style 2

TotalScheduleOneWnd::TotalScheduleOneWnd(TotalScheduleWnd& panel) : panel_(panel)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(tabrel::TotalScheduleOne::VisibleRows);
}

void TotalScheduleOneWnd::contentChanged()
{
    const DataSet& ds = panel_.dataSet();
    const int n = static_cast<int>(panel_.model().selectedPositions(ds).size());
    const bool shown = tabrel::TotalScheduleOne::scrollBarShown(n);
    setVerticalScrollBarPolicy(shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setRange(0, shown ? n - 1 : 0);
    panel_.model().firstVisibleRow = tabrel::TotalScheduleOne::clampFirstRow(panel_.model().firstVisibleRow, n);
    verticalScrollBar()->setValue(panel_.model().firstVisibleRow);
    viewport()->update();
}

void TotalScheduleOneWnd::scrollContentsBy(int, int)
{
    panel_.model().firstVisibleRow = verticalScrollBar()->value();
    viewport()->update();
}

void TotalScheduleOneWnd::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    const DataSet& ds = panel_.dataSet();
    TotalSchedulePanel& m = panel_.model();
    const auto selected = m.selectedConstClasses(ds);
    const tabrel::TotalScheduleOne rows(ds, viewport()->width(), viewport()->height());
    QtCanvas canvas(p);
    rows.draw(canvas, ds, selected, m.style2Options(), m.firstVisibleRow, [&](int i) { return m.rowMarked(ds, i); });
}

void TotalScheduleOneWnd::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint pt = e->position().toPoint();
    if (panel_.model().clickStyle2(panel_.dataSet(), pt.x(), pt.y(), viewport()->width(), viewport()->height()))
        viewport()->update();
}

// ---------------------------------------------------------------- style 3

TotalScheduleManyTableWnd::TotalScheduleManyTableWnd(TotalScheduleWnd& panel) : panel_(panel)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
}

void TotalScheduleManyTableWnd::contentChanged()
{
    const TotalScheduleManyTables layout(panel_.dataSet());
    horizontalScrollBar()->setPageStep(std::max(viewport()->width(), 1));
    verticalScrollBar()->setPageStep(std::max(viewport()->height(), 1));
    horizontalScrollBar()->setRange(0, std::max(0, layout.contentWidth() - viewport()->width()));
    verticalScrollBar()->setRange(0, std::max(0, layout.contentHeight() - viewport()->height()));
    viewport()->update();
}

void TotalScheduleManyTableWnd::resizeEvent(QResizeEvent*) { contentChanged(); }

void TotalScheduleManyTableWnd::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Qt::white);
    const DataSet& ds = panel_.dataSet();
    const TotalScheduleManyTables layout(ds);
    const int x = horizontalScrollBar()->value(), y = verticalScrollBar()->value();
    p.translate(-x, -y);
    QtCanvas canvas(p);
    const TotalSchedulePanel& m = panel_.model();
    const ClassCellOptions options{m.showSubject != 0, m.showTeacher != 0, m.nameStyle};
    layout.draw(canvas, ds, options, {x, y, x + viewport()->width(), y + viewport()->height()});
}

// ---------------------------------------------------------------- the panel

TotalScheduleWnd::TotalScheduleWnd(Document& doc, Application& app, QWidget* parent)
    : PanelWindow(parent), doc_(doc), dataSet_(&doc.dataSet()), app_(app)
{
    setObjectName(QStringLiteral("TotalScheduleWnd"));
    buildStrip();
    stack_ = new QStackedWidget(this);
    style1_ = new TotalScheduleTableWnd(*this);
    style2_ = new TotalScheduleOneWnd(*this);
    style3_ = new TotalScheduleManyTableWnd(*this);
    stack_->addWidget(style1_);
    stack_->addWidget(style2_);
    stack_->addWidget(style3_);
    model_.prepareForShow(*dataSet_);
    refresh();
}

void TotalScheduleWnd::buildStrip()
{
    strip_ = new QFrame(this);
    strip_->setObjectName(QStringLiteral("OutputStrip"));
    strip_->setStyleSheet(stripStyleSheet());
    auto* row = new QHBoxLayout(strip_);
    row->setContentsMargins(8, 0, 8, 0);
    row->setSpacing(10);
    auto* styles = new QButtonGroup(strip_);
    const QString names[3] = {QStringLiteral("样式一"), QStringLiteral("样式二"), QStringLiteral("样式三")};
    for (int i = 0; i < 3; ++i) {
        styleButtons_[i] = new QRadioButton(names[i], strip_);
        styles->addButton(styleButtons_[i], i);
        row->addWidget(styleButtons_[i]);
    }
    connect(styles, &QButtonGroup::idClicked, this, [this](int id) { setStyle(id); });
    auto separator = [&] {
        auto* line = new QFrame(strip_);
        line->setFrameShape(QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        row->addWidget(line);
    };
    separator();
    showSubject_ = new QCheckBox(QStringLiteral("显示科目"), strip_);
    showTeacher_ = new QCheckBox(QStringLiteral("显示教师"), strip_);
    connect(showSubject_, &QCheckBox::toggled, this, [this](bool on) {
        model_.showSubject = on ? 1 : 0;
        refresh();
    });
    connect(showTeacher_, &QCheckBox::toggled, this, [this](bool on) {
        model_.showTeacher = on ? 1 : 0;
        refresh();
    });
    row->addWidget(showSubject_);
    row->addWidget(showTeacher_);
    separator();
    auto* names2 = new QButtonGroup(strip_);
    fullName_ = new QRadioButton(QStringLiteral("全称"), strip_);
    shortName_ = new QRadioButton(QStringLiteral("简称"), strip_);
    names2->addButton(fullName_, 0);
    names2->addButton(shortName_, 1);
    connect(names2, &QButtonGroup::idClicked, this, [this](int id) {
        if (model_.setNameStyle(id))
            refresh();
    });
    row->addWidget(fullName_);
    row->addWidget(shortName_);
    separator();
    auto button = [&](const QString& text, const QString& tip, auto slot) {
        auto* b = new QToolButton(strip_);
        b->setText(text);
        b->setToolTip(tip);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, slot);
        row->addWidget(b);
        return b;
    };
    classMenuButton_ = button(QStringLiteral("选择班级"), QStringLiteral("选择样式一、样式二显示的班级"), [this] { openClassMenu(); });
    QToolButton* exportButton = button(QStringLiteral("导出打印"), QStringLiteral("复制到剪贴板并导出 Excel 工作簿"), [this] { exportCurrent(); });
    exportButton->setIcon(exportIcon());
    button(QStringLiteral("标题"), QStringLiteral("修改总课程表的标题：屏幕、打印、PDF 和 EXCEL 用同一标题"),
           [this] { editTitle(); });
    button(QStringLiteral("打印"), QStringLiteral("打印预览和打印（Ctrl+P）"), [this] { print(); });
    button(QStringLiteral("导出PDF"), QStringLiteral("把当前样式保存为 PDF 文件"), [this] { exportPdfFile(); });
    importButton_ = button(QStringLiteral("批量导入"), QStringLiteral("把剪贴板中的科目导入样式一的表格"), [this] { batchImport(); });
    row->addStretch();
}

void TotalScheduleWnd::editTitle()
{
    // The title is the print-out's, not the school's: changing it is no step of its own. Emptied,
    // it is made again from the school's name and the term.
    NameInputDlg dlg(QStringLiteral("总课程表标题"), QStringLiteral("标题（清空后按学校名称和学期重新生成）:"),
                     qs(dataSet_->scheduleTitle), this);
    dlg.resize(std::max(dlg.width(), 520), dlg.height());
    if (dlg.exec() != QDialog::Accepted)
        return;
    dataSet_->scheduleTitle = *gbk::fromUtf8(utf8(dlg.text().trimmed()));
    dataSet_->fillDefaultTitle();
    refresh();
    status(QStringLiteral("总课程表标题：%1").arg(qs(dataSet_->scheduleTitle)));
}

void TotalScheduleWnd::setDataSet(DataSet* dataSet)
{
    dataSet_ = dataSet;
    model_.prepareForShow(*dataSet_);
    refresh();
}

void TotalScheduleWnd::prepareForShow()
{
    if (isVisible()) {
        // Shown again while it is the visible panel (after an undo): the school is re-read, the
        // selection stays.
        refresh();
        return;
    }
    // The title over style 1 (not stored): the school and the term, when nothing else was set.
    dataSet_->fillDefaultTitle();
    model_.prepareForShow(*dataSet_);
    refresh();
}

void TotalScheduleWnd::schoolChanged() { refresh(); }

QWidget* TotalScheduleWnd::currentStyleWindow() const { return stack_->currentWidget(); }

void TotalScheduleWnd::refresh()
{
    styleButtons_[model_.style]->setChecked(true);
    {
        const QSignalBlocker a(showSubject_), b(showTeacher_);
        showSubject_->setChecked(model_.showSubject != 0);
        showTeacher_->setChecked(model_.showTeacher != 0);
    }
    (model_.nameStyle == 0 ? fullName_ : shortName_)->setChecked(true);
    fullName_->setEnabled(model_.style != 0);
    shortName_->setEnabled(model_.style != 0);
    classMenuButton_->setEnabled(model_.classMenuActive());
    importButton_->setEnabled(model_.batchImportActive());
    stack_->setCurrentIndex(model_.style);
    style1_->contentChanged();
    style2_->contentChanged();
    style3_->contentChanged();
}

void TotalScheduleWnd::resizeEvent(QResizeEvent*)
{
    const int h = std::max(height() / 20, 28);
    strip_->setGeometry(0, 0, width(), h);
    stack_->setGeometry(0, h, width(), std::max(0, height() - h));
}

void TotalScheduleWnd::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Print)) {
        print();
        return;
    }
    if (e->key() == Qt::Key_F1) {
        showHelp();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TotalScheduleWnd::setStyle(int style)
{
    if (model_.SetStyle(style))
        refresh();
    else
        styleButtons_[model_.style]->setChecked(true);
}

void TotalScheduleWnd::openClassMenu()
{
    if (!model_.classMenuActive())
        return;
    QMenu menu(this);
    const auto entries = TotalSchedulePanel::classMenuEntries(*dataSet_);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i + 1 == entries.size())
            menu.addSeparator();
        menu.addAction(qs(entries[i]))->setData(static_cast<int>(i));
    }
    if (QAction* a = menu.exec(classMenuButton_->mapToGlobal(classMenuButton_->rect().bottomLeft())))
        chooseClassMenuEntry(a->data().toInt());
}

void TotalScheduleWnd::chooseClassMenuEntry(int entry)
{
    switch (model_.chooseClassMenuEntry(*dataSet_, entry)) {
    case TotalSchedulePanel::MenuResult::Selected:
        refresh();
        break;
    case TotalSchedulePanel::MenuResult::ChooseClasses: {
        ClassChoiceDlg dlg(*dataSet_, model_.selectedPositions(*dataSet_), this);
        if (dlg.exec() == QDialog::Accepted) {
            model_.selectCustom(*dataSet_, dlg.chosen());
            refresh();
        }
        break;
    }
    case TotalSchedulePanel::MenuResult::Nothing:
        break;
    }
}

bool TotalScheduleWnd::runEdit(const std::string& name, const std::function<bool(DataSet&)>& edit)
{
    const bool changed = doc_.edit(name, edit);
    refresh();
    return changed;
}

void TotalScheduleWnd::status(const QString& text)
{
    if (!text.isEmpty())
        emit statusMessage(text);
}

void TotalScheduleWnd::exportCurrent()
{
    const int style = model_.style;
    if (style != 2) {
        // Line breaks inside the copied texts become spaces in the cells too.
        runEdit(TotalSchedulePanel::lineBreakStepName(), [this](DataSet& ds) {
            return ReplaceLineBreaksInCells(ds, model_.selectedClasses(ds));
        });
        QGuiApplication::clipboard()->setText(qs(model_.exportText(*dataSet_)));
    }
    QString name = qs(dataSet_->scheduleTitle).trimmed();
    for (const QChar c : QStringLiteral("/\\:*?\"<>|"))
        name.replace(c, QLatin1Char('_'));
    const QString path = exportplaces::askFile(this, WorkbookFilter, QStringLiteral("xlsx"),
                                               (name.isEmpty() ? QStringLiteral("总课程表") : name) + QStringLiteral(".xlsx"));
    if (path.isEmpty()) {
        if (style != 2)
            status(QStringLiteral("总课程表已复制到剪贴板"));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto selected = model_.selectedConstClasses(*dataSet_);
    WorkbookExportReport r;
    if (style == 0)
        r = exportMasterStyle1(*dataSet_, selected, path.toStdString(), xlsxWorkbookFactory());
    else if (style == 1)
        r = exportMasterStyle2(*dataSet_, selected, path.toStdString(), xlsxWorkbookFactory(), model_.subjectFontSize,
                               model_.teacherFontSize);
    else
        r = exportMasterStyle3(*dataSet_, selected, path.toStdString(), xlsxWorkbookFactory());
    QApplication::restoreOverrideCursor();
    if (!r.ok()) {
        QString text;
        for (const auto& e : r.errors)
            text += qu(e) + QLatin1Char('\n');
        Prompter::current().inform(this, text.trimmed());
        return;
    }
    const QString done = style == 2 ? QStringLiteral("已导出：%1").arg(path)
                                    : QStringLiteral("总课程表已复制到剪贴板，并导出：%1").arg(path);
    status(done);
    exportplaces::tellWritten(this, done, QFileInfo(path).absolutePath());
}

void TotalScheduleWnd::batchImport()
{
    if (!model_.batchImportActive())
        return;
    const QString clip = QGuiApplication::clipboard()->text();
    if (clip.isEmpty())
        return;
    if (model_.selectedPositions(*dataSet_).empty()) {
        Prompter::current().inform(this, QStringLiteral("没有选择班级，批量导入没有写入任何课程。请先用“选择班级”选择班级。"));
        return;
    }
    const auto text = gbk::fromUtf8(clip.toStdString());
    if (!text) {
        Prompter::current().inform(this, QStringLiteral("剪贴板中的文字含有无法保存的字符，没有导入。"));
        return;
    }
    int written = 0;
    runEdit(TotalSchedulePanel::batchImportStepName(), [&](DataSet& ds) {
        written = BatchImport(ds, model_.selectedClasses(ds), *text);
        return written > 0;
    });
    status(QStringLiteral("批量导入：改变了%1个格子").arg(written));
}

void TotalScheduleWnd::clearSelected()
{
    if (!Prompter::current().confirm(this, qs(TotalSchedulePanel::clearQuestion())))
        return;
    runEdit(TotalSchedulePanel::clearStepName(),
            [this](DataSet& ds) { return ClearSelectedClasses(ds, model_.selectedClasses(ds)); });
}

static std::unique_ptr<PrintDocument> documentFor(const DataSet& ds, const TotalSchedulePanel& m)
{
    const auto selected = m.selectedConstClasses(ds);
    if (m.style == 0)
        return masterStyle1Document(ds, selected, m.style1Options());
    if (m.style == 1)
        return masterStyle2Document(ds, selected, m.style2Options());
    return classSheetsDocument(ds, selected, ClassCellOptions{m.showSubject != 0, m.showTeacher != 0, m.nameStyle});
}

void TotalScheduleWnd::print()
{
    auto doc = documentFor(*dataSet_, model_);
    if (doc->pageCount() == 0) {
        Prompter::current().inform(this, QStringLiteral("没有可以打印的班级。"));
        return;
    }
    showPrintPreview(this, *doc);
}

void TotalScheduleWnd::exportPdfFile()
{
    auto doc = documentFor(*dataSet_, model_);
    if (doc->pageCount() == 0) {
        Prompter::current().inform(this, QStringLiteral("没有可以导出的班级。"));
        return;
    }
    status(exportPdf(this, *doc));
}

void TotalScheduleWnd::showHelp() { showHelpPage(this, QStringLiteral("总课程表"), TotalSchedulePanel::helpPage()); }

} // namespace tabrel::ui
