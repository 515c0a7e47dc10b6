// The left menu: kinds of rows, row height bounds and what a click at each place runs.
#include <gtest/gtest.h>

#include "views/LeftMenu.h"
#include "support/TestSupport.h"

using namespace tabrel;
using test::G;
using test::U;

TEST(LeftMenu, RowsHitsAndTheHomeArea)
{
    const LeftMenu menu({G("[title]快速定义"), G("[item]1.录入数据"), G("[item]增加年级"), G("odd]x")});
    ASSERT_EQ(menu.rows().size(), 4u);
    EXPECT_EQ(U(menu.rows()[1].text), "1.录入数据");
    EXPECT_EQ(menu.rows()[3].kind, LeftMenu::Kind::Title);
    EXPECT_EQ(menu.itemRows(), (std::vector<int>{1, 2}));

    struct Case {
        int width, height, rowHeight;
    };
    // 4 rows + 2 shares; never more than a third of the width.
    for (const Case& c : {Case{300, 600, 100}, Case{150, 600, 50}, Case{300, 5, 0}, Case{0, 600, 0}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        EXPECT_EQ(menu.rowHeight(c.width, c.height), c.rowHeight);
        if (c.rowHeight == 0) {
            EXPECT_FALSE(menu.itemAt(c.width / 2, 1, c.width, c.height));
            EXPECT_FALSE(menu.homeAt(c.width / 2, c.height - 1, c.width, c.height));
            continue;
        }
        const int h = c.rowHeight;
        EXPECT_FALSE(menu.itemAt(10, h / 2, c.width, c.height));                     // title
        EXPECT_EQ(U(menu.itemAt(10, h + h / 2, c.width, c.height).value_or("")), "1.录入数据");
        EXPECT_EQ(U(menu.itemAt(10, 3 * h - 1, c.width, c.height).value_or("")), "增加年级");
        EXPECT_FALSE(menu.itemAt(10, 4 * h + 1, c.width, c.height));                 // below the rows
        EXPECT_FALSE(menu.itemAt(c.width, h + 1, c.width, c.height));                // right of the list
        EXPECT_TRUE(menu.homeAt(10, c.height - 1, c.width, c.height));
        EXPECT_FALSE(menu.homeAt(10, c.height - h - 1, c.width, c.height));
    }
}
