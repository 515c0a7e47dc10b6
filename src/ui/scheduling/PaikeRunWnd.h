#pragma once
// The automatic-scheduling page: the scope tree, "开始排课", the progress bar that follows the
// search, and the placed/required summary of the scope after a run.
#include <QWidget>
#include <memory>

#include "app/PaikeRunPage.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QTableWidget;

namespace tabrel::ui {

class PaikeRunWnd : public QWidget {
    Q_OBJECT
public:
    PaikeRunWnd(DataSet& dataSet, SchedulingState& state, QWidget* parent = nullptr);
    ~PaikeRunWnd() override;

    PaikeRunPage& page() { return page_; }
    void setDataSet(DataSet& dataSet);
    // Before the page is shown: the tree is filled the first time.
    void prepareForShow();

    QTreeWidget* tree() const { return tree_; }
    QPushButton* startButton() const { return start_; }
    QProgressBar* progressBar() const { return progress_; }
    QTableWidget* summaryTable() const { return summary_; }
    // Selects a tree node by its index in the page's node list.
    void selectNode(int nodeIndex);

public slots:
    void startRun();

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    void rebuildTree();
    void selectionChanged();
    void showSummary();
    PaikeRunPage page_;
    QPushButton* start_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTableWidget* summary_ = nullptr;
    QLabel* summaryTitle_ = nullptr;
    std::vector<QTreeWidgetItem*> items_;
    bool filling_ = false;
};

} // namespace tabrel::ui
