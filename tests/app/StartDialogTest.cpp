// The start dialog's rows, its path shortening and its choices.
#include <gtest/gtest.h>

#include "app/StartDialogModel.h"

using namespace tabrel;

TEST(HistoryPath, ShortensTheMiddleFoldersOfALongPath)
{
    const std::string p = "D:\\Schedules\\2024-2025\\first-term\\final\\school.qtf";
    ASSERT_EQ(p.size(), 50u);
    EXPECT_EQ(shortenHistoryPath(p), "D:\\Schedules\\2024-2025\\...\\school.qtf");
    EXPECT_EQ(shortenHistoryPath("/home/teacher/schedules/2024/autumn/term/x.qtf"),
              "/home/teacher/schedules/2024/.../x.qtf");
}

TEST(HistoryPath, FortyFiveBytesStayWholeFortySixAreCut)
{
    const std::string p45 = "/aaaaaaaaaa/bbbbbbbbbb/cccccccccc/dd/file.qtf";
    ASSERT_EQ(p45.size(), 45u);
    EXPECT_EQ(shortenHistoryPath(p45), p45);
    const std::string p46 = "/aaaaaaaaaa/bbbbbbbbbb/cccccccccc/ddd/file.qtf";
    ASSERT_EQ(p46.size(), 46u);
    EXPECT_EQ(shortenHistoryPath(p46), "/aaaaaaaaaa/bbbbbbbbbb/.../file.qtf");
}

TEST(HistoryPath, AFileNameTooLongForAnyCutIsShownWhole)
{
    const std::string p = "/a/" + std::string(60, 'n') + ".qtf";
    EXPECT_EQ(shortenHistoryPath(p), p);
    const std::string noSeparator(50, 'x');
    EXPECT_EQ(shortenHistoryPath(noSeparator), noSeparator);
}

TEST(HistoryPath, ChineseCharactersCountTwoBytes)
{
    // 41 GBK bytes (54 in UTF-8): stays whole.
    const std::string shortPath = "/home/u/排课数据排课数据排课数/x/学校.qtf";
    EXPECT_EQ(shortenHistoryPath(shortPath), shortPath);
    const std::string longPath = "/home/u/排课数据排课数据排课数据/x/学校课表.qtf";
    EXPECT_EQ(shortenHistoryPath(longPath), "/home/u/.../学校课表.qtf");
}

TEST(StartDialog, RowsAreTheSearchRowThenTheNumberedHistory)
{
    StartDialogModel empty({});
    ASSERT_EQ(empty.rows().size(), 1u);
    EXPECT_EQ(empty.rows()[0].number, "");
    EXPECT_EQ(empty.rows()[0].text, "在电脑中查找......");

    StartDialogModel m({"/a.qtf", "", "/b.qtf"});
    ASSERT_EQ(m.rows().size(), 3u);
    EXPECT_EQ(m.rows()[1].number, "1");
    EXPECT_EQ(m.rows()[1].text, "/a.qtf");
    EXPECT_EQ(m.rows()[2].number, "2");
    EXPECT_EQ(m.pathOfRow(2), "/b.qtf");
}

TEST(StartDialog, OpenNeedsASelectedRow)
{
    StartDialogModel m({"/a.qtf"});
    auto none = m.open(-1);
    EXPECT_EQ(none.action, StartDialogModel::Action::None);
    EXPECT_EQ(none.message, "请先选择要打开的文件");
    EXPECT_EQ(m.open(0).action, StartDialogModel::Action::OpenBrowse);
    auto first = m.open(1);
    EXPECT_EQ(first.action, StartDialogModel::Action::OpenHistory);
    EXPECT_EQ(first.path, "/a.qtf");
    EXPECT_EQ(m.open(2).action, StartDialogModel::Action::None);
}
