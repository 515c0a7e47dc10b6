#include "ui/setup/TeacherClassMatchWnd.h"

#include "app/Document.h"

#include <QPushButton>

#include "data/DataSet.h"
#include "setup/TeacherClassMatch.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"
#include "ui/setup/TableViewDlg.h"
#include "ui/setup/TeacherClassMatchCtrl.h"

namespace tabrel::ui {

namespace {
constexpr int ButtonHeight = 28;
constexpr int ButtonWidth = 100;
constexpr int Margin = 6;
} // namespace

TeacherClassMatchWnd::TeacherClassMatchWnd(Document& doc, QWidget* parent)
    : PanelWindow(parent), doc_(doc), ds_(&doc.dataSet())
{
    setObjectName(QStringLiteral("TeacherClassMatchWnd"));
    ctrl_ = new TeacherClassMatchCtrl(doc, this);
    for (const char* t : {"整表复制", "数据粘贴", "数据清空", "提取教师"}) {
        auto* b = new QPushButton(QString::fromUtf8(t), this);
        b->setFocusPolicy(Qt::TabFocus);
        b->setStyleSheet(QStringLiteral("QPushButton:focus { border: 2px solid rgb(20, 100, 220); border-radius: 3px; }"));
        buttons_.push_back(b);
    }
    connect(buttons_[0], &QPushButton::clicked, ctrl_, &TeacherClassMatchCtrl::copyWholeTable);
    connect(buttons_[1], &QPushButton::clicked, ctrl_, &TeacherClassMatchCtrl::pasteClipboard);
    connect(buttons_[2], &QPushButton::clicked, this, &TeacherClassMatchWnd::clearAll);
    connect(buttons_[3], &QPushButton::clicked, this, &TeacherClassMatchWnd::showTeacherLoad);
}

QPushButton* TeacherClassMatchWnd::button(const QString& text) const
{
    for (QPushButton* b : buttons_)
        if (b->text() == text)
            return b;
    return nullptr;
}

void TeacherClassMatchWnd::setDataSet(DataSet* dataSet)
{
    ds_ = dataSet;
    ctrl_->setDataSet(dataSet);
}

void TeacherClassMatchWnd::prepareForShow()
{
    refresh();
}

void TeacherClassMatchWnd::refresh()
{
    ctrl_->refresh();
}

void TeacherClassMatchWnd::resizeEvent(QResizeEvent*)
{
    const int bottom = height() - Margin - ButtonHeight;
    ctrl_->setGeometry(Margin, Margin, std::max(0, width() - 2 * Margin), std::max(0, bottom - 2 * Margin));
    int x = Margin;
    for (QPushButton* b : buttons_) {
        b->setGeometry(x, bottom, ButtonWidth, ButtonHeight);
        x += ButtonWidth + Margin;
    }
}

void TeacherClassMatchWnd::clearAll()
{
    if (!ds_ || !Prompter::current().confirm(this, qs(TeacherClassMatch::clearQuestion())))
        return;
    doc_.edit(GBK("数据清空"), [](DataSet& ds) { return TeacherClassMatch::clearAll(ds); });
    refresh();
}

void TeacherClassMatchWnd::showTeacherLoad()
{
    if (!ds_)
        return;
    TableViewDlg dlg(QStringLiteral("教师任教信息表"), TeacherClassMatch::teacherLoadRows(*ds_), this);
    dlg.exec();
}

} // namespace tabrel::ui
