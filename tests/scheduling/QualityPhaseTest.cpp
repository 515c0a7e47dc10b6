// The recommended run (search, completion, quality): a week a school can use on a new user's school
// and on schools whose weeks are 70-100 % full, the same timetable for the same school, "一定排"
// kept, and the measure that says how good a timetable is.
#include <gtest/gtest.h>

#include "scheduling/AutoRun.h"
#include "scheduling/QualityPhase.h"
#include "scheduling/SchedulingFixture.h"
#include "scheduling/TeacherAssignment.h"
#include "scheduling/TimetableCheck.h"
#include "support/FilledSchool.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

void runSchool(DataSet& ds, bool optimize)
{
    SchedulingState state;
    AutoRun run(ds, state);
    run.SelectSchool();
    run.optimizeAfterSearch = optimize;
    run.Start();
}

// A new user's school: 2 grades x 3 classes, 5 days x (4 + 3) periods, 23 lessons a week per class,
// one teacher per grade for each main subject, the head teachers give 班会, one school-wide 教研活动
// slot, and 班会 "一定排" on 星期五第7节.
std::unique_ptr<DataSet> newUsersSchool()
{
    auto ds = std::make_unique<DataSet>();
    ds->applyNewDocumentDefaults();
    ds->setGradeCount(2);
    ds->gradeNames[0] = G("初一");
    ds->gradeNames[1] = G("初二");
    for (int g = 0; g < 2; ++g)
        ds->setClassCount(g, 3);
    ds->renameClasses("(", ")");
    const char* teachers[] = {"语文一", "数学一", "英语一", "语文二", "数学二", "英语二", "体育", "音乐", "美术"};
    for (const char* t : teachers)
        addTeacher(*ds, t);
    const char* heads[] = {"语文", "数学", "英语"};
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k) {
            ClassTable& c = *ds->classAt(g, k);
            const std::string n = g ? "二" : "一";
            plan(c, "语文", 6, G(("语文" + n).c_str()));
            plan(c, "数学", 6, G(("数学" + n).c_str()));
            plan(c, "英语", 5, G(("英语" + n).c_str()));
            plan(c, "体育", 3, G("体育"));
            plan(c, "音乐", 1, G("音乐"));
            plan(c, "美术", 1, G("美术"));
            plan(c, "班会", 1, G((heads[k] + n).c_str()));
            c.commonPeriods[6][2] = G("教研活动");
            ClassTable::setCellRule(c.cells[6][4], G("班会"), G("一定排"));
        }
    prepare(*ds);
    return ds;
}

// What the goals ask of every class: no hole, no teaching day short of ⌊lessons / days⌋ unless its
// common periods leave no room, no same-day repeat, every "一定排" kept and no problem at all.
void expectUsable(const DataSet& ds, const std::string& name)
{
    const QualityReport q = MeasureQuality(ds);
    EXPECT_EQ(CheckTimetable(ds).size(), 0u) << name;
    for (const ClassQuality& c : q.classes) {
        EXPECT_EQ(c.holes, 0) << name << " " << U(c.className);
        EXPECT_EQ(c.repeats, 0) << name << " " << U(c.className);
        // a day short of ⌊lessons / days⌋ only when its common periods leave no room
        const ClassTable& k = *ds.classAt(c.gradeIndex, c.classIndex);
        int lessons = 0;
        for (int n : c.lessonsPerDay)
            lessons += n;
        for (int d = 0; d < 5; ++d) {
            int room = 0;
            for (int p = 0; p < ds.periodsPerDay(); ++p)
                room += k.commonPeriods[p][d].empty();
            EXPECT_GE(c.lessonsPerDay[d], std::min(room, lessons / 5)) << name << " " << U(c.className) << " day " << d;
        }
    }
}

} // namespace

TEST(QualityPhase, GivesANewUsersSchoolAWeekItCanUse)
{
    auto described = newUsersSchool();
    runSchool(*described, false);
    // the described run fills the week from Monday's first period: an empty Friday
    const QualityReport before = MeasureQuality(*described);
    EXPECT_GT(before.shortDays, 0);

    auto ds = newUsersSchool();
    runSchool(*ds, true);
    expectUsable(*ds, "new user's school");
    const QualityReport q = MeasureQuality(*ds);
    EXPECT_LT(q.score, before.score);
    for (const ClassQuality& c : q.classes)
        for (int n : c.lessonsPerDay)
            EXPECT_GE(n, 4) << U(c.className);
    for (ClassTable* c : ds->classesInGradeOrder())
        EXPECT_EQ(U(c->cells[6][4].subject), "班会") << U(c->name);

    auto again = newUsersSchool();
    runSchool(*again, true);
    EXPECT_EQ(cells(*again), cells(*ds)) << "not deterministic";
}

TEST(QualityPhase, UsableWeeksOnSchoolsFrom70To100PercentFull)
{
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        const int fill = 70 + static_cast<int>(seed - 1) % 4 * 10;
        auto ds = filledSchool(seed, {0, 0, fill});
        prepare(*ds);
        runSchool(*ds, true);
        expectUsable(*ds, "seed " + std::to_string(seed) + " fill " + std::to_string(fill));
        if (seed <= 2) {
            auto again = filledSchool(seed, {0, 0, fill});
            prepare(*again);
            runSchool(*again, true);
            EXPECT_EQ(cells(*again), cells(*ds)) << "seed " << seed << ": not deterministic";
        }
    }
}

// The measure on one hand-made week: holes across the lunch break, repeats beyond the daily share,
// "尽量排" missed, a short day and a teacher's free periods.
TEST(QualityPhase, MeasuresHolesRepeatsPreferredSlotsShortDaysAndTeacherGaps)
{
    auto ds = smallSchool(1);
    addTeacher(*ds, "张三");
    ClassTable& c = *ds->classAt(0, 0);
    plan(c, "语文", 6, G("张三"));
    plan(c, "数学", 4);
    prepare(*ds);
    // 星期一: 语文 第1节, 第3节, 第6节: holes 第2节 and 第5节 (across lunch); the common period 第4节 is none
    place(*ds, c, 0, 0, "语文");
    place(*ds, c, 2, 0, "语文");
    place(*ds, c, 5, 0, "语文");
    c.commonPeriods[3][0] = G("自习");
    // 星期二: 数学 twice (share 1 of 4 lessons); 语文 once (share 2 of 6)
    place(*ds, c, 0, 1, "数学");
    place(*ds, c, 1, 1, "数学");
    place(*ds, c, 2, 1, "语文");
    place(*ds, c, 0, 2, "数学");
    place(*ds, c, 0, 3, "语文");
    ClassTable::setCellRule(c.cells[0][3], G("数学"), G("尽量排"));
    ClassTable::setCellRule(c.cells[1][3], G("美术"), G("尽量排")); // not in the plan: not counted
    const QualityReport q = MeasureQuality(*ds);
    ASSERT_EQ(q.classes.size(), 1u);
    EXPECT_EQ(q.classes[0].lessonsPerDay, (std::vector<int>{3, 3, 1, 1, 0}));
    EXPECT_EQ(q.classes[0].holes, 2);
    EXPECT_EQ(q.classes[0].repeats, 2); // 语文 three times on 星期一, 数学 twice on 星期二
    EXPECT_EQ(q.classes[0].preferMissed, 1);
    EXPECT_EQ(q.classes[0].shortDays, 1); // 8 lessons: 1 a day, 星期五 has none
    ASSERT_EQ(q.teachers.size(), 1u);
    EXPECT_EQ(q.teachers[0].gaps, 3); // 星期一 第2节, 第4节, 第5节
    EXPECT_EQ(q.score, 20 * 2 + 10 * 1 + 5 * 2 + 2 * 1 + 1 * 3);
}
