#pragma once
// The main view: the top menu strip and, below it, the home page and every panel, one visible at a
// time. The core MainView decides; this window shows, hides and asks the questions.
#include <QWidget>
#include <map>
#include <memory>

#include "app/MainView.h"

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
class TotalScheduleWnd;
class TeacherTeachFrame;

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
    ClassTableFrame* classFrame() const { return classFrame_; }
    TeacherTableFrame* teacherFrame() const { return teacherFrame_; }
    PaikeRunWnd* paikeRun() const { return paikeRun_; }
    TotalScheduleWnd* totalSchedule() const { return totalSchedule_; }
    TeacherTeachFrame* teacherTeach() const { return teacherTeach_; }

    // `showPanel` with the refusal shown as a message.
    bool openPanel(const QString& name);
    // A top-menu button by its text.
    void runButton(const QString& text);
    void runHomeAction(const HomeSteps::Action& action);
    // After the data set was replaced: every panel points at the new one, the home page shows.
    void dataSetReplaced(DataSet& dataSet);

signals:
    void titleChanged();
    void quitRequested();
    void statusMessage(const QString& text);
    void panelShown();

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    void showNamed(const std::string& name);
    void save(bool askForName);
    void mergeData();
    void exportText();

    Application& app_;
    Document& doc_;
    MainView core_;
    TopMenuWnd* topMenu_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    HomePageWnd* home_ = nullptr;
    ClassTableFrame* classFrame_ = nullptr;
    TeacherTableFrame* teacherFrame_ = nullptr;
    PaikeRunWnd* paikeRun_ = nullptr;
    TotalScheduleWnd* totalSchedule_ = nullptr;
    TeacherTeachFrame* teacherTeach_ = nullptr;
    std::map<std::string, QWidget*> panels_; // by GBK name
    int listenerId_ = 0;
};

} // namespace tabrel::ui
