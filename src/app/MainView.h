#pragma once
// The main view's logic: which panel is current, what switching to a panel prepares, what the top
// menu's buttons run, and the home page's step states. The window shows and hides the panels it is
// told to; every decision is taken here, from the panel registry's rows.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/HomeSteps.h"
#include "app/PanelRegistry.h"
#include "app/TopMenuStrip.h"

namespace tabrel {

class Application;
class DataSet;
class Document;

// The main window's place: the top-left corner of the screen area, its whole width, 35 pixels less
// than its height (never lower than 400 pixels).
Rect mainFrameRect(const Rect& screen);

class MainView {
public:
    // The take-overs of "返回" and "保存" come from the registry's rows.
    MainView(Application& app, Document& doc);

    // Runs in the window: shows the panel (or the home page for none) and hides the others.
    void setPanelShower(std::function<void(std::optional<PanelId>)> shower) { shower_ = std::move(shower); }
    // What a panel's window prepares before it is shown (reloads, rebuilt lists, layouts).
    void setBeforeShow(PanelId panel, std::function<void()> prepare);
    // Replaces what "返回" runs when it leaves the panel, or what "保存" runs first while it is shown.
    void setOnLeave(PanelId panel, std::function<void(DataSet&)> takeOver);
    void setBeforeSave(PanelId panel, std::function<void(DataSet&)> takeOver);
    // Replaces the panel's help page while it is shown (a panel with two views shows the page of
    // the view on screen); UTF-8 HTML.
    void setHelpSource(PanelId panel, std::function<std::string()> page);

    enum class ShowResult { Shown, Refused, NoPanel };
    struct ShowOutcome {
        ShowResult result = ShowResult::NoPanel;
        std::string message; // Refused: the text to show (GBK)
    };
    // Switches to the panel: remembers it, prepares it, shows it, gives the top menu the panel's
    // buttons and runs what follows the showing (the scheduling panels work from every teacher's
    // assigned periods and taught courses, made afresh here). A panel whose row names a refusal
    // is refused unless a data file was read since start-up.
    ShowOutcome showPanel(PanelId panel);
    // The panel of a name (GBK); a name without a panel only changes the remembered name.
    ShowOutcome showPanel(const std::string& name);

    // Shows the home page with freshly computed step states and the home buttons.
    void showHome();

    // Open and New: the window asks the save question, then the file dialog or the new school.
    enum class Command { None, Home, Quit, Save, SaveAs, Clear, About, Help, Undo, Redo, Open, New };
    // Runs a top-menu button. "返回" does its work here (take-over as one undo step, home page),
    // "撤销"/"重做" take a step back or forward; the others tell the window which dialog or
    // document command follows.
    Command runButton(MenuButton button);
    // A button by its text (GBK); None for a text that is no button.
    Command runButton(const std::string& buttonText);

    // The question "返回" asks before it leaves the panel on screen (GBK, "" for none): the
    // assignment page names the teachers its take-over is about to add. Cancelling keeps the page.
    std::string leaveQuestion() const;

    // "关闭" asks "是否真的退出应用程序?" only while nothing is unsaved; with changes the window's save
    // question, asked as it closes, is the only one.
    bool quitNeedsConfirmation() const;
    static const char* QuitQuestion() { return "是否真的退出应用程序?"; }

    // The take-over "保存" runs before writing while the current panel needs one (may be empty);
    // it runs as one undo step.
    std::function<void(DataSet&)> saveTakeOver() const;
    // What the last take-over of the registry answered for the user (GBK), once; "" for nothing.
    std::string takePendingMessage() { return std::exchange(pendingMessage_, {}); }

    // Enables "撤销" and "重做" from the undo stack; true when the strip changed.
    bool refreshUndoButtons();

    // The remembered name and the panel on screen (GBK; "" for the home page).
    const std::string& currentPanel() const { return current_; }
    const std::string& visiblePanel() const;
    std::optional<PanelId> visiblePanelId() const { return visible_; }
    TopMenuStrip& topMenu() { return topMenu_; }
    HomeSteps& home() { return home_; }
    // The help page of what is on screen (UTF-8 HTML).
    std::string helpPage() const;

    // The four panes of the main window's status bar (UTF-8): the panel on screen ("主页" for the
    // home page), the school's counts, whether a data file was read, and the data file's folder (the
    // program folder while the school has no file).
    std::vector<std::string> statusPanes() const;

    // A home-page click: opens the step's panel, or tells the window which tool to run.
    HomeSteps::Action homeClick(int x, int y);

private:
    struct StepFn {
        std::string stepName; // GBK
        std::function<void(DataSet&)> run;
    };
    static std::size_t slot(PanelId p) { return static_cast<std::size_t>(p); }

    Application& app_;
    Document& doc_;
    std::string current_;
    std::optional<PanelId> visible_;
    TopMenuStrip topMenu_;
    HomeSteps home_;
    std::function<void(std::optional<PanelId>)> shower_;
    std::array<std::function<void()>, PanelCount> beforeShow_;
    std::string pendingMessage_;
    std::array<StepFn, PanelCount> onLeave_;
    std::array<StepFn, PanelCount> beforeSave_;
    std::array<std::function<std::string()>, PanelCount> helpSource_;
};

} // namespace tabrel
