#include "ui/setup/ClassManageWnd.h"
#include "app/Document.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>

#include "data/DataSet.h"
#include "setup/ClassNameTable.h"
#include "setup/GradeCountEntry.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"
#include "ui/setup/FillRuleDlg.h"
#include "ui/setup/GridEntryDlg.h"
#include "ui/setup/NameInputDlg.h"
#include "ui/widgets/GridCtrl.h"
#include "ui/widgets/LeftMenuWnd.h"

namespace tabrel::ui {

namespace {
QRect qrect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }
} // namespace

// The drawing of the grades and their class boxes, inside the panel's scroll area.
class ClassDrawArea : public QWidget {
public:
    explicit ClassDrawArea(ClassManageWnd& owner) : QWidget(nullptr), owner_(owner)
    {
        setObjectName(QStringLiteral("ClassDrawArea"));
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
    }
    ClassManagePage::Layout currentLayout() const
    {
        return ClassManagePage::layout(*owner_.dataSet_, width(), viewHeight());
    }
    int viewHeight() const { return parentWidget() ? parentWidget()->height() : height(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(250, 251, 253));
        const auto l = currentLayout();
        const ClassManagePage& page = owner_.page_;
        QFont f = font();
        f.setPixelSize(16);
        if (l.empty) {
            f.setPixelSize(20);
            for (std::size_t i = 0; i < l.hintTexts.size(); ++i) {
                QFont hf = f;
                hf.setUnderline(i == 0);
                p.setFont(hf);
                p.setPen(i == 0 ? QColor(20, 80, 200) : QColor(40, 50, 70));
                p.drawText(qrect(l.hintTexts[i].first), Qt::AlignVCenter | (i == 0 ? Qt::AlignHCenter : Qt::AlignLeft),
                           qs(l.hintTexts[i].second));
            }
            return;
        }
        for (const auto& item : l.items) {
            const QRect r = qrect(item.rect);
            if (item.kind == ClassManagePage::Item::Kind::GradeHeader) {
                const bool selected = page.selectedGrade() == item.grade && page.selectedClass() < 0;
                p.fillRect(r, selected ? QColor(255, 240, 200) : QColor(226, 234, 246));
                QFont hf = f;
                hf.setBold(true);
                p.setFont(hf);
                p.setPen(QColor(30, 50, 100));
                p.drawText(r.adjusted(8, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, qs(item.text));
                continue;
            }
            const bool selected = page.selectedGrade() == item.grade && page.selectedClass() == item.klass;
            p.setPen(QPen(selected ? QColor(210, 80, 20) : QColor(120, 140, 170), selected ? 2 : 1));
            p.setBrush(selected ? QColor(255, 246, 220) : QColor(Qt::white));
            p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 5, 5);
            p.setFont(f);
            p.setPen(QColor(20, 30, 50));
            p.drawText(r, Qt::AlignCenter, qs(item.text));
        }
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        const QPoint at = e->position().toPoint();
        if (e->button() == Qt::LeftButton)
            owner_.leftClick(at);
        else if (e->button() == Qt::RightButton)
            owner_.rightClick(at);
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        switch (e->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left:
            owner_.page_.stepSelection(*owner_.dataSet_, -1);
            break;
        case Qt::Key_Down:
        case Qt::Key_Right:
            owner_.page_.stepSelection(*owner_.dataSet_, 1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F2:
            owner_.openEdit(owner_.page_.editSelection(*owner_.dataSet_, width(), viewHeight()));
            return;
        case Qt::Key_Delete:
            owner_.runCommand(owner_.page_.selectedClass() >= 0 ? GBK("删除班级") : GBK("删除年级"));
            return;
        case Qt::Key_Insert:
            owner_.runCommand(owner_.page_.selectedGrade() >= 0 ? GBK("增加班级") : GBK("增加年级"));
            return;
        case Qt::Key_Menu:
            owner_.showSubjects(owner_.page_.selectedGrade(), owner_.page_.selectedClass());
            return;
        default:
            QWidget::keyPressEvent(e);
            return;
        }
        owner_.scrollToSelection();
        update();
    }
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        const auto l = currentLayout();
        const QPoint at = e->position().toPoint();
        setCursor(l.empty && l.hintClick.contains(at.x(), at.y()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }

private:
    ClassManageWnd& owner_;
};

ClassManageWnd::ClassManageWnd(Document& doc, QWidget* parent)
    : PanelWindow(parent), doc_(doc), dataSet_(&doc.dataSet())
{
    setObjectName(QStringLiteral("ClassManageWnd"));
    setAutoFillBackground(true);
    menu_ = new LeftMenuWnd(ClassManagePage::menuEntries(), this);
    connect(menu_, &LeftMenuWnd::commandChosen, this, [this](const std::string& c) { runCommand(c); });
    connect(menu_, &LeftMenuWnd::homeRequested, this, [this] {
        commitPending();
        emit homeRequested();
    });
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    area_ = new ClassDrawArea(*this);
    scroll_->setWidget(area_);
    edit_ = new QLineEdit(area_);
    edit_->setObjectName(QStringLiteral("inPlaceEdit"));
    QFont ef = edit_->font();
    ef.setPixelSize(16);
    edit_->setFont(ef);
    edit_->hide();
    edit_->installEventFilter(this);
    connect(edit_, &QLineEdit::returnPressed, this, [this] {
        commitPending();
        area_->setFocus();
    });
}

QWidget* ClassManageWnd::drawArea() const
{
    return area_;
}

void ClassManageWnd::setDataSet(DataSet& dataSet)
{
    dataSet_ = &dataSet;
    page_.clearSelection();
    edit_->hide();
    refresh();
}

bool ClassManageWnd::runEdit(const std::string& name, const std::function<bool(DataSet&)>& edit)
{
    const bool changed = doc_.edit(name, edit);
    refresh();
    return changed;
}

void ClassManageWnd::refresh()
{
    page_.clampSelection(*dataSet_);
    if (!page_.editing())
        edit_->hide();
    // The drawing fills the visible width and grows downwards with the grades.
    const int width = std::max(scroll_->viewport()->width(), 200);
    const auto l = ClassManagePage::layout(*dataSet_, width, scroll_->viewport()->height());
    area_->setMinimumHeight(l.contentHeight);
    area_->update();
}

void ClassManageWnd::showEvent(QShowEvent*)
{
    refresh();
}

void ClassManageWnd::resizeEvent(QResizeEvent*)
{
    const int menuWidth = std::clamp(width() / 6, 150, 230);
    menu_->setGeometry(0, 0, menuWidth, height());
    scroll_->setGeometry(menuWidth, 0, std::max(0, width() - menuWidth), height());
    refresh();
}

bool ClassManageWnd::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        page_.closeEdit();
        edit_->hide();
        area_->setFocus();
        area_->update();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ClassManageWnd::commitPending()
{
    if (!page_.editing() || !edit_->isVisible())
        return;
    const auto text = gbk::fromUtf8(edit_->text().trimmed().toStdString());
    if (!text) {
        Prompter::current().inform(this, QStringLiteral("“%1”中有无法保存的字符").arg(edit_->text()));
        page_.closeEdit();
        edit_->hide();
        return;
    }
    const std::string name = page_.commitStepName(*dataSet_);
    const std::string typed = *text;
    edit_->hide();
    // The page closes the field itself; a copy keeps the selection the edit writes to.
    ClassManagePage& page = page_;
    runEdit(name, [&page, typed](DataSet& ds) { return page.commitEdit(ds, typed); });
    page_.closeEdit();
}

void ClassManageWnd::leftClick(const QPoint& at)
{
    commitPending();
    const auto click = page_.leftClick(*dataSet_, area_->width(), area_->viewHeight(), at.x(), at.y());
    if (click.kind == ClassManagePage::ClickKind::QuickEntry) {
        quickEntry();
        return;
    }
    openEdit(click);
}

void ClassManageWnd::openEdit(const ClassManagePage::Click& click)
{
    if (click.kind == ClassManagePage::ClickKind::EditGrade || click.kind == ClassManagePage::ClickKind::EditClass) {
        edit_->setGeometry(click.editRect.left, click.editRect.top, click.editRect.width(), click.editRect.height());
        edit_->setText(qs(click.editText));
        edit_->show();
        edit_->setFocus();
        edit_->selectAll();
        scroll_->ensureWidgetVisible(edit_);
    }
    area_->update();
}

void ClassManageWnd::scrollToSelection()
{
    for (const auto& item : ClassManagePage::layout(*dataSet_, area_->width(), area_->viewHeight()).items)
        if (item.grade == page_.selectedGrade() &&
            (item.kind == ClassManagePage::Item::Kind::GradeHeader ? page_.selectedClass() < 0
                                                                   : item.klass == page_.selectedClass()))
            scroll_->ensureVisible((item.rect.left + item.rect.right) / 2, (item.rect.top + item.rect.bottom) / 2,
                                   item.rect.width(), item.rect.height());
}

void ClassManageWnd::showSubjects(int grade, int klass)
{
    const ClassTable* c = dataSet_->classAt(grade, klass);
    if (!c)
        return;
    const std::string text = ClassManagePage::subjectList(*dataSet_, grade, klass);
    Prompter::current().inform(this, text.empty() ? QStringLiteral("%1 还没有任课科目").arg(qs(c->name)) : qs(text));
}

void ClassManageWnd::rightClick(const QPoint& at)
{
    commitPending();
    const auto l = ClassManagePage::layout(*dataSet_, area_->width(), area_->viewHeight());
    for (const auto& item : l.items)
        if (item.kind == ClassManagePage::Item::Kind::ClassBox && item.rect.contains(at.x(), at.y())) {
            showSubjects(item.grade, item.klass);
            return;
        }
}

void ClassManageWnd::runCommand(const std::string& command)
{
    commitPending();
    DataSet& ds = *dataSet_;
    auto refuse = [this](const std::string& why) {
        Prompter::current().inform(this, qs(why));
    };
    if (command == GBK("1.录入数据")) {
        quickEntry();
    } else if (command == GBK("2.表格修改")) {
        tableEditor();
    } else if (command == GBK("增加年级")) {
        if (const auto why = ClassManagePage::addGradeRefusal(ds); !why.empty())
            return refuse(why);
        runEdit(GBK("增加年级"), [this](DataSet& d) { return page_.addGrade(d); });
    } else if (command == GBK("删除年级")) {
        if (!page_.canDeleteGrade(ds))
            return;
        if (!Prompter::current().confirm(this, qs(ClassManagePage::deleteGradeQuestion())))
            return;
        runEdit(page_.deleteGradeStepName(ds), [this](DataSet& d) { return page_.deleteGrade(d); });
    } else if (command == GBK("增加班级")) {
        if (page_.selectedGrade() < 0)
            return;
        if (const auto why = page_.addClassRefusal(ds); !why.empty())
            return refuse(why);
        runEdit(GBK("增加班级"), [this](DataSet& d) { return page_.addClass(d); });
    } else if (command == GBK("删除班级")) {
        if (!page_.canDeleteClass(ds))
            return;
        runEdit(page_.deleteClassStepName(ds), [this](DataSet& d) { return page_.deleteClass(d); });
    } else if (command == GBK("填充班名称")) {
        fillRule();
    } else if (command == GBK("学校名称")) {
        const std::string& stored = ds.extension.schoolName;
        NameInputDlg dlg(QStringLiteral("学校名称"), QStringLiteral("学校名称（不填时标题写“XX学校”）:"), qs(stored), this);
        if (dlg.exec() != QDialog::Accepted)
            return;
        const std::string name = *gbk::fromUtf8(utf8(dlg.text()));
        runEdit(GBK("修改学校名称"), [name](DataSet& d) { return d.setSchoolName(name); });
        emit statusMessage(ds.extension.schoolName.empty() ? QStringLiteral("学校名称已清除，标题写“XX学校”")
                                                            : QStringLiteral("学校名称：%1").arg(qs(ds.extension.schoolName)));
    }
}

void ClassManageWnd::quickEntry()
{
    GradeCountEntry entry;
    entry.load(*dataSet_);
    GridEntryDlg dlg(QStringLiteral("年级数和各年级班级数录入窗口"), entry.grid(),
                     {[&entry](int r, int c, const std::string& t) { entry.paste(r - 1, c - 1, t); },
                      [&entry] { return entry.refusal(); }},
                     this);
    dlg.resize(360, 400);
    if (dlg.exec() != QDialog::Accepted)
        return;
    page_.clearSelection();
    runEdit(GBK("录入年级和班级"), [&entry](DataSet& d) { return entry.apply(d); });
}

void ClassManageWnd::tableEditor()
{
    ClassNameTable table;
    table.load(*dataSet_);
    GridEntryDlg dlg(QStringLiteral("年级和班级数量数据编辑窗口"), table.grid(),
                     {[&table](int r, int c, const std::string& t) { table.paste(r, c - 1, t); },
                      [&table] { return table.refusal(); }},
                     this);
    dlg.resize(1000, 600);
    if (dlg.exec() != QDialog::Accepted)
        return;
    page_.clearSelection();
    runEdit(GBK("修改年级和班级表格"), [&table](DataSet& d) { return table.apply(d); });
}

void ClassManageWnd::fillRule()
{
    FillRuleDlg dlg(this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const std::string prefix = gbkOf(dlg.prefixEdit()->text()), suffix = gbkOf(dlg.suffixEdit()->text());
    runEdit(GBK("填充班名称"), [prefix, suffix](DataSet& d) { return ClassManagePage::fillClassNames(d, prefix, suffix); });
}

} // namespace tabrel::ui
