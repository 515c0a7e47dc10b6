#pragma once
// The help page of a panel: its Chinese HTML text in a scrolling browser with a close button.
#include <QDialog>

class QTextBrowser;

namespace tabrel::ui {

class HelpDlg : public QDialog {
    Q_OBJECT
public:
    HelpDlg(const QString& panelName, const QString& html, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

} // namespace tabrel::ui
