#pragma once
// Every modal question the windows ask: message boxes, confirmations and file dialogs. The program
// uses the Qt dialogs; tests install a prompter that answers from a script.
#include <QString>

class QWidget;

namespace tabrel::ui {

class Prompter {
public:
    virtual ~Prompter() = default;
    // A message box with an OK button.
    virtual void inform(QWidget* parent, const QString& text);
    // An OK/Cancel question; true for OK.
    virtual bool confirm(QWidget* parent, const QString& text);
    // The open-file dialog; "" when cancelled. `filter` is in the "name (*.ext)|*.ext||" form.
    virtual QString openFile(QWidget* parent, const QString& filter);
    // The save-file dialog with an overwrite question; "" when cancelled.
    virtual QString saveFile(QWidget* parent, const QString& filter, const QString& defaultSuffix);
    // The about box.
    virtual void about(QWidget* parent);
    // The help page of a panel (HTML) in a window of its own.
    virtual void help(QWidget* parent, const QString& title, const QString& html);

    // The prompter in use (the Qt dialogs unless a test installed another one).
    static Prompter& current();
    static void install(Prompter* prompter);
};

} // namespace tabrel::ui
