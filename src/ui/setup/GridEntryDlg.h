#pragma once
// A data-entry dialog built on the grid widget: the grid, OK and Cancel. Ctrl+V pastes clipboard
// table text at the current cell through the dialog's own paste (cut as every paste cuts it); OK
// is refused with a message while the dialog's model says why it cannot be taken.
#include <QDialog>
#include <functional>
#include <string>

#include "views/GridModel.h"

namespace tabrel::ui {

class GridCtrl;

class GridEntryDlg : public QDialog {
    Q_OBJECT
public:
    struct Hooks {
        // Pastes GBK text with its first field at the grid cell (row, column).
        std::function<void(int row, int column, const std::string& text)> paste;
        // Why OK cannot be taken (GBK), "" when it can.
        std::function<std::string()> refusal;
    };
    GridEntryDlg(const QString& title, GridModel& grid, Hooks hooks, QWidget* parent = nullptr);
    GridCtrl* gridCtrl() const { return grid_; }
    // Pastes the clipboard at the current cell.
    void pasteClipboard();

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GridModel& model_;
    Hooks hooks_;
    GridCtrl* grid_ = nullptr;
};

} // namespace tabrel::ui
