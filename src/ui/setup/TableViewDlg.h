#pragma once
// The table viewer: one grid cell per table cell, texts centred; closing it discards what was typed.
#include <QDialog>
#include <string>
#include <vector>

class QTableWidget;

namespace tabrel::ui {

class TableViewDlg : public QDialog {
    Q_OBJECT
public:
    // `rows` are GBK texts, the first row the header.
    TableViewDlg(const QString& title, const std::vector<std::vector<std::string>>& rows, QWidget* parent = nullptr);
    QTableWidget* grid() const { return grid_; }

private:
    QTableWidget* grid_ = nullptr;
};

} // namespace tabrel::ui
