// The automatic-scheduling page: scope tree, selections, a run and its summary.
#include <gtest/gtest.h>

#include "app/PaikeRunPage.h"
#include "data/DataSet.h"
#include "scheduling/TeacherAssignment.h"
#include "support/TestSupport.h"

using namespace tabrel;
using test::G;
using test::U;

namespace {
// Two grades of two classes; every class has its own teacher for 3 lessons of 语文 a week.
void school(DataSet& ds)
{
    ds.applyNewDocumentDefaults();
    ds.setGradeCount(2);
    const char* grades[] = {"初一", "初二"};
    for (int g = 0; g < 2; ++g) {
        ds.gradeNames[g] = G(grades[g]);
        ds.setClassCount(g, 2);
        for (int c = 0; c < 2; ++c) {
            ClassTable* k = ds.classAt(g, c);
            k->name = G(grades[g]) + std::to_string(c + 1);
            ds.appendTeacher();
            ds.teachers.back()->name = G("老师") + std::to_string(g * 2 + c);
            auto* a = k->appendAssignment();
            a->subject = G("语文");
            a->teacher = ds.teachers.back()->name;
            a->weeklyLessons = 3;
        }
    }
    ds.findOrAppendSubject(G("语文"));
    ComputeAssignedPeriods(ds);
    ds.syncTeacherAssignments();
}
class Sink : public ProgressSink {
public:
    int ranges = 0, positions = 0, high = -1;
    void setRange(int, int h) override
    {
        ++ranges;
        high = h;
    }
    void setPosition(int) override { ++positions; }
};
} // namespace

TEST(PaikeRunPage, TheTreeIsSchoolGradesClassesAndFollowsTheSchool)
{
    DataSet ds;
    school(ds);
    SchedulingState state;
    PaikeRunPage page(ds, state);
    EXPECT_TRUE(page.refreshTree());
    std::vector<std::string> texts;
    for (const auto& n : page.nodes())
        texts.push_back(U(n.text));
    EXPECT_EQ(texts, (std::vector<std::string>{"全校", "初一", "初一1", "初一2", "初二", "初二1", "初二2"}));
    EXPECT_EQ(page.nodes()[5].parent, 4);
    // The root is selected when the tree is filled.
    EXPECT_EQ(page.selectedNode(), 0);
    EXPECT_EQ(page.run().classList().size(), 4u);

    EXPECT_FALSE(page.refreshTree());
    // A class added (or merged in) shows at the next refresh; the selection stays on its node.
    page.select(4); // 初二
    ds.appendClass(0);
    ds.classAt(0, 2)->name = G("初一3");
    EXPECT_TRUE(page.refreshTree());
    EXPECT_EQ(page.nodes().size(), 8u);
    EXPECT_EQ(U(page.nodes()[4].text), "初一3");
    EXPECT_EQ(page.selectedNode(), 5);
    EXPECT_EQ(U(page.nodes()[5].text), "初二");
    EXPECT_EQ(page.run().classList().size(), 2u);
    // A grade removed under a selected class: the root is selected.
    page.select(7); // 初二2
    ds.removeGrade(1);
    EXPECT_TRUE(page.refreshTree());
    EXPECT_EQ(page.selectedNode(), 0);
    EXPECT_EQ(page.run().classList().size(), 3u);
}

TEST(PaikeRunPage, SelectionsSetTheScopeAndABadOneIsReported)
{
    DataSet ds;
    school(ds);
    SchedulingState state;
    PaikeRunPage page(ds, state);
    page.refreshTree();
    EXPECT_EQ(page.select(4), "");
    EXPECT_EQ(page.run().classList().size(), 2u);
    EXPECT_EQ(page.select(3), "");
    ASSERT_EQ(page.run().classList().size(), 1u);
    EXPECT_EQ(page.run().classList()[0], ds.classAt(0, 1));
    EXPECT_EQ(U(page.select(99)), "选择错误!");
    EXPECT_TRUE(page.run().classList().empty());
}

TEST(PaikeRunPage, AGradeRunPlacesItsLessonsAndReportsProgressAndTheEnd)
{
    DataSet ds;
    school(ds);
    SchedulingState state;
    PaikeRunPage page(ds, state);
    page.refreshTree();
    page.select(1); // 初一
    Sink sink;
    EXPECT_EQ(page.start(&sink), "auto paike end");
    EXPECT_EQ(sink.ranges, 1);
    EXPECT_GT(sink.positions, 0);
    EXPECT_EQ(state.autoRunning, 0);
    auto summary = page.summary();
    ASSERT_EQ(summary.size(), 2u);
    EXPECT_EQ(U(summary[0].gradeName), "初一");
    EXPECT_EQ(summary[0].placed, 3);
    EXPECT_EQ(summary[0].required, 3);
    EXPECT_FALSE(summary[0].incomplete());
    // The other grade was not touched: its classes are still missing lessons.
    page.select(4);
    EXPECT_EQ(page.summary()[0].placed, 0);
    EXPECT_TRUE(page.summary()[0].incomplete());

    // The whole school: one search per grade.
    page.select(0);
    Sink all;
    page.start(&all);
    EXPECT_EQ(all.ranges, 2);
    for (const auto& s : page.summary())
        EXPECT_EQ(s.placed, s.required) << U(s.className);
}

TEST(PaikeRunPage, GeometryPutsTheTreeUnderTheButton)
{
    auto g = PaikeRunPage::layout(900, 600, 100, 30);
    EXPECT_EQ(g.tree.left, g.button.left);
    EXPECT_EQ(g.tree.top, 60);
    EXPECT_EQ(g.tree.width(), 100);
    EXPECT_EQ(g.tree.height(), 600 - 75);
    EXPECT_GT(g.summary.left, g.tree.right);
    EXPECT_GT(g.progress.left, g.button.right);
}

// "完成后补排并修正冲突": off by default, so a start is the plain run; ticked, the same start ends
// with no problem in the check list on a school whose complete timetable exists.
TEST(PaikeRunPage, TheCheckListFollowsEveryRunAndTheCompletionPhaseEmptiesIt)
{
    for (bool complete : {false, true}) {
        DataSet ds;
        school(ds);
        // every teacher is away Monday to Thursday: the run, which weighs that as a cost, still puts
        // lessons there
        for (const auto& t : ds.teachers)
            for (int p = 0; p < ds.periodsPerDay(); ++p)
                for (int d = 0; d < 4; ++d)
                    ds.setTeacherSlotValue(p, d, t->name, G("不排"));
        SchedulingState state;
        PaikeRunPage page(ds, state);
        page.refreshTree();
        EXPECT_FALSE(page.completeAfterRun());
        EXPECT_EQ(page.problems().size(), 4u); // every class: 语文 still to place
        EXPECT_EQ(U(page.problemRow(page.problems()[0]).at(2)), "尚未排完");
        page.setCompleteAfterRun(complete);
        page.start(nullptr);
        const auto left = page.problems();
        EXPECT_EQ(left.empty(), complete);
        EXPECT_EQ(U(PaikeRunPage::problemCountText(left.size())),
                  complete ? "排课检查：没有发现问题" : "排课检查：共 " + std::to_string(left.size()) + " 个问题");
        EXPECT_EQ(page.completionText().empty(), !complete);
    }
    const auto g = PaikeRunPage::layout(900, 600, 100, 30, 150);
    EXPECT_EQ(g.checkBox.left, g.button.right + 15);
    EXPECT_EQ(g.progress.left, g.checkBox.right + 15);
    EXPECT_GT(g.problems.top, g.summary.bottom);
    EXPECT_EQ(g.problems.bottom, g.tree.bottom);
}

// Starting again: a scope whose lessons are all placed asks first; clearing it keeps the fixed cells
// (markFlag 1) and only its own classes, and the run that follows places every lesson again with the
// recommended phases; the quality line and the per-class columns follow the timetable.
TEST(PaikeRunPage, StartingAgainKeepsTheFixedLessonsAndOtherScopes)
{
    DataSet ds;
    school(ds);
    SchedulingState state;
    PaikeRunPage page(ds, state);
    page.refreshTree();
    page.select(1); // 初一
    EXPECT_FALSE(page.everyLessonPlaced());
    page.setCompleteAfterRun(true);
    page.start(nullptr);
    ASSERT_TRUE(page.everyLessonPlaced());
    EXPECT_NE(U(PaikeRunPage::rerunQuestion()).find("固定这节课"), std::string::npos);
    ClassTable& a = *ds.classAt(0, 0);
    // a lesson fixed by hand in 初一1, and 初二 scheduled by another run
    int fixedP = -1, fixedD = -1;
    for (int p = 0; p < ds.periodsPerDay() && fixedP < 0; ++p)
        for (int d = 0; d < ds.dayCount() && fixedP < 0; ++d)
            if (a.cells[p][d].subject == G("语文")) {
                a.cells[p][d].markFlag = 1;
                fixedP = p;
                fixedD = d;
            }
    ASSERT_GE(fixedP, 0);
    a.cells[6][4].markFlag = 1; // a fixed free cell stays free
    const std::string fixedFree = a.cells[6][4].subject;
    ds.classAt(1, 0)->cells[0][0].subject = G("语文");
    EXPECT_GT(page.clearForRerun(), 0);
    EXPECT_EQ(U(a.cells[fixedP][fixedD].subject), "语文");
    EXPECT_EQ(a.placedLessonCount(), 1);
    EXPECT_EQ(ds.classAt(0, 1)->placedLessonCount(), 0);
    EXPECT_EQ(U(ds.classAt(1, 0)->cells[0][0].subject), "语文");
    EXPECT_EQ(ds.findTeacher(G("老师0"))->lessons.size(), 1u);
    page.start(nullptr);
    EXPECT_TRUE(page.everyLessonPlaced());
    EXPECT_EQ(U(a.cells[fixedP][fixedD].subject), "语文");
    EXPECT_EQ(a.cells[6][4].subject, fixedFree);
    const QualityReport q = page.quality();
    ASSERT_EQ(q.classes.size(), 2u);
    EXPECT_EQ(q.holes, 0);
    EXPECT_EQ(PaikeRunPage::qualityRow(q.classes[1]).at(1), "0");
    EXPECT_NE(U(PaikeRunPage::qualityText(q)).find("空节 0"), std::string::npos);
    EXPECT_NE(U(page.completionText()).find("优化"), std::string::npos);
}
