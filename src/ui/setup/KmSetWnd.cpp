#include "ui/setup/KmSetWnd.h"

#include <QKeyEvent>
#include <QPushButton>

#include "app/Document.h"
#include "ui/widgets/Prompter.h"
#include "app/UndoStack.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "ui/widgets/UiText.h"
#include "ui/setup/KmGridCtrl.h"
#include "ui/setup/SubjectImportDlg.h"
#include "ui/setup/SubjectRulePresetDlg.h"
#include "ui/setup/VenueDlg.h"

namespace tabrel::ui {

KmSetWnd::KmSetWnd(Document& doc, QWidget* parent) : PanelWindow(parent), doc_(doc)
{
    setObjectName(QStringLiteral("KmSetWnd"));
    ctrl_ = new KmGridCtrl(doc_, grid_, this);
    const std::pair<QString, void (KmSetWnd::*)()> commands[] = {
        {QStringLiteral("添加科目"), &KmSetWnd::addSubject},   {QStringLiteral("删除科目"), &KmSetWnd::deleteSubject},
        {QStringLiteral("上移一行"), &KmSetWnd::moveUp},       {QStringLiteral("下移一行"), &KmSetWnd::moveDown},
        {QStringLiteral("快速导入"), &KmSetWnd::quickImport},  {QStringLiteral("场室设置"), &KmSetWnd::openVenues},
        {QStringLiteral("帮助"), &KmSetWnd::showHelp},
    };
    for (const auto& [text, slot] : commands) {
        auto* b = new QPushButton(text, this);
        b->setFocusPolicy(Qt::TabFocus);
        b->setStyleSheet(QStringLiteral("QPushButton:focus { border: 2px solid rgb(20, 100, 220); border-radius: 3px; }"));
        connect(b, &QPushButton::clicked, this, slot);
        buttons_.push_back(b);
    }
    // Tab from the grid reaches "添加科目" first, never "删除科目".
    setTabOrder(ctrl_, buttons_.front());
    for (std::size_t i = 1; i < buttons_.size(); ++i)
        setTabOrder(buttons_[i - 1], buttons_[i]);
    connect(ctrl_, &KmGridCtrl::presetRequested, this, &KmSetWnd::openPreset);
    connect(ctrl_, &KmGridCtrl::copyRequested, this, &KmSetWnd::copySettings);
    connect(ctrl_, &KmGridCtrl::pasteRequested, this, &KmSetWnd::pasteSettings);
    connect(ctrl_, &KmGridCtrl::toggleRequested, this, &KmSetWnd::toggleProgress);
    connect(ctrl_, &KmGridCtrl::edited, this, &KmSetWnd::changed);
}

QPushButton* KmSetWnd::button(const QString& text) const
{
    for (QPushButton* b : buttons_)
        if (b->text() == text)
            return b;
    return nullptr;
}

void KmSetWnd::resizeEvent(QResizeEvent*)
{
    const Rect r = KmGrid::gridRectInPage(width(), height());
    ctrl_->setGeometry(r.left, r.top, r.width(), r.height());
    int x = r.left;
    for (QPushButton* b : buttons_) {
        b->setGeometry(x, 10, 96, 30);
        x += 104;
    }
}

void KmSetWnd::schoolReplaced(DataSet& dataSet)
{
    model().select(dataSet, -1, -1);
    reload();
}

void KmSetWnd::reload()
{
    ctrl_->reload();
}

void KmSetWnd::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Insert)
        addSubject();
    else if (e->key() == Qt::Key_Delete)
        deleteSubject();
    else if (e->modifiers() & Qt::AltModifier && e->key() == Qt::Key_Up)
        moveUp();
    else if (e->modifiers() & Qt::AltModifier && e->key() == Qt::Key_Down)
        moveDown();
    else
        QWidget::keyPressEvent(e);
}

void KmSetWnd::edit(const char* stepName, const std::function<bool(DataSet&)>& edit)
{
    ctrl_->closeEditor(true);
    if (doc_.edit(gbk::literal(stepName), edit))
        emit changed();
    reload();
}

void KmSetWnd::addSubject()
{
    edit("添加科目", [this](DataSet& ds) { return grid_.addSubject(ds); });
    ctrl_->setFocus();
}

void KmSetWnd::deleteSubject()
{
    // Deleting asks first, whichever way it was reached (button, Delete key, Return on the button).
    const DataSet& ds = doc_.dataSet();
    const int s = grid_.selectedSubject();
    if (s < 0 || s >= static_cast<int>(ds.subjects.size()))
        return;
    const QString name = qs(ds.subjects[s]->name);
    if (!Prompter::current().confirm(this, QStringLiteral("确定删除科目“%1”吗？可以用“撤销”恢复。").arg(name)))
        return;
    edit("删除科目", [this](DataSet& ds) { return grid_.deleteSubject(ds); });
}

void KmSetWnd::moveUp()
{
    edit("上移一行", [this](DataSet& ds) { return grid_.moveUp(ds); });
}

void KmSetWnd::moveDown()
{
    edit("下移一行", [this](DataSet& ds) { return grid_.moveDown(ds); });
}

void KmSetWnd::toggleProgress()
{
    edit("进度一致", [this](DataSet& ds) { return grid_.toggleProgress(ds); });
}

void KmSetWnd::copySettings()
{
    grid_.copySettings(doc_.dataSet());
    update();
}

void KmSetWnd::pasteSettings()
{
    edit("粘贴设置", [this](DataSet& ds) { return grid_.pasteSettings(ds); });
}

void KmSetWnd::quickImport()
{
    ctrl_->closeEditor(true);
    SubjectImportDlg dlg(this, doc_);
    if (dlg.exec() == QDialog::Accepted) {
        grid_.select(doc_.dataSet(), -1, -1);
        emit changed();
    }
    reload();
}

void KmSetWnd::openPreset()
{
    const int subject = grid_.selectedSubject();
    if (subject < 0 || subject >= static_cast<int>(doc_.dataSet().subjects.size()))
        return;
    // The whole visit, with the summary it leaves, is one step of the undo stack.
    UndoStack& stack = doc_.undoStack();
    stack.beginMacro(doc_.dataSet().subjects[subject]->name + GBK(" 课节预设"));
    {
        SubjectRulePresetDlg dlg(this, doc_, subject);
        dlg.exec();
        // Whichever way the window closed, the subject keeps the summary it showed last.
        const std::string summary = dlg.summary();
        doc_.edit(GBK("课节预设"), [&](DataSet& ds) { return KmGrid::setRuleSummary(ds, subject, summary); });
    }
    stack.endMacro();
    emit changed();
    reload();
}

void KmSetWnd::openVenues()
{
    ctrl_->closeEditor(true);
    VenueDlg dlg(this, doc_);
    dlg.exec();
    emit changed();
    reload();
}

void KmSetWnd::showHelp()
{
    showHelpPage(this, QStringLiteral("科目管理"), kmSetHelpPage());
}

} // namespace tabrel::ui
