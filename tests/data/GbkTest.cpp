#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <vector>

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

// Names mixing Chinese (among them characters whose second byte is an ASCII byte: 乗 81 5C, 丂 81 40,
// 誠 D5 5C), Latin letters, digits and "-": every head and tail cut of every length starts and ends
// where a character does, is valid GBK, and is the longest such cut within the length.
TEST(Gbk, EveryCutEndsOnACharacter)
{
    const char* pieces[] = {"赵", "李", "王", "张", "欧", "阳", "乗", "丂", "誠", "A", "z", "7", "0", "-"};
    std::mt19937 rng(19);
    for (int round = 0; round < 500; ++round) {
        std::string name;
        std::vector<std::size_t> starts; // where each character begins, then the end
        const int n = std::uniform_int_distribution<int>(0, 9)(rng);
        for (int i = 0; i < n; ++i) {
            starts.push_back(name.size());
            name += gbk::literal(pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(rng)]);
        }
        starts.push_back(name.size());
        for (std::size_t count = 0; count <= name.size() + 1; ++count) {
            SCOPED_TRACE(gbk::toUtf8(name) + " " + std::to_string(count));
            std::size_t headEnd = 0, tailStart = name.size();
            for (std::size_t b : starts) {
                if (b <= count)
                    headEnd = b;
                if (name.size() - b <= count && b < tailStart)
                    tailStart = b;
            }
            const std::string head = gbk::firstBytes(name, count), tail = gbk::lastBytes(name, count);
            EXPECT_EQ(head, name.substr(0, headEnd));
            EXPECT_EQ(tail, name.substr(tailStart));
            EXPECT_TRUE(gbk::isValidGbk(head) && gbk::isValidGbk(tail));
        }
    }
    // The short name: the longest tail of at most four bytes that starts on a character.
    const std::pair<const char*, const char*> shortNames[] = {
        {"赵李A", "李A"}, {"王张-三", "-三"}, {"欧阳春风", "春风"}, {"A12", "A12"}, {"王A", "王A"}, {"张三丰", "三丰"},
        {"Ab张", "Ab张"}, {"王Ab张", "Ab张"}, {"张三7", "三7"}};
    for (const auto& [name, expected] : shortNames)
        EXPECT_EQ(gbk::toUtf8(gbk::shortName(gbk::literal(name))), expected) << name;
}
