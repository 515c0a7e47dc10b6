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

TEST(TopMenuStrip, AReleaseRunsTheButtonUnderTheMouse)
{
    TopMenuStrip s;
    s.setState("main");
    s.layout(1200, 60);
    auto [sx, sy] = centre(s, 1); // 保存
    auto [cx, cy] = centre(s, 0); // 关闭
    // Pressed on one button and released over another: the one under the mouse runs.
    s.press(sx, sy);
    EXPECT_EQ(U(s.release(cx, cy)), "关闭");
    s.press(sx, sy);
    EXPECT_EQ(U(s.release(sx, sy)), "保存");
    // A release beside every button runs nothing.
    s.press(sx, sy);
    EXPECT_EQ(s.release(1190, 30), "");
}

TEST(TopMenuStrip, HoverFollowsTheMouseAndANewSetClearsIt)
{
    TopMenuStrip s;
    s.setState(G("总课程表"));
    s.layout(1200, 60);
    ASSERT_EQ(s.buttons().size(), 4u);
    EXPECT_EQ(U(s.buttons()[2]), "清空");
    auto [x, y] = centre(s, 2);
    EXPECT_TRUE(s.setHover(x, y));
    EXPECT_EQ(s.hover(), 2);
    EXPECT_FALSE(s.setHover(x + 1, y));
    s.setState("main");
    EXPECT_EQ(s.hover(), -1);
    EXPECT_EQ(s.buttonRects().size(), 5u);
}

TEST(TopMenuStrip, TheBandIsAFifteenthOfTheViewButStaysReadable)
{
    EXPECT_EQ(TopMenuStrip::bandHeight(1200), 80);
    EXPECT_EQ(TopMenuStrip::bandHeight(900), 60);
    // Below 720 pixels a fifteenth would squeeze icon and text together.
    EXPECT_EQ(TopMenuStrip::bandHeight(600), TopMenuStrip::MinBandHeight);
}
