// Damaged data files: every one must be refused or read safely, in bounded time and memory.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include <unistd.h>

#include "data/DataFile.h"
#include "data/DataSet.h"
#include "support/RandomSchool.h"
#include "support/TestSupport.h"

using namespace tabrel;
using tabrel::test::G;

namespace {

std::string le(int32_t v)
{
    const auto u = static_cast<uint32_t>(v);
    return {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16), static_cast<char>(u >> 24)};
}

void put(std::string& bytes, std::size_t offset, int32_t v) { bytes.replace(offset, 4, le(v)); }

std::string encoded(const DataSet& ds)
{
    std::string out;
    EXPECT_TRUE(encodeDataFile(ds, out).ok());
    return out;
}

// A small school with something in every section.
std::string smallFile()
{
    test::RandomSchoolOptions o;
    o.grades = 2;
    o.classesPerGrade = 2;
    o.periodsPerDay = 2;
    o.days = 2;
    o.subjects = 2;
    o.teachers = 2;
    o.assignmentsPerClass = 2;
    o.maxTextChars = 2;
    o.tableRows = 2;
    o.tableColumns = 2;
    return encoded(*test::randomSchool(11, o));
}

// A file that was read must be a data set the writer accepts and that reads back the same.
void expectSoundIfAccepted(std::string_view bytes, const std::string& label)
{
    DataSet ds;
    FileResult r = decodeDataSections(ds, bytes);
    if (!r.ok()) {
        EXPECT_EQ(r.status, FileStatus::Damaged) << label;
        EXPECT_NE(r.message.find("偏移"), std::string::npos) << label << ": " << r.message;
        return;
    }
    ds.relinkTeacherCells();
    std::string again;
    FileResult w = encodeDataFile(ds, again);
    ASSERT_TRUE(w.ok()) << label << ": " << w.message;
    DataSet back;
    ASSERT_TRUE(decodeDataSections(back, again).ok()) << label;
    EXPECT_EQ(encoded(back), again) << label;
}

FileResult decode(std::string_view bytes)
{
    DataSet ds;
    return decodeDataSections(ds, bytes);
}

// Offsets of the parts of an empty data set's file.
constexpr std::size_t SectionCountsAt = 4;                  // the four day-section counts
constexpr std::size_t DayCountAt = 20;
constexpr std::size_t SubjectCountAt = 24 + 400 + 8;       // after 100 time texts and the two minutes
constexpr std::size_t TeacherCountAt = SubjectCountAt + 4;
constexpr std::size_t SlotListsAt = TeacherCountAt + 4;
constexpr std::size_t TablesAt = SlotListsAt + 84 * 4;

} // namespace

TEST(DataFileDamage, EveryTruncationIsDamagedAndTrailingBytesAreNot)
{
    const std::string file = smallFile();
    ASSERT_TRUE(decode(file).ok());
    for (std::size_t n = 0; n < file.size(); ++n) {
        FileResult r = decode(std::string_view(file).substr(0, n));
        ASSERT_EQ(r.status, FileStatus::Damaged) << "cut at " << n;
    }
    EXPECT_TRUE(decode(file + "garbage after the tables").ok());
    EXPECT_TRUE(decode(file + le(-1) + le(INT32_MAX)).ok());

    // The same through the file: a truncated file on disk is reported as damaged.
    test::TempDir dir;
    test::writeFile(dir.file("半.qtf"), file.substr(0, file.size() / 2));
    DataSet ds;
    FileResult r = loadDataFile(ds, dir.file("半.qtf"));
    EXPECT_EQ(r.status, FileStatus::Damaged);
    EXPECT_NE(r.message.find("数据文件已损坏"), std::string::npos);
}

TEST(DataFileDamage, ExtremeValuesAtEveryIntPositionAreRefusedOrReadSafely)
{
    const std::string file = smallFile();
    const int32_t values[] = {-1, INT32_MIN, INT32_MAX, 0x40000000, 0x10000, 13, 8, 1000};
    int damaged = 0;
    for (std::size_t at = 0; at + 4 <= file.size(); at += 4)
        for (int32_t v : values) {
            std::string bytes = file;
            put(bytes, at, v);
            DataSet ds;
            damaged += !decodeDataSections(ds, bytes).ok();
            expectSoundIfAccepted(bytes, "value " + std::to_string(v) + " at " + std::to_string(at));
        }
    EXPECT_GT(damaged, 0);
}

TEST(DataFileDamage, RandomByteFlipsAreRefusedOrReadSafely)
{
    const std::string file = smallFile();
    std::mt19937 rng(20240901);
    for (int i = 0; i < 3000; ++i) {
        std::string bytes = file;
        const int flips = 1 + static_cast<int>(rng() % 4);
        for (int f = 0; f < flips; ++f)
            bytes[rng() % bytes.size()] ^= static_cast<char>(1u << (rng() % 8));
        expectSoundIfAccepted(bytes, "flip round " + std::to_string(i));
    }
}

TEST(DataFileDamage, EachLimitIsNamedWithItsOffset)
{
    const std::string empty = encoded(DataSet());
    struct Case {
        const char* label;
        std::size_t at;
        int32_t value;
        const char* expected; // part of the message
    };
    const Case cases[] = {
        {"13 grades", 0, 13, "年级数 13 超过 12"},
        {"negative grades", 0, -2, "年级数为负数"},
        {"negative evening", SectionCountsAt + 12, -1, "晚上节数为负数"},
        {"8 days", DayCountAt, 8, "星期数 8 超过 7"},
        {"huge subject count", SubjectCountAt, INT32_MAX, "科目数"},
        {"teachers beyond the file", TeacherCountAt, 100, "超过文件剩余的数据"},
        {"negative slot list", SlotListsAt + 40, -7, "时段设置数为负数"},
        {"negative table rows", TablesAt, -1, "表格行数为负数"},
    };
    for (const Case& c : cases) {
        std::string bytes = empty;
        put(bytes, c.at, c.value);
        FileResult r = decode(bytes);
        EXPECT_EQ(r.status, FileStatus::Damaged) << c.label;
        EXPECT_NE(r.message.find(c.expected), std::string::npos) << c.label << ": " << r.message;
        EXPECT_NE(r.message.find("(偏移 " + std::to_string(c.at) + ")"), std::string::npos) << c.label << ": " << r.message;
    }

    // Thirteen periods a day: each count alone is fine, their sum is not.
    std::string periods = empty;
    put(periods, SectionCountsAt, 2);
    put(periods, SectionCountsAt + 4, 6);
    put(periods, SectionCountsAt + 8, 5);
    FileResult r = decode(periods);
    EXPECT_NE(r.message.find("每天节数 13 超过 12"), std::string::npos) << r.message;
}

TEST(DataFileDamage, NegativeTextLengthIsCountedAndStopsTheRead)
{
    DataSet ds;
    ds.setGradeCount(2);
    std::string bytes = encoded(ds);
    put(bytes, 4, -3); // the first grade's name
    DataSet back;
    FileResult r = decodeDataSections(back, bytes);
    EXPECT_EQ(r.status, FileStatus::Damaged);
    EXPECT_EQ(r.negativeTextLengths, 1);
    EXPECT_NE(r.message.find("数据读取错误！"), std::string::npos);
    EXPECT_NE(r.message.find("(偏移 4)"), std::string::npos) << r.message;
}

TEST(DataFileDamage, TableWhoseRowsTimesColumnsExceedTheFileIsDamaged)
{
    // Each count alone fits in what is left (the padding after it), their product does not,
    // and 0x10000 × 0x10000 overflows 32 bits.
    std::string bytes = encoded(DataSet());
    put(bytes, TablesAt, 0x10000);
    put(bytes, TablesAt + 4, 0x10000);
    bytes += std::string(4 * 0x10000 + 16, '\0');
    FileResult r = decode(bytes);
    EXPECT_EQ(r.status, FileStatus::Damaged);
    EXPECT_NE(r.message.find("65536×65536"), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("(偏移 " + std::to_string(TablesAt) + ")"), std::string::npos) << r.message;
}

TEST(DataFileDamage, TextOverTheLimitIsDamagedEvenWhenTheFileHoldsIt)
{
    DataSet ds;
    ds.setGradeCount(1);
    std::string bytes = encoded(ds);
    put(bytes, 4, MaxTextBytes + 1);
    bytes += std::string(4 * (static_cast<std::size_t>(MaxTextBytes) + 1), '\0');
    FileResult r = decode(bytes);
    EXPECT_EQ(r.status, FileStatus::Damaged);
    EXPECT_NE(r.message.find("文本长度"), std::string::npos) << r.message;
}

TEST(DataFileDamage, FileOverTheSizeLimitIsRefusedBeforeReading)
{
    test::TempDir dir;
    const std::string path = dir.file("大.qtf");
    test::writeFile(path, "");
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(MaxDataFileBytes) + 1), 0); // sparse
    DataSet ds;
    FileResult r = loadDataFile(ds, path);
    EXPECT_EQ(r.status, FileStatus::Damaged);
    EXPECT_NE(r.message.find(path), std::string::npos) << r.message;
}
