// The grid widget's table: fixed cells, copy and paste of tab-separated text.
#include <gtest/gtest.h>

#include "app/GridModel.h"

using namespace tabrel;

TEST(TableText, SplitsLinesAndCellsAndIgnoresTheLastLineEnd)
{
    auto rows = parseTableText("a\tb\r\nc\t\td\n");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"c", "", "d"}));
    EXPECT_TRUE(parseTableText("").empty());
    EXPECT_EQ(parseTableText("\n").size(), 1u);
}

TEST(GridModel, HeadersAreFixedAndEditsStayInside)
{
    GridModel g(3, 3);
    EXPECT_FALSE(g.setText(0, 1, "x"));
    EXPECT_TRUE(g.setHeader(0, 1, "H"));
    EXPECT_FALSE(g.setHeader(1, 1, "H"));
    EXPECT_TRUE(g.setText(1, 1, "v"));
    EXPECT_FALSE(g.setText(3, 1, "v"));
    EXPECT_FALSE(g.setText(-1, 1, "v"));
    EXPECT_EQ(g.text(1, 1), "v");
    EXPECT_EQ(g.text(9, 9), "");
}

TEST(GridModel, CopyAndPasteRoundTripAndSkipCellsOutsideOrFixed)
{
    GridModel g(4, 4);
    g.paste(1, 1, "a\tb\tc\td\ne\tf\n");
    EXPECT_EQ(g.text(1, 3), "c"); // "d" fell outside
    EXPECT_EQ(g.copyText({1, 1, 2, 3}), "a\tb\tc\ne\tf\t\n");
    GridModel h(4, 4);
    EXPECT_EQ(h.paste(0, 0, "x\ty\nz\tw\n"), 1); // only (1,1) is editable
    EXPECT_EQ(h.text(1, 1), "w");
    EXPECT_EQ(h.paste(2147483000, 2147483000, "q"), 0);
    EXPECT_EQ(g.copyText({-5, -5, 99, 0}), "\n\n\n\n");
}
