#include <gtest/gtest.h>

#include "data/Gbk.h"

using namespace tabrel;

TEST(Gbk, RoundTripsChineseAndRefusesTextWithoutGbkForm)
{
    auto g = gbk::fromUtf8("中文abc");
    ASSERT_TRUE(g);
    EXPECT_EQ(*g, "\xD6\xD0\xCE\xC4" "abc");
    EXPECT_EQ(gbk::toUtf8(*g), "中文abc");
    std::string err;
    EXPECT_FALSE(gbk::fromUtf8("表情😀", err));
    EXPECT_NE(err.find("😀"), std::string::npos);
    EXPECT_FALSE(gbk::fromUtf8("\xff\xfe", err));
    // invalid GBK still shows, with a replacement character
    EXPECT_EQ(gbk::toUtf8("a\xff" "b"), "a\xEF\xBF\xBD" "b");
    EXPECT_FALSE(gbk::isValidGbk("\xD6"));
}

TEST(Gbk, ByteHelpers)
{
    EXPECT_EQ(gbk::lastBytes(gbk::literal("欧阳修"), 4), gbk::literal("阳修"));
    EXPECT_EQ(gbk::lastBytes("ab", 4), "ab");
    EXPECT_EQ(gbk::leadingInt("  12abc"), 12);
    EXPECT_EQ(gbk::leadingInt("-7"), -7);
    EXPECT_EQ(gbk::leadingInt("x1"), 0);
    EXPECT_EQ(gbk::leadingInt(""), 0);
    EXPECT_EQ(gbk::leadingInt("99999999999"), 2147483647);
    EXPECT_EQ(gbk::formatInt(-3), "-3");
}

TEST(Gbk, TextIsFoundOnlyWhereACharacterBegins)
{
    const std::string line = gbk::literal("每天");          // C3 BF CC EC
    const std::string across = "\xBF\xCC";                  // trail of 每 + lead of 天: the bytes of 刻
    EXPECT_EQ(across, gbk::literal("刻"));
    EXPECT_EQ(line.find(across), 1u);                       // a plain byte search finds it
    EXPECT_FALSE(gbk::containsText(line, across));
    EXPECT_EQ(gbk::findText(gbk::literal("各班语文"), gbk::literal("语文")), 4u);
    EXPECT_EQ(gbk::findText("ab1", "1"), 2u);
    EXPECT_EQ(gbk::findText("", gbk::literal("早")), std::string::npos);
}
