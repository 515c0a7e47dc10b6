#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <csignal>

#include "data/DataFile.h"
#include "data/DataSet.h"
#include "support/RandomSchool.h"
#include "support/TestSupport.h"

using namespace tabrel;
using tabrel::test::G;
using tabrel::test::U;

namespace {

// Little-endian int32, built independently of the writer.
std::string le(int32_t v)
{
    const auto u = static_cast<uint32_t>(v);
    return {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16), static_cast<char>(u >> 24)};
}

std::string encoded(const DataSet& ds)
{
    std::string out;
    FileResult r = encodeDataFile(ds, out);
    EXPECT_TRUE(r.ok()) << r.message;
    return out;
}

std::string textBytes(const std::string& bytes)
{
    std::string out;
    appendText(out, bytes);
    return out;
}

bool noTempFilesIn(const std::filesystem::path& folder, int expected)
{
    int n = 0;
    for (auto& e : std::filesystem::directory_iterator(folder)) {
        (void)e;
        ++n;
    }
    return n == expected;
}

} // namespace

// ---------------------------------------------------------------- the String codec

TEST(DataFileCodec, AbcAndZhongAreStoredByteForByte)
{
    EXPECT_EQ(textBytes("abc"), std::string("\x03\x00\x00\x00\x9F\xFF\xFF\xFF\x9E\xFF\xFF\xFF\x9D\xFF\xFF\xFF", 16));
    EXPECT_EQ(textBytes(G("中")), std::string("\x02\x00\x00\x00\x2A\x00\x00\x00\x30\x00\x00\x00", 12));
    EXPECT_EQ(textBytes(""), std::string("\x00\x00\x00\x00", 4));
}

TEST(DataFileCodec, EveryByteValueRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    // 0x80 is -128 as a signed byte; negated it is 128, not -128.
    EXPECT_EQ(textBytes(std::string(1, '\x80')).substr(4), le(128));

    DataSet ds;
    ds.setGradeCount(1);
    ds.gradeNames[0] = all;
    ds.dayNames = {all};
    DataSet back;
    ASSERT_TRUE(decodeDataSections(back, encoded(ds)).ok());
    EXPECT_EQ(back.gradeNames[0], all);
    EXPECT_EQ(back.dayNames[0], all);
}

// ---------------------------------------------------------------- layout

TEST(DataFileLayout, EmptyDataSetHasExactBytesAndComesBackEqual)
{
    std::string expected = le(0);          // 1: no grades
    for (int i = 0; i < 4; ++i)            // 2: four section counts
        expected += le(0);
    expected += le(0);                     //    no day names
    for (int i = 0; i < 100; ++i)          //    20 × 5 empty time texts
        expected += le(0);
    expected += le(40) + le(10);           //    lesson and break minutes
    expected += le(0) + le(0);             // 3, 4: no subjects, no teachers
    for (int i = 0; i < 84; ++i)           // 6: 84 empty slot lists (5 is empty)
        expected += le(0);
    expected += le(0) + le(0) + le(0) + le(0); // 7: two 0 × 0 tables

    DataSet ds;
    EXPECT_EQ(encoded(ds), expected);

    test::TempDir dir;
    const std::string path = dir.file("空.qtf");
    ASSERT_TRUE(saveDataFile(ds, path).ok());
    EXPECT_EQ(test::readFile(path), expected);
    DataSet back;
    FileResult r = loadDataFile(back, path);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_FALSE(r.sidecarRead);
    EXPECT_TRUE(back.grades.empty());
    EXPECT_EQ(back.lessonMinutes, 40);
    EXPECT_EQ(back.breakMinutes, 10);
    EXPECT_EQ(encoded(back), expected);
}

TEST(DataFileLayout, TablesAreWrittenRowByRowAndATableWithoutColumnsAsEmpty)
{
    DataSet ds;
    ds.teacherGroupTable.setCell(0, 0, "a");
    ds.teacherGroupTable.setCell(0, 1, "b");
    ds.teacherGroupTable.setCell(1, 0, "c");
    ds.spareTable.setRowCount(4); // 4 x 0: no cells
    const std::string bytes = encoded(ds);
    auto t = [](char ch) { return le(1) + le(-ch); };
    const std::string tail = le(2) + le(2) + t('a') + t('b') + t('c') + le(0) + le(0) + le(0);
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);

    DataSet back;
    ASSERT_TRUE(decodeDataSections(back, bytes).ok());
    EXPECT_EQ(back.teacherGroupTable, ds.teacherGroupTable);
    EXPECT_EQ(back.spareTable.rowCount(), 0);
}

TEST(DataFileLayout, OnlyTheStoredGridOfFiveDaysAndSixPeriodsIsWrittenAndRestored)
{
    DataSet ds;
    ds.morningCount = 4;
    ds.afternoonCount = 2;
    ds.dayNames = {G("一"), G("二"), G("三"), G("四"), G("五")};
    ds.setGradeCount(1);
    ds.setClassCount(0, 1);
    ClassTable& c = *ds.classAt(0, 0);
    for (int p = 0; p < MaxPeriodRows; ++p)
        for (int d = 0; d < DayColumns; ++d) {
            c.cells[p][d].subject = G("语文");
            c.cells[p][d].markFlag = 1;
            c.commonPeriods[p][d] = G("自习");
        }
    DataSet back;
    ASSERT_TRUE(decodeDataSections(back, encoded(ds)).ok());
    const ClassTable& b = *back.classAt(0, 0);
    int restored = 0;
    for (int p = 0; p < MaxPeriodRows; ++p)
        for (int d = 0; d < DayColumns; ++d) {
            const bool stored = p < 6 && d < 5;
            restored += b.cells[p][d].subject == G("语文");
            EXPECT_EQ(b.cells[p][d].markFlag, stored ? 1 : 0) << p << "," << d;
            EXPECT_EQ(b.commonPeriods[p][d], stored ? G("自习") : "") << p << "," << d;
        }
    EXPECT_EQ(restored, 30);
}

TEST(DataFileLayout, LoadBuildsClassesTheWaySetClassCountDoesAndRelinksTeachers)
{
    DataSet ds;
    ds.morningCount = 2;
    ds.dayNames = {G("星期一"), G("星期二")};
    ds.setGradeCount(2);
    ds.gradeNames = {G("初一"), G("初二")};
    ds.setClassCount(1, 2);
    ds.classAt(1, 0)->name = G("甲班");
    ds.classAt(1, 1)->name = G("乙班");
    ds.appendTeacher();
    ds.teachers[0]->name = G("张三");
    ds.classAt(1, 1)->cells[1][1].teacher = G("张三");
    ds.classAt(1, 1)->cells[1][1].subject = G("数学");
    ds.classAt(1, 0)->cells[0][0].teacher = G("无此人");

    test::TempDir dir;
    ASSERT_TRUE(saveDataFile(ds, dir.file("a.qtf")).ok());
    DataSet back;
    ASSERT_TRUE(loadDataFile(back, dir.file("a.qtf")).ok());
    ASSERT_EQ(back.classCount(1), 2);
    EXPECT_EQ(back.classAt(1, 1)->name, G("乙班"));
    EXPECT_EQ(back.classAt(1, 1)->gradeName, G("初二"));
    EXPECT_EQ(back.classAt(1, 1)->ordinal, 2);
    const TeacherInfoRecord& t = *back.teachers[0];
    ASSERT_EQ(t.lessons.size(), 1u);
    EXPECT_EQ(t.lessons[0], &back.classAt(1, 1)->cells[1][1]);
    EXPECT_EQ(t.slotSubject[1][1], G("数学"));
    EXPECT_EQ(t.slotGradeText[1][1], G("初二"));
}

// ---------------------------------------------------------------- round trips

TEST(DataFileRoundTrip, RandomSchoolsSaveLoadSaveByteIdentical)
{
    int grades = 0, teachers = 0;
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        auto ds = test::randomSchool(seed);
        const std::string first = encoded(*ds);
        DataSet back;
        FileResult r = decodeDataSections(back, first);
        ASSERT_TRUE(r.ok()) << "seed " << seed << ": " << r.message;
        ASSERT_EQ(encoded(back), first) << "seed " << seed;
        grades += static_cast<int>(ds->grades.size());
        teachers += static_cast<int>(ds->teachers.size());
    }
    EXPECT_GT(grades, 300); // the schools were not trivially empty
    EXPECT_GT(teachers, 300);
}

TEST(DataFileRoundTrip, FullGridSchoolThroughFilesAndLongTexts)
{
    test::RandomSchoolOptions o;
    o.grades = MaxGradeColumns;
    o.classesPerGrade = 3;
    o.periodsPerDay = MaxPeriodRows;
    o.days = DayColumns;
    o.maxTextChars = 40;
    auto ds = test::randomSchool(77, o);
    ds->subjects.at(0)->ruleSummary = std::string(20000, 'x') + G("长文本"); // beyond 9 998 bytes
    test::TempDir dir;
    const std::string a = dir.file("学校.qtf"), b = dir.file("学校2.qtf");
    ASSERT_TRUE(saveDataFile(*ds, a).ok());
    DataSet back;
    FileResult r = loadDataFile(back, a);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(back.subjects.at(0)->ruleSummary, ds->subjects.at(0)->ruleSummary);
    ASSERT_TRUE(saveDataFile(back, b).ok());
    EXPECT_EQ(test::readFile(a), test::readFile(b));
    EXPECT_TRUE(noTempFilesIn(dir.path(), 2));
}

TEST(DataFileRoundTrip, TextsUpToTheLimitRoundTripAndLongerOnesAreRefused)
{
    DataSet ds;
    ds.setGradeCount(1);
    ds.gradeNames[0] = std::string(static_cast<std::size_t>(MaxTextBytes), '\xB0');
    DataSet back;
    ASSERT_TRUE(decodeDataSections(back, encoded(ds)).ok());
    EXPECT_EQ(back.gradeNames[0], ds.gradeNames[0]);

    ds.gradeNames[0] += 'a';
    std::string out;
    FileResult r = encodeDataFile(ds, out);
    EXPECT_EQ(r.status, FileStatus::CannotWrite);
    EXPECT_TRUE(out.empty());
}

// ---------------------------------------------------------------- sidecar

TEST(DataFileSidecar, PathReplacesEveryQtfAndIsEmptyWithoutOne)
{
    EXPECT_EQ(sidecarPath("/s/学校.qtf"), "/s/学校.rep");
    EXPECT_EQ(sidecarPath("/a.qtf.d/x.qtf"), "/a.rep.d/x.rep");
    EXPECT_EQ(sidecarPath("/s/school.dat"), "");
    EXPECT_EQ(sidecarPath("/s/school.QTF"), "");
}

namespace {

// A school where 张三 teaches in the teacher list, a cell and an assignment, and 王五 is untouched.
void saveRenamingSchool(const std::string& path)
{
    DataSet ds;
    ds.morningCount = 1;
    ds.dayNames = {G("星期一")};
    ds.setGradeCount(1);
    ds.setClassCount(0, 1);
    for (const char* n : {"张三", "王五"}) {
        ds.appendTeacher();
        ds.teachers.back()->name = G(n);
        ds.teachers.back()->shortName = G("短名");
    }
    ClassTable& c = *ds.classAt(0, 0);
    c.cells[0][0].subject = G("语文");
    c.cells[0][0].teacher = G("张三");
    c.appendAssignment()->teacher = G("张三");
    c.appendAssignment()->teacher = G("王五");
    ASSERT_TRUE(saveDataFile(ds, path).ok());
}

} // namespace

TEST(DataFileSidecar, RenamesTeacherListCellsAndAssignmentsAndCutsTheShortName)
{
    test::TempDir dir;
    const std::string path = dir.file("校.qtf");
    saveRenamingSchool(path);
    test::writeFile(dir.file("校.rep"), G("张三-欧阳李四\r\n-李四\r\n没有横线\r\n王五-\n"));
    DataSet ds;
    FileResult r = loadDataFile(ds, path);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_TRUE(r.sidecarRead);
    EXPECT_TRUE(r.duplicateNewNames.empty());
    ASSERT_EQ(ds.nameReplacements.size(), 1u); // CR stripped; "-李四", "没有横线", "王五-" ignored
    EXPECT_EQ(ds.nameReplacements[0], G("张三-欧阳李四"));
    EXPECT_EQ(ds.teachers[0]->name, G("欧阳李四"));
    EXPECT_EQ(ds.teachers[0]->shortName, G("李四"));
    EXPECT_EQ(ds.teachers[1]->name, G("王五"));
    EXPECT_EQ(ds.teachers[1]->shortName, G("短名"));
    const ClassTable& c = *ds.classAt(0, 0);
    EXPECT_EQ(c.cells[0][0].teacher, G("欧阳李四"));
    EXPECT_EQ(c.assignments[0]->teacher, G("欧阳李四"));
    EXPECT_EQ(c.assignments[1]->teacher, G("王五"));
    ASSERT_EQ(ds.teachers[0]->lessons.size(), 1u); // relinked under the new name
}

TEST(DataFileSidecar, DuplicateNewNameIsReportedOnceAndUsedAndFirstOldNameEntryWins)
{
    test::TempDir dir;
    const std::string path = dir.file("校.qtf");
    saveRenamingSchool(path);
    test::writeFile(dir.file("校.rep"), G("张三-赵六\n王五-赵六\n张三-钱七\n李-赵六"));
    DataSet ds;
    FileResult r = loadDataFile(ds, path);
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.duplicateNewNames.size(), 1u);
    EXPECT_EQ(U(r.duplicateNewNames[0]), "赵六");
    EXPECT_EQ(ds.nameReplacements.size(), 4u);
    EXPECT_EQ(ds.teachers[0]->name, G("赵六"));
    EXPECT_EQ(ds.teachers[1]->name, G("赵六"));
}

TEST(DataFileSidecar, PathWithoutQtfReadsNoSidecarEvenWhenTheFileParsesAsOne)
{
    test::TempDir dir;
    const std::string path = dir.file("school.dat");
    saveRenamingSchool(path);
    DataSet ds;
    FileResult r = loadDataFile(ds, path);
    ASSERT_TRUE(r.ok());
    EXPECT_FALSE(r.sidecarRead);
    EXPECT_TRUE(ds.nameReplacements.empty());
    EXPECT_EQ(readReplacements(ds, path), 0);
}

// ---------------------------------------------------------------- opening and saving failures

TEST(DataFileFailures, MissingFileOrFolderCannotBeOpenedAndLeavesDefaults)
{
    test::TempDir dir;
    for (const std::string& path : {dir.file("无.qtf"), dir.path().string()}) {
        DataSet ds;
        FileResult r = loadDataFile(ds, path);
        EXPECT_EQ(r.status, FileStatus::CannotOpen) << path;
        EXPECT_NE(r.message.find(path), std::string::npos);
        EXPECT_TRUE(ds.grades.empty());
        EXPECT_EQ(ds.lessonMinutes, 40);
    }
}

TEST(DataFileFailures, SavingOntoAFolderOrIntoAMissingFolderFailsCleanly)
{
    test::TempDir dir;
    DataSet ds;
    std::filesystem::create_directory(dir.path() / "d.qtf");
    for (const std::string& path : {dir.file("d.qtf"), dir.file("无/x.qtf")}) {
        FileResult r = saveDataFile(ds, path);
        EXPECT_EQ(r.status, FileStatus::CannotWrite) << path;
        EXPECT_NE(r.message.find("无法写入文件: " + path), std::string::npos) << r.message;
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "d.qtf"));
    EXPECT_TRUE(noTempFilesIn(dir.path(), 1));
}

TEST(DataFileFailures, AFailedWriteLeavesTheOldFileByteIdentical)
{
    test::TempDir dir;
    const std::string path = dir.file("旧.qtf");
    DataSet small;
    ASSERT_TRUE(saveDataFile(small, path).ok());
    const std::string before = test::readFile(path);

    auto big = test::randomSchool(5, {.grades = 3, .classesPerGrade = 3, .periodsPerDay = 8, .days = 5});
    // The disk "fills up" after 4 KiB: every write past it fails (works for root too).
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tight = old;
    tight.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    FileResult r = saveDataFile(*big, path);
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_EQ(r.status, FileStatus::CannotWrite);
    EXPECT_EQ(test::readFile(path), before);
    EXPECT_TRUE(noTempFilesIn(dir.path(), 1));
}

TEST(DataFileFailures, SavingThroughALinkReplacesTheLinkedFileAndKeepsItsMode)
{
    namespace fs = std::filesystem;
    test::TempDir dir;
    const fs::path real = dir.path() / "真.qtf", link = dir.path() / "链.qtf";
    test::writeFile(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, link);
    DataSet ds;
    ASSERT_TRUE(saveDataFile(ds, link.string()).ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test::readFile(real).size(), 792u); // an empty data set
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(DataFileFailures, DataSetsTheFormatCannotHoldAreNotWritten)
{
    test::TempDir dir;
    const std::string path = dir.file("旧.qtf");
    DataSet ok;
    ASSERT_TRUE(saveDataFile(ok, path).ok());
    const std::string before = test::readFile(path);

    auto check = [&](const char* what, auto&& spoil) {
        DataSet ds;
        spoil(ds);
        FileResult r = saveDataFile(ds, path);
        EXPECT_EQ(r.status, FileStatus::CannotWrite) << what;
        EXPECT_EQ(test::readFile(path), before) << what;
    };
    check("13 grades", [](DataSet& ds) { ds.setGradeCount(13); });
    check("13 periods", [](DataSet& ds) { ds.morningCount = 6; ds.afternoonCount = 6; ds.eveningCount = 1; });
    check("negative section", [](DataSet& ds) { ds.eveningCount = -1; });
    check("8 days", [](DataSet& ds) { ds.dayNames.assign(8, G("日")); });
    check("too many classes", [](DataSet& ds) { ds.setGradeCount(1); ds.setClassCount(0, MaxClassesPerGrade + 1); });
}
