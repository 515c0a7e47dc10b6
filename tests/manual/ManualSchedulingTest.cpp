// The class view and the teacher view of manual scheduling: what their menus offer, what they
// refuse, what a placement, an emptying and a swap write, and that the teachers' derived lists stay
// exact through any sequence of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>

#include "app/PanelRegistry.h"
#include "app/UndoStack.h"
#include "data/DataFile.h"
#include "data/DataSet.h"
#include "manual/ClassTableTiaoKe.h"
#include "manual/TeacherPaike.h"
#include "scheduling/SchedulingFixture.h"
#include "scheduling/TeacherAssignment.h"
#include "support/RandomSchool.h"

using namespace tabrel;
using namespace tabrel::test;
using manual::ClassTableTiaoKe;
using manual::Slot;
using manual::TeacherPaike;

namespace {

// Two classes of 初一, 4 + 3 periods, 5 days; 语文 张三, 数学 李四, 体育(男) 王五, "综合 实践" 赵六.
std::unique_ptr<DataSet> school()
{
    auto ds = smallSchool(2);
    for (int j = 0; j < 2; ++j) {
        ClassTable& c = *ds->classAt(0, j);
        plan(c, "语文", 5, G("张三"));
        plan(c, "数学", 5, G("李四"));
        plan(c, "体育(男)", 2, G("王五"));
        plan(c, "综合 实践", 1, G("赵六"));
    }
    for (const char* t : {"张三", "李四", "王五", "赵六"})
        addTeacher(*ds, t);
    ComputeAssignedPeriods(*ds);
    ds->syncTeacherAssignments();
    return ds;
}

std::vector<std::string> texts(const std::vector<manual::MenuEntry>& entries)
{
    std::vector<std::string> out;
    for (const auto& e : entries)
        out.push_back(e.text);
    return out;
}

} // namespace

TEST(ClassViewPlacement, MenusRefusalsAndWhatIsWritten)
{
    struct Case {
        const char* name;
        std::function<void(DataSet&, ClassTable& mine, ClassTable& other)> setup;
        Slot slot;
        const char* subject;   // nullptr: "[空白]"
        const char* refusal;   // nullptr: placed; "" refused for a reason that is no candidate text
    };
    const Case cases[] = {
        {"free cell", [](DataSet&, ClassTable&, ClassTable&) {}, {0, 0}, "语文", nullptr},
        {"a subject with a bracket is written whole", [](DataSet&, ClassTable&, ClassTable&) {}, {1, 0}, "体育(男)", nullptr},
        {"a subject with a blank is written whole", [](DataSet&, ClassTable&, ClassTable&) {}, {1, 1}, "综合 实践", nullptr},
        {"replacing a lesson", [](DataSet& ds, ClassTable& c, ClassTable&) { place(ds, c, 0, 0, "数学"); }, {0, 0}, "语文", nullptr},
        {"emptying a lesson", [](DataSet& ds, ClassTable& c, ClassTable&) { place(ds, c, 2, 2, "数学"); }, {2, 2}, nullptr, nullptr},
        {"emptying a free cell", [](DataSet&, ClassTable&, ClassTable&) {}, {2, 2}, nullptr, ""},
        {"marked cell", [](DataSet&, ClassTable& c, ClassTable&) { c.cells[0][0].markFlag = 1; }, {0, 0}, "语文", ""},
        {"marked lesson", [](DataSet& ds, ClassTable& c, ClassTable&) { place(ds, c, 0, 0, "数学"); c.cells[0][0].markFlag = 1; }, {0, 0}, nullptr, ""},
        {"common period", [](DataSet&, ClassTable& c, ClassTable&) { c.commonPeriods[0][0] = G("自习"); }, {0, 0}, "语文", ""},
        {"teacher busy", [](DataSet& ds, ClassTable&, ClassTable& o) { place(ds, o, 0, 0, "语文"); }, {0, 0}, "语文", "×(重课)"},
        {"subject rule", [](DataSet&, ClassTable& c, ClassTable&) { ClassTable::setCellRule(c.cells[0][0], G("语文"), G("不排")); }, {0, 0}, "语文", "×(不排本节课)"},
        {"teacher rule", [](DataSet& ds, ClassTable&, ClassTable&) { ds.setTeacherSlotValue(0, 0, G("张三"), G("不排")); }, {0, 0}, "语文", "×(本节课不排该教师)"},
        {"wrong section", [](DataSet&, ClassTable& c, ClassTable&) { plan(c, "早读", 2, G("张三")); }, {0, 0}, "早读", "×(时间不匹配)"},
        {"lunch warning is placed", [](DataSet& ds, ClassTable&, ClassTable& o) { place(ds, o, 4, 0, "语文"); }, {3, 0}, "语文", nullptr},
        {"lunch warning over a double booking", [](DataSet& ds, ClassTable&, ClassTable& o) { place(ds, o, 4, 0, "语文"); o.setCellSubject(o.cells[3][0], G("语文")); ds.relinkCell(o.cells[3][0]); }, {3, 0}, "语文", "×(重课)"},
        {"all lessons placed", [](DataSet& ds, ClassTable& c, ClassTable&) { place(ds, c, 6, 4, "综合 实践"); }, {0, 0}, "综合 实践", ""},
        {"subject not in the plan", [](DataSet&, ClassTable&, ClassTable&) {}, {0, 0}, "英语", ""},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        auto ds = school();
        ClassTable& mine = *ds->classAt(0, 0);
        k.setup(*ds, mine, *ds->classAt(0, 1));
        ClassTableTiaoKe view;
        view.refresh(*ds);
        const LessonCell& cell = mine.cells[k.slot.period][k.slot.day];
        const std::string before = cell.subject;
        const auto entries = view.placementMenu(*ds, k.slot);
        const auto menu = texts(entries);
        EXPECT_EQ(view.menuOpens(*ds, k.slot), !menu.empty());
        if (!menu.empty())
            EXPECT_EQ(menu[0] == G("[空白]"), !before.empty());
        std::string why;
        const bool done = k.subject ? view.placeSubject(*ds, k.slot, G(k.subject), &why) : view.emptyCell(*ds, k.slot, &why);
        EXPECT_EQ(done, k.refusal == nullptr) << U(why);
        for (const auto& e : entries) // the menu shows whether its entry acts
            if (k.subject && e.text.rfind(G(k.subject) + G("(剩"), 0) == 0)
                EXPECT_EQ(e.acts, done) << U(e.text);
        if (k.refusal && *k.refusal)
            EXPECT_EQ(why, G(k.refusal));
        const std::string expected = done ? (k.subject ? G(k.subject) : std::string()) : before;
        EXPECT_EQ(cell.subject, expected);
        EXPECT_EQ(cell.teacher, mine.teacherForSubject(expected));
        mine.RecountPlaced();
        // the stored counts follow the grid, and the teacher's week shows the lesson
        for (const auto& a : mine.assignments) {
            int n = 0;
            for (int p = 0; p < 7; ++p)
                for (int d = 0; d < 5; ++d)
                    n += mine.cells[p][d].subject == a->subject;
            EXPECT_EQ(a->placedCount, n);
        }
        if (TeacherInfoRecord* t = ds->findTeacher(cell.teacher))
            EXPECT_EQ(t->slotSubject[k.slot.period][k.slot.day], cell.subject);
    }
}

TEST(ClassViewPlacement, OnlyTheFirstNineteenEntriesActAndTheKeysFollowTheLabels)
{
    auto ds = smallSchool(1);
    ClassTable& c = *ds->classAt(0, 0);
    addTeacher(*ds, "张三");
    for (int i = 0; i < 21; ++i)
        plan(c, ("科" + std::to_string(i)).c_str(), 30 - i, G("张三"));
    ds->syncTeacherAssignments();
    ClassTableTiaoKe view;
    view.refresh(*ds);
    const auto menu = view.placementMenu(*ds, {0, 0});
    ASSERT_EQ(menu.size(), 21u);
    EXPECT_TRUE(menu[18].acts);
    EXPECT_FALSE(menu[19].acts);
    std::string why;
    EXPECT_FALSE(view.placeCandidate(*ds, {0, 0}, 19, &why));
    EXPECT_FALSE(view.placeCandidate(*ds, {0, 0}, 21, &why));
    EXPECT_TRUE(c.cells[0][0].subject.empty());
    // The report box labels the candidates; the keys place them into the hovered cell.
    view.hover(*ds, {1, 2});
    ASSERT_EQ(view.reportLines().size(), 23u);
    EXPECT_EQ(view.reportLines()[20], "p. " + G("科19(剩11节)√"));
    EXPECT_FALSE(view.placeByKey(*ds, 'p', &why)); // the 20th label does not act
    EXPECT_FALSE(view.placeByKey(*ds, 'z', &why));
    EXPECT_TRUE(view.placeByKey(*ds, '9', &why)) << U(why);
    EXPECT_EQ(c.cells[1][2].subject, G("科8"));
    // the box now names the lesson, and the key no longer places anything there
    EXPECT_EQ(view.reportLines(), std::vector<std::string>{G("科8 [ 张三 ]")});
    EXPECT_FALSE(view.placeByKey(*ds, '1', &why));
    view.setMode(ClassTableTiaoKe::Swap);
    view.moveHover(*ds, 1, 0);
    EXPECT_FALSE(view.placeByKey(*ds, '1', &why)); // keys place in placement mode only
    EXPECT_EQ(view.hoveredCell(), (Slot{2, 2}));
}

TEST(ClassViewSwap, TheMarksDecideAndAPendingSwapNeverPairsTwoClasses)
{
    auto ds = school();
    ClassTable& c = *ds->classAt(0, 0);
    ClassTable& other = *ds->classAt(0, 1);
    place(*ds, c, 0, 0, "语文");
    place(*ds, c, 0, 1, "语文");
    place(*ds, c, 1, 0, "数学");
    place(*ds, other, 1, 1, "语文"); // 张三 is taken at (1, 1)
    c.commonPeriods[2][0] = G("自习");
    c.cells[2][1].markFlag = 1;
    ClassTableTiaoKe view;
    view.refresh(*ds);
    view.setMode(ClassTableTiaoKe::Swap);
    EXPECT_FALSE(view.pickSwapSource(*ds, {2, 0})); // common period
    EXPECT_FALSE(view.pickSwapSource(*ds, {2, 1})); // marked cell
    ASSERT_TRUE(view.pickSwapSource(*ds, {0, 0}));
    const auto marks = view.marks(*ds);
    ASSERT_EQ(marks.size(), 7u);
    EXPECT_EQ(marks[0][0], G("★"));
    struct Drop {
        Slot target;
        const char* why; // nullptr: swapped
    };
    for (const Drop& k : {Drop{{0, 0}, "★"}, Drop{{0, 1}, "╳"}, Drop{{1, 1}, "╳"}, Drop{{2, 1}, "╳"},
                          Drop{{2, 0}, nullptr /* checked below */}}) {
        std::string why;
        if (!k.why) {
            EXPECT_FALSE(view.dropOn(*ds, k.target, &why)); // "√" over a common period
            EXPECT_NE(why.find(G("自习")), std::string::npos);
            continue;
        }
        EXPECT_FALSE(view.swapMenuOffered(*ds, k.target));
        EXPECT_FALSE(view.dropOn(*ds, k.target, &why));
        EXPECT_EQ(why, G(k.why));
    }
    EXPECT_EQ(c.cells[0][0].subject, G("语文"));
    // An empty "√" cell takes the lesson and frees the source.
    ASSERT_EQ(marks[3][4], G("√"));
    EXPECT_TRUE(view.swapMenuOffered(*ds, {3, 4}));
    EXPECT_TRUE(view.swapWith(*ds, {3, 4}));
    EXPECT_EQ(c.cells[3][4].subject, G("语文"));
    EXPECT_EQ(c.cells[3][4].teacher, G("张三"));
    EXPECT_TRUE(c.cells[0][0].subject.empty());
    EXPECT_FALSE(view.swapPending());
    EXPECT_EQ(ds->findTeacher(G("张三"))->slotSubject[3][4], G("语文"));
    EXPECT_TRUE(ds->findTeacher(G("张三"))->slotSubject[0][0].empty());
    // Choosing another class drops the source and its marks: nothing of class 1 can be dropped
    // into class 2.
    ASSERT_TRUE(view.pickSwapSource(*ds, {1, 0}));
    EXPECT_TRUE(view.chooseClass(*ds, 1));
    EXPECT_FALSE(view.swapPending());
    for (int p = 0; p < 7; ++p)
        for (int d = 0; d < 5; ++d)
            EXPECT_TRUE(c.cells[p][d].mark.empty());
    EXPECT_FALSE(view.dropOn(*ds, {0, 0}));
    EXPECT_TRUE(other.cells[0][0].subject.empty());
    // Escape drops a pending source too.
    ASSERT_TRUE(view.pickSwapSource(*ds, {1, 1}));
    EXPECT_TRUE(view.cancelSwap(*ds));
    EXPECT_TRUE(other.cells[0][0].mark.empty());
}

TEST(ClassViewFix, FixingALessonShutsItsMenuAndSwapsAndReleasingOpensThemAgain)
{
    auto ds = school();
    ClassTable& c = *ds->classAt(0, 0);
    place(*ds, c, 0, 0, "语文");
    place(*ds, c, 0, 1, "数学");
    c.commonPeriods[2][0] = G("自习");
    ClassTableTiaoKe view;
    view.refresh(*ds);
    // Offered on a lesson, not on a free cell, a common period or outside the grid.
    EXPECT_EQ(view.fixEntryText(*ds, {0, 0}), G("固定这节课"));
    for (Slot s : {Slot{3, 3}, Slot{2, 0}, Slot{40, 0}}) {
        EXPECT_TRUE(view.fixEntryText(*ds, s).empty());
        EXPECT_FALSE(view.toggleFixed(*ds, s));
    }
    // A pending swap whose source is fixed is dropped; its marks go with it.
    view.setMode(ClassTableTiaoKe::Swap);
    ASSERT_TRUE(view.pickSwapSource(*ds, {0, 0}));
    ASSERT_TRUE(view.toggleFixed(*ds, {0, 0}));
    EXPECT_EQ(c.cells[0][0].markFlag, 1);
    EXPECT_FALSE(view.swapPending());
    EXPECT_TRUE(c.cells[0][1].mark.empty());
    EXPECT_EQ(view.fixEntryText(*ds, {0, 0}), G("取消固定"));
    EXPECT_FALSE(view.pickSwapSource(*ds, {0, 0}));
    ASSERT_TRUE(view.pickSwapSource(*ds, {0, 1}));
    EXPECT_EQ(view.marks(*ds)[0][0], G("╳"));
    // Fixing another cell while a swap is pending re-marks the class.
    view.setMode(ClassTableTiaoKe::Placement);
    EXPECT_FALSE(view.menuOpens(*ds, {0, 0}));
    ASSERT_TRUE(view.toggleFixed(*ds, {0, 0}));
    EXPECT_EQ(c.cells[0][0].markFlag, 0);
    EXPECT_TRUE(view.menuOpens(*ds, {0, 0}));
    EXPECT_TRUE(view.swapPending());
    EXPECT_NE(view.marks(*ds)[0][0], G("╳"));
    EXPECT_EQ(c.cells[0][0].subject, G("语文")); // fixing never changes the lesson
}

TEST(ClassViewClear, EmptiesOnlyTheCurrentClassAndItsTeachersLessons)
{
    auto ds = school();
    ClassTable& c = *ds->classAt(0, 0);
    ClassTable& other = *ds->classAt(0, 1);
    place(*ds, c, 0, 0, "语文");
    place(*ds, other, 1, 0, "语文");
    c.commonPeriods[5][0] = G("自习");
    c.cells[4][4].markFlag = 1;
    ClassTableTiaoKe view;
    view.refresh(*ds);
    EXPECT_EQ(view.title(*ds), G("初一(1)班课程表"));
    EXPECT_FALSE(view.previousClass(*ds));
    EXPECT_TRUE(view.clearClass(*ds));
    EXPECT_FALSE(view.clearClass(*ds)); // nothing left to change: no undo step
    EXPECT_TRUE(c.cells[0][0].subject.empty());
    EXPECT_EQ(c.commonPeriods[5][0], G("自习"));
    EXPECT_EQ(c.cells[4][4].markFlag, 1);
    const TeacherInfoRecord& t = *ds->findTeacher(G("张三"));
    ASSERT_EQ(t.lessons.size(), 1u);
    EXPECT_EQ(t.lessons[0], &other.cells[1][0]);
    view.toggleTeacherDisplay();
    EXPECT_EQ(view.teacherButtonText(), G("隐藏教师"));
    view.toggleTeacherDisplay();
    EXPECT_EQ(view.teacherButtonText(), G("显示教师"));
}

TEST(TeacherViewPlacement, CandidatesMenusAndTheirLimits)
{
    auto ds = school();
    ds->eveningCount = 1; // period 7 is the evening
    ClassTable& c = *ds->classAt(0, 0);
    ClassTable& other = *ds->classAt(0, 1);
    TeacherPaike view;
    view.refresh(*ds);
    ASSERT_EQ(view.teacherEntries(*ds)[0], "-" + G("张三"));
    EXPECT_EQ(view.title(*ds), G("教师: 张三课程表"));
    EXPECT_EQ(view.candidates({0, 0}).size(), 2u);
    EXPECT_TRUE(view.candidates({7, 0}).empty()); // no daytime subject in the evening
    EXPECT_TRUE(view.shaded(*ds, {7, 0}));
    // The assignment page names another teacher for class 2: 张三's course still lists the class,
    // but it is no longer offered (placing would write 李四).
    other.FindAssignment(G("语文"))->teacher = G("李四");
    view.refresh(*ds);
    ASSERT_EQ(view.candidates({0, 0}).size(), 1u);
    EXPECT_EQ(view.candidates({0, 0})[0].text, G("初一(1)语文 [ 剩5节 ]"));
    std::string why;
    EXPECT_FALSE(view.placeSubject(*ds, {0, 0}, G("语文"), 1, &why));
    EXPECT_TRUE(view.placeSubject(*ds, {0, 0}, G("语文"), -1, &why)) << U(why);
    EXPECT_EQ(c.cells[0][0].teacher, G("张三"));
    EXPECT_EQ(view.slotText(*ds, {0, 0}), G("初一1语文"));
    EXPECT_EQ(view.candidates({0, 1})[0].text, G("初一(1)语文 [ 剩4节 ]"));
    // A slot the teacher teaches offers only "[空白]"; a free one no "[空白]".
    EXPECT_EQ(texts(view.placementMenu(*ds, {0, 0})), std::vector<std::string>{G("[空白]")});
    EXPECT_FALSE(view.placeSubject(*ds, {0, 0}, G("语文"), -1, &why));
    EXPECT_FALSE(view.emptySlot(*ds, {0, 1}, &why));
    EXPECT_TRUE(view.emptySlot(*ds, {0, 0}, &why));
    EXPECT_TRUE(c.cells[0][0].subject.empty());
    EXPECT_TRUE(view.slotText(*ds, {0, 0}).empty());
    // The last missing lesson leaves every other slot's list.
    plan(c, "语文", 1, G("张三"));
    view.refresh(*ds);
    ASSERT_EQ(view.candidates({2, 3}).size(), 1u);
    view.hover(*ds, {2, 3}, false);
    EXPECT_EQ(view.reportLines().size(), 2u);
    EXPECT_TRUE(view.placeByKey(*ds, '1', &why)) << U(why);
    EXPECT_EQ(c.cells[2][3].subject, G("语文"));
    for (int p = 0; p < 8; ++p)
        for (int d = 0; d < 5; ++d)
            EXPECT_TRUE(view.candidates({p, d}).empty());
    // A teacher without courses: nothing anywhere, every free slot shaded, no menu.
    ASSERT_TRUE(view.chooseTeacher(*ds, 3));
    ds->teachers[3]->courseSubject.fill({});
    ds->teachers[3]->courseGrade.fill({});
    view.refresh(*ds);
    EXPECT_TRUE(view.shaded(*ds, {0, 0}));
    EXPECT_TRUE(view.placementMenu(*ds, {0, 0}).empty());
}

TEST(TeacherViewSwap, MovesInsideTheClassAndNeverOntoACommonPeriod)
{
    auto ds = school();
    ClassTable& c = *ds->classAt(0, 0);
    place(*ds, c, 0, 0, "语文");
    place(*ds, c, 0, 1, "数学");
    place(*ds, c, 1, 1, "语文");
    c.commonPeriods[3][3] = G("自习");
    TeacherPaike view;
    view.refresh(*ds);
    view.setMode(*ds, TeacherPaike::Swap);
    EXPECT_FALSE(view.pickLesson(*ds, {0, 1})); // a free slot of 张三
    ASSERT_TRUE(view.pickLesson(*ds, {0, 0}));
    EXPECT_EQ(view.dragText(), G("初一(1)语文"));
    EXPECT_EQ(view.swapMark(*ds, {0, 0}), G("★"));
    std::string why;
    EXPECT_FALSE(view.moveAccepted(*ds, {1, 1}, &why)); // the teacher teaches there
    EXPECT_FALSE(view.moveAccepted(*ds, {0, 0}, &why));
    EXPECT_EQ(c.cells[3][3].mark, G("√"));
    EXPECT_FALSE(view.moveAccepted(*ds, {3, 3}, &why)); // "√", but a common period
    // the other teacher is the one of the class's lesson at the hovered slot
    view.hover(*ds, {0, 1}, true);
    ASSERT_NE(view.otherTeacher(*ds), nullptr);
    EXPECT_EQ(view.otherTeacher(*ds)->name, G("李四"));
    ASSERT_EQ(c.cells[0][1].mark, G("≈")); // a second 语文 that day: doubtful, still allowed
    EXPECT_TRUE(view.dropOn(*ds, {0, 1}, &why)) << U(why);
    EXPECT_EQ(c.cells[0][1].subject, G("语文"));
    EXPECT_EQ(c.cells[0][0].subject, G("数学"));
    EXPECT_EQ(c.cells[0][0].teacher, G("李四"));
    EXPECT_EQ(ds->findTeacher(G("李四"))->slotSubject[0][0], G("数学"));
    EXPECT_FALSE(view.lessonPicked());
    for (int p = 0; p < 7; ++p)
        for (int d = 0; d < 5; ++d)
            EXPECT_TRUE(c.cells[p][d].mark.empty());
    // "清空数据" empties every lesson of the teacher.
    EXPECT_TRUE(view.clearTeacher(*ds));
    EXPECT_TRUE(ds->findTeacher(G("张三"))->lessons.empty());
    EXPECT_EQ(c.cells[0][0].subject, G("数学"));
}

// Every refused target names the mark the view shows there, then why; a lesson standing on a common
// period of its class leaves it for a free slot marked "√" or "≈", never for one holding a lesson
// (that one would come back onto the common period) nor for another common period.
TEST(TeacherViewSwap, RefusalsNameTheMarkAndALessonLeavesACommonPeriod)
{
    auto ds = school();
    ClassTable& c = *ds->classAt(0, 0);
    place(*ds, c, 0, 0, "语文");
    c.commonPeriods[0][0] = G("教研活动");
    place(*ds, c, 0, 1, "数学");
    place(*ds, c, 2, 1, "语文");
    place(*ds, *ds->classAt(0, 1), 1, 0, "语文");
    c.commonPeriods[3][3] = G("自习");
    c.cells[2][4].markFlag = 1;
    TeacherPaike view;
    view.refresh(*ds);
    view.setMode(*ds, TeacherPaike::Swap);
    ASSERT_TRUE(view.pickLesson(*ds, {0, 0}));
    struct Case {
        Slot target;
        const char* mark;
        const char* reasonHas; // nullptr: accepted
    };
    const Case cases[] = {
        {{0, 0}, "★", "own slot"},
        {{1, 0}, "╳", "already teaches"},     // in the other class
        {{2, 4}, "╳", "cannot change places"}, // a marked cell
        {{3, 3}, "√", "自习"},                 // another common period
        {{0, 1}, "≈", "数学"},                 // 数学 would come back onto 教研活动
        {{3, 4}, "√", nullptr},
        {{3, 1}, "≈", nullptr},                // a second 语文 that day
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.target.period) + "," + std::to_string(k.target.day));
        std::string why;
        EXPECT_EQ(view.moveAccepted(*ds, k.target, &why), k.reasonHas == nullptr) << U(why);
        const std::string shown = k.target == Slot{0, 0} ? view.swapMark(*ds, k.target) : c.cells[k.target.period][k.target.day].mark;
        EXPECT_EQ(U(shown), k.mark);
        EXPECT_EQ(view.shaded(*ds, k.target), k.reasonHas != nullptr && !view.teaches(*ds, k.target));
        if (k.reasonHas) {
            EXPECT_EQ(U(why).rfind(std::string(k.mark) + " (", 0), 0u) << U(why);
            EXPECT_NE(U(why).find(k.reasonHas), std::string::npos) << U(why);
        }
    }
    view.hover(*ds, {3, 1}, true);
    ASSERT_TRUE(view.dropOn(*ds, {3, 1}));
    EXPECT_EQ(c.cells[3][1].subject, G("语文"));
    EXPECT_EQ(c.cells[3][1].teacher, G("张三"));
    EXPECT_EQ(c.cells[0][0].subject, "");
    EXPECT_EQ(c.commonPeriods[0][0], G("教研活动"));
    EXPECT_EQ(ds->findTeacher(G("张三"))->slotSubject[3][1], G("语文"));
    EXPECT_EQ(ds->findTeacher(G("张三"))->slotSubject[0][0], "");
}

TEST(TeacherViewList, FollowsTeachersAddedAndDeleted)
{
    auto ds = school();
    TeacherPaike view;
    view.refresh(*ds);
    ASSERT_TRUE(view.chooseTeacher(*ds, 2));
    ds->removeTeacher(0); // 王五 moves up
    view.refresh(*ds);
    EXPECT_EQ(view.currentIndex(), 1);
    EXPECT_EQ(view.currentTeacher(*ds)->name, G("王五"));
    ds->removeTeacher(1); // 王五 is gone: the position is kept within the list
    ds->removeTeacher(1);
    view.refresh(*ds);
    EXPECT_EQ(view.teacherCount(), 1);
    EXPECT_EQ(view.currentTeacher(*ds)->name, G("李四"));
    ds->removeTeacher(0);
    view.refresh(*ds);
    EXPECT_EQ(view.currentTeacher(*ds), nullptr);
    EXPECT_TRUE(view.placementMenu(*ds, {0, 0}).empty());
    EXPECT_FALSE(view.clearTeacher(*ds));
    // The panel's help page covers both views.
    const std::string help = helpPageFor(PanelId::ManualPaike);
    EXPECT_NE(help.find("按班级排课"), std::string::npos);
    EXPECT_NE(help.find("按教师排课"), std::string::npos);
}

// Random placements, emptyings and swaps in both views on random schools, each an undo step:
// after every step each teacher's lesson list holds exactly the cells that name it and its slot
// texts are those of its lessons; undoing every step gives back the saved bytes.
TEST(ManualScheduling, TeachersDerivedDataStayExactThroughRandomEditsAndUndo)
{
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        RandomSchoolOptions o;
        o.grades = 2;
        o.classesPerGrade = 3;
        o.days = 5;
        o.teachers = 6;
        o.subjects = 6;
        auto ds = randomSchool(seed, o);
        ds->relinkTeacherCells();
        PrepareForScheduling(*ds);
        for (int i = 0; i < manual::classListSize(*ds); ++i)
            manual::classInListOrder(*ds, i)->RecountPlaced();
        std::string saved;
        ASSERT_TRUE(encodeDataFile(*ds, saved).ok());
        UndoStack undo(*ds);
        ClassTableTiaoKe cv;
        TeacherPaike tv;
        cv.refresh(*ds);
        tv.refresh(*ds);
        std::mt19937 rng(seed);
        auto pick = [&](int n) { return n <= 0 ? 0 : static_cast<int>(rng() % n); };
        const int T = manual::shownPeriods(*ds), D = manual::shownDays(*ds);
        if (T == 0 || D == 0 || cv.classCount() == 0)
            continue;
        auto step = [&](const std::function<bool(DataSet&)>& edit) { undo.push("step", edit); };
        for (int n = 0; n < 150; ++n) {
            const Slot s{pick(T), pick(D)}, t{pick(T), pick(D)};
            switch (pick(9)) {
            case 0: cv.chooseClass(*ds, pick(cv.classCount())); break;
            case 1: step([&](DataSet& d) { return cv.placeCandidate(d, s, pick(4)); }); break;
            case 2: step([&](DataSet& d) { return cv.emptyCell(d, s); }); break;
            case 3: if (cv.pickSwapSource(*ds, s)) step([&](DataSet& d) { return cv.dropOn(d, t); }); break;
            case 4: tv.chooseTeacher(*ds, pick(tv.teacherCount())); break;
            case 5: step([&](DataSet& d) { return tv.placeCandidate(d, s, pick(3)); }); break;
            case 6: step([&](DataSet& d) { return tv.emptySlot(d, s); }); break;
            case 7: if (tv.pickLesson(*ds, s)) { tv.hover(*ds, t, true); step([&](DataSet& d) { return tv.dropOn(d, t); }); } break;
            case 8: if (undo.canUndo()) { undo.undo(); cv.refresh(*ds); tv.refresh(*ds); } break;
            }
            for (const auto& teacher : ds->teachers) {
                std::set<const LessonCell*> expected;
                for (const auto& g : ds->grades)
                    for (const auto& c : g->classes)
                        for (int p = 0; p < T; ++p)
                            for (int d = 0; d < D; ++d)
                                if (!c->cells[p][d].teacher.empty() && ds->findTeacher(c->cells[p][d].teacher) == teacher.get())
                                    expected.insert(&c->cells[p][d]);
                const std::set<const LessonCell*> actual(teacher->lessons.begin(), teacher->lessons.end());
                ASSERT_EQ(actual, expected) << "step " << n << " teacher " << U(teacher->name);
                ASSERT_EQ(actual.size(), teacher->lessons.size());
                const auto texts = std::make_tuple(teacher->slotGradeText, teacher->slotClassNumbers, teacher->slotSubject);
                teacher->rebuildSlotTexts();
                ASSERT_TRUE(texts == std::make_tuple(teacher->slotGradeText, teacher->slotClassNumbers, teacher->slotSubject))
                    << "step " << n << " teacher " << U(teacher->name);
            }
        }
        EXPECT_GT(undo.count(), 0u);
        while (undo.undo()) {
        }
        std::string back;
        ASSERT_TRUE(encodeDataFile(*ds, back).ok());
        EXPECT_TRUE(back == saved);
    }
}

TEST(ManualViewChoices, UndoAndRedoOfOtherEditsLeaveWhatAViewChose)
{
    struct Choice {
        const char* name;
        std::function<void(DataSet&, ClassTableTiaoKe&)> choose;
        std::function<std::string(const DataSet&, const ClassTableTiaoKe&)> read;
    };
    const Choice choices[] = {
        {"teachers shown", [](DataSet&, ClassTableTiaoKe& v) { v.toggleTeacherDisplay(); },
         [](const DataSet&, const ClassTableTiaoKe& v) { return v.teacherButtonText(); }},
        {"typed master title", [](DataSet& ds, ClassTableTiaoKe&) { ds.scheduleTitle = G("期中总表"); },
         [](const DataSet& ds, const ClassTableTiaoKe&) { return ds.scheduleTitle; }},
        {"swap source and marks",
         [](DataSet& ds, ClassTableTiaoKe& v) {
             v.setMode(ClassTableTiaoKe::Swap);
             ASSERT_TRUE(v.pickSwapSource(ds, {0, 0}));
         },
         [](const DataSet& ds, const ClassTableTiaoKe& v) {
             std::string all = std::to_string(v.swapSource().period) + std::to_string(v.swapSource().day);
             for (const auto& row : v.marks(ds))
                 for (const auto& m : row)
                     all += m + "|";
             return all;
         }},
    };
    for (const Choice& k : choices) {
        auto ds = school();
        place(*ds, *ds->classAt(0, 0), 0, 0, "语文");
        ClassTableTiaoKe view;
        view.refresh(*ds);
        UndoStack stack(*ds);
        auto rename = [&](const char* name) {
            return stack.push("rename", [name](DataSet& d) {
                d.classAt(0, 1)->name = G(name);
                return true;
            });
        };
        ASSERT_TRUE(rename("二班"));
        const std::string before = k.read(*ds, view);
        k.choose(*ds, view);
        const std::string chosen = k.read(*ds, view);
        ASSERT_NE(chosen, before) << k.name;
        ASSERT_TRUE(rename("三班"));
        for (auto step : {&UndoStack::undo, &UndoStack::undo, &UndoStack::redo, &UndoStack::redo}) {
            ASSERT_TRUE((stack.*step)()) << k.name;
            view.refresh(*ds);
            EXPECT_EQ(k.read(*ds, view), chosen) << k.name;
        }
        EXPECT_EQ(ds->classAt(0, 1)->name, G("三班"));
    }
}
