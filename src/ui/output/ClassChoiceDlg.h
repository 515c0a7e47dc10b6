#pragma once
// "自选班级": a check list of every class, grouped by grade, for the master timetable's selection.
#include <QDialog>
#include <vector>

class QTreeWidget;

namespace tabrel {
class DataSet;
}

namespace tabrel::ui {

class ClassChoiceDlg : public QDialog {
    Q_OBJECT
public:
    // `checked`: positions (every class in grade order) ticked when the dialog opens.
    ClassChoiceDlg(const DataSet& dataSet, const std::vector<int>& checked, QWidget* parent = nullptr);
    // The ticked classes' positions, in grade order.
    std::vector<int> chosen() const;
    QTreeWidget* tree() const { return tree_; }

private:
    QTreeWidget* tree_ = nullptr;
};

} // namespace tabrel::ui
