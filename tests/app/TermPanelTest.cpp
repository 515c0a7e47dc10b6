// The term panel's model as the window drives it: set a term, record an absence, cover its lessons
// by hand and with the one-click proposal changed line by line, the notice, the record and the
// statistics, refusals that change nothing, and undo back to the start.
#include <gtest/gtest.h>

#include "app/DatedWeekSheet.h"
#include "app/TermPanel.h"
#include "app/UndoStack.h"
#include "data/DataSet.h"
#include "data/StoredState.h"
#include "support/TestSupport.h"
#include "term/TermCalendar.h"

using namespace tabrel;
using tabrel::test::G;

namespace {

DayNumber D(const char* iso) { return *parseIsoDate(iso); }

// One grade of three classes, 5 days of 4 periods. 王芳 teaches 数学 in (1) and (2) on Monday's
// first two periods; 李强 teaches 数学 elsewhere, 张三 语文, 赵六 nothing.
void makeSchool(DataSet& ds)
{
    for (int d = 0; d < 5; ++d)
        ds.dayNames.push_back(weekdayName(d));
    ds.morningCount = 4;
    ds.setGradeCount(1);
    ds.gradeNames[0] = G("初一");
    ds.setClassCount(0, 3);
    for (int k = 0; k < 3; ++k)
        ds.classAt(0, k)->name = G(("初一(" + std::to_string(k + 1) + ")").c_str());
    for (const char* n : {"王芳", "李强", "张三", "赵六"}) {
        ds.appendTeacher();
        ds.teachers.back()->name = G(n);
    }
    ds.teachers[0]->taughtSubjects = ds.teachers[1]->taughtSubjects = G("数学");
    auto put = [&](int k, int p, int d, const char* subject, const char* teacher) {
        ds.classAt(0, k)->cells[p][d].subject = G(subject);
        ds.classAt(0, k)->cells[p][d].teacher = G(teacher);
    };
    put(0, 0, 0, "数学", "王芳");
    put(1, 1, 0, "数学", "王芳");
    put(2, 0, 0, "数学", "李强");
    put(1, 0, 0, "语文", "张三");
    put(0, 1, 0, "语文", "张三");
    put(0, 2, 0, "英语", "李强");
    put(0, 0, 1, "语文", "张三");
}

} // namespace

TEST(TermPanel, RecordCoverNoticeAndUndo)
{
    DataSet ds;
    makeSchool(ds);
    UndoStack stack(ds);
    const EditRunner edit = [&](const std::string& name, const EditFunction& f, int merge) {
        return stack.push(name, f, merge);
    };
    const std::string opened = captureStoredState(ds);
    TermPanel panel;

    // The term: a make-up day on a weekday and a day off reversed are refused, nothing stored.
    panel.loadDraft(ds, D("2027-03-03"));
    EXPECT_EQ(panel.draft().start, D("2027-03-01"));
    panel.setDraftWeeks(4);
    EXPECT_NE(panel.addMakeUpDay(ds, D("2027-03-10"), weekdayName(4)), "");
    EXPECT_NE(panel.addDayOff(D("2027-03-12"), D("2027-03-11")), "");
    EXPECT_EQ(panel.addDayOff(D("2027-03-19"), D("2027-03-19")), "");
    EXPECT_EQ(panel.addMakeUpDay(ds, D("2027-03-20"), weekdayName(4)), "");
    EXPECT_EQ(captureStoredState(ds), opened);
    panel.setDraftWeeks(0);
    EXPECT_NE(panel.applyTerm(edit, ds), "");
    EXPECT_EQ(captureStoredState(ds), opened);
    panel.setDraftWeeks(4);
    ASSERT_EQ(panel.applyTerm(edit, ds), "");
    const auto weeks = TermPanel::calendar(ds);
    ASSERT_EQ(weeks.size(), 4u);
    EXPECT_EQ(weeks[2].parity, G("单周"));
    EXPECT_EQ(weeks[2].days[4].kind, TermPanel::DayKind::DayOff);
    EXPECT_EQ(weeks[2].days[5].kind, TermPanel::DayKind::MakeUp);
    EXPECT_EQ(weeks[2].days[6].kind, TermPanel::DayKind::Weekend);
    EXPECT_EQ(weeks[0].days[0].kind, TermPanel::DayKind::Teaching);

    // Refused absences change nothing: outside the term, ending before it starts, unknown teacher.
    const std::string withTerm = captureStoredState(ds);
    AbsenceRecord a;
    a.teacher = G("王芳");
    a.kind = G("病假");
    std::string message;
    for (auto [from, fp, to, tp] : {std::tuple{"2027-02-22", 0, "2027-03-01", 3}, std::tuple{"2027-03-08", 2, "2027-03-08", 1}}) {
        a.from = D(from), a.fromPeriod = fp, a.to = D(to), a.toPeriod = tp;
        EXPECT_EQ(TermPanel::recordAbsence(edit, ds, a, message), 0);
        EXPECT_NE(message, "");
    }
    EXPECT_EQ(captureStoredState(ds), withTerm);

    // A two-day absence touches the two Monday lessons of 王芳.
    a.from = D("2027-03-08"), a.fromPeriod = 0, a.to = D("2027-03-09"), a.toPeriod = 3;
    const int id = TermPanel::recordAbsence(edit, ds, a, message);
    ASSERT_GT(id, 0) << message;
    auto lessons = TermPanel::lessonRows(ds, id);
    ASSERT_EQ(lessons.size(), 2u);
    EXPECT_EQ(lessons[0].cells[4], G("未安排"));

    // By hand: the substitute list puts the same-subject teacher first with the reasons, refuses a
    // busy one (李强 teaches 初一(3) at that period), takes 赵六.
    const auto candidates = TermPanel::substituteRows(ds, lessons[0].lesson);
    ASSERT_FALSE(candidates.empty());
    for (const auto& c : candidates)
        EXPECT_NE(c.teacher, G("李强"));
    CoverRequest r;
    r.date = lessons[0].lesson.date;
    r.period = 0;
    r.classIndex = 0;
    r.teacher = G("李强");
    EXPECT_FALSE(TermPanel::cover(edit, ds, r, message));
    EXPECT_NE(message.find(G("已有课")), std::string::npos);
    r.teacher = G("赵六");
    ASSERT_TRUE(TermPanel::cover(edit, ds, r, message)) << message;
    lessons = TermPanel::lessonRows(ds, id);
    EXPECT_EQ(lessons[0].cells[4], G("代课 赵六"));

    // One click: the open lesson gets a proposal; the user changes the line to 停课 and accepts it.
    panel.propose(ds, {id});
    ASSERT_EQ(panel.proposal().size(), 1u);
    int current = -1;
    const auto choices = panel.proposalChoices(ds, 0, current);
    ASSERT_GE(current, 0);
    EXPECT_EQ(choices.back(), G("停课"));
    EXPECT_FALSE(panel.setProposalChoice(ds, 0, G("代课 无此人")));
    ASSERT_TRUE(panel.setProposalChoice(ds, 0, G("停课")));
    const std::size_t steps = stack.index();
    ASSERT_TRUE(panel.acceptProposal(edit, ds, message)) << message;
    EXPECT_EQ(stack.index(), steps + 1);
    EXPECT_EQ(TermPanel::lessonRows(ds, id)[1].lesson.state, LessonState::Cancelled);

    // The notice of the day, its slips, the record and a dated week.
    const auto ofDay = TermPanel::changesOfDate(ds, D("2027-03-08"));
    EXPECT_EQ(TermPanel::chatText(ds, ofDay),
              G("【代课】3月8日（星期一）第1节 初一(1) 数学 王芳 → 赵六\n"
                "【停课】3月8日（星期一）第2节 初一(2) 数学 王芳 → 停课\n"));
    EXPECT_EQ(TermPanel::changesOfAbsence(ds, id), ofDay);
    const auto slips = TermPanel::slips(ds, ofDay);
    ASSERT_EQ(slips.size(), 2u);
    EXPECT_EQ(slips[0].teacher, G("王芳"));
    EXPECT_EQ(slips[0].lines.size(), 2u);
    EXPECT_EQ(slips[1].teacher, G("赵六"));
    TermPanel::ChangeFilter f;
    f.teacher = G("赵六");
    EXPECT_EQ(TermPanel::changeRows(ds, f).size(), 1u);
    const DatedWeek week = datedTeacherWeek(ds, G("赵六"), 2);
    EXPECT_TRUE(week.cells[0][0].changed);
    EXPECT_EQ(week.cells[0][0].text, G("初一(1) 数学"));
    const auto stats = TermPanel::sortedStatistics(ds, D("2027-03-08"), D("2027-03-08"), 3, true);
    EXPECT_EQ(stats[0].teacher, G("赵六"));
    EXPECT_EQ(stats[0].coverGiven, 1);

    // The weekly timetable edited later: the change shows as out of date.
    ds.classAt(0, 0)->cells[0][0].teacher = G("张三");
    EXPECT_EQ(TermPanel::changeRows(ds, {}).front().cells.back(), G("已过时"));
    ds.classAt(0, 0)->cells[0][0].teacher = G("王芳");

    // Deleting the absence takes its changes; undo brings them back, undo to the start.
    EXPECT_NE(TermPanel::deleteAbsenceQuestion(ds, id).find(G("2 条调代课记录")), std::string::npos);
    ASSERT_TRUE(TermPanel::deleteAbsence(edit, id));
    EXPECT_TRUE(ds.extension.changes.empty());
    ASSERT_TRUE(stack.undo());
    EXPECT_EQ(ds.extension.changes.size(), 2u);
    while (stack.canUndo())
        stack.undo();
    EXPECT_EQ(captureStoredState(ds), opened);
}
