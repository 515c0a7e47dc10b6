// Application state: recent-file list, program folder choice and the trace file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "app/Application.h"
#include "app/ExportFolder.h"
#include "app/RecentFileList.h"
#include "app/TraceLog.h"
#include "support/TestSupport.h"

using namespace tabrel;

namespace {
class MemoryStore : public RecentFileStore {
public:
    std::vector<std::string> stored;
    int saves = 0;
    std::vector<std::string> load() override { return stored; }
    void save(const std::vector<std::string>& entries) override
    {
        stored = entries;
        ++saves;
    }
};
} // namespace

TEST(RecentFileList, KeepsTenMostRecentFirstWithoutRepeats)
{
    MemoryStore store;
    RecentFileList list;
    list.attach(&store);
    for (int i = 0; i < 12; ++i)
        list.add("/s/" + std::to_string(i) + ".qtf");
    ASSERT_EQ(list.size(), 10);
    EXPECT_EQ(list.entries().front(), "/s/11.qtf");
    EXPECT_EQ(list.entries().back(), "/s/2.qtf");

    // Opening an older entry again moves it to the top instead of repeating it.
    list.add("/s/5.qtf");
    ASSERT_EQ(list.size(), 10);
    EXPECT_EQ(list.entries()[0], "/s/5.qtf");
    EXPECT_EQ(std::count(list.entries().begin(), list.entries().end(), "/s/5.qtf"), 1);
    EXPECT_EQ(store.stored, list.entries());
}

TEST(RecentFileList, LoadDropsEmptyAndRepeatedEntriesAndCutsToTen)
{
    MemoryStore store;
    store.stored = {"", "/a.qtf", "/b.qtf", "/a.qtf"};
    for (int i = 0; i < 20; ++i)
        store.stored.push_back("/x" + std::to_string(i));
    RecentFileList list;
    list.load(store);
    ASSERT_EQ(list.size(), 10);
    EXPECT_EQ(list.entries()[0], "/a.qtf");
    EXPECT_EQ(list.entries()[1], "/b.qtf");
    EXPECT_EQ(list.entries()[2], "/x0");
}

TEST(Application, HistoryIsTheListAtStartUpAndDoesNotFollowLaterOpens)
{
    Application app;
    app.recentFiles().setEntries({"/a.qtf", "/b.qtf"});
    app.takeHistorySnapshot();
    app.recentFiles().add("/c.qtf");
    EXPECT_EQ(app.history(), (std::vector<std::string>{"/a.qtf", "/b.qtf"}));
    EXPECT_EQ(app.recentFiles().entries()[0], "/c.qtf");
}

TEST(Application, ProgramFolderFallsBackWhenTheExecutableFolderIsReadOnly)
{
    auto a = chooseProgramFolder("/opt/tabrel", true, "/home/u/.local/share/Tabrel");
    EXPECT_EQ(a.folder, "/opt/tabrel");
    EXPECT_FALSE(a.fallback);
    auto b = chooseProgramFolder("/usr/bin", false, "/home/u/.local/share/Tabrel");
    EXPECT_EQ(b.folder, "/home/u/.local/share/Tabrel");
    EXPECT_TRUE(b.fallback);

    Application app;
    app.setProgramFolder(b);
    EXPECT_EQ(app.programFile("paikeInfo.txt"), "/home/u/.local/share/Tabrel/paikeInfo.txt");
    EXPECT_EQ(app.trace().filePath(), "/home/u/.local/share/Tabrel/debug.txt");
}

TEST(TraceLog, RewritesTheWholeFileOneLinePerEntry)
{
    test::TempDir dir;
    TraceLog log;
    log.setFolder(dir.path().string());
    EXPECT_EQ(log.append("CHomePageWnd::OnInitDialog"), TraceLog::Outcome::Written);
    EXPECT_EQ(log.append("CHomePageWnd::OnPaint"), TraceLog::Outcome::Written);
    EXPECT_EQ(test::readFile(dir.path() / "debug.txt"), "CHomePageWnd::OnInitDialog\nCHomePageWnd::OnPaint\n");
}

TEST(TraceLog, ReportsAFileThatCannotBeCreatedOnlyOnce)
{
    TraceLog log;
    log.setFolder("/nonexistent-folder-for-tabrel/sub");
    EXPECT_EQ(log.append("CHomePageWnd::OnPaint"), TraceLog::Outcome::Failed);
    EXPECT_EQ(log.append("CHomePageWnd::OnPaint"), TraceLog::Outcome::FailedAgain);
    EXPECT_EQ(log.append("CHomePageWnd::OnSize"), TraceLog::Outcome::FailedAgain);
}

TEST(TraceLog, KeepsOnlyTheLatestLinesInALongSession)
{
    test::TempDir dir;
    TraceLog log;
    log.setFolder(dir.path().string());
    for (std::size_t i = 0; i < TraceLog::MaxLines + 5; ++i)
        log.append("line" + std::to_string(i));
    ASSERT_EQ(log.lines().size(), TraceLog::MaxLines);
    EXPECT_EQ(log.lines().front(), "line5");
    const std::string file = test::readFile(dir.path() / "debug.txt");
    EXPECT_EQ(file.rfind("line5\n", 0), 0u);
}

TEST(ExportFolder, StartsInTheDataFileFolderThenTheLastOneUsedThenTheFallback)
{
    const std::set<std::string> existing = {"/school", "/last", "/home/u"};
    const auto isFolder = [&](const std::string& f) { return existing.count(f) > 0; };
    const struct {
        ExportFolderSources sources;
        std::string expected;
    } cases[] = {
        {{"/school", "/last", "/home/u"}, "/school"},
        {{"", "/last", "/home/u"}, "/last"},          // a new school without a file
        {{"/gone", "/last", "/home/u"}, "/last"},     // the data file's folder was removed
        {{"", "", "/home/u"}, "/home/u"},
        {{"", "/gone", "/home/u"}, "/home/u"},
        {{"", "", "/nowhere"}, "/nowhere"},           // nothing exists: the fallback all the same
    };
    for (const auto& c : cases)
        EXPECT_EQ(defaultExportFolder(c.sources, isFolder), c.expected) << c.sources.dataFileFolder << "|" << c.sources.lastUsed;
    EXPECT_EQ(exportPath("/a", "paikeInfo.txt"), "/a/paikeInfo.txt");
    EXPECT_EQ(exportPath("/a/", "paikeInfo.txt"), "/a/paikeInfo.txt");
}
