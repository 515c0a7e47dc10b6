#include <gtest/gtest.h>

#include "output/BmpFile.h"
#include "support/TestSupport.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

uint32_t le32(const std::string& b, std::size_t at)
{
    return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 | static_cast<uint8_t>(b[at + 2]) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}

std::string bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

// Three pixels wide, two high: top row red, green, blue; bottom row white, black, (0x12, 0x34, 0x56).
PixelBuffer sample()
{
    PixelBuffer b(3, 2);
    b.set(0, 0, 0xFF0000);
    b.set(1, 0, 0x00FF00);
    b.set(2, 0, 0x0000FF);
    b.set(0, 1, 0xFFFFFF);
    b.set(1, 1, 0x000000);
    b.set(2, 1, 0x123456);
    return b;
}

std::string expectedHeaders(uint32_t fileSize, uint32_t width, uint32_t height, int bits, uint32_t imageSize)
{
    auto le = [](uint32_t v, int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        return s;
    };
    return "BM" + le(fileSize, 4) + le(0, 2) + le(0, 2) + le(54, 4) + le(40, 4) + le(width, 4) + le(height, 4) +
           le(1, 2) + le(static_cast<uint32_t>(bits), 2) + le(0, 4) + le(imageSize, 4) + le(0, 4) + le(0, 4) +
           le(0, 4) + le(0, 4);
}

} // namespace

TEST(BmpFile, TwentyFourBitsBottomUpWithRowPadding)
{
    const std::string file = bmp::encode(sample(), 24);
    // 9 bytes of pixels padded to 12 per row.
    ASSERT_EQ(file.size(), 54u + 24u);
    EXPECT_EQ(file.substr(0, 54), expectedHeaders(78, 3, 2, 24, 24));
    EXPECT_EQ(file.substr(54, 12), bytes({0xFF, 0xFF, 0xFF, 0, 0, 0, 0x56, 0x34, 0x12, 0, 0, 0}));
    EXPECT_EQ(file.substr(66, 12), bytes({0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0}));
}

TEST(BmpFile, SixteenBitsInTheFiveFiveFiveLayout)
{
    const std::string file = bmp::encode(sample(), 16);
    // 6 bytes of pixels padded to 8 per row.
    ASSERT_EQ(file.size(), 54u + 16u);
    EXPECT_EQ(file.substr(0, 54), expectedHeaders(70, 3, 2, 16, 16));
    // white 0x7FFF, black 0, (0x12, 0x34, 0x56) → (2 << 10) | (6 << 5) | 10 = 0x08CA.
    EXPECT_EQ(file.substr(54, 8), bytes({0xFF, 0x7F, 0, 0, 0xCA, 0x08, 0, 0}));
    // red 0x7C00, green 0x03E0, blue 0x001F.
    EXPECT_EQ(file.substr(62, 8), bytes({0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0}));
}

TEST(BmpFile, ThirtyTwoBitsWithAZeroFourthByte)
{
    const std::string file = bmp::encode(sample(), 32);
    ASSERT_EQ(file.size(), 54u + 24u);
    EXPECT_EQ(file.substr(0, 54), expectedHeaders(78, 3, 2, 32, 24));
    EXPECT_EQ(file.substr(54, 12), bytes({0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0x56, 0x34, 0x12, 0}));
    EXPECT_EQ(file.substr(66, 4), bytes({0, 0, 0xFF, 0}));
}

// The size of a picture of five days and seven periods at each depth.
TEST(BmpFile, PictureSizesAtEveryDepth)
{
    const PixelBuffer picture(580, 308);
    const std::string b24 = bmp::encode(picture, 24);
    EXPECT_EQ(b24.size(), 535974u);
    EXPECT_EQ(le32(b24, 2), 535974u);
    EXPECT_EQ(le32(b24, 34), 535920u);
    EXPECT_EQ(bmp::rowBytes(580, 24), 1740u);
    EXPECT_EQ(bmp::encode(picture, 16).size(), 580u * 2 * 308 + 54);
    EXPECT_EQ(bmp::encode(picture, 32).size(), 580u * 4 * 308 + 54);
}

TEST(BmpFile, RefusesBadDepthsSizesAndUnwritablePaths)
{
    EXPECT_TRUE(bmp::encode(sample(), 8).empty());
    EXPECT_TRUE(bmp::encode(PixelBuffer(0, 5), 24).empty());
    PixelBuffer broken(4, 4);
    broken.pixels.pop_back();
    EXPECT_TRUE(bmp::encode(broken, 24).empty());

    TempDir dir;
    BmpResult r = bmp::write(dir.path() / "a.bmp", sample(), 8);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("8"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "a.bmp"));

    r = bmp::write(dir.path() / "missing" / "a.bmp", sample(), 24);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("missing"), std::string::npos);

    // An existing file is overwritten, not appended to.
    writeFile(dir.path() / "b.bmp", std::string(1000, 'x'));
    r = bmp::write(dir.path() / "b.bmp", sample(), 24);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(readFile(dir.path() / "b.bmp"), bmp::encode(sample(), 24));
}
