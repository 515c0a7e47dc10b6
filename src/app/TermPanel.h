#pragma once
// The panel for running the term (学期运行): the term being set up, the calendar it shows, the
// absences and the lessons each touches, the candidates for covering one lesson, the one-click
// proposal the user edits line by line, the record of changes with its filters, the dated
// timetables of a week, the notices and the cover statistics. Everything the window lists, ranks
// and refuses is decided here; the window paints the texts and forwards input. Every change goes
// through the EditRunner as one named undo step. Texts are GBK.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "data/SchoolExtension.h"
#include "term/CoverStatistics.h"
#include "term/TermCover.h"
#include "views/Canvas.h"
#include "views/Edit.h"

namespace tabrel {

class DataSet;
class PrintDocument;

class TermPanel {
public:
    // ---- 学期设置 ---------------------------------------------------------------------------------
    enum class DayKind { Outside, Teaching, DayOff, MakeUp, Weekend };
    struct CalendarDay {
        DayNumber date = 0;
        DayKind kind = DayKind::Outside;
        std::string text; // "3月1日", a make-up day adds "补星期五"
    };
    struct CalendarWeek {
        int week = 0;
        std::string weekText, parity; // "第1周", "单周"
        std::array<CalendarDay, 7> days;
    };
    // Every week of the stored term, Monday to Sunday.
    static std::vector<CalendarWeek> calendar(const DataSet& dataSet);
    static Rgb dayColour(DayKind kind);
    // "2027年3月1日 星期一 起，共 20 周：教学日 96 天，放假 5 天，补课 1 天" or "尚未设置学期".
    static std::string termSummary(const DataSet& dataSet);

    // The term being edited: starts as the stored one (or a default from `today`).
    void loadDraft(const DataSet& dataSet, DayNumber today);
    const TermRecord& draft() const { return draft_; }
    void setDraftStart(DayNumber start) { draft_.start = start; }
    void setDraftWeeks(int weeks) { draft_.weeks = weeks; }
    // Refusals (GBK) leave the draft as it was; "" when taken.
    std::string addDayOff(DayNumber from, DayNumber to);
    std::string addMakeUpDay(const DataSet& dataSet, DayNumber date, const std::string& follows);
    void removeDayOff(int index);
    void removeMakeUpDay(int index);
    std::vector<std::string> dayOffTexts() const;
    std::vector<std::string> makeUpTexts() const;
    // "保存学期": stores the draft as one step "设置学期"; the refusal, or "".
    std::string applyTerm(const EditRunner& edit, const DataSet& dataSet) const;

    // ---- 请假登记 ---------------------------------------------------------------------------------
    struct AbsenceRow {
        int id = 0;
        std::vector<std::string> cells; // 教师, 开始, 结束, 类别, 备注, 课数, 未安排
    };
    static const std::vector<std::string>& absenceHeadings();
    static std::vector<AbsenceRow> absenceRows(const DataSet& dataSet);
    // Records the absence (step "登记请假"); its id, 0 with `message` set when refused.
    static int recordAbsence(const EditRunner& edit, const DataSet& dataSet, const AbsenceRecord& absence,
                             std::string& message);
    // "删除 王芳 的请假及其 3 条调代课记录？"
    static std::string deleteAbsenceQuestion(const DataSet& dataSet, int id);
    static bool deleteAbsence(const EditRunner& edit, int id);

    struct LessonRow {
        TouchedLesson lesson;
        std::vector<std::string> cells; // 日期, 节次, 班级, 科目, 状态
    };
    static const std::vector<std::string>& lessonHeadings();
    static std::vector<LessonRow> lessonRows(const DataSet& dataSet, int absenceId);

    // ---- cover one lesson -------------------------------------------------------------------------
    struct CandidateRow {
        std::string teacher;
        std::string text; // "李强（科目相同，本学期已代 0 节，当天已有 2 节）"
    };
    static std::vector<CandidateRow> substituteRows(const DataSet& dataSet, const TouchedLesson& lesson);
    // The default range of a swap: the teaching week of the lesson, within the term.
    static void defaultSwapRange(const DataSet& dataSet, DayNumber date, DayNumber& from, DayNumber& to);
    struct SwapRow {
        SwapCandidate swap;
        std::string text; // "3月13日（星期五）第1节 语文 张三"
    };
    static std::vector<SwapRow> swapRows(const DataSet& dataSet, const TouchedLesson& lesson, DayNumber from,
                                         DayNumber to);
    // Covers the lesson (step "安排代课" / "安排调课" / "安排自习" / "安排停课"); false with the
    // reason in `message` when refused, and then nothing changed.
    static bool cover(const EditRunner& edit, const DataSet& dataSet, const CoverRequest& request,
                      std::string& message);

    // ---- 一键安排 --------------------------------------------------------------------------------
    // The proposal for the absences, one line per open lesson.
    void propose(const DataSet& dataSet, const std::vector<int>& absenceIds);
    const std::vector<ChangeRecord>& proposal() const { return proposal_; }
    std::string proposalLineText(const DataSet& dataSet, int line) const;
    // What a line may become: the candidates of its lesson free of the other lines of its slot, then
    // "自习" and "停课"; `current` is the position of what the line holds.
    std::vector<std::string> proposalChoices(const DataSet& dataSet, int line, int& current) const;
    // Sets a line to one of its choices (by text); false when it is none of them.
    bool setProposalChoice(const DataSet& dataSet, int line, const std::string& choice);
    void clearProposal() { proposal_.clear(); }
    // Stores every line as one step "一键安排"; refused whole (message names the line) when a line
    // no longer fits.
    bool acceptProposal(const EditRunner& edit, const DataSet& dataSet, std::string& message);

    // ---- 调代课记录 ------------------------------------------------------------------------------
    struct ChangeFilter {
        DayNumber from = 0, to = 0; // 0: open
        std::string teacher, className; // "": all
    };
    struct ChangeRow {
        int index = -1; // in extension.changes
        bool stale = false;
        std::vector<std::string> cells; // 日期, 节次, 班级, 科目, 原任课教师, 安排, 请假, 状态
    };
    static const std::vector<std::string>& changeHeadings();
    static std::vector<ChangeRow> changeRows(const DataSet& dataSet, const ChangeFilter& filter);
    // Whether the change's original lesson no longer stands in the weekly timetable.
    static bool isStale(const DataSet& dataSet, const ChangeRecord& change);
    static bool deleteChange(const EditRunner& edit, const DataSet& dataSet, int index);
    // What a change replaced the lesson with: "李强", "与 3月13日第1节 对调", "自习", "停课".
    static std::string replacementText(const DataSet& dataSet, const ChangeRecord& change);

    // ---- 调代课通知 ------------------------------------------------------------------------------
    // The indices (record order) of the changes of a date (a swap counts on both dates) or of an absence.
    static std::vector<int> changesOfDate(const DataSet& dataSet, DayNumber date);
    static std::vector<int> changesOfAbsence(const DataSet& dataSet, int absenceId);
    static std::string chatText(const DataSet& dataSet, const std::vector<int>& changes);
    struct Slip {
        std::string teacher;
        std::vector<std::string> lines;
    };
    // One slip per teacher concerned (the absent teacher, the substitute or supervisor, the teacher
    // of a swapped lesson), in order of first mention.
    static std::vector<Slip> slips(const DataSet& dataSet, const std::vector<int>& changes);
    static std::unique_ptr<PrintDocument> slipsDocument(const DataSet& dataSet, const std::vector<int>& changes,
                                                        const std::string& title);

    // ---- 代课统计 --------------------------------------------------------------------------------
    // Rows sorted by a column of coverStatisticsHeadings (0 = 教师 keeps list order); a stable sort.
    static std::vector<TeacherCoverStats> sortedStatistics(const DataSet& dataSet, DayNumber from, DayNumber to,
                                                           int column, bool descending);
    // Why the range cannot be counted (GBK), "" when it can.
    static std::string statisticsRefusal(const DataSet& dataSet, DayNumber from, DayNumber to);
    static std::string statisticsTitle(DayNumber from, DayNumber to);
    static std::unique_ptr<PrintDocument> statisticsDocument(const std::string& title,
                                                             const std::vector<TeacherCoverStats>& rows);

    static std::string helpPage(); // UTF-8 HTML

private:
    TermRecord draft_;
    std::vector<ChangeRecord> proposal_;
};

} // namespace tabrel
