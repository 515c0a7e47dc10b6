#include "ui/setup/TeacherInfoGridCtrl.h"

#include "app/Document.h"

#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QToolTip>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include "data/DataSet.h"
#include "setup/PasteSummary.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui {

namespace {
constexpr int BarWidth = 16;
const QColor SelectedRow(0xdd, 0xea, 0xfb);
const QColor HeaderFill(0xee, 0xee, 0xee);
} // namespace

TeacherInfoGridCtrl::TeacherInfoGridCtrl(Document& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), ds_(&doc.dataSet())
{
    setObjectName(QStringLiteral("TeacherInfoGridCtrl"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    vbar_ = new QScrollBar(Qt::Vertical, this);
    connect(vbar_, &QScrollBar::valueChanged, this, [this](int v) {
        if (syncing_)
            return;
        grid_.scrollTo(v, count());
        placeRuleButtons();
        update();
    });
    editor_ = new QLineEdit(this);
    editor_->setObjectName(QStringLiteral("TeacherCellEditor"));
    editor_->hide();
    editor_->installEventFilter(this);
    const char* texts[] = {"设置...", "复制设置", "粘贴设置"};
    for (int i = 0; i < 3; ++i) {
        ruleButtons_[i] = new QPushButton(QString::fromUtf8(texts[i]), this);
        ruleButtons_[i]->setFocusPolicy(Qt::TabFocus);
        ruleButtons_[i]->setStyleSheet(
            QStringLiteral("QPushButton:focus { border: 2px solid rgb(20, 100, 220); border-radius: 3px; }"));
        ruleButtons_[i]->hide();
    }
    connect(ruleButtons_[0], &QPushButton::clicked, this, &TeacherInfoGridCtrl::runRuleDialog);
    connect(ruleButtons_[1], &QPushButton::clicked, this, &TeacherInfoGridCtrl::copySettings);
    connect(ruleButtons_[2], &QPushButton::clicked, this, &TeacherInfoGridCtrl::pasteSettings);
}

void TeacherInfoGridCtrl::setDataSet(DataSet* dataSet)
{
    editor_->hide();
    ds_ = dataSet;
    grid_ = TeacherInfoGrid();
    grid_.setClientHeight(height());
    refresh();
}

int TeacherInfoGridCtrl::count() const
{
    return ds_ ? static_cast<int>(ds_->teachers.size()) : 0;
}

void TeacherInfoGridCtrl::refresh()
{
    // The never-empty rule is a rule of drawing: only a grid on screen appends its first teacher,
    // never one pointed at a school just opened behind another panel.
    if (ds_ && isVisible())
        TeacherInfoGrid::ensureNotEmpty(*ds_);
    grid_.clampTo(count());
    syncScrollBar();
    placeRuleButtons();
    update();
}

void TeacherInfoGridCtrl::syncScrollBar()
{
    syncing_ = true;
    vbar_->setRange(0, grid_.maxFirstRow(count()));
    vbar_->setPageStep(grid_.visibleRows());
    vbar_->setValue(grid_.firstRow());
    syncing_ = false;
}

QRect TeacherInfoGridCtrl::cellRect(int row, int column) const
{
    const auto widths = TeacherInfoGrid::columnWidths(width() - BarWidth);
    int left = 0;
    for (int c = 0; c < column && c < TeacherInfoGrid::ColumnCount; ++c)
        left += widths[c];
    const int top = row < 0 ? 0 : TeacherInfoGrid::HeaderHeight + row * TeacherInfoGrid::RowHeight;
    const int h = row < 0 ? TeacherInfoGrid::HeaderHeight : TeacherInfoGrid::RowHeight;
    return QRect(left, top, widths[std::clamp(column, 0, TeacherInfoGrid::ColumnCount - 1)], h);
}

bool TeacherInfoGridCtrl::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip && ds_) {
        const QPoint pos = static_cast<QHelpEvent*>(e)->pos();
        int row = -1, column = -1;
        std::string tip;
        if (grid_.hitTest(pos.x(), pos.y(), width() - BarWidth, row, column))
            tip = TeacherInfoGrid::cellTip(*ds_, grid_.firstRow() + row, column);
        if (tip.empty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), qs(tip), this);
        return true;
    }
    return QWidget::event(e);
}

void TeacherInfoGridCtrl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!ds_)
        return;
    const auto& headers = TeacherInfoGrid::headers();
    p.setPen(QColor(0x88, 0x88, 0x88));
    for (int c = 0; c < TeacherInfoGrid::ColumnCount; ++c) {
        const QRect r = cellRect(-1, c);
        p.fillRect(r, HeaderFill);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, qs(headers[c]));
        p.setPen(QColor(0x88, 0x88, 0x88));
    }
    for (int row = 0; row < grid_.visibleRows(); ++row) {
        const int t = grid_.firstRow() + row;
        if (t >= count())
            break;
        for (int c = 0; c < TeacherInfoGrid::ColumnCount; ++c) {
            const QRect r = cellRect(row, c);
            if (row == grid_.selectedRow())
                p.fillRect(r, SelectedRow);
            p.setPen(QColor(0xc0, 0xc0, 0xc0));
            p.drawRect(r.adjusted(0, 0, -1, -1));
            const bool marked = TeacherInfoGrid::cellMarked(*ds_, t, c);
            if (marked)
                p.fillRect(r.adjusted(1, 1, -1, -1), QColor(0xff, 0xd8, 0xd8));
            p.setPen(marked ? QColor(200, 0, 0) : QColor(Qt::black));
            const int align = c == 0 || c == 4 ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter);
            p.drawText(r.adjusted(4, 0, -4, 0), align, qs(TeacherInfoGrid::cellText(*ds_, t, c)));
        }
    }
    if (grid_.hasSelection()) {
        p.setPen(QPen(QColor(0x20, 0x50, 0xc0), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(cellRect(grid_.selectedRow(), grid_.selectedColumn()).adjusted(1, 1, -1, -1));
    }
}

void TeacherInfoGridCtrl::resizeEvent(QResizeEvent*)
{
    vbar_->setGeometry(width() - BarWidth, 0, BarWidth, height());
    grid_.setClientHeight(height());
    grid_.clampTo(count());
    syncScrollBar();
    placeRuleButtons();
    if (editorOpen())
        editor_->setGeometry(cellRect(grid_.selectedRow(), grid_.selectedColumn()));
}

void TeacherInfoGridCtrl::placeRuleButtons()
{
    const bool show = grid_.ruleButtonsShown() && grid_.hasSelection() &&
                      grid_.selectedColumn() == TeacherInfoGrid::RuleColumn;
    if (!show) {
        for (QPushButton* b : ruleButtons_)
            b->hide();
        return;
    }
    const QRect cell = cellRect(grid_.selectedRow(), TeacherInfoGrid::RuleColumn).adjusted(2, 1, -2, -1);
    const int w = std::min(90, cell.width() / 3);
    for (int i = 0; i < 3; ++i) {
        ruleButtons_[i]->setGeometry(cell.left() + i * w, cell.top(), w - 2, cell.height());
        ruleButtons_[i]->show();
        ruleButtons_[i]->raise();
    }
    ruleButtons_[0]->setEnabled(static_cast<bool>(openTeacherRules));
    ruleButtons_[2]->setEnabled(!grid_.settingsClipboard().empty());
}

void TeacherInfoGridCtrl::act(TeacherInfoGrid::Action action)
{
    placeRuleButtons();
    if (action == TeacherInfoGrid::Action::OpenEditor)
        openEditor();
    update();
}

void TeacherInfoGridCtrl::mousePressEvent(QMouseEvent* e)
{
    setFocus();
    if (editorOpen())
        finishEdit(TeacherInfoGrid::EditEnd::Accept);
    int row = -1, column = -1;
    const QPoint pos = e->position().toPoint();
    const bool hit = grid_.hitTest(pos.x(), pos.y(), width() - BarWidth, row, column) &&
                     grid_.firstRow() + row < count();
    if (!hit)
        row = column = -1;
    if (e->button() == Qt::LeftButton) {
        act(grid_.leftDown(row, column));
    } else if (e->button() == Qt::RightButton) {
        act(grid_.rightDown(row, column));
        showMenu(e->globalPosition().toPoint());
    }
}

void TeacherInfoGridCtrl::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    int row = -1, column = -1;
    const QPoint pos = e->position().toPoint();
    if (!grid_.hitTest(pos.x(), pos.y(), width() - BarWidth, row, column) || grid_.firstRow() + row >= count())
        row = column = -1;
    act(grid_.leftUp(row, column));
}

void TeacherInfoGridCtrl::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    int row = -1, column = -1;
    const QPoint pos = e->position().toPoint();
    if (!grid_.hitTest(pos.x(), pos.y(), width() - BarWidth, row, column) || grid_.firstRow() + row >= count())
        return;
    act(grid_.doubleClick(row, column));
}

void TeacherInfoGridCtrl::wheelEvent(QWheelEvent* e)
{
    const int steps = e->angleDelta().y() / 120;
    if (steps == 0)
        return;
    if (editorOpen())
        finishEdit(TeacherInfoGrid::EditEnd::Accept);
    grid_.scrollBy(-steps * 3, count());
    refresh();
}

void TeacherInfoGridCtrl::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Paste)) {
        pasteClipboard();
        return;
    }
    if (e->matches(QKeySequence::Copy)) {
        copyWholeTable();
        return;
    }
    if (!grid_.hasSelection()) {
        if (e->key() == Qt::Key_Down || e->key() == Qt::Key_Up || e->key() == Qt::Key_Tab) {
            grid_.select(0, 1);
            refresh();
            return;
        }
        QWidget::keyPressEvent(e);
        return;
    }
    using E = TeacherInfoGrid::EditEnd;
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        openEditor();
        return;
    case Qt::Key_Up: grid_.moveAfterEdit(E::Up, count()); break;
    case Qt::Key_Down: grid_.moveAfterEdit(E::Down, count()); break;
    case Qt::Key_Left: grid_.moveAfterEdit(E::Left, count()); break;
    case Qt::Key_Right: grid_.moveAfterEdit(E::Right, count()); break;
    case Qt::Key_PageUp: grid_.moveAfterEdit(E::PageUp, count()); break;
    case Qt::Key_PageDown: grid_.moveAfterEdit(E::PageDown, count()); break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace: {
        // Empties the selected cell of a teacher's text columns as one step.
        const int t = grid_.selectedTeacher(), c = grid_.selectedColumn();
        if (ds_ && c >= 1 && c <= 5 && t >= 0 && t < static_cast<int>(ds_->teachers.size()) &&
            !TeacherInfoGrid::cellText(*ds_, t, c).empty() &&
            doc_.edit(GBK("清除内容"), [t, c](DataSet& ds) { return TeacherInfoGrid::writeCell(ds, t, c, std::string()); }))
            emit changed();
        break;
    }
    default:
        // Typing on a selected cell starts editing with the typed text.
        if (!e->text().isEmpty() && e->text().at(0).isPrint() && grid_.selectedColumn() >= 1 &&
            grid_.selectedColumn() <= 5) {
            openEditor();
            editor_->setText(e->text());
            return;
        }
        QWidget::keyPressEvent(e);
        return;
    }
    refresh();
}


bool TeacherInfoGridCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == editor_ && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        using E = TeacherInfoGrid::EditEnd;
        switch (k->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: finishEdit(E::Accept); return true;
        case Qt::Key_Escape: finishEdit(E::Cancel); return true;
        case Qt::Key_Tab: finishEdit(E::Tab); return true;
        case Qt::Key_Backtab: finishEdit(E::BackTab); return true;
        case Qt::Key_Up: finishEdit(E::Up); return true;
        case Qt::Key_Down: finishEdit(E::Down); return true;
        case Qt::Key_PageUp: finishEdit(E::PageUp); return true;
        case Qt::Key_PageDown: finishEdit(E::PageDown); return true;
        default: break;
        }
    }
    if (watched == editor_ && event->type() == QEvent::FocusOut && editorOpen())
        finishEdit(TeacherInfoGrid::EditEnd::Accept);
    return QWidget::eventFilter(watched, event);
}

bool TeacherInfoGridCtrl::editorOpen() const
{
    return editor_->isVisible();
}

void TeacherInfoGridCtrl::openEditor()
{
    if (!ds_ || !grid_.hasSelection() || grid_.selectedColumn() < 1 || grid_.selectedColumn() > 5)
        return;
    editTeacher_ = grid_.selectedTeacher();
    editColumn_ = grid_.selectedColumn();
    if (editTeacher_ >= count())
        return;
    editor_->setGeometry(cellRect(grid_.selectedRow(), editColumn_));
    editor_->setText(qs(TeacherInfoGrid::cellText(*ds_, editTeacher_, editColumn_)));
    editor_->selectAll();
    editor_->show();
    editor_->setFocus();
}

void TeacherInfoGridCtrl::finishEdit(TeacherInfoGrid::EditEnd end)
{
    if (!editorOpen())
        return;
    const QString typed = editor_->text();
    editor_->hide();
    setFocus();
    if (end != TeacherInfoGrid::EditEnd::Cancel && ds_) {
        auto text = gbk::fromUtf8(typed.toStdString());
        if (!text) {
            Prompter::current().inform(this, QStringLiteral("“%1”中有无法保存的字符，请改用常用汉字。").arg(typed));
        } else if (const std::string why = TeacherInfoGrid::editRefusal(editColumn_, *text); !why.empty()) {
            Prompter::current().inform(this, qs(why));
        } else if (*text != TeacherInfoGrid::cellText(*ds_, editTeacher_, editColumn_)) {
            const int t = editTeacher_, c = editColumn_;
            const std::string value = *text;
            if (doc_.edit(GBK("修改教师信息"), [t, c, value](DataSet& ds) { return TeacherInfoGrid::writeCell(ds, t, c, value); }))
                emit changed();
        }
    }
    const bool reopen = grid_.moveAfterEdit(end, count());
    refresh();
    if (reopen)
        openEditor();
}

void TeacherInfoGridCtrl::showMenu(const QPoint& globalPos)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("整表复制"));
    QAction* paste = menu.addAction(QStringLiteral("数据粘贴"));
    paste->setEnabled(grid_.canPaste());
    QAction* chosen = menu.exec(globalPos);
    if (chosen == copy)
        copyWholeTable();
    else if (chosen == paste)
        pasteClipboard();
}

void TeacherInfoGridCtrl::copyWholeTable()
{
    if (ds_)
        QApplication::clipboard()->setText(qs(TeacherInfoGrid::wholeTableText(*ds_)));
}

void TeacherInfoGridCtrl::pasteClipboard()
{
    if (!ds_ || !grid_.canPaste())
        return;
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty())
        return;
    auto gbkText = gbk::fromUtf8(text.toStdString());
    if (!gbkText) {
        Prompter::current().inform(this, QStringLiteral("剪贴板中有无法保存的字符，没有粘贴。"));
        return;
    }
    const TeacherInfoGrid& g = grid_;
    PasteSummary summary;
    if (doc_.edit(GBK("粘贴教师信息"), [&g, &gbkText, &summary](DataSet& ds) {
            summary = PasteSummary{};
            return g.paste(ds, *gbkText, &summary);
        }))
        emit changed();
    refresh();
    if (summary.worthTelling())
        Prompter::current().inform(this, qs(summary.message(GBK("位教师"))));
}

void TeacherInfoGridCtrl::runRuleDialog()
{
    const int t = grid_.selectedTeacher();
    grid_.hideRuleButtons();
    placeRuleButtons();
    if (!ds_ || t < 0 || t >= count() || !openTeacherRules)
        return;
    const std::string name = ds_->teachers[t]->name;
    const auto summary = openTeacherRules(name);
    if (summary && t < count()) {
        const std::string s = *summary;
        if (doc_.edit(GBK("教师排课要求"), [t, s](DataSet& ds) {
                if (t >= static_cast<int>(ds.teachers.size()) || ds.teachers[t]->ruleSummary == s)
                    return false;
                ds.teachers[t]->ruleSummary = s;
                return true;
            }))
            emit changed();
    }
    refresh();
}

void TeacherInfoGridCtrl::copySettings()
{
    if (ds_)
        grid_.copySettings(*ds_);
    refresh();
}

void TeacherInfoGridCtrl::pasteSettings()
{
    TeacherInfoGrid& g = grid_;
    if (doc_.edit(GBK("粘贴设置"), [&g](DataSet& ds) { return g.pasteSettings(ds); }))
        emit changed();
    grid_.hideRuleButtons();
    refresh();
}

} // namespace tabrel::ui
