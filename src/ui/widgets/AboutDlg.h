#pragma once
// "关于": the program's name, what it does and how its files are kept.
#include <QDialog>

namespace tabrel::ui {

class AboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit AboutDlg(QWidget* parent = nullptr);
};

} // namespace tabrel::ui
