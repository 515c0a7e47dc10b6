#pragma once
// The start dialog: the history of data files, "选择打开", "新建排课" and "退出系统".
#include <QDialog>

#include "app/StartDialogModel.h"

class QTableWidget;

namespace tabrel::ui {

class StartDlg : public QDialog {
    Q_OBJECT
public:
    explicit StartDlg(const StartDialogModel& model, QWidget* parent = nullptr);

    // What the user chose; Quit when the dialog was closed.
    const StartDialogModel::Choice& choice() const { return choice_; }
    QTableWidget* list() const { return list_; }

    // Runs the dialog modally over the model and returns the choice.
    static StartDialogModel::Choice run(const StartDialogModel& model, QWidget* parent = nullptr);

public slots:
    void openSelected();
    void newSchedule();
    void quitProgram();

protected:
    void reject() override;

private:
    const StartDialogModel& model_;
    QTableWidget* list_ = nullptr;
    StartDialogModel::Choice choice_;
};

} // namespace tabrel::ui
