#include "ui/output/VenueTimetableWnd.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QTreeWidget>

#include "app/Document.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "output/DrawnTable.h"
#include "output/PrintDocument.h"
#include "render/QtCanvas.h"
#include "ui/output/PrintSupport.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui {

namespace {
constexpr int Gap = 24;
}

// The picture of the chosen venues, one sheet below the other.
class VenueSheetView : public QWidget {
public:
    VenueSheetView(const DataSet* ds, QWidget* parent) : QWidget(parent), ds_(ds) {}
    void show(const DataSet* ds, std::vector<VenueTimetable> tables)
    {
        ds_ = ds;
        tables_ = std::move(tables);
        const int w = timetableWidth(VenueCellWidth, ds_->dayCount()) + 2 * Gap;
        const int h = static_cast<int>(tables_.size()) * (timetableHeight(VenueCellHeight, ds_->periodsPerDay()) + Gap) + Gap;
        setFixedSize(std::max(w, 200), std::max(h, 80));
        update();
    }
    // One sheet as a picture of its own.
    static QImage picture(const DataSet& ds, const VenueTimetable& t)
    {
        QImage image(timetableWidth(VenueCellWidth, ds.dayCount()) + 2 * 10,
                     timetableHeight(VenueCellHeight, ds.periodsPerDay()) + 2 * 10, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QtCanvas canvas(painter);
        DrawnTable view;
        view.cellWidth = VenueCellWidth;
        view.cellHeight = VenueCellHeight;
        view.originX = view.originY = 10;
        DrawVenueTimetable(ds, t, view, canvas);
        return image;
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(240, 240, 240));
        if (!ds_)
            return;
        if (tables_.empty()) {
            painter.drawText(rect().adjusted(Gap, Gap, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                             QStringLiteral("还没有场室。请在“科目管理”中点击“场室设置”登记机房、操场等共用场室。"));
            return;
        }
        QtCanvas canvas(painter);
        int y = Gap;
        for (const VenueTimetable& t : tables_) {
            DrawnTable view;
            view.cellWidth = VenueCellWidth;
            view.cellHeight = VenueCellHeight;
            view.originX = Gap;
            view.originY = y;
            DrawVenueTimetable(*ds_, t, view, canvas);
            y += timetableHeight(VenueCellHeight, ds_->periodsPerDay()) + Gap;
        }
    }

private:
    const DataSet* ds_;
    std::vector<VenueTimetable> tables_;
};

VenueTimetableWnd::VenueTimetableWnd(Document& doc, QWidget* parent) : PanelWindow(parent), doc_(doc)
{
    setObjectName(QStringLiteral("VenueTimetableWnd"));
    setFocusPolicy(Qt::StrongFocus);
    strip_ = new QFrame(this);
    strip_->setObjectName(QStringLiteral("OutputStrip"));
    strip_->setStyleSheet(stripStyleSheet());
    auto* row = new QHBoxLayout(strip_);
    row->setContentsMargins(8, 4, 8, 4);
    const std::pair<QString, void (VenueTimetableWnd::*)()> commands[] = {
        {QStringLiteral("导出表格"), &VenueTimetableWnd::exportWorkbook},
        {QStringLiteral("导出图片"), &VenueTimetableWnd::exportPictures},
        {QStringLiteral("导出PDF"), &VenueTimetableWnd::exportPdfFile},
        {QStringLiteral("打印"), &VenueTimetableWnd::print},
        {QStringLiteral("复制文本"), &VenueTimetableWnd::copyText},
        {QStringLiteral("帮助"), &VenueTimetableWnd::showHelp},
    };
    for (const auto& [text, slot] : commands) {
        auto* b = new QPushButton(text, strip_);
        b->setFocusPolicy(Qt::TabFocus);
        connect(b, &QPushButton::clicked, this, slot);
        row->addWidget(b);
        buttons_.push_back(b);
    }
    summary_ = new QLabel(strip_);
    row->addSpacing(16);
    row->addWidget(summary_, 1);

    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    tree_->setObjectName(QStringLiteral("VenueTree"));
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (filling_ || !item)
            return;
        selectVenue(item->data(0, Qt::UserRole).toInt());
    });
    scroll_ = new QScrollArea(this);
    scroll_->setBackgroundRole(QPalette::Mid);
    view_ = new VenueSheetView(&doc_.dataSet(), scroll_);
    scroll_->setWidget(view_);
}

QPushButton* VenueTimetableWnd::button(const QString& text) const
{
    for (QPushButton* b : buttons_)
        if (b->text() == text)
            return b;
    return nullptr;
}

void VenueTimetableWnd::resizeEvent(QResizeEvent*)
{
    const int stripHeight = 40, treeWidth = 180;
    strip_->setGeometry(0, 0, width(), stripHeight);
    tree_->setGeometry(0, stripHeight, treeWidth, height() - stripHeight);
    scroll_->setGeometry(treeWidth, stripHeight, width() - treeWidth, height() - stripHeight);
}

void VenueTimetableWnd::refresh()
{
    const DataSet& ds = doc_.dataSet();
    tables_ = BuildVenueTimetables(ds);
    if (selected_ >= static_cast<int>(tables_.size()))
        selected_ = -1;
    filling_ = true;
    tree_->clear();
    auto* all = new QTreeWidgetItem(tree_, QStringList(QStringLiteral("全部场室")));
    all->setData(0, Qt::UserRole, -1);
    QTreeWidgetItem* current = all;
    for (std::size_t v = 0; v < tables_.size(); ++v) {
        const VenueTimetable& t = tables_[v];
        const int over = t.overSlots();
        QString text = qs(t.name) + QStringLiteral("（%1）").arg(t.capacity);
        if (over > 0)
            text += QStringLiteral(" 超员%1节").arg(over);
        auto* item = new QTreeWidgetItem(all, QStringList(text));
        item->setData(0, Qt::UserRole, static_cast<int>(v));
        if (over > 0)
            item->setForeground(0, QColor(200, 0, 0));
        if (static_cast<int>(v) == selected_)
            current = item;
    }
    tree_->expandAll();
    tree_->setCurrentItem(current);
    filling_ = false;
    int overSlots = 0;
    for (const VenueTimetable& t : tables_)
        overSlots += t.overSlots();
    summary_->setText(tables_.empty() ? QStringLiteral("没有场室")
                                      : QStringLiteral("共 %1 个场室，超员或占用不可用时段 %2 节")
                                            .arg(tables_.size())
                                            .arg(overSlots));
    view_->show(&ds, shown());
}

std::vector<VenueTimetable> VenueTimetableWnd::shown() const
{
    if (selected_ < 0)
        return tables_;
    return {tables_[selected_]};
}

void VenueTimetableWnd::selectVenue(int venue)
{
    if (venue < -1 || venue >= static_cast<int>(tables_.size()))
        return;
    selected_ = venue;
    view_->show(&doc_.dataSet(), shown());
    scroll_->ensureVisible(0, 0);
    if (!filling_) {
        filling_ = true;
        QTreeWidgetItem* root = tree_->topLevelItem(0);
        if (root)
            tree_->setCurrentItem(venue < 0 ? root : root->child(venue));
        filling_ = false;
    }
}

void VenueTimetableWnd::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Copy))
        copyText();
    else if (e->matches(QKeySequence::Print))
        print();
    else if (e->key() == Qt::Key_Down && !tree_->hasFocus())
        selectVenue(selected_ + 1 < static_cast<int>(tables_.size()) ? selected_ + 1 : selected_);
    else if (e->key() == Qt::Key_Up && !tree_->hasFocus())
        selectVenue(std::max(-1, selected_ - 1));
    else
        PanelWindow::keyPressEvent(e);
}

void VenueTimetableWnd::exportWorkbook()
{
    if (tables_.empty())
        return Prompter::current().inform(this, QStringLiteral("没有场室，没有可导出的场室课程表。"));
    const QString path = Prompter::current().saveFile(this, QStringLiteral("Excel 文件 (*.xlsx)|*.xlsx||"),
                                                      QStringLiteral("xlsx"));
    if (path.isEmpty())
        return;
    const WorkbookExportReport r = exportVenueWorkbook(doc_.dataSet(), path.toStdString(), xlsxWorkbookFactory());
    if (!r.ok()) {
        QString text;
        for (const auto& e : r.errors)
            text += qu(e) + "\n";
        return Prompter::current().inform(this, text.trimmed());
    }
    emit statusMessage(QStringLiteral("已导出场室课程表：%1").arg(path));
}

void VenueTimetableWnd::exportPictures()
{
    if (tables_.empty())
        return Prompter::current().inform(this, QStringLiteral("没有场室，没有可导出的场室课程表。"));
    const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("选择保存图片的文件夹"),
                                                          QString::fromStdString(doc_.folder()));
    if (dir.isEmpty())
        return;
    int written = 0;
    QStringList failed;
    for (const VenueTimetable& t : shown()) {
        QString name = qs(t.name);
        for (QChar bad : QStringLiteral("\\/:*?\"<>|"))
            name.replace(bad, QLatin1Char('_'));
        const QString file = QDir(dir).filePath(name + QStringLiteral("场室课程表.bmp"));
        if (VenueSheetView::picture(doc_.dataSet(), t).save(file, "BMP"))
            ++written;
        else
            failed << file;
    }
    if (!failed.isEmpty())
        Prompter::current().inform(this, QStringLiteral("以下图片无法写入：\n") + failed.join("\n"));
    emit statusMessage(QStringLiteral("已导出 %1 个图片文件到 %2").arg(written).arg(dir));
}

void VenueTimetableWnd::exportPdfFile()
{
    if (tables_.empty())
        return Prompter::current().inform(this, QStringLiteral("没有场室，没有可导出的场室课程表。"));
    const QString status = exportPdf(this, *venueSheetsDocument(doc_.dataSet()));
    if (!status.isEmpty())
        emit statusMessage(status);
}

void VenueTimetableWnd::print()
{
    if (tables_.empty())
        return Prompter::current().inform(this, QStringLiteral("没有场室，没有可打印的场室课程表。"));
    showPrintPreview(this, *venueSheetsDocument(doc_.dataSet()));
}

void VenueTimetableWnd::copyText()
{
    const auto list = shown();
    if (list.empty())
        return Prompter::current().inform(this, QStringLiteral("没有场室，没有可复制的内容。"));
    QApplication::clipboard()->setText(qs(venueTimetablesText(doc_.dataSet(), list)));
    emit statusMessage(QStringLiteral("已复制 %1 个场室的课程表，可粘贴到 EXCEL 或 WPS 中").arg(list.size()));
}

void VenueTimetableWnd::showHelp()
{
    showHelpPage(this, QStringLiteral("场室课程表"), venueTimetableHelpPage());
}

} // namespace tabrel::ui
