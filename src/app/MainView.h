#pragma once
// The main view's logic: which panel is current, what switching to a panel prepares, what the top
// menu's buttons run, and the home page's step states. The window shows and hides the panels it is
// told to; every decision is taken here. Panel names and button texts are GBK.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/HomeSteps.h"
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
    // Wires the take-overs: "返回" from "科目管理" takes the lesson counts over, "返回" from
    // "任课信息" adds the missing teachers, "保存" on "科目管理" or "教师信息" takes the lesson counts over first.
    MainView(Application& app, Document& doc);

    // The names of the panels of the main view, in menu order ("班级管理" … "总任课表").
    static const std::vector<std::string>& panelNames();
    static bool isPanelName(const std::string& name);

    // Runs in the window: shows the named panel (or the home page for "") and hides the others.
    void setPanelShower(std::function<void(const std::string&)> shower) { shower_ = std::move(shower); }
    // What a panel prepares before it is shown (reloads, rebuilt lists, layouts).
    void setBeforeShow(const std::string& name, std::function<void()> prepare);
    // What "返回" runs when it leaves the named panel (the take-overs of the subjects panel and of
    // the assignment page), and what "保存" runs first while the named panel is shown.
    void setOnLeave(const std::string& name, std::function<void(DataSet&)> takeOver);
    void setBeforeSave(const std::string& name, std::function<void(DataSet&)> takeOver);

    enum class ShowResult { Shown, Refused, NoPanel };
    struct ShowOutcome {
        ShowResult result = ShowResult::NoPanel;
        std::string message; // Refused: the text to show (GBK)
    };
    // Switches to the named panel: remembers the name, prepares the panel, shows it, gives the top
    // menu the panel's button set and runs what follows the showing (the scheduling panels work
    // from every teacher's assigned periods and taught courses, made afresh here). "自动排课" is refused unless a
    // data file was read since start-up; a name without a panel only changes the remembered name.
    ShowOutcome showPanel(const std::string& name);

    // Shows the home page with freshly computed step states and the "main" button set.
    void showHome();

    enum class Command { None, Home, Quit, Save, SaveAs, Clear, About, Help };
    // Runs a top-menu button by its text. "返回" does its work here (take-over, home page); the
    // others tell the window which dialog or document command follows.
    Command runButton(const std::string& buttonText);

    // The take-over "保存" runs before writing while the current panel needs one (may be empty).
    std::function<void(DataSet&)> saveTakeOver() const;

    const std::string& currentPanel() const { return current_; }
    // The panel actually on screen ("" for the home page).
    const std::string& visiblePanel() const { return visible_; }
    TopMenuStrip& topMenu() { return topMenu_; }
    HomeSteps& home() { return home_; }

    // The four panes of the main window's status bar (UTF-8): the panel on screen ("主页" for the
    // home page), the school's counts, whether a data file was read, and the program folder.
    std::vector<std::string> statusPanes() const;

    // A home-page click: opens the step's panel, or tells the window which tool to run.
    HomeSteps::Action homeClick(int x, int y);

private:
    Application& app_;
    Document& doc_;
    std::string current_;
    std::string visible_;
    TopMenuStrip topMenu_;
    HomeSteps home_;
    std::function<void(const std::string&)> shower_;
    std::map<std::string, std::function<void()>> beforeShow_;
    std::map<std::string, std::function<void(DataSet&)>> onLeave_;
    std::map<std::string, std::function<void(DataSet&)>> beforeSave_;
};

} // namespace tabrel
