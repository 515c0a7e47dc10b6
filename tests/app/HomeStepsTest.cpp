// The home page's steps: availability, what a click opens, and the page layout.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/HomeSteps.h"
#include "data/DataSet.h"
#include "support/TestSupport.h"

using namespace tabrel;
using test::G;
using test::U;

namespace {
std::vector<bool> availability(const HomeSteps& h)
{
    std::vector<bool> v;
    for (const auto& i : h.items())
        v.push_back(i.available);
    return v;
}
} // namespace

TEST(HomeSteps, ANewScheduleOffersOnlyTheFirstStep)
{
    DataSet ds;
    ds.applyNewDocumentDefaults();
    HomeSteps h;
    h.refreshSteps(ds);
    std::vector<bool> expected(15, false); // 7 steps, 5 outputs, 2 tools, 学期运行
    expected[0] = true;
    EXPECT_EQ(availability(h), expected);
    EXPECT_EQ(U(h.step(2).body()), "请先运行班级管理");
    EXPECT_EQ(U(h.step(3).body()), "请先运行课时安排");
    EXPECT_EQ(U(h.step(4).body()), "请先运行科目管理");
    EXPECT_EQ(U(h.step(1).body()), "设置年级和班级数量，并命名");
}

TEST(HomeSteps, StepsOpenAsGradesSubjectsAndTeachersAppear)
{
    DataSet ds;
    HomeSteps h;
    ds.setGradeCount(1);
    h.refreshSteps(ds);
    EXPECT_TRUE(h.step(2).available);
    EXPECT_TRUE(h.step(3).available);
    EXPECT_FALSE(h.step(4).available);
    EXPECT_EQ(U(h.step(2).body()), "设置上课天数及每天上课节数");

    ds.findOrAppendSubject(G("语文"));
    h.refreshSteps(ds);
    EXPECT_TRUE(h.step(4).available);
    EXPECT_TRUE(h.step(5).available);
    EXPECT_FALSE(h.step(6).available);
    EXPECT_EQ(U(h.step(6).body()), "请先完成前五个步骤录入");
    EXPECT_FALSE(h.items()[7].available); // 班级课程表

    ds.appendTeacher();
    h.refreshSteps(ds);
    for (const auto& i : h.items())
        EXPECT_TRUE(i.available) << U(i.title);

    // Removing the last teacher closes the later steps and the outputs again.
    ds.removeTeacher(0);
    h.refreshSteps(ds);
    EXPECT_FALSE(h.step(7).available);
    EXPECT_FALSE(h.items()[12].available);

    // Subjects and teachers without any grade open nothing past step 1.
    DataSet noGrades;
    noGrades.findOrAppendSubject(G("语文"));
    noGrades.appendTeacher();
    h.refreshSteps(noGrades);
    EXPECT_FALSE(h.step(2).available);
    EXPECT_FALSE(h.step(7).available);
}

TEST(HomeSteps, ClicksOpenPanelsByNameAndIgnoreUnavailableItems)
{
    DataSet ds;
    HomeSteps h;
    h.layout(1200, 800);
    h.refreshSteps(ds);
    const Rect r2 = h.step(2).rect;
    EXPECT_EQ(h.click((r2.left + r2.right) / 2, (r2.top + r2.bottom) / 2).kind, HomeSteps::ActionKind::None);
    const Rect r1 = h.step(1).rect;
    auto a = h.click(r1.left + 1, r1.top + 1);
    EXPECT_EQ(a.kind, HomeSteps::ActionKind::ShowPanel);
    EXPECT_EQ(U(a.panelName), "班级管理");

    ds.setGradeCount(1);
    ds.findOrAppendSubject(G("语文"));
    ds.appendTeacher();
    h.refreshSteps(ds);
    EXPECT_EQ(U(h.activate(6).panelName), "自动排课");
    EXPECT_EQ(U(h.activate(7).panelName), "班级课程表");
    EXPECT_EQ(U(h.activate(11).panelName), "场室课程表");
    EXPECT_EQ(h.activate(12).kind, HomeSteps::ActionKind::MergeData);
    EXPECT_EQ(h.activate(13).kind, HomeSteps::ActionKind::ExportText);
    EXPECT_EQ(h.click(0, 0).kind, HomeSteps::ActionKind::None);
}

TEST(HomeSteps, LayoutKeepsBoxesApartAndInsideThePage)
{
    HomeSteps h;
    for (auto [w, hgt] : {std::pair{1280, 720}, std::pair{800, 600}, std::pair{1920, 1080}}) {
        h.layout(w, hgt);
        const auto& items = h.items();
        for (std::size_t i = 0; i < items.size(); ++i) {
            const Rect& a = items[i].rect;
            EXPECT_GT(a.width(), 0);
            EXPECT_LE(a.right, w);
            EXPECT_LE(a.bottom, hgt);
            for (std::size_t j = i + 1; j < items.size(); ++j) {
                const Rect& b = items[j].rect;
                const bool overlap = a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
                EXPECT_FALSE(overlap) << i << " " << j << " at " << w << "x" << hgt;
            }
        }
        // Arrows join 1→2→3→4 and 5→6→7, from one box's right edge towards the next box's left edge.
        ASSERT_EQ(h.arrows().size(), 5u);
        EXPECT_GT(h.arrows()[0].x1, h.step(1).rect.right - 1);
        EXPECT_LT(h.arrows()[0].x2, h.step(2).rect.left + 1);
    }
    EXPECT_EQ(HomeSteps::bandColour(true), (Rgb{112, 144, 190}));
    EXPECT_EQ(HomeSteps::bandColour(false), (Rgb{200, 200, 200}));
}

TEST(HomeSteps, HoverChangesOnlyWhenTheItemUnderTheMouseChanges)
{
    HomeSteps h;
    h.layout(1200, 800);
    const Rect r = h.step(3).rect;
    EXPECT_TRUE(h.setHover(r.left + 2, r.top + 2));
    EXPECT_EQ(h.hover(), 2);
    EXPECT_FALSE(h.setHover(r.left + 5, r.top + 5));
    EXPECT_TRUE(h.setHover(0, 0));
    EXPECT_EQ(h.hover(), -1);
}

TEST(HomeSteps, OnlyAnAvailableItemUnderTheMouseIsActive)
{
    DataSet ds;
    HomeSteps h;
    h.layout(1200, 800);
    h.refreshSteps(ds);
    const Rect r1 = h.step(1).rect;
    const Rect r2 = h.step(2).rect;
    h.setHover(r2.left + 2, r2.top + 2);
    EXPECT_FALSE(h.hoverActive());
    h.setHover(r1.left + 2, r1.top + 2);
    EXPECT_TRUE(h.hoverActive());
    h.setHover(0, 0);
    EXPECT_FALSE(h.hoverActive());
    // A grade makes step 2 active under the mouse after the refresh.
    ds.setGradeCount(1);
    h.refreshSteps(ds);
    h.setHover(r2.left + 2, r2.top + 2);
    EXPECT_TRUE(h.hoverActive());
}

TEST(HomeSteps, TheKeyboardFocusWalksTheUsableItemsAndRunsTheFocusedOne)
{
    HomeSteps h;
    DataSet ds;
    ds.setGradeCount(1);
    h.refreshSteps(ds);
    std::vector<int> usable;
    for (int i = 0; i < static_cast<int>(h.items().size()); ++i)
        if (h.items()[i].available)
            usable.push_back(i);
    ASSERT_GT(usable.size(), 2u);
    // Forward through every usable item in page order, then round to the first again.
    for (std::size_t k = 0; k <= usable.size(); ++k) {
        ASSERT_TRUE(h.moveFocus(1));
        EXPECT_EQ(h.focus(), usable[k % usable.size()]);
    }
    h.moveFocus(-1);
    EXPECT_EQ(h.focus(), usable.back());
    h.moveFocus(1);
    EXPECT_EQ(h.activateFocus().panel, PanelId::ClassManage);
    // An item that stops being usable loses the focus.
    h.moveFocus(1);
    ASSERT_EQ(h.focus(), usable[1]);
    h.refreshSteps(DataSet());
    EXPECT_EQ(h.focus(), -1);
}
