#pragma once
// The group names dialog (组名称): one row per group column, names edited in place; rows can be
// added and deleted; "确定" writes them back, "取消" leaves the table as it was.
#include <QDialog>
#include <vector>

#include "setup/TeacherGroups.h"

class QTableWidget;

namespace tabrel::ui {

class GroupNameDlg : public QDialog {
    Q_OBJECT
public:
    explicit GroupNameDlg(const DataTable& table, QWidget* parent = nullptr);
    QTableWidget* grid() const { return grid_; }
    // The rows as they stand (names typed so far included).
    std::vector<TeacherGroups::NameRow> rows() const;
    void addRow();
    void deleteSelectedRow();

private:
    void fill();
    QTableWidget* grid_ = nullptr;
    std::vector<TeacherGroups::NameRow> rows_;
};

} // namespace tabrel::ui
