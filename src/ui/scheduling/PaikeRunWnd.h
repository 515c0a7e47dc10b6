#pragma once
// The automatic-scheduling page: the scope tree, "开始排课", the progress bar that follows the
// search, and the placed/required summary of the scope after a run.
#include <QWidget>
#include <memory>

#include "app/PaikeRunPage.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace tabrel {
class Document;
}

namespace tabrel::ui {

class ScopeTreeWnd;

class PaikeRunWnd : public QWidget {
    Q_OBJECT
public:
    PaikeRunWnd(Document& doc, SchedulingState& state, QWidget* parent = nullptr);
    ~PaikeRunWnd() override;

    PaikeRunPage& page() { return page_; }
    // The document's data set was replaced: the page works on the new one.
    void dataSetReplaced();
    // Before the page is shown and after every change of the school: the tree follows the
    // grades and classes, the summary the timetables.
    void prepareForShow();

    ScopeTreeWnd* tree() const { return tree_; }
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
    void selectionChanged(int nodeIndex);
    void showSummary();
    Document& doc_;
    PaikeRunPage page_;
    QPushButton* start_ = nullptr;
    ScopeTreeWnd* tree_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTableWidget* summary_ = nullptr;
    QLabel* summaryTitle_ = nullptr;
};

} // namespace tabrel::ui
