#pragma once
// The automatic-scheduling page: the scope tree, "开始排课" (which asks before it schedules a scope
// again whose lessons are all placed), the check box "补排、修正冲突并优化（推荐）" (on for a new
// user, remembered in the settings), the progress bar that follows the search, the completion and
// the quality phase, the placed/required summary of the scope with each class's quality, the quality
// line and the list of the scope's problems ("排课检查").
#include <QWidget>
#include <atomic>
#include <memory>

#include "app/PaikeRunPage.h"
#include "ui/widgets/PanelWindow.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace tabrel {
class Document;
}

namespace tabrel::ui {

class ScopeTreeWnd;

class PaikeRunWnd : public PanelWindow {
    Q_OBJECT
public:
    PaikeRunWnd(Document& doc, SchedulingState& state, QWidget* parent = nullptr);
    ~PaikeRunWnd() override;
    void beforeShow(bool) override { prepareForShow(); }
    void schoolReplaced(DataSet&) override { dataSetReplaced(); }

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
    QCheckBox* completeBox() const { return complete_; }
    QTableWidget* problemTable() const { return problems_; }
    QLabel* problemTitle() const { return problemTitle_; }
    QLabel* qualityLine() const { return quality_; }

public:
    // Selects a tree node by its index in the page's node list.
    void selectNode(int nodeIndex);

public slots:
    void startRun();

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    void selectionChanged(int nodeIndex);
    void showSummary();
    void showProblems();
    Document& doc_;
    PaikeRunPage page_;
    QPushButton* start_ = nullptr;
    ScopeTreeWnd* tree_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTableWidget* summary_ = nullptr;
    QLabel* summaryTitle_ = nullptr;
    QCheckBox* complete_ = nullptr;
    QLabel* problemTitle_ = nullptr;
    QLabel* completion_ = nullptr;
    QLabel* quality_ = nullptr;
    QTableWidget* problems_ = nullptr;
    std::atomic<bool> stop_{false};
};

} // namespace tabrel::ui
