#pragma once
// The dialog "班名填充规则": 规则：年级名+ A +班序+ B, each text at most 12 characters.
#include <QDialog>

class QLineEdit;

namespace tabrel::ui {

class FillRuleDlg : public QDialog {
    Q_OBJECT
public:
    explicit FillRuleDlg(QWidget* parent = nullptr);
    QLineEdit* prefixEdit() const { return prefix_; }
    QLineEdit* suffixEdit() const { return suffix_; }

public slots:
    void accept() override;

private:
    QLineEdit* prefix_;
    QLineEdit* suffix_;
};

} // namespace tabrel::ui
