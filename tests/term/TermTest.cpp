// The term: its calendar, the candidates for covering a lesson, the one-click cover, the dated
// timetable and the statistics, on hand-made and random schools.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <tuple>

#include "data/DataSet.h"
#include "scheduling/TimetableCheck.h"
#include "support/TestSupport.h"
#include "term/CoverStatistics.h"
#include "term/TermCalendar.h"
#include "term/TermCover.h"

using namespace tabrel;
using tabrel::test::G;
using tabrel::test::U;

namespace {

DayNumber D(const char* iso) { return *parseIsoDate(iso); }

std::vector<std::string> weekdays(int n)
{
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i)
        out.push_back(weekdayName(i));
    return out;
}

TermRecord term(const char* start, int weeks, std::vector<std::pair<const char*, const char*>> off,
                std::vector<std::pair<const char*, const char*>> makeUps)
{
    TermRecord t;
    t.start = D(start);
    t.weeks = weeks;
    for (auto [a, b] : off)
        t.daysOff.push_back({D(a), D(b)});
    for (auto [d, follows] : makeUps)
        t.makeUpDays.push_back({D(d), G(follows)});
    return t;
}

// A school of one grade: classes 初一(1) … 初一(3), 5 days of 4 periods.
//   A 数学 in (1), B 数学 in (2), C 语文 in (1), D 语文 in (2) and (3), E 英语 in (3), F nothing.
struct HandSchool {
    DataSet ds;
    HandSchool()
    {
        ds.dayNames = weekdays(5);
        ds.morningCount = 4;
        ds.setGradeCount(1);
        ds.gradeNames[0] = G("初一");
        ds.setClassCount(0, 3);
        for (int k = 0; k < 3; ++k)
            ds.classAt(0, k)->name = G(("初一(" + std::to_string(k + 1) + ")").c_str());
        for (const char* n : {"A", "B", "C", "D", "E", "F"}) {
            ds.appendTeacher();
            ds.teachers.back()->name = n;
        }
        ds.teachers[0]->taughtSubjects = ds.teachers[1]->taughtSubjects = G("数学");
        plan(0, "数学", "A");
        plan(1, "数学", "B");
        plan(0, "语文", "C");
        plan(1, "语文", "D");
        plan(2, "语文", "D");
        plan(2, "英语", "E");
        ds.extension.term = term("2027-03-01", 20, {}, {});
    }
    void plan(int k, const char* subject, const char* teacher)
    {
        TeachingAssignment& a = *ds.classAt(0, k)->appendAssignment();
        a.subject = G(subject);
        a.teacher = teacher;
        a.weeklyLessons = 5;
    }
    void put(int k, int p, int d, const char* subject, const char* teacher)
    {
        ds.classAt(0, k)->cells[p][d].subject = G(subject);
        ds.classAt(0, k)->cells[p][d].teacher = teacher;
    }
};

std::vector<std::string> names(const DataSet& ds, const std::vector<SubstituteCandidate>& list)
{
    std::vector<std::string> out;
    for (const auto& c : list)
        out.push_back(ds.teachers[c.teacher]->name);
    return out;
}

} // namespace

TEST(TermCalendar, RealTerms)
{
    const TermRecord spring = term("2027-03-01", 20, {{"2027-04-05", "2027-04-05"}, {"2027-05-01", "2027-05-05"}},
                                   {{"2027-04-11", "星期一"}});
    const TermRecord autumn = term("2026-09-01", 20, {{"2026-10-01", "2026-10-07"}},
                                   {{"2026-09-27", "星期四"}, {"2026-10-10", "星期五"}});
    const struct {
        const TermRecord* t;
        int days;
        const char* date;
        bool inTerm;
        int column, week;
        bool odd;
    } cases[] = {
        {&spring, 5, "2027-02-28", false, -1, 0, false},
        {&spring, 5, "2027-03-01", true, 0, 1, true},
        {&spring, 5, "2027-03-12", true, 4, 2, false},
        {&spring, 5, "2027-03-13", true, -1, 2, false}, // Saturday
        {&spring, 6, "2027-03-13", true, 5, 2, false},  // a six-day week
        {&spring, 5, "2027-04-05", true, -1, 6, false}, // day off
        {&spring, 5, "2027-04-11", true, 0, 6, false},  // Sunday, make-up day of a Monday
        {&spring, 5, "2027-05-03", true, -1, 10, false},
        {&spring, 5, "2027-05-06", true, 3, 10, false},
        {&spring, 5, "2027-07-18", true, -1, 20, false},
        {&spring, 5, "2027-07-19", false, -1, 0, false},
        {&autumn, 5, "2026-08-31", false, -1, 0, false}, // the Monday of week 1, before the first day
        {&autumn, 5, "2026-09-01", true, 1, 1, true},
        {&autumn, 5, "2026-09-27", true, 3, 4, false},
        {&autumn, 5, "2026-10-01", true, -1, 5, true},
        {&autumn, 5, "2026-10-07", true, -1, 6, false},
        {&autumn, 5, "2026-10-08", true, 3, 6, false},
        {&autumn, 5, "2026-10-10", true, 4, 6, false},
        {&autumn, 5, "2027-01-17", true, -1, 20, false},
        {&autumn, 5, "2027-01-18", false, -1, 0, false},
    };
    for (const auto& c : cases) {
        const TermCalendar cal(*c.t, weekdays(c.days));
        const DayNumber d = D(c.date);
        EXPECT_EQ(cal.contains(d), c.inTerm) << c.date;
        EXPECT_EQ(cal.column(d), c.column) << c.date;
        if (c.inTerm) {
            EXPECT_EQ(cal.week(d), c.week) << c.date;
            EXPECT_EQ(cal.oddWeek(d), c.odd) << c.date;
        }
    }
    const TermCalendar cal(spring, weekdays(5));
    EXPECT_EQ(U(cal.shortDateText(D("2027-04-11"))), "4月11日（星期日，上星期一的课）");
    EXPECT_EQ(U(TermCalendar::longDateText(D("2027-03-01"))), "2027年3月1日 星期一");
}

TEST(TermCalendar, RefusedTerms)
{
    const auto days = weekdays(5);
    EXPECT_EQ(termRefusal(term("2027-03-01", 20, {}, {{"2027-04-11", "星期一"}}), days), "");
    const TermRecord refused[] = {
        term("2027-03-01", 0, {}, {}),
        term("2027-03-01", 61, {}, {}),
        term("2027-03-01", 20, {}, {{"2027-04-12", "星期一"}}), // a Monday
        term("2027-03-01", 20, {}, {{"2027-08-01", "星期一"}}), // after the term
        term("2027-03-01", 20, {}, {{"2027-04-11", "星期六"}}), // no such column
        term("2027-03-01", 20, {{"2027-02-01", "2027-02-02"}}, {}),
        term("2027-03-01", 20, {{"2027-05-05", "2027-05-01"}}, {}),
    };
    for (const auto& t : refused)
        EXPECT_NE(termRefusal(t, days), "") << isoDate(t.start);
}

TEST(TermCover, SubstituteCandidatesAndTheirOrder)
{
    HandSchool s;
    // Monday 2027-03-01: A's 数学 in (1) at period 0; E teaches (3) then; F has "不排" there.
    s.put(0, 0, 0, "数学", "A");
    s.put(2, 0, 0, "英语", "E");
    s.put(1, 1, 0, "数学", "B");
    s.put(1, 2, 0, "数学", "B");
    s.put(2, 3, 0, "语文", "D");
    s.ds.setTeacherSlotValue(0, 0, "F", G("不排"));
    std::vector<SubstituteCandidate> list = substituteCandidates(s.ds, D("2027-03-01"), 0, 0);
    // B same subject, C teaches the class, D the rest (E busy, F barred, A the teacher)
    EXPECT_EQ(names(s.ds, list), (std::vector<std::string>{"B", "C", "D"}));
    EXPECT_EQ(U(list[0].reason), "科目相同，本学期已代 0 节，当天已有 2 节");
    EXPECT_EQ(U(list[1].reason), "本班教师，本学期已代 0 节，当天已有 0 节");

    // F free now; D has covered once this term, so F comes first among the rest; C absent.
    s.ds.setTeacherSlotValue(0, 0, "F", "");
    ChangeRecord past;
    past.date = D("2027-03-02");
    past.className = G("初一(3)");
    past.subject = G("英语");
    past.teacher = "E";
    past.newTeacher = "D";
    s.ds.extension.changes.push_back(past);
    AbsenceRecord a;
    a.teacher = "C";
    a.kind = G("事假");
    a.from = a.to = D("2027-03-01");
    a.toPeriod = 3;
    ASSERT_EQ(addAbsence(s.ds, a), 1);
    list = substituteCandidates(s.ds, D("2027-03-01"), 0, 0);
    EXPECT_EQ(names(s.ds, list), (std::vector<std::string>{"B", "F", "D"}));
    EXPECT_EQ(U(list[2].reason), "本学期已代 1 节，当天已有 1 节");

    // Covering with a busy, absent or barred teacher is refused with a reason; B is taken.
    std::string why;
    CoverRequest r{D("2027-03-01"), 0, 0, ChangeKind::Substitute, "E"};
    EXPECT_FALSE(coverLesson(s.ds, r, why));
    EXPECT_EQ(U(why), "E 该节已有课（初一(3) 英语）");
    r.teacher = "C";
    EXPECT_FALSE(coverLesson(s.ds, r, why));
    EXPECT_EQ(U(why), "C 该节请假");
    r.teacher = "A";
    EXPECT_FALSE(coverLesson(s.ds, r, why));
    r.teacher = "B";
    EXPECT_TRUE(coverLesson(s.ds, r, why)) << U(why);
    EXPECT_EQ(s.ds.extension.changes.back().newTeacher, "B");
    EXPECT_EQ(s.ds.extension.changes.back().absence, 0);
    EXPECT_EQ(U(noticeLine(s.ds, s.ds.extension.changes.back())), "【代课】3月1日（星期一）第1节 初一(1) 数学 A → B");
}

TEST(TermCover, SwapCandidatesByCloseness)
{
    HandSchool s;
    // (1): Monday 数学 A at 0, 语文 C at 1 and 3; Tuesday 语文 C at 0; Wednesday 语文 C at 2.
    s.put(0, 0, 0, "数学", "A");
    s.put(0, 1, 0, "语文", "C");
    s.put(0, 3, 0, "语文", "C");
    s.put(0, 0, 1, "语文", "C");
    s.put(0, 2, 2, "语文", "C");
    s.put(0, 1, 1, "数学", "A"); // A's own lesson: never a swap partner
    s.put(1, 3, 0, "数学", "A"); // A busy Monday 3 in (2): that swap is refused
    const auto list = swapCandidates(s.ds, D("2027-03-01"), 0, 0, D("2027-03-01"), D("2027-03-07"));
    std::vector<std::pair<std::string, int>> got;
    for (const auto& c : list)
        got.emplace_back(isoDate(c.date), c.period);
    EXPECT_EQ(got, (std::vector<std::pair<std::string, int>>{{"2027-03-01", 1}, {"2027-03-02", 0}, {"2027-03-03", 2}}));
    EXPECT_EQ(list[1].distance, 4);

    std::string why;
    CoverRequest r{D("2027-03-01"), 0, 0, ChangeKind::Swap, "", D("2027-03-01"), 3};
    EXPECT_FALSE(coverLesson(s.ds, r, why));
    EXPECT_EQ(U(why), "A 该节已有课（初一(2) 数学）");
}

TEST(TermCover, DatedTimetableWithSeveralChangesOnOneDay)
{
    HandSchool s;
    for (int p = 0; p < 4; ++p)
        s.put(0, p, 2, p % 2 ? "语文" : "数学", p % 2 ? "C" : "A"); // Wednesday of (1): 数学 语文 数学 语文
    s.put(1, 2, 2, "数学", "B");
    const DayNumber wed = D("2027-03-03");
    std::string why;
    const CoverRequest requests[] = {
        {wed, 0, 0, ChangeKind::Swap, "", wed, 1},           // 数学 A <-> 语文 C
        {wed, 2, 0, ChangeKind::Substitute, "D"},            // 数学 A -> D
        {wed, 3, 0, ChangeKind::SelfStudy, "F"},             // 语文 C -> 自习, F supervises
    };
    for (const auto& r : requests)
        ASSERT_TRUE(coverLesson(s.ds, r, why)) << U(why);
    ASSERT_TRUE(coverLesson(s.ds, {wed, 2, 1, ChangeKind::Cancel}, why)) << U(why); // (2) 数学 B cancelled
    // A second cover of the same lesson replaces the first.
    ASSERT_TRUE(coverLesson(s.ds, {wed, 2, 0, ChangeKind::Substitute, "E"}, why)) << U(why);
    EXPECT_EQ(s.ds.extension.changes.size(), 4u);

    const TermCalendar cal(s.ds);
    const DayPlan plan(s.ds, cal, wed);
    const std::tuple<const char*, const char*, bool, ChangeKind> want[] = {
        {"语文", "C", true, ChangeKind::Swap},
        {"数学", "A", true, ChangeKind::Swap},
        {"数学", "E", true, ChangeKind::Substitute},
        {"自习", "F", true, ChangeKind::SelfStudy},
    };
    for (int p = 0; p < 4; ++p) {
        const DatedLesson& l = plan.at(0, p);
        EXPECT_EQ(U(l.subject), std::get<0>(want[p])) << p;
        EXPECT_EQ(l.teacher, std::get<1>(want[p])) << p;
        EXPECT_EQ(l.changed, std::get<2>(want[p])) << p;
        EXPECT_EQ(l.kind, std::get<3>(want[p])) << p;
    }
    EXPECT_EQ(plan.at(1, 2).subject, "");
    EXPECT_EQ(plan.classOfTeacher("B", 2), -1);
    EXPECT_EQ(plan.classOfTeacher("A", 1), 0);
    EXPECT_EQ(plan.lessonsOfTeacher("C"), 1);
    EXPECT_EQ(U(noticeText(s.ds, wed)),
              "【调课】3月3日（星期三）第1节 初一(1) 数学 A 与 3月3日（星期三）第2节 语文 C 对调\n"
              "【代课】3月3日（星期三）第3节 初一(1) 数学 A → E\n"
              "【停课】3月3日（星期三）第3节 初一(2) 数学 B → 停课\n"
              "【自习】3月3日（星期三）第4节 初一(1) 语文 C → 自习（F看班）\n");

    // The weekly timetable edited afterwards: the change of period 3 is out of date.
    EXPECT_TRUE(CheckTimetable(s.ds).empty() || CheckTimetable(s.ds).back().kind != ProblemKind::StaleChange);
    s.put(0, 3, 2, "英语", "E");
    bool stale = false;
    for (const auto& p : CheckTimetable(s.ds))
        stale = stale || (p.kind == ProblemKind::StaleChange && p.period == 3 && p.day == 2 && p.teacher == "C");
    EXPECT_TRUE(stale);
}

TEST(TermCover, StatisticsAgainstAHandCount)
{
    HandSchool s;
    // Every teaching day: (1) 数学 A at 0, 语文 C at 1; (2) 数学 B at 0.
    for (int d = 0; d < 5; ++d) {
        s.put(0, 0, d, "数学", "A");
        s.put(0, 1, d, "语文", "C");
        s.put(1, 0, d, "数学", "B");
    }
    s.ds.extension.term.daysOff.push_back({D("2027-03-05"), D("2027-03-05")}); // Friday off
    std::string why;
    const DayNumber mon = D("2027-03-01"), tue = D("2027-03-02");
    const CoverRequest requests[] = {
        {mon, 0, 0, ChangeKind::Substitute, "D"}, // D covers A
        {mon, 0, 1, ChangeKind::SelfStudy, "F"},  // F supervises instead of B
        {tue, 0, 0, ChangeKind::Swap, "", tue, 1}, // A and C swap
        {D("2027-03-03"), 1, 0, ChangeKind::Cancel},
        {D("2027-03-08"), 0, 0, ChangeKind::Substitute, "E"}, // outside the range counted
    };
    for (const auto& r : requests)
        ASSERT_TRUE(coverLesson(s.ds, r, why)) << U(why);
    const auto rows = coverStatistics(s.ds, mon, D("2027-03-07"));
    // teacher: due, taught, cover given, covered by others, swaps, self-study
    const std::map<std::string, std::array<int, 6>> want = {
        {"A", {4, 3, 0, 1, 1, 0}}, {"B", {4, 3, 0, 0, 0, 0}}, {"C", {4, 3, 0, 0, 1, 0}},
        {"D", {0, 1, 1, 0, 0, 0}}, {"E", {0, 0, 0, 0, 0, 0}}, {"F", {0, 0, 0, 0, 0, 1}},
    };
    ASSERT_EQ(rows.size(), 6u);
    for (const auto& r : rows)
        EXPECT_EQ((std::array<int, 6>{r.due, r.taught, r.coverGiven, r.coveredByOthers, r.swaps, r.selfStudy}),
                  want.at(r.teacher))
            << r.teacher;
}

TEST(TermCover, OneClickCoverNeverDoubleBooks)
{
    std::mt19937 rng(26);
    for (int round = 0; round < 30; ++round) {
        DataSet ds;
        ds.dayNames = weekdays(5);
        ds.morningCount = 4;
        ds.afternoonCount = 2;
        const int classes = 2 + static_cast<int>(rng() % 6), teachers = 4 + static_cast<int>(rng() % 10);
        ds.setGradeCount(1);
        ds.setClassCount(0, classes);
        for (int t = 0; t < teachers; ++t) {
            ds.appendTeacher();
            ds.teachers.back()->name = "T" + std::to_string(t);
            ds.teachers.back()->taughtSubjects = "S" + std::to_string(t % 3);
        }
        for (int k = 0; k < classes; ++k) {
            ds.classAt(0, k)->name = "C" + std::to_string(k);
            for (int p = 0; p < 6; ++p)
                for (int d = 0; d < 5; ++d)
                    if (rng() % 4) {
                        const int t = static_cast<int>(rng() % teachers);
                        ds.classAt(0, k)->cells[p][d].subject = "S" + std::to_string(t % 3);
                        ds.classAt(0, k)->cells[p][d].teacher = "T" + std::to_string(t);
                    }
        }
        for (int i = 0; i < 6; ++i)
            ds.setTeacherSlotValue(rng() % 6, rng() % 5, "T" + std::to_string(rng() % teachers), "\xb2\xbb\xc5\xc5");
        ds.extension.term = term("2027-03-01", 4, {}, {});
        std::vector<int> ids;
        for (int i = 0; i < 3; ++i) {
            AbsenceRecord a;
            a.teacher = "T" + std::to_string(rng() % teachers);
            a.kind = G("病假");
            a.from = D("2027-03-01") + static_cast<int>(rng() % 3);
            a.to = a.from + static_cast<int>(rng() % 3);
            a.fromPeriod = static_cast<int>(rng() % 6);
            a.toPeriod = a.from == a.to ? 5 : static_cast<int>(rng() % 6);
            if (int id = addAbsence(ds, a))
                ids.push_back(id);
        }
        const auto proposal = proposeCover(ds, ids);
        EXPECT_EQ(proposal, proposeCover(ds, ids)) << "deterministic";
        const TermCalendar cal(ds);
        std::set<std::tuple<DayNumber, int, std::string>> used;
        for (const ChangeRecord& c : proposal) {
            if (c.kind != ChangeKind::Substitute)
                continue;
            const DayPlan plan(ds, cal, c.date);
            EXPECT_EQ(plan.classOfTeacher(c.newTeacher, c.period), -1) << round;
            EXPECT_EQ(absenceAt(ds.extension, c.newTeacher, c.date, c.period), 0) << round;
            EXPECT_NE(ds.teacherSlotValue(c.period, plan.column(), c.newTeacher), "\xb2\xbb\xc5\xc5") << round;
            EXPECT_TRUE(used.emplace(c.date, c.period, c.newTeacher).second) << round;
        }
        acceptProposal(ds, proposal);
        for (int id : ids)
            for (const TouchedLesson& t : touchedLessons(ds, *ds.extension.findAbsence(id)))
                EXPECT_NE(t.state, LessonState::Open) << round;
    }
}
