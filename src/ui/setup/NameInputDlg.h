#pragma once
// The small name dialog: a label ("请设置免任课的名称", "公共时段名称:"), one text field, OK and Cancel.
#include <QDialog>

class QLineEdit;

namespace tabrel::ui {

class NameInputDlg : public QDialog {
    Q_OBJECT
public:
    NameInputDlg(const QString& title, const QString& label, const QString& text, QWidget* parent = nullptr);
    QString text() const;
    QLineEdit* edit() const { return edit_; }

public slots:
    void accept() override;

private:
    QLineEdit* edit_;
};

} // namespace tabrel::ui
