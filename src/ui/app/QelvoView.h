#pragma once
// The main view: the top menu strip and, below it, the home page and every panel, one visible at a
// time. The core MainView decides; this window shows, hides and asks the questions.
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "app/MainView.h"

class QAction;
class QStackedWidget;

namespace tabrel {
class Application;
class DataSet;
class Document;
}

namespace tabrel::ui {

class HomePageWnd;
class TopMenuWnd;
class ClassTableFrame;
class TeacherTableFrame;
class PaikeRunWnd;
class ClassManageWnd;
class ClassGridDefWnd;
class KmSetWnd;
class TeacherInfoWnd;
class TeacherClassMatchWnd;
class PaikeTiaokeWnd;
class TotalScheduleWnd;
class TeacherTeachFrame;
class PanelWindow;

class QelvoView : public QWidget {
    Q_OBJECT
public:
    QelvoView(Application& app, Document& doc, QWidget* parent = nullptr);
    ~QelvoView() override;

    MainView& core() { return core_; }
    TopMenuWnd* topMenu() const { return topMenu_; }
    HomePageWnd* homePage() const { return home_; }
    // The panel by its name; nullptr for a name without one.
    QWidget* panel(const QString& name) const;
    QWidget* visibleWidget() const;
    // The windows by type, for the tests that drive them; the view itself knows them only as panels.
    ClassTableFrame* classFrame() const;
    TeacherTableFrame* teacherFrame() const;
    PaikeRunWnd* paikeRun() const;
    ClassManageWnd* classManage() const;
    ClassGridDefWnd* classGridDef() const;
    KmSetWnd* kmSet() const;
    TeacherInfoWnd* teacherInfo() const;
    TeacherClassMatchWnd* teacherClassMatch() const;
    PaikeTiaokeWnd* paikeTiaoke() const;
    TotalScheduleWnd* totalSchedule() const;
    TeacherTeachFrame* teacherTeach() const;

    PanelWindow* panel(PanelId id) const { return panels_[static_cast<std::size_t>(id)]; }

    // `showPanel` with the refusal shown as a message.
    bool openPanel(PanelId id);
    bool openPanel(const QString& name);
    // A top-menu button, or a keyboard command that stands for one.
    void runButton(MenuButton button);
    void runButton(const QString& text);
    // The actions behind Ctrl+S, Ctrl+Z, Ctrl+Y / Ctrl+Shift+Z and F1, reachable in every panel.
    QAction* action(MenuButton button) const;
    void runHomeAction(const HomeSteps::Action& action);
    // After the data set was replaced: every panel points at the new one, the home page shows.
    void dataSetReplaced(DataSet& dataSet);
    // "保存" (or "另存为" when asked or when the file has no name yet); true when it was saved.
    bool save(bool askForName);


signals:
    void titleChanged();
    void quitRequested();
    // "打开" / Ctrl+O and "新建" / Ctrl+N: the main window asks the save question first.
    void openRequested();
    void newRequested();
    void statusMessage(const QString& text);
    void panelShown();

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    void showWidgetOf(std::optional<PanelId> panel);
    // The window of the visible panel; nullptr on the home page.
    PanelWindow* visiblePanel() const;
    void schoolChanged();
    // Runs an editing page's change as one step of the document's undo stack.
    QAction* makeAction(MenuButton button, const QList<QKeySequence>& keys);
    void mergeData();
    void exportText();
    // After "返回" or "保存" from the subjects panel: the user reads which plan rows the take-over
    // removed.
    void tellPendingMessage();

    Application& app_;
    Document& doc_;
    MainView core_;
    TopMenuWnd* topMenu_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    HomePageWnd* home_ = nullptr;
    std::array<PanelWindow*, PanelCount> panels_{};
    std::array<QAction*, MenuButtonCount> actions_{};
    int listenerId_ = 0;
    int undoListenerId_ = 0;

};

} // namespace tabrel::ui
