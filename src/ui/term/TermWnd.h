#pragma once
// The panel for running the term (学期运行): 学期设置, 请假登记 with the cover of one lesson,
// 一键安排, 调代课记录, 按周课表, 调代课通知 and 代课统计 as pages of one window. The window
// paints what the core's TermPanel lists and forwards input; every change goes through the
// document's door.
#include <QWidget>
#include <vector>

#include "app/TermPanel.h"
#include "ui/widgets/PanelWindow.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;

namespace tabrel {
class Document;
}

namespace tabrel::ui {

class DatedWeekView;

class TermWnd : public PanelWindow {
    Q_OBJECT
public:
    explicit TermWnd(Document& doc, QWidget* parent = nullptr);
    void beforeShow(bool again) override;
    void afterSchoolChange() override { refresh(); }
    void schoolReplaced(DataSet&) override;

    TermPanel& model() { return model_; }
    QTabWidget* tabs() const { return tabs_; }
    QTableWidget* absenceTable() const { return absences_; }
    QTableWidget* statisticsTable() const { return stats_; }

    // The page actions, as the buttons run them.
    void saveTerm();
    void recordAbsence();
    void deleteSelectedAbsence();
    void coverSelectedLesson();
    void proposeForSelected();
    void acceptProposal();
    void deleteSelectedChange();
    void copyNotice();
    void printNotice(bool pdf);
    void printWeek(bool pdf);
    void countStatistics();
    void exportStatistics();
    void printStatistics(bool pdf);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const DataSet& school() const;
    void refresh();
    void refreshTermPage();
    void refreshDraftLists();
    void refreshAbsences();
    void refreshLessons();
    void refreshCandidates();
    void refreshProposal();
    void refreshChanges();
    void refreshWeek();
    void refreshNotice();
    void fillStatistics();
    void refuse(const std::string& gbkMessage);
    void status(const QString& text) { emit statusMessage(text); }
    int selectedAbsence() const;
    const TouchedLesson* selectedLesson() const;
    std::vector<int> noticeChanges() const;

    QWidget* makeTermPage();
    QWidget* makeAbsencePage();
    QWidget* makeProposalPage();
    QWidget* makeChangesPage();
    QWidget* makeWeekPage();
    QWidget* makeNoticePage();
    QWidget* makeStatisticsPage();

    Document& doc_;
    TermPanel model_;
    QTabWidget* tabs_ = nullptr;
    bool filling_ = false;

    // 学期设置
    QDateEdit* start_ = nullptr;
    QSpinBox* weeks_ = nullptr;
    QDateEdit* offFrom_ = nullptr;
    QDateEdit* offTo_ = nullptr;
    QListWidget* offList_ = nullptr;
    QDateEdit* makeUpDate_ = nullptr;
    QComboBox* makeUpFollows_ = nullptr;
    QListWidget* makeUpList_ = nullptr;
    QLabel* summary_ = nullptr;
    QTableWidget* calendar_ = nullptr;

    // 请假登记 and one lesson
    QComboBox* absTeacher_ = nullptr;
    QDateEdit* absFrom_ = nullptr;
    QComboBox* absFromPeriod_ = nullptr;
    QDateEdit* absTo_ = nullptr;
    QComboBox* absToPeriod_ = nullptr;
    QComboBox* absKind_ = nullptr;
    QComboBox* absNote_ = nullptr;
    QTableWidget* absences_ = nullptr;
    QTableWidget* lessons_ = nullptr;
    std::vector<TermPanel::AbsenceRow> absenceRows_;
    std::vector<TermPanel::LessonRow> lessonRows_;
    QComboBox* coverKind_ = nullptr;
    QDateEdit* swapFrom_ = nullptr;
    QDateEdit* swapTo_ = nullptr;
    QListWidget* candidates_ = nullptr;
    std::vector<TermPanel::CandidateRow> substituteRows_;
    std::vector<TermPanel::SwapRow> swapRows_;

    // 一键安排
    QLabel* proposalFor_ = nullptr;
    QTableWidget* proposal_ = nullptr;
    std::vector<int> proposalAbsences_;

    // 调代课记录
    QCheckBox* filterDates_ = nullptr;
    QDateEdit* filterFrom_ = nullptr;
    QDateEdit* filterTo_ = nullptr;
    QComboBox* filterTeacher_ = nullptr;
    QComboBox* filterClass_ = nullptr;
    QTableWidget* changes_ = nullptr;
    std::vector<TermPanel::ChangeRow> changeRows_;

    // 按周课表
    QSpinBox* week_ = nullptr;
    QComboBox* weekMode_ = nullptr;
    QComboBox* weekWho_ = nullptr;
    DatedWeekView* weekView_ = nullptr;

    // 调代课通知
    QComboBox* noticeBy_ = nullptr;
    QDateEdit* noticeDate_ = nullptr;
    QComboBox* noticeAbsence_ = nullptr;
    QPlainTextEdit* noticeText_ = nullptr;

    // 代课统计
    QDateEdit* statFrom_ = nullptr;
    QDateEdit* statTo_ = nullptr;
    QTableWidget* stats_ = nullptr;
    std::vector<TeacherCoverStats> statRows_;
    int statColumn_ = 0;
    bool statDescending_ = false;
};

} // namespace tabrel::ui
