// Switching panels, the refusal of automatic scheduling, the top menu's commands and take-overs.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/Application.h"
#include "app/Document.h"
#include "app/MainView.h"
#include "data/DataSet.h"
#include "support/TestSupport.h"

using namespace tabrel;
using test::G;
using test::U;

namespace {
struct Fixture {
    Application app;
    Document doc{app};
    MainView view{app, doc};
    std::vector<std::string> shown;
    Fixture()
    {
        doc.newSchedule();
        view.setPanelShower([this](std::optional<PanelId> p) { shown.push_back(p ? panelName(*p) : std::string()); });
    }
    std::vector<std::string> buttons() const
    {
        std::vector<std::string> v;
        for (const auto& b : const_cast<MainView&>(view).topMenu().buttons())
            v.push_back(U(b));
        return v;
    }
};
} // namespace

TEST(MainView, ShowingAPanelPreparesItShowsItAndSwitchesTheMenu)
{
    Fixture f;
    std::vector<std::string> order;
    f.view.setBeforeShow(PanelId::ClassTimetable, [&] { order.push_back("prepare"); });
    f.view.setPanelShower([&](std::optional<PanelId> p) { order.push_back("show " + U(p ? panelName(*p) : "")); });
    EXPECT_EQ(f.buttons(), (std::vector<std::string>{"关闭", "新建", "打开", "保存", "另存为", "帮助", "关于"}));

    auto r = f.view.showPanel(G("班级课程表"));
    EXPECT_EQ(r.result, MainView::ShowResult::Shown);
    EXPECT_EQ(order, (std::vector<std::string>{"prepare", "show 班级课程表"}));
    EXPECT_EQ(f.buttons(), (std::vector<std::string>{"返回", "保存", "帮助"}));

    f.view.showPanel(G("总课程表"));
    // The master timetable edits (batch import, clear): it can take its steps back.
    EXPECT_EQ(f.buttons(), (std::vector<std::string>{"返回", "保存", "撤销", "重做", "清空", "帮助"}));
    EXPECT_EQ(f.view.runButton(G("清空")), MainView::Command::Clear);
}

TEST(MainView, AutomaticSchedulingNeedsAFileReadSinceStartUp)
{
    Fixture f;
    auto r = f.view.showPanel(G("自动排课"));
    EXPECT_EQ(r.result, MainView::ShowResult::Refused);
    EXPECT_EQ(U(r.message), "请保存数据后，再打开，再自动排课");
    EXPECT_TRUE(f.shown.empty());
    EXPECT_EQ(f.view.visiblePanel(), "");
    EXPECT_EQ(U(f.view.topMenu().buttons()[0]), "关闭");

    f.app.loadedFromFile = true;
    EXPECT_EQ(f.view.showPanel(G("自动排课")).result, MainView::ShowResult::Shown);
    EXPECT_EQ(U(f.view.visiblePanel()), "自动排课");
}

TEST(MainView, ShowingSchedulingPanelsHandsAssignmentsToTheTeachers)
{
    Fixture f;
    DataSet& ds = f.doc.dataSet();
    ds.setGradeCount(1);
    ds.gradeNames[0] = G("初一");
    ds.setClassCount(0, 1);
    ds.appendTeacher();
    ds.teachers[0]->name = G("张三");
    auto* a = ds.classAt(0, 0)->appendAssignment();
    a->subject = G("语文");
    a->teacher = G("张三");
    a->weeklyLessons = 5;
    EXPECT_EQ(ds.teachers[0]->courseClasses[0].size(), 0u);
    f.view.showPanel(G("手动排课"));
    EXPECT_EQ(ds.teachers[0]->courseClasses[0].size(), 1u);
    EXPECT_EQ(ds.teachers[0]->assignedPeriods, 5);
}

TEST(MainView, ANameWithoutAPanelOnlyChangesTheRememberedName)
{
    Fixture f;
    f.view.showPanel(G("班级课程表"));
    auto r = f.view.showPanel(G("没有这个面板"));
    EXPECT_EQ(r.result, MainView::ShowResult::NoPanel);
    EXPECT_EQ(U(f.view.currentPanel()), "没有这个面板");
    EXPECT_EQ(U(f.view.visiblePanel()), "班级课程表");
    EXPECT_EQ(f.shown.size(), 1u);
}

TEST(MainView, BackRunsTheTakeOverOfThePanelItLeavesAndRefreshesTheHomePage)
{
    Fixture f;
    int subjects = 0, teachers = 0;
    f.view.setOnLeave(PanelId::Subjects, [&](DataSet&) { ++subjects; });
    f.view.setOnLeave(PanelId::Assignments, [&](DataSet& ds) {
        ++teachers;
        ds.appendTeacher();
    });
    f.doc.dataSet().setGradeCount(1);
    f.doc.dataSet().findOrAppendSubject(G("语文"));

    f.view.showPanel(G("任课信息"));
    EXPECT_FALSE(f.view.home().step(6).available);
    EXPECT_EQ(f.view.runButton(G("返回")), MainView::Command::Home);
    EXPECT_EQ(teachers, 1);
    EXPECT_EQ(subjects, 0);
    // The teacher the take-over created opens the later steps at once.
    EXPECT_TRUE(f.view.home().step(6).available);
    EXPECT_EQ(f.shown.back(), "");
    EXPECT_EQ(f.view.visiblePanel(), "");
    EXPECT_EQ(U(f.view.topMenu().buttons()[0]), "关闭");

    f.view.showPanel(G("科目管理"));
    f.view.runButton(G("返回"));
    EXPECT_EQ(subjects, 1);
    EXPECT_EQ(teachers, 1);
}

TEST(MainView, SaveOfANewFileAsksForANameAndTheTeacherPageTakesOverFirst)
{
    Fixture f;
    EXPECT_EQ(f.view.runButton(G("保存")), MainView::Command::SaveAs);
    EXPECT_EQ(f.view.runButton(G("另存为")), MainView::Command::SaveAs);
    EXPECT_EQ(f.view.runButton(G("关闭")), MainView::Command::Quit);
    EXPECT_EQ(f.view.runButton(G("关于")), MainView::Command::About);
    EXPECT_EQ(f.view.runButton(G("帮助")), MainView::Command::Help);
    EXPECT_EQ(f.view.runButton(G("清空")), MainView::Command::None);

    int takeOvers = 0;
    f.view.setBeforeSave(PanelId::Teachers, [&](DataSet&) { ++takeOvers; });
    EXPECT_FALSE(f.view.saveTakeOver());
    f.view.showPanel(G("教师信息"));
    auto fn = f.view.saveTakeOver();
    ASSERT_TRUE(fn);
    fn(f.doc.dataSet());
    EXPECT_EQ(takeOvers, 1);
}

TEST(MainView, TheDefaultTakeOversFollowTheSubjectsAndTheAssignments)
{
    Fixture f;
    DataSet& ds = f.doc.dataSet();
    ds.setGradeCount(2);
    ds.setClassCount(0, 2);
    ds.setClassCount(1, 1);
    ds.findOrAppendSubject(G("语文"));
    ds.subjects[0]->gradeLessons[0] = "5";
    ds.findOrAppendSubject(""); // unnamed: skipped
    ds.subjects[1]->gradeLessons[0] = "3";

    f.view.showPanel(G("科目管理"));
    f.view.runButton(G("返回"));
    ASSERT_EQ(ds.classAt(0, 0)->assignments.size(), 1u);
    EXPECT_EQ(ds.classAt(0, 1)->assignments[0]->weeklyLessons, 5);
    EXPECT_TRUE(ds.classAt(1, 0)->assignments.empty());

    // A teacher typed into the plan gets a record when the assignment page is left.
    ds.classAt(0, 0)->assignments[0]->teacher = G("王老师");
    f.view.showPanel(G("任课信息"));
    f.view.runButton(G("返回"));
    ASSERT_EQ(ds.teachers.size(), 1u);
    EXPECT_EQ(U(ds.teachers[0]->name), "王老师");
    EXPECT_TRUE(f.view.home().step(7).available);

    // "保存" on the teacher page takes the counts over first; elsewhere it does not.
    ds.subjects[0]->gradeLessons[1] = "2";
    EXPECT_TRUE(f.view.saveTakeOver() == nullptr);
    f.view.showPanel(G("教师信息"));
    f.view.saveTakeOver()(ds);
    ASSERT_EQ(ds.classAt(1, 0)->assignments.size(), 1u);
    EXPECT_EQ(ds.classAt(1, 0)->assignments[0]->weeklyLessons, 2);
}

TEST(MainView, TheStatusPanesNameThePanelTheSchoolAndTheFileState)
{
    Fixture f;
    f.app.setProgramFolder({"/opt/tabrel", false});
    DataSet& ds = f.doc.dataSet();
    ds.setGradeCount(2);
    ds.setClassCount(0, 3);
    ds.setClassCount(1, 2);
    ds.findOrAppendSubject(G("语文"));
    auto panes = f.view.statusPanes();
    ASSERT_EQ(panes.size(), 4u);
    EXPECT_EQ(panes[0], "主页");
    EXPECT_EQ(panes[1], "年级 2  班级 5  科目 1  教师 0");
    EXPECT_EQ(panes[2], "未读入数据文件");
    EXPECT_EQ(panes[3], "文件夹：/opt/tabrel");
    f.view.showPanel(G("班级课程表"));
    f.app.loadedFromFile = true;
    panes = f.view.statusPanes();
    EXPECT_EQ(panes[0], "班级课程表");
    EXPECT_EQ(panes[2], "数据文件已读入");
}

TEST(MainView, TheMainWindowFillsTheScreenWidthAnd35PixelsLessThanItsHeight)
{
    EXPECT_EQ(mainFrameRect(Rect{0, 0, 1920, 1080}), (Rect{0, 0, 1920, 1045}));
    EXPECT_EQ(mainFrameRect(Rect{0, 30, 1280, 800}), (Rect{0, 30, 1280, 765}));
    EXPECT_EQ(mainFrameRect(Rect{0, 0, 640, 300}).height(), 400);
}

TEST(MainView, TakeOversAreUndoStepsAndTheUndoButtonsFollowTheStack)
{
    Fixture f;
    DataSet& ds = f.doc.dataSet();
    ds.setGradeCount(1);
    ds.setClassCount(0, 2);
    ds.findOrAppendSubject(G("语文"));
    ds.subjects[0]->gradeLessons[0] = "5";
    f.doc.undoStack().setClean();

    f.view.showPanel(PanelId::Subjects);
    auto enabled = [&](MenuButton b) {
        const auto& ids = f.view.topMenu().buttonIds();
        for (std::size_t i = 0; i < ids.size(); ++i)
            if (ids[i] == b)
                return f.view.topMenu().isEnabled(static_cast<int>(i));
        return false;
    };
    EXPECT_FALSE(enabled(MenuButton::Undo));
    EXPECT_EQ(f.view.runButton(MenuButton::Back), MainView::Command::Home);
    ASSERT_EQ(ds.classAt(0, 1)->assignments.size(), 1u);
    EXPECT_TRUE(f.doc.isModified());
    EXPECT_EQ(U(f.doc.undoStack().undoText()), "撤销：科目课时转入教学计划");

    // Leaving again changes nothing: no second step.
    f.view.showPanel(PanelId::Subjects);
    EXPECT_TRUE(enabled(MenuButton::Undo));
    EXPECT_FALSE(enabled(MenuButton::Redo));
    f.view.runButton(MenuButton::Back);
    EXPECT_EQ(f.doc.undoStack().count(), 1u);

    f.view.showPanel(PanelId::Subjects);
    EXPECT_EQ(f.view.runButton(MenuButton::Undo), MainView::Command::Undo);
    EXPECT_TRUE(ds.classAt(0, 1)->assignments.empty());
    EXPECT_FALSE(f.doc.isModified());
    f.view.refreshUndoButtons();
    EXPECT_FALSE(enabled(MenuButton::Undo));
    EXPECT_TRUE(enabled(MenuButton::Redo));
    // A disabled button runs nothing when released over.
    f.view.topMenu().layout(1200, 60);
    const auto& ids = f.view.topMenu().buttonIds();
    const auto it = std::find(ids.begin(), ids.end(), MenuButton::Undo);
    const Rect& r = f.view.topMenu().buttonRects()[it - ids.begin()];
    EXPECT_FALSE(f.view.topMenu().release((r.left + r.right) / 2, (r.top + r.bottom) / 2));

    f.view.runButton(MenuButton::Redo);
    EXPECT_EQ(ds.classAt(0, 1)->assignments.size(), 1u);
    EXPECT_TRUE(f.doc.isModified());
}

TEST(MainView, SavingASchoolToAFileCountsAsReadingIt)
{
    // A new school saved (or one that fails to save): whether it counts as read, whether the
    // teacher's lessons were rebuilt from the cells, and the folder the status bar names.
    test::TempDir dir;
    struct Case {
        const char* what;
        std::string target;
        bool saved;
    } cases[] = {
        {"saved into a folder", dir.file("school.qtf"), true},
        {"a folder that does not exist", dir.file("missing/school.qtf"), false},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.app.setProgramFolder({"/opt/tabrel", false});
        DataSet& ds = f.doc.dataSet();
        ds.setGradeCount(1);
        ds.setClassCount(0, 1);
        ds.appendTeacher();
        ds.teachers[0]->name = G("张三");
        ds.classAt(0, 0)->cells[0][0].subject = G("语文");
        ds.classAt(0, 0)->cells[0][0].teacher = G("张三");
        const auto outcome = f.doc.saveAs(c.target);
        EXPECT_EQ(outcome.step == Document::SaveStep::Saved, c.saved) << c.what;
        EXPECT_EQ(f.app.loadedFromFile, c.saved) << c.what;
        EXPECT_EQ(f.doc.dataSet().teachers[0]->lessons.size(), c.saved ? 1u : 0u) << c.what;
        EXPECT_EQ(f.view.statusPanes()[2], c.saved ? "数据文件已读入" : "未读入数据文件") << c.what;
        EXPECT_EQ(f.view.statusPanes()[3], "文件夹：" + (c.saved ? dir.path().string() : std::string("/opt/tabrel")))
            << c.what;
        EXPECT_EQ(f.view.showPanel(PanelId::AutoPaike).result,
                  c.saved ? MainView::ShowResult::Shown : MainView::ShowResult::Refused)
            << c.what;
    }
}

TEST(MainView, OpenAndNewAreOnTheHomePageAndRunTheirCommands)
{
    struct Case {
        const char* text;
        MainView::Command command;
    } cases[] = {
        {"打开", MainView::Command::Open},
        {"新建", MainView::Command::New},
        {"关闭", MainView::Command::Quit},
    };
    for (const Case& c : cases) {
        Fixture f;
        const auto b = buttonByText(G(c.text));
        ASSERT_TRUE(b) << c.text;
        EXPECT_EQ(U(buttonText(*b)), c.text);
        EXPECT_NE(std::find(homeButtons().begin(), homeButtons().end(), *b), homeButtons().end()) << c.text;
        EXPECT_EQ(f.view.runButton(G(c.text)), c.command) << c.text;
    }
}
