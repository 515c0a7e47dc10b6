// Every place that cuts a text by bytes, fed random teacher names mixing Chinese, Latin letters,
// digits and "-": each cut is a head or a tail of the text that starts and ends on a character
// (what is cut off is valid GBK on its own too) and stays within its length.
#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "app/StartDialogModel.h"
#include "data/DataFile.h"
#include "data/DataSet.h"
#include "output/TotalScheduleTable.h"
#include "output/WorkbookExports.h"
#include "scheduling/CellDisplay.h"
#include "scheduling/TeacherAssignment.h"
#include "setup/TeacherInfoGrid.h"
#include "support/TestSupport.h"

using namespace tabrel;
using tabrel::test::G;
using tabrel::test::U;

namespace {

std::string randomName(std::mt19937& rng)
{
    const char* pieces[] = {"赵", "李", "王", "张", "林", "静", "乗", "誠", "A", "b", "7", "0", "-"};
    std::string name;
    const int n = std::uniform_int_distribution<int>(1, 9)(rng);
    for (int i = 0; i < n; ++i)
        name += G(pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(rng)]);
    return name;
}

// `cut` is the tail (or the head) of `text`, at most `limit` bytes, with both parts valid GBK.
void expectTail(const std::string& text, const std::string& cut, std::size_t limit, const char* where)
{
    SCOPED_TRACE(std::string(where) + ": " + U(text) + " -> " + U(cut));
    ASSERT_LE(cut.size(), std::min(limit, text.size()));
    EXPECT_EQ(text.compare(text.size() - cut.size(), cut.size(), cut), 0);
    EXPECT_TRUE(gbk::isValidGbk(cut) && gbk::isValidGbk(text.substr(0, text.size() - cut.size())));
    EXPECT_FALSE(cut.empty());
}

void expectHead(const std::string& text, const std::string& cut, std::size_t limit, const char* where)
{
    SCOPED_TRACE(std::string(where) + ": " + U(text) + " -> " + U(cut));
    ASSERT_LE(cut.size(), std::min(limit, text.size()));
    EXPECT_EQ(text.compare(0, cut.size(), cut), 0);
    EXPECT_TRUE(gbk::isValidGbk(cut) && gbk::isValidGbk(text.substr(cut.size())));
}

} // namespace

TEST(TextCuts, EveryCutOfARandomNameEndsOnACharacter)
{
    std::mt19937 rng(1919);
    test::TempDir dir;
    for (int round = 0; round < 60; ++round) {
        const std::string name = randomName(rng);

        // "返回" of the assignment page adds the missing teacher with its short name.
        DataSet ds;
        ds.applyNewDocumentDefaults();
        ds.setGradeCount(1);
        ds.setClassCount(0, 1);
        ds.findOrAppendSubject(G("语文"));
        ClassTable& c = *ds.classAt(0, 0);
        c.UpdateAssignmentFromLessonText(G("语文"), "1");
        c.FindAssignment(G("语文"))->teacher = name;
        ASSERT_EQ(AddMissingTeachers(ds), 1);
        expectTail(name, ds.teachers[0]->shortName, 4, "AddMissingTeachers");

        // The .rep rename on loading gives the new name's short name.
        ds.teachers[0]->name = G("甲");
        const std::string path = dir.file("s.qtf");
        ASSERT_TRUE(saveDataFile(ds, path).ok());
        test::writeFile(dir.file("s.rep"), G("甲-") + name + "\n");
        DataSet loaded;
        ASSERT_TRUE(loadDataFile(loaded, path).ok());
        ASSERT_EQ(loaded.teachers[0]->name, name);
        expectTail(name, loaded.teachers[0]->shortName, 4, "rename on loading");

        // Cells with short names, the master timetable's variants, its stacked texts.
        c.setCellSubject(c.cells[0][0], G("语文"));
        c.cells[0][0].teacher = name;
        expectTail(name, cellDisplay(c, c.cells[0][0], {true, true, true}).lower, 4, "cell text");
        expectTail(name, shortTeacherText(name), 4, "master timetable short name");
        expectTail(name, style1TeacherText(name), 4, "master timetable style 1");
        for (std::size_t bytes : {2, 4}) {
            const auto [upper, lower] = splitLeadingBytes(name, bytes);
            expectHead(name, upper, std::max<std::size_t>(bytes, 2), "stacked text");
        }

        // A teacher's rule text carried by "粘贴设置": at most 29 bytes.
        const std::string rule = name + name + name + name + name + name;
        ds.teachers[0]->name = name;
        TeacherInfoGrid::applySettings(ds, 0, {"", "0,0," + rule});
        expectHead(rule, ds.teacherSlotValue(0, 0, name), 29, "settings line");

        // A long path in the start dialog is shortened at separators only.
        const std::string utf8 = "/" + U(name) + "\\" + U(name + name) + "\\" + U(name) + "/" + U(name + name) +
                                 "\\" + U(name) + "/x.qtf";
        const std::string shown = shortenHistoryPath(utf8);
        EXPECT_TRUE(gbk::fromUtf8(shown).has_value()) << utf8 << " -> " << shown;
        EXPECT_EQ(shown.substr(shown.size() - 6), "/x.qtf");
    }
    // The cases of the report: a Chinese name ending in a letter, one holding "-", a rule text.
    DataSet ds;
    ds.appendTeacher();
    ds.teachers[0]->name = G("林静");
    TeacherInfoGrid::applySettings(ds, 0, {"", "0,0," + G("-A尽量排尽量排尽量排尽量排尽量排")});
    EXPECT_EQ(U(ds.teacherSlotValue(0, 0, G("林静"))), "-A尽量排尽量排尽量排尽量排尽");
    EXPECT_EQ(U(shortTeacherText(G("赵李A"))), "李A");
    EXPECT_EQ(U(shortTeacherText(G("王张-三"))), "-三");
}
