#pragma once
// The main window: title " 文件: " + path, the main view, a status bar with four panes, and files
// dropped on it.
#include <QMainWindow>

class QLabel;

namespace tabrel {
class Application;
class Document;
}

namespace tabrel::ui {

class QelvoView;

class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    MainFrame(Application& app, Document& doc, QWidget* parent = nullptr);

    QelvoView* view() const { return view_; }
    void updateTitle();
    // Opens a data file into a fresh data set (a drop, or a file named on the command line once the
    // window is up); reports a file that cannot be read. True when opened.
    bool openDataFile(const QString& path);
    // "打开": the save question, the file dialog, then the file; "新建": the save question, then a
    // new school with the new-document defaults.
    void openFromMenu();
    void newFromMenu();
    // Starts at the top-left corner of the screen, as wide as the screen and 35 pixels less high.
    void placeOnScreen();
    // Before unsaved changes would be lost: asks "文件已修改，是否保存?"; true when the caller may go
    // on (saved, not to be saved, or nothing to save), false when the user cancelled or saving failed.
    bool maybeSave();

protected:
    void closeEvent(QCloseEvent*) override;
    void dragEnterEvent(QDragEnterEvent*) override;
    void dropEvent(QDropEvent*) override;

private:
    void updatePanes();
    bool readDataFile(const QString& path); // openDataFile without the save question
    Application& app_;
    Document& doc_;
    QelvoView* view_ = nullptr;
    QLabel* panes_[4] = {};
};

} // namespace tabrel::ui
