#include "app/MainView.h"

#include "app/Application.h"
#include "app/Document.h"
#include "views/HelpPages.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "scheduling/TeacherAssignment.h"

namespace tabrel {

namespace {
MainView::Command commandOf(MenuButton b, bool newFile, bool clearable)
{
    using C = MainView::Command;
    switch (b) {
    case MenuButton::Close: return C::Quit;
    case MenuButton::Back: return C::Home;
    case MenuButton::Save: return newFile ? C::SaveAs : C::Save;
    case MenuButton::SaveAs: return C::SaveAs;
    case MenuButton::Undo: return C::Undo;
    case MenuButton::Redo: return C::Redo;
    case MenuButton::Clear: return clearable ? C::Clear : C::None;
    case MenuButton::Help: return C::Help;
    case MenuButton::About: return C::About;
    case MenuButton::Open: return C::Open;
    case MenuButton::New: return C::New;
    }
    return C::None;
}
} // namespace

MainView::MainView(Application& app, Document& doc) : app_(app), doc_(doc)
{
    // What a take-over answers waits for the window to tell it (takePendingMessage).
    auto keepMessage = [this](std::string (*run)(DataSet&)) {
        return [this, run](DataSet& ds) { pendingMessage_ = run(ds); };
    };
    for (const PanelInfo& p : panels()) {
        if (p.onLeave)
            onLeave_[slot(p.id)] = {gbk::literal(p.onLeave.stepName), keepMessage(p.onLeave.run)};
        if (p.beforeSave)
            beforeSave_[slot(p.id)] = {gbk::literal(p.beforeSave.stepName), keepMessage(p.beforeSave.run)};
    }
    topMenu_.setButtons(homeButtons());
    home_.refreshSteps(doc_.dataSet());
}

void MainView::setBeforeShow(PanelId panel, std::function<void()> prepare)
{
    beforeShow_[slot(panel)] = std::move(prepare);
}

void MainView::setOnLeave(PanelId panel, std::function<void(DataSet&)> takeOver)
{
    StepFn& s = onLeave_[slot(panel)];
    if (s.stepName.empty())
        s.stepName = GBK("离开") + panelName(panel);
    s.run = std::move(takeOver);
}

void MainView::setBeforeSave(PanelId panel, std::function<void(DataSet&)> takeOver)
{
    StepFn& s = beforeSave_[slot(panel)];
    if (s.stepName.empty())
        s.stepName = GBK("保存前整理") + panelName(panel);
    s.run = std::move(takeOver);
}

void MainView::setHelpSource(PanelId panel, std::function<std::string()> page)
{
    helpSource_[slot(panel)] = std::move(page);
}

MainView::ShowOutcome MainView::showPanel(const std::string& name)
{
    if (auto id = panelByName(name))
        return showPanel(*id);
    current_ = name;
    return {ShowResult::NoPanel, {}};
}

MainView::ShowOutcome MainView::showPanel(PanelId panel)
{
    const PanelInfo& info = panelInfo(panel);
    current_ = panelName(panel);
    if (info.refusal && !app_.loadedFromFile)
        return {ShowResult::Refused, gbk::literal(info.refusal)};

    if (const auto& prepare = beforeShow_[slot(panel)])
        prepare();
    visible_ = panel;
    topMenu_.setButtons(info.buttons);
    refreshUndoButtons();
    if (shower_)
        shower_(panel);
    if (info.preparesScheduling)
        PrepareForScheduling(doc_.dataSet());
    return {ShowResult::Shown, {}};
}

void MainView::showHome()
{
    home_.refreshSteps(doc_.dataSet());
    current_.clear();
    visible_.reset();
    topMenu_.setButtons(homeButtons());
    refreshUndoButtons();
    if (shower_)
        shower_(std::nullopt);
}

MainView::Command MainView::runButton(const std::string& buttonText)
{
    auto b = buttonByText(buttonText);
    return b ? runButton(*b) : Command::None;
}

MainView::Command MainView::runButton(MenuButton button)
{
    const Command c = commandOf(button, doc_.isNewFile(), visible_ == PanelId::MasterTimetable);
    switch (c) {
    case Command::Home:
        if (visible_)
            if (const StepFn& s = onLeave_[slot(*visible_)]; s.run)
                doc_.undoStack().pushIfChanged(s.stepName, s.run);
        showHome();
        break;
    case Command::Undo:
        doc_.undoStack().undo();
        home_.refreshSteps(doc_.dataSet());
        break;
    case Command::Redo:
        doc_.undoStack().redo();
        home_.refreshSteps(doc_.dataSet());
        break;
    default:
        break;
    }
    return c;
}

std::string MainView::leaveQuestion() const
{
    if (!visible_)
        return {};
    const PanelInfo& info = panelInfo(*visible_);
    return info.leaveQuestion ? info.leaveQuestion(doc_.dataSet()) : std::string();
}

bool MainView::quitNeedsConfirmation() const
{
    return !doc_.isModified();
}

std::function<void(DataSet&)> MainView::saveTakeOver() const
{
    if (!visible_)
        return {};
    const StepFn& s = beforeSave_[slot(*visible_)];
    if (!s.run)
        return {};
    UndoStack& stack = doc_.undoStack();
    return [&stack, s](DataSet&) { stack.pushIfChanged(s.stepName, s.run); };
}

bool MainView::refreshUndoButtons()
{
    const UndoStack& stack = doc_.undoStack();
    const bool a = topMenu_.setEnabled(MenuButton::Undo, stack.canUndo());
    const bool b = topMenu_.setEnabled(MenuButton::Redo, stack.canRedo());
    return a || b;
}

const std::string& MainView::visiblePanel() const
{
    static const std::string none;
    return visible_ ? panelName(*visible_) : none;
}

std::string MainView::helpPage() const
{
    if (!visible_)
        return homeHelpPage();
    if (const auto& source = helpSource_[slot(*visible_)])
        return source();
    return helpPageFor(*visible_);
}

std::vector<std::string> MainView::statusPanes() const
{
    const DataSet& ds = doc_.dataSet();
    std::size_t classes = 0;
    for (const auto& g : ds.grades)
        classes += g->classes.size();
    std::vector<std::string> panes;
    panes.push_back(visible_ ? gbk::toUtf8(visiblePanel()) : std::string("主页"));
    panes.push_back("年级 " + std::to_string(ds.grades.size()) + "  班级 " + std::to_string(classes) + "  科目 " +
                    std::to_string(ds.subjects.size()) + "  教师 " + std::to_string(ds.teachers.size()));
    panes.push_back(app_.loadedFromFile ? "数据文件已读入" : "未读入数据文件");
    const std::string folder = doc_.folder();
    panes.push_back("文件夹：" + (folder.empty() ? app_.programFolder() : folder));
    return panes;
}

Rect mainFrameRect(const Rect& screen)
{
    return Rect{screen.left, screen.top, screen.right, screen.top + std::max(400, screen.height() - 35)};
}

HomeSteps::Action MainView::homeClick(int x, int y)
{
    return home_.click(x, y);
}

} // namespace tabrel
