#include "ui/setup/KmGridCtrl.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include "app/Document.h"
#include "data/DataSet.h"
#include "setup/PasteSummary.h"
#include "data/Gbk.h"
#include "setup/KmGrid.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"
#include "render/QtCanvas.h"

namespace tabrel::ui {

KmGridCtrl::KmGridCtrl(Document& doc, KmGrid& grid, QWidget* parent) : QWidget(parent), doc_(doc), grid_(grid)
{
    setObjectName(QStringLiteral("KmGridCtrl"));
    setFocusPolicy(Qt::StrongFocus);
    bar_ = new QScrollBar(Qt::Vertical, this);
    connect(bar_, &QScrollBar::valueChanged, this, [this](int v) {
        if (syncing_)
            return;
        closeEditor(true);
        grid_.scroll(doc_.dataSet(), KmGrid::Scroll::Thumb, v);
        syncScrollBar();
        update();
    });
    editor_ = new QLineEdit(this);
    editor_->hide();
    editor_->installEventFilter(this);
    connect(editor_, &QLineEdit::editingFinished, this, [this] { closeEditor(true); });
}

void KmGridCtrl::reload()
{
    grid_.clampToData(doc_.dataSet());
    syncScrollBar();
    update();
}

void KmGridCtrl::syncScrollBar()
{
    syncing_ = true;
    bar_->setRange(0, grid_.maxFirstRow(doc_.dataSet()));
    bar_->setPageStep(std::max(1, grid_.visibleRows()));
    bar_->setValue(grid_.firstRow());
    syncing_ = false;
}

void KmGridCtrl::resizeEvent(QResizeEvent*)
{
    const int w = bar_->sizeHint().width();
    bar_->setGeometry(width() - w, 0, w, height());
    grid_.setSize(width() - w, height());
    reload();
}

bool KmGridCtrl::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        const std::string tip = grid_.tipAt(doc_.dataSet(), help->pos().x(), help->pos().y());
        if (tip.empty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), qs(tip), this);
        return true;
    }
    return QWidget::event(e);
}

void KmGridCtrl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QtCanvas canvas(p);
    grid_.draw(canvas, doc_.dataSet());
    if (hasFocus() && grid_.selectedSubject() >= 0) {
        const Rect r = grid_.cellRect(doc_.dataSet(), grid_.selectedSubject(), grid_.selectedColumn());
        if (r.width() > 0) {
            p.setPen(QPen(QColor(0, 120, 215), 2));
            p.drawRect(r.left + 1, r.top + 1, r.width() - 2, r.height() - 2);
        }
    }
}

void KmGridCtrl::act(int action)
{
    switch (static_cast<KmGrid::Action>(action)) {
    case KmGrid::Action::None:
    case KmGrid::Action::ShowButtons: break;
    case KmGrid::Action::Edit: openEditor(); break;
    case KmGrid::Action::ToggleProgress: emit toggleRequested(); break;
    case KmGrid::Action::OpenPreset: emit presetRequested(); break;
    case KmGrid::Action::CopySettings: emit copyRequested(); break;
    case KmGrid::Action::PasteSettings: emit pasteRequested(); break;
    }
    update();
}

void KmGridCtrl::mousePressEvent(QMouseEvent* e)
{
    setFocus();
    closeEditor(true);
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint at = e->position().toPoint();
    act(static_cast<int>(grid_.press(doc_.dataSet(), at.x(), at.y())));
}

void KmGridCtrl::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint at = e->position().toPoint();
    act(static_cast<int>(grid_.release(doc_.dataSet(), at.x(), at.y())));
}

void KmGridCtrl::mouseDoubleClickEvent(QMouseEvent* e)
{
    // A double click is a second press and release of the same cell.
    mousePressEvent(e);
}

void KmGridCtrl::wheelEvent(QWheelEvent* e)
{
    closeEditor(true);
    const int steps = e->angleDelta().y() / 40;
    for (int i = 0; i < std::abs(steps); ++i)
        grid_.scroll(doc_.dataSet(), steps > 0 ? KmGrid::Scroll::LineUp : KmGrid::Scroll::LineDown);
    syncScrollBar();
    update();
}

void KmGridCtrl::keyPressEvent(QKeyEvent* e)
{
    using K = KmGrid::Key;
    K k;
    switch (e->key()) {
    case Qt::Key_Up: k = K::Up; break;
    case Qt::Key_Down: k = K::Down; break;
    case Qt::Key_Left: k = K::Left; break;
    case Qt::Key_Right: k = K::Right; break;
    case Qt::Key_PageUp: k = K::PageUp; break;
    case Qt::Key_PageDown: k = K::PageDown; break;
    case Qt::Key_Home: k = K::Home; break;
    case Qt::Key_End: k = K::End; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2: k = K::Enter; break;
    case Qt::Key_Space: k = K::Space; break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        // A lesson count or a limit is emptied as one step; on a subject's name Delete goes on to
        // the page, whose "删除科目" asks first.
        if (clearSelectedNumber())
            return;
        QWidget::keyPressEvent(e);
        return;
    default: QWidget::keyPressEvent(e); return;
    }
    act(static_cast<int>(grid_.key(doc_.dataSet(), k)));
    syncScrollBar();
}

bool KmGridCtrl::clearSelectedNumber()
{
    const DataSet& ds = doc_.dataSet();
    const int subject = grid_.selectedSubject(), column = grid_.selectedColumn();
    const auto columns = grid_.columns(ds);
    if (!grid_.editable(ds) || column < 0 || column >= static_cast<int>(columns.size()))
        return false;
    const KmGrid::Column c = columns[column];
    if (c.kind != KmGrid::ColumnKind::Grade && c.kind != KmGrid::ColumnKind::Limit)
        return false;
    if (grid_.editText(ds).empty())
        return true;
    if (doc_.edit(GBK("清除内容"), [&](DataSet& d) { return KmGrid::storeCellText(d, subject, c, std::string()); }))
        emit edited();
    update();
    return true;
}

void KmGridCtrl::openEditor()
{
    const DataSet& ds = doc_.dataSet();
    if (!grid_.editable(ds))
        return;
    editSubject_ = grid_.selectedSubject();
    editColumn_ = grid_.selectedColumn();
    const Rect r = grid_.cellRect(ds, editSubject_, editColumn_);
    editor_->setGeometry(r.left, r.top, r.width(), r.height());
    editor_->setText(qs(grid_.editText(ds)));
    editor_->selectAll();
    editor_->show();
    editor_->setFocus();
}

void KmGridCtrl::closeEditor(bool keep)
{
    if (!editor_->isVisible())
        return;
    editor_->hide();
    const int subject = editSubject_, column = editColumn_;
    editSubject_ = editColumn_ = -1;
    setFocus();
    if (!keep)
        return;
    const auto text = gbk::fromUtf8(editor_->text().trimmed().toStdString());
    if (!text) {
        Prompter::current().inform(this, QStringLiteral("输入的文字中有无法保存的字符，未作修改。"));
        return;
    }
    const auto columns = grid_.columns(doc_.dataSet());
    if (column < 0 || column >= static_cast<int>(columns.size()))
        return;
    const KmGrid::Column c = columns[column];
    if (c.kind == KmGrid::ColumnKind::Limit && leadingIntOverflows(*text)) {
        Prompter::current().inform(this, QStringLiteral("“%1”数字太大，未作修改。").arg(editor_->text().trimmed()));
        return;
    }
    if (doc_.edit(GBK("修改科目"), [&](DataSet& ds) { return KmGrid::storeCellText(ds, subject, c, *text); }))
        emit edited();
    update();
}

bool KmGridCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == editor_ && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Escape) {
            closeEditor(false);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tabrel::ui
