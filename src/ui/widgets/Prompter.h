#pragma once
// Every modal question the windows ask: message boxes, confirmations and file dialogs. The program
// uses the Qt dialogs; tests install a prompter that answers from a script.
#include <QString>
#include <string>

class QWidget;

namespace tabrel::ui {

class Prompter {
public:
    virtual ~Prompter() = default;
    // A message box with an OK button.
    virtual void inform(QWidget* parent, const QString& text);
    // An OK/Cancel question ("确定" / "取消"); true for OK.
    virtual bool confirm(QWidget* parent, const QString& text);
    // "文件已修改，是否保存?" with 保存 / 不保存 / 取消.
    enum class SaveChoice { Save, Discard, Cancel };
    virtual SaveChoice askSave(QWidget* parent, const QString& text);
    // A message with one action besides "关闭" ("打开文件夹", "从列表中删除"); true when it was chosen.
    virtual bool offer(QWidget* parent, const QString& text, const QString& action);
    // The open-file dialog; "" when cancelled. `filter` is in the "name (*.ext)|*.ext||" form.
    virtual QString openFile(QWidget* parent, const QString& filter);
    // The save-file dialog with an overwrite question, starting at `start` (a folder or a file
    // name in one); "" when cancelled.
    virtual QString saveFile(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                             const QString& start = QString());
    // The folder dialog titled `title`, starting in `start`; "" when cancelled.
    virtual QString chooseFolder(QWidget* parent, const QString& title, const QString& start);
    // The about box.
    virtual void about(QWidget* parent);
    // The help page of a panel (HTML) in a window of its own.
    virtual void help(QWidget* parent, const QString& title, const QString& html);

    // The prompter in use (the Qt dialogs unless a test installed another one).
    static Prompter& current();
    static void install(Prompter* prompter);
};

// The help page of a panel or window (UTF-8 HTML) through the prompter in use.
void showHelpPage(QWidget* parent, const QString& title, const std::string& utf8Html);

} // namespace tabrel::ui
