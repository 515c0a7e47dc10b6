#include "ui/setup/TeacherClassMatchCtrl.h"

#include "app/Document.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <QScrollBar>

#include "data/DataSet.h"
#include "setup/PasteSummary.h"
#include "scheduling/TeacherAssignment.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui {

namespace {
constexpr int BarWidth = 16;
const QColor HeaderFill(0xee, 0xee, 0xee);
const QColor GridLine(0xc0, 0xc0, 0xc0);
const QColor Absent(0xf6, 0xf6, 0xf6);

QRect qr(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }
} // namespace

TeacherClassMatchCtrl::TeacherClassMatchCtrl(Document& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), ds_(&doc.dataSet())
{
    setObjectName(QStringLiteral("TeacherClassMatchCtrl"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    vbar_ = new QScrollBar(Qt::Vertical, this);
    hbar_ = new QScrollBar(Qt::Horizontal, this);
    connect(vbar_, &QScrollBar::valueChanged, this, [this](int v) {
        if (!syncing_ && ds_) {
            finishEdit(true);
            model_.scrollClassesTo(*ds_, v);
            update();
        }
    });
    connect(hbar_, &QScrollBar::valueChanged, this, [this](int v) {
        if (!syncing_ && ds_) {
            finishEdit(true);
            model_.scrollSubjectsTo(*ds_, v);
            update();
        }
    });
    editor_ = new QLineEdit(this);
    editor_->setObjectName(QStringLiteral("AssignmentCellEditor"));
    editor_->hide();
    editor_->installEventFilter(this);
}

void TeacherClassMatchCtrl::setDataSet(DataSet* dataSet)
{
    editor_->hide();
    ds_ = dataSet;
    model_ = TeacherClassMatch();
    refresh();
}

bool TeacherClassMatchCtrl::run(const char* stepUtf8, const EditFunction& edit)
{
    const bool done = doc_.edit(gbk::literal(stepUtf8), edit);
    if (done)
        emit changed();
    refresh();
    return done;
}

void TeacherClassMatchCtrl::refresh()
{
    if (ds_) {
        // The load text follows every change made on the page.
        ComputeAssignedPeriods(*ds_);
        model_.clampTo(*ds_);
    }
    syncBars();
    update();
}

void TeacherClassMatchCtrl::syncBars()
{
    syncing_ = true;
    vbar_->setRange(0, ds_ ? TeacherClassMatch::maxFirstClass(*ds_) : 0);
    vbar_->setPageStep(TeacherClassMatch::MatrixRows);
    vbar_->setValue(model_.firstClass());
    hbar_->setRange(0, ds_ ? TeacherClassMatch::maxFirstSubject(*ds_) : 0);
    hbar_->setPageStep(TeacherClassMatch::ShownSubjects);
    hbar_->setValue(model_.firstSubject());
    hbar_->setVisible(hbar_->maximum() > 0);
    syncing_ = false;
}

TeacherClassMatch::Layout TeacherClassMatchCtrl::currentLayout() const
{
    const int teachers = ds_ ? static_cast<int>(ds_->teachers.size()) : 0;
    return model_.layout(width() - BarWidth, height() - BarWidth, teachers);
}

QPoint TeacherClassMatchCtrl::matrixPoint(int r, int c) const
{
    return qr(TeacherClassMatch::matrixCellRect(currentLayout(), r, c)).center();
}

QPoint TeacherClassMatchCtrl::listPoint(int k) const
{
    return qr(TeacherClassMatch::listRowRect(currentLayout(), k)).center();
}

void TeacherClassMatchCtrl::resizeEvent(QResizeEvent*)
{
    vbar_->setGeometry(width() - BarWidth, 0, BarWidth, height() - BarWidth);
    hbar_->setGeometry(currentLayout().matrixLeft, height() - BarWidth, width() - BarWidth - currentLayout().matrixLeft,
                       BarWidth);
    finishEdit(true);
}

bool TeacherClassMatchCtrl::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip && ds_) {
        const auto* help = static_cast<QHelpEvent*>(e);
        const std::string tip = model_.tipAt(*ds_, currentLayout(), help->pos().x(), help->pos().y());
        if (tip.empty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), qs(tip), this);
        return true;
    }
    return QWidget::event(e);
}

void TeacherClassMatchCtrl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!ds_)
        return;
    const DataSet& ds = *ds_;
    const auto l = currentLayout();
    auto cell = [&](const QRect& r, const QString& text, const QColor& fill, const QColor& ink, int align) {
        if (fill.isValid())
            p.fillRect(r, fill);
        p.setPen(GridLine);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(ink);
        p.drawText(r.adjusted(3, 0, -3, 0), align, text);
    };
    // Teacher list.
    cell(qr(l.listName), QStringLiteral("教师"), HeaderFill, Qt::black, Qt::AlignCenter);
    cell(qr(l.listInfo), QStringLiteral("信息"), HeaderFill, Qt::black, Qt::AlignCenter);
    for (int k = 0; k < TeacherClassMatch::ListRows; ++k) {
        const Rect row = TeacherClassMatch::listRowRect(l, k);
        const int t = model_.firstTeacher() + k;
        const bool has = t < static_cast<int>(ds.teachers.size());
        const QRect name(row.left, row.top, l.listName.width(), row.height());
        const QRect info(l.listInfo.left, row.top, l.listInfo.width(), row.height());
        cell(name, has ? qs(ds.teachers[t]->name) : QString(), QColor(), Qt::black, Qt::AlignLeft | Qt::AlignVCenter);
        cell(info, has ? qs(TeacherClassMatch::teacherInfo(*ds.teachers[t])) : QString(), QColor(), Qt::darkGray,
             Qt::AlignCenter);
    }
    // Its scroll strip: arrows and thumb.
    p.fillRect(qr(l.strip), QColor(0xe4, 0xe4, 0xe4));
    p.fillRect(qr(l.thumb).adjusted(2, 1, -2, -1), QColor(0xa8, 0xa8, 0xa8));
    for (const Rect& a : {l.stripUp, l.stripDown}) {
        p.fillRect(qr(a), QColor(0xd0, 0xd0, 0xd0));
        const QRect r = qr(a);
        const bool up = a == l.stripUp;
        const QPoint c = r.center();
        const QPolygon tri = up ? QPolygon({QPoint(c.x() - 4, c.y() + 2), QPoint(c.x() + 4, c.y() + 2), QPoint(c.x(), c.y() - 3)})
                                : QPolygon({QPoint(c.x() - 4, c.y() - 2), QPoint(c.x() + 4, c.y() - 2), QPoint(c.x(), c.y() + 3)});
        p.setBrush(Qt::black);
        p.setPen(Qt::NoPen);
        p.drawPolygon(tri);
        p.setBrush(Qt::NoBrush);
    }
    // Matrix.
    const int classes = TeacherClassMatch::classCount(ds);
    const int subjects = static_cast<int>(ds.subjects.size());
    cell(qr(TeacherClassMatch::matrixCellRect(l, 0, 0)), QStringLiteral("班级"), HeaderFill, Qt::black, Qt::AlignCenter);
    for (int c = 1; c <= TeacherClassMatch::MatrixColumns; ++c) {
        const int j = model_.firstSubject() + c - 1;
        const QString name = c <= TeacherClassMatch::ShownSubjects && j < subjects ? qs(ds.subjects[j]->name) : QString();
        cell(qr(TeacherClassMatch::matrixCellRect(l, 0, c)), name, HeaderFill, Qt::black, Qt::AlignCenter);
    }
    const auto list = TeacherClassMatch::classList(ds);
    for (int r = 1; r <= TeacherClassMatch::MatrixRows; ++r) {
        const int i = model_.firstClass() + r - 1;
        const bool hasClass = i < classes;
        const bool overWeek = hasClass && !TeacherClassMatch::planOverWeekText(ds, i).empty();
        cell(qr(TeacherClassMatch::matrixCellRect(l, r, 0)), hasClass ? qs(list[i]->name) : QString(), HeaderFill,
             overWeek ? QColor(220, 0, 0) : QColor(Qt::black), Qt::AlignCenter);
        for (int c = 1; c <= TeacherClassMatch::MatrixColumns; ++c) {
            const int j = model_.firstSubject() + c - 1;
            QColor fill;
            QString text;
            QColor ink = Qt::black;
            if (hasClass && c <= TeacherClassMatch::ShownSubjects && j < subjects) {
                if (!list[i]->FindAssignment(ds.subjects[j]->name))
                    fill = Absent;
                const std::string t = TeacherClassMatch::assignmentTeacherAt(ds, i, j);
                text = qs(t);
                if (t == model_.highlightName())
                    ink = Qt::red;
                if (TeacherClassMatch::teacherUnregistered(ds, i, j)) {
                    fill = QColor(0xff, 0xd8, 0xd8);
                    ink = QColor(200, 0, 0);
                }
            }
            cell(qr(TeacherClassMatch::matrixCellRect(l, r, c)), text, fill, ink, Qt::AlignCenter);
        }
    }
    Rect sel;
    if (model_.hasSelection() && model_.cellOnScreen(model_.selectedClass(), model_.selectedSubject(), l, sel)) {
        p.setPen(QPen(QColor(0x20, 0x50, 0xc0), 2));
        p.drawRect(qr(sel).adjusted(1, 1, -1, -1));
    }
    // The dragged name follows the mouse.
    if (model_.dragging()) {
        const QString text = qs(model_.dragText());
        const QRect box(model_.dragX() - 40, model_.dragY() - 11, 80, 22);
        p.fillRect(box, QColor(0xff, 0xf4, 0xc0));
        p.setPen(QColor(0x80, 0x60, 0x00));
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.drawText(box, Qt::AlignCenter, text);
    }
}

void TeacherClassMatchCtrl::handle(const TeacherClassMatch::Result& r, const QPoint& globalPos)
{
    using O = TeacherClassMatch::Outcome;
    switch (r.outcome) {
    case O::None:
        return;
    case O::Redraw:
        break;
    case O::OpenEditor:
        openEditor();
        break;
    case O::Drop: {
        const int i = r.classIndex, j = r.subjectIndex;
        const std::string name = r.text;
        run("拖放任课教师", [i, j, name](DataSet& ds) { return TeacherClassMatch::setAssignmentTeacher(ds, i, j, name); });
        break;
    }
    case O::ContextMenu: {
        update();
        QMenu menu(this);
        QAction* copy = menu.addAction(QStringLiteral("整表复制"));
        QAction* paste = menu.addAction(QStringLiteral("数据粘贴"));
        QAction* clear = menu.addAction(QStringLiteral("清除单元格"));
        QAction* chosen = menu.exec(globalPos);
        if (chosen == copy)
            copyWholeTable();
        else if (chosen == paste)
            pasteClipboard();
        else if (chosen == clear)
            clearSelectedCell();
        break;
    }
    }
    syncBars();
    update();
}

void TeacherClassMatchCtrl::mousePressEvent(QMouseEvent* e)
{
    setFocus();
    finishEdit(true);
    if (!ds_)
        return;
    const QPoint pos = e->position().toPoint();
    if (e->button() == Qt::LeftButton)
        handle(model_.leftDown(*ds_, currentLayout(), pos.x(), pos.y()), e->globalPosition().toPoint());
    else if (e->button() == Qt::RightButton)
        handle(model_.rightDown(*ds_, currentLayout(), pos.x(), pos.y()), e->globalPosition().toPoint());
}

void TeacherClassMatchCtrl::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    handle(model_.mouseMove(pos.x(), pos.y(), e->buttons() & Qt::LeftButton), e->globalPosition().toPoint());
}

void TeacherClassMatchCtrl::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !ds_)
        return;
    const QPoint pos = e->position().toPoint();
    handle(model_.leftUp(*ds_, currentLayout(), pos.x(), pos.y()), e->globalPosition().toPoint());
}

void TeacherClassMatchCtrl::wheelEvent(QWheelEvent* e)
{
    if (!ds_)
        return;
    finishEdit(true);
    const int steps = e->angleDelta().y() / 120;
    const QPoint pos = e->position().toPoint();
    if (pos.x() < currentLayout().matrixLeft)
        model_.scrollTeachersTo(*ds_, model_.firstTeacher() - steps * 3);
    else if (e->modifiers() & Qt::ShiftModifier)
        model_.scrollSubjectsTo(*ds_, model_.firstSubject() - steps);
    else
        model_.scrollClassesTo(*ds_, model_.firstClass() - steps * 3);
    syncBars();
    update();
}

void TeacherClassMatchCtrl::keyPressEvent(QKeyEvent* e)
{
    if (!ds_)
        return;
    if (e->matches(QKeySequence::Copy)) {
        copyWholeTable();
        return;
    }
    if (e->matches(QKeySequence::Paste)) {
        pasteClipboard();
        return;
    }
    int dr = 0, dc = 0;
    switch (e->key()) {
    case Qt::Key_Up: dr = -1; break;
    case Qt::Key_Down: dr = 1; break;
    case Qt::Key_Left: dc = -1; break;
    case Qt::Key_Right:
    case Qt::Key_Tab: dc = 1; break;
    case Qt::Key_PageUp: dr = -TeacherClassMatch::MatrixRows; break;
    case Qt::Key_PageDown: dr = TeacherClassMatch::MatrixRows; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        openEditor();
        return;
    case Qt::Key_Delete:
        clearSelectedCell();
        return;
    default:
        if (model_.hasSelection() && !e->text().isEmpty() && e->text().at(0).isPrint()) {
            openEditor();
            editor_->setText(e->text());
            return;
        }
        QWidget::keyPressEvent(e);
        return;
    }
    if (model_.moveSelection(*ds_, dr, dc)) {
        syncBars();
        update();
    }
}

bool TeacherClassMatchCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == editor_ && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            finishEdit(true);
            return true;
        }
        if (k->key() == Qt::Key_Escape) {
            finishEdit(false);
            return true;
        }
        int dr = 0, dc = 0;
        if (k->key() == Qt::Key_Up) dr = -1;
        if (k->key() == Qt::Key_Down) dr = 1;
        if (k->key() == Qt::Key_Tab) dc = 1;
        if (k->key() == Qt::Key_Backtab) dc = -1;
        if (dr || dc) {
            finishEdit(true);
            if (ds_ && model_.moveSelection(*ds_, dr, dc)) {
                syncBars();
                openEditor();
            }
            return true;
        }
    }
    if (watched == editor_ && event->type() == QEvent::FocusOut && editor_->isVisible())
        finishEdit(true);
    return QWidget::eventFilter(watched, event);
}

void TeacherClassMatchCtrl::openEditor()
{
    Rect r;
    if (!ds_ || !model_.hasSelection() ||
        !model_.cellOnScreen(model_.selectedClass(), model_.selectedSubject(), currentLayout(), r))
        return;
    editor_->setGeometry(qr(r));
    editor_->setText(qs(TeacherClassMatch::assignmentTeacherAt(*ds_, model_.selectedClass(), model_.selectedSubject())));
    editor_->selectAll();
    editor_->show();
    editor_->setFocus();
}

void TeacherClassMatchCtrl::finishEdit(bool accept)
{
    if (!editor_->isVisible())
        return;
    const QString typed = editor_->text().trimmed();
    editor_->hide();
    setFocus();
    if (!accept || !ds_)
        return;
    auto text = gbk::fromUtf8(typed.toStdString());
    if (!text) {
        Prompter::current().inform(this, QStringLiteral("“%1”中有无法保存的字符，请改用常用汉字。").arg(typed));
        return;
    }
    const TeacherClassMatch& m = model_;
    const std::string value = *text;
    run("输入任课教师", [&m, value](DataSet& ds) { return m.commitEdit(ds, value); });
}

void TeacherClassMatchCtrl::copyWholeTable()
{
    if (ds_)
        QApplication::clipboard()->setText(qs(TeacherClassMatch::wholeTableText(*ds_)));
}

void TeacherClassMatchCtrl::pasteClipboard()
{
    if (!ds_)
        return;
    const QString clip = QApplication::clipboard()->text();
    if (clip.isEmpty())
        return;
    auto text = gbk::fromUtf8(clip.toStdString());
    if (!text) {
        Prompter::current().inform(this, QStringLiteral("剪贴板中有无法保存的字符，没有粘贴。"));
        return;
    }
    const TeacherClassMatch& m = model_;
    PasteSummary summary;
    run("粘贴任课信息", [&m, &text, &summary](DataSet& ds) {
        summary = PasteSummary{};
        return m.paste(ds, *text, &summary);
    });
    if (summary.worthTelling())
        Prompter::current().inform(this, qs(summary.message(std::string())));
}

void TeacherClassMatchCtrl::clearSelectedCell()
{
    const TeacherClassMatch& m = model_;
    run("清除单元格", [&m](DataSet& ds) { return m.clearSelected(ds); });
}

} // namespace tabrel::ui
