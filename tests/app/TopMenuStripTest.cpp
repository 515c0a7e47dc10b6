// The top menu strip: button sets per state, the band height, hover framing and what a release runs.
#include <gtest/gtest.h>

#include "app/TopMenuStrip.h"
#include "support/TestSupport.h"

using namespace tabrel;
using test::G;
using test::U;

namespace {
std::pair<int, int> centre(const TopMenuStrip& s, int i)
{
    const Rect& r = s.buttonRects().at(i);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
} // namespace

TEST(TopMenuStrip, AReleaseRunsTheEnabledButtonUnderTheMouse)
{
    // Every button of every panel's strip and of the home page's: a release over its centre runs
    // it, a release in the gap beside it or below the band runs nothing.
    std::vector<std::vector<MenuButton>> sets = {homeButtons()};
    for (const PanelInfo& p : panels())
        sets.push_back(p.buttons);
    for (const auto& set : sets) {
        TopMenuStrip s;
        s.setButtons(set);
        s.layout(1200, 60);
        ASSERT_EQ(s.buttonRects().size(), set.size());
        for (std::size_t i = 0; i < set.size(); ++i) {
            auto [x, y] = centre(s, static_cast<int>(i));
            EXPECT_EQ(s.release(x, y), set[i]);
            EXPECT_FALSE(s.release(s.buttonRects()[i].left - 1, y));
            EXPECT_FALSE(s.release(x, 60));
        }
        EXPECT_FALSE(s.release(1190, 30));
    }
    // A disabled button is still shown but runs nothing.
    TopMenuStrip s;
    s.setButtons(panelInfo(PanelId::ClassManage).buttons);
    s.layout(1200, 60);
    EXPECT_TRUE(s.setEnabled(MenuButton::Undo, false));
    EXPECT_FALSE(s.setEnabled(MenuButton::Undo, false));
    auto [ux, uy] = centre(s, 2);
    EXPECT_EQ(U(s.buttons()[2]), "撤销");
    EXPECT_FALSE(s.release(ux, uy));
    s.setEnabled(MenuButton::Undo, true);
    EXPECT_EQ(s.release(ux, uy), MenuButton::Undo);
}

TEST(TopMenuStrip, HoverFollowsTheMouseAndANewSetClearsIt)
{
    TopMenuStrip s;
    s.setButtons(panelInfo(PanelId::MasterTimetable).buttons);
    s.layout(1200, 60);
    ASSERT_EQ(s.buttons().size(), 6u);
    EXPECT_EQ(U(s.buttons()[4]), "清空");
    auto [x, y] = centre(s, 4);
    EXPECT_TRUE(s.setHover(x, y));
    EXPECT_EQ(s.hover(), 4);
    EXPECT_FALSE(s.setHover(x + 1, y));
    s.setButtons(homeButtons());
    EXPECT_EQ(s.hover(), -1);
    EXPECT_EQ(s.buttonRects().size(), 7u);
}

TEST(TopMenuStrip, TheBandIsAFifteenthOfTheViewButStaysReadable)
{
    EXPECT_EQ(TopMenuStrip::bandHeight(1200), 80);
    EXPECT_EQ(TopMenuStrip::bandHeight(900), 60);
    // Below 720 pixels a fifteenth would squeeze icon and text together.
    EXPECT_EQ(TopMenuStrip::bandHeight(600), TopMenuStrip::MinBandHeight);
}

TEST(TopMenuStrip, TheKeyboardFocusSkipsDisabledButtonsAndRunsTheFocusedOne)
{
    TopMenuStrip s;
    s.setButtons(panelInfo(PanelId::ClassManage).buttons); // 返回 保存 撤销 重做 帮助
    s.setEnabled(MenuButton::Undo, false);
    s.setEnabled(MenuButton::Redo, false);
    std::vector<MenuButton> order;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(s.moveFocus(1));
        order.push_back(*s.activateFocus());
    }
    EXPECT_EQ(order, (std::vector<MenuButton>{MenuButton::Back, MenuButton::Save, MenuButton::Help, MenuButton::Back}));
    s.moveFocus(-1);
    EXPECT_EQ(s.activateFocus(), MenuButton::Help);
    // A button disabled under the focus runs nothing.
    s.setEnabled(MenuButton::Help, false);
    EXPECT_FALSE(s.activateFocus());
}
