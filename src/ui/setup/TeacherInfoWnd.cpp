#include "ui/setup/TeacherInfoWnd.h"

#include "app/Document.h"

#include <QPushButton>

#include "data/DataSet.h"
#include "setup/TeacherInfoGrid.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"
#include "ui/setup/TeacherGroupDlg.h"
#include "ui/setup/TeacherInfoGridCtrl.h"

namespace tabrel::ui {

namespace {
constexpr int ButtonHeight = 28;
constexpr int ButtonWidth = 100;
constexpr int Margin = 6;
// A button that has the keyboard focus shows a frame that cannot be missed.
const QString FocusFrame = QStringLiteral("QPushButton:focus { border: 2px solid rgb(20, 100, 220); border-radius: 3px; }");
} // namespace

TeacherInfoWnd::TeacherInfoWnd(Document& doc, QWidget* parent)
    : PanelWindow(parent), doc_(doc), ds_(&doc.dataSet())
{
    setObjectName(QStringLiteral("TeacherInfoWnd"));
    grid_ = new TeacherInfoGridCtrl(doc, this);
    struct B {
        const char* text;
        void (TeacherInfoWnd::*slot)();
    } defs[] = {
        {"添加教师", &TeacherInfoWnd::addTeacher},   {"删除教师", &TeacherInfoWnd::deleteTeacher},
        {"上移一行", &TeacherInfoWnd::moveUp},       {"下移一行", &TeacherInfoWnd::moveDown},
        {"数据粘贴", nullptr},                       {"数据复制", nullptr},
        {"分组", &TeacherInfoWnd::openGroups},       {"多人同时设置", &TeacherInfoWnd::openSeveralTeachers},
    };
    for (const B& d : defs) {
        auto* b = new QPushButton(QString::fromUtf8(d.text), this);
        b->setFocusPolicy(Qt::TabFocus);
        if (d.slot)
            connect(b, &QPushButton::clicked, this, d.slot);
        buttons_.push_back(b);
    }
    connect(button(QStringLiteral("数据粘贴")), &QPushButton::clicked, grid_, &TeacherInfoGridCtrl::pasteClipboard);
    connect(button(QStringLiteral("数据复制")), &QPushButton::clicked, grid_, &TeacherInfoGridCtrl::copyWholeTable);
    setRuleWindows({}, {});
    // Tab from the grid reaches "添加教师" first, never "删除教师".
    setTabOrder(grid_, buttons_.front());
    for (std::size_t i = 1; i < buttons_.size(); ++i)
        setTabOrder(buttons_[i - 1], buttons_[i]);
    for (QPushButton* b : buttons_)
        b->setStyleSheet(FocusFrame);
}

QPushButton* TeacherInfoWnd::button(const QString& text) const
{
    for (QPushButton* b : buttons_)
        if (b->text() == text)
            return b;
    return nullptr;
}

void TeacherInfoWnd::setDataSet(DataSet* dataSet)
{
    ds_ = dataSet;
    grid_->setDataSet(dataSet);
}

void TeacherInfoWnd::setRuleWindows(
    std::function<std::optional<std::string>(QWidget*, DataSet&, const std::string&)> oneTeacher,
    std::function<void(QWidget*, DataSet&)> severalTeachers)
{
    if (oneTeacher)
        grid_->openTeacherRules = [this, oneTeacher](const std::string& name) -> std::optional<std::string> {
            if (!ds_)
                return std::nullopt;
            return oneTeacher(this, *ds_, name);
        };
    else
        grid_->openTeacherRules = nullptr;
    severalTeachers_ = std::move(severalTeachers);
    button(QStringLiteral("多人同时设置"))->setEnabled(static_cast<bool>(severalTeachers_));
}

void TeacherInfoWnd::prepareForShow()
{
    // The page is about to be drawn: an empty list gets its first row.
    if (ds_)
        TeacherInfoGrid::ensureNotEmpty(*ds_);
    refresh();
}

void TeacherInfoWnd::refresh()
{
    grid_->refresh();
}

void TeacherInfoWnd::resizeEvent(QResizeEvent*)
{
    int x = Margin;
    for (QPushButton* b : buttons_) {
        const int w = std::max(ButtonWidth, b->sizeHint().width());
        b->setGeometry(x, Margin, w, ButtonHeight);
        x += w + Margin;
    }
    const int top = Margin * 2 + ButtonHeight;
    grid_->setGeometry(Margin, top, std::max(0, width() - 2 * Margin), std::max(0, height() - top - Margin));
}

void TeacherInfoWnd::addTeacher()
{
    TeacherInfoGrid& g = grid_->grid();
    doc_.edit(GBK("添加教师"), [&g](DataSet& ds) { return g.addTeacher(ds); });
    // Show the new last row.
    if (ds_)
        g.scrollTo(static_cast<int>(ds_->teachers.size()), static_cast<int>(ds_->teachers.size()));
    refresh();
}

void TeacherInfoWnd::deleteTeacher()
{
    TeacherInfoGrid& g = grid_->grid();
    if (!ds_ || g.selectedTeacher() < 0 || g.selectedTeacher() >= static_cast<int>(ds_->teachers.size()))
        return;
    std::string question = TeacherInfoGrid::deleteQuestion(*ds_, g.selectedTeacher());
    if (question.empty())
        question = GBK("确定删除教师“") + ds_->teachers[g.selectedTeacher()]->name + GBK("”吗？");
    if (!Prompter::current().confirm(this, qs(question)))
        return;
    doc_.edit(GBK("删除教师"), [&g](DataSet& ds) { return g.deleteSelected(ds); });
    refresh();
}

void TeacherInfoWnd::moveUp()
{
    TeacherInfoGrid& g = grid_->grid();
    doc_.edit(GBK("上移教师"), [&g](DataSet& ds) { return g.moveUp(ds); });
    refresh();
}

void TeacherInfoWnd::moveDown()
{
    TeacherInfoGrid& g = grid_->grid();
    doc_.edit(GBK("下移教师"), [&g](DataSet& ds) { return g.moveDown(ds); });
    refresh();
}

void TeacherInfoWnd::openGroups()
{
    if (!ds_)
        return;
    TeacherGroupDlg dlg(doc_, this);
    dlg.exec();
    refresh();
}

void TeacherInfoWnd::openSeveralTeachers()
{
    if (!ds_ || !severalTeachers_)
        return;
    severalTeachers_(this, *ds_);
    doc_.edit(GBK("多人同时设置"), [](DataSet& ds) {
        std::vector<std::string> before;
        for (const auto& t : ds.teachers)
            before.push_back(t->ruleSummary);
        ds.refreshTeacherSummaries();
        for (std::size_t i = 0; i < ds.teachers.size(); ++i)
            if (ds.teachers[i]->ruleSummary != before[i])
                return true;
        return false;
    });
    refresh();
}

} // namespace tabrel::ui
