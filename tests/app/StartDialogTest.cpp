// The start dialog's rows, its path shortening and its choices.
#include <gtest/gtest.h>

#include "app/Application.h"
#include "app/Document.h"
#include "app/StartDialogModel.h"
#include "data/DataFile.h"
#include "data/DataSet.h"
#include "support/TestSupport.h"

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
    // Nothing selected: the file dialog, whose cancelling brings the start dialog back.
    auto none = m.open(-1);
    EXPECT_EQ(none.action, StartDialogModel::Action::OpenBrowse);
    EXPECT_TRUE(none.backOnCancel);
    EXPECT_FALSE(m.open(0).backOnCancel);
    EXPECT_EQ(m.open(0).action, StartDialogModel::Action::OpenBrowse);
    auto first = m.open(1);
    EXPECT_EQ(first.action, StartDialogModel::Action::OpenHistory);
    EXPECT_EQ(first.path, "/a.qtf");
    EXPECT_EQ(m.open(2).action, StartDialogModel::Action::None);
}

namespace {
struct Script {
    std::vector<StartDialogModel::Choice> choices;
    std::vector<std::string> files;
    std::vector<std::string> told;
    int dialogs = 0;
    std::size_t rowsSeen = 0;
    StartSequenceUi ui()
    {
        StartSequenceUi u;
        u.runDialog = [this](const StartDialogModel& m) {
            rowsSeen = m.rows().size();
            return choices.at(dialogs++);
        };
        u.chooseFile = [this] {
            std::string f = files.front();
            files.erase(files.begin());
            return f;
        };
        u.tell = [this](const std::string& t) { told.push_back(t); };
        return u;
    }
};
} // namespace

TEST(StartSequence, CancellingTheFileDialogEndsTheProgram)
{
    Application app;
    Document doc(app);
    Script s;
    s.choices = {StartDialogModel({}).open(0)};
    s.files = {""};
    EXPECT_FALSE(runStartSequence(doc, {}, s.ui()));
    EXPECT_EQ(s.rowsSeen, 1u);
    EXPECT_EQ(doc.path(), "");
}

TEST(StartSequence, AMissingHistoryFileIsReportedAndTheDialogComesBack)
{
    test::TempDir dir;
    const std::string gone = dir.file("gone.qtf");
    Application app;
    Document doc(app);
    Script s;
    StartDialogModel m({gone});
    s.choices = {m.open(-1), m.open(1), m.newSchedule()};
    s.files = {""}; // "选择打开" without a selection: the file dialog, cancelled
    EXPECT_TRUE(runStartSequence(doc, {gone}, s.ui()));
    EXPECT_EQ(s.dialogs, 3);
    ASSERT_EQ(s.told.size(), 1u);
    EXPECT_NE(s.told[0].find(gone), std::string::npos);
    EXPECT_TRUE(doc.isNewFile());
    EXPECT_EQ(doc.dataSet().dayCount(), 5);
    EXPECT_FALSE(app.loadedFromFile);
}

TEST(StartSequence, ADamagedFileIsRefusedAndAGoodOneOpens)
{
    test::TempDir dir;
    const std::string bad = dir.file("bad.qtf");
    test::writeFile(bad, std::string("\x05\x00\x00\x00", 4));
    DataSet good;
    good.applyNewDocumentDefaults();
    good.setGradeCount(2);
    const std::string goodPath = dir.file("good.qtf");
    ASSERT_TRUE(saveDataFile(good, goodPath).ok());
    // A sidecar naming the same new name twice is read, and the name is shown once opened.
    test::writeFile(dir.file("good.rep"), test::G("甲-丙\n乙-丙\n"));

    Application app;
    Document doc(app);
    Script s;
    StartDialogModel m({});
    s.choices = {m.open(0), m.open(0)};
    s.files = {bad, goodPath};
    EXPECT_TRUE(runStartSequence(doc, {}, s.ui()));
    ASSERT_EQ(s.told.size(), 2u);
    EXPECT_NE(s.told[0].find("bad.qtf"), std::string::npos);
    EXPECT_EQ(s.told[1], "丙");
    EXPECT_EQ(doc.path(), goodPath);
    EXPECT_EQ(doc.dataSet().grades.size(), 2u);
    EXPECT_TRUE(app.loadedFromFile);
    EXPECT_EQ(app.recentFiles().entries(), (std::vector<std::string>{goodPath}));
}

TEST(StartUp, AGivenFileOpensWithoutTheDialogAndABadOneLeadsToIt)
{
    test::TempDir dir;
    DataSet good;
    good.applyNewDocumentDefaults();
    good.setGradeCount(3);
    const std::string goodPath = dir.file("good.qtf");
    ASSERT_TRUE(saveDataFile(good, goodPath).ok());

    {
        Application app;
        Document doc(app);
        Script s;
        EXPECT_TRUE(openFirstSchedule(doc, {}, goodPath, s.ui()));
        EXPECT_EQ(s.dialogs, 0);
        EXPECT_EQ(doc.path(), goodPath);
        EXPECT_EQ(doc.dataSet().grades.size(), 3u);
        EXPECT_TRUE(app.loadedFromFile);
    }
    {
        const std::string gone = dir.file("gone.qtf");
        Application app;
        Document doc(app);
        Script s;
        s.choices = {StartDialogModel({}).newSchedule()};
        EXPECT_TRUE(openFirstSchedule(doc, {}, gone, s.ui()));
        EXPECT_EQ(s.dialogs, 1);
        ASSERT_EQ(s.told.size(), 1u);
        EXPECT_NE(s.told[0].find(gone), std::string::npos);
        EXPECT_TRUE(doc.isNewFile());
        EXPECT_FALSE(app.loadedFromFile);
    }
}

TEST(StartUp, TheCommandLineAndADropNameTheDataFile)
{
    EXPECT_EQ(commandLineFile({"tabrel"}), "");
    EXPECT_EQ(commandLineFile({"tabrel", "--reverse", "/s/学校.qtf", "/s/b.qtf"}), "/s/学校.qtf");

    EXPECT_EQ(droppedDataFile({}), "");
    EXPECT_EQ(droppedDataFile({"/s/notes.txt", "/s/A.QTF", "/s/b.qtf"}), "/s/A.QTF");
    EXPECT_EQ(droppedDataFile({"/s/qtf", "/s/x.qtfx"}), "");
}
