// The document: opening into a fresh data set, new schedules, save and save-as.
#include <gtest/gtest.h>

#include "app/Application.h"
#include "app/Document.h"
#include "data/DataFile.h"
#include "support/TestSupport.h"

using namespace tabrel;
using test::G;

namespace {
// A small school saved to a file.
std::string writeSchool(const test::TempDir& dir, const std::string& name, int grades)
{
    DataSet ds;
    ds.applyNewDocumentDefaults();
    ds.setGradeCount(grades);
    for (int g = 0; g < grades; ++g)
        ds.setClassCount(g, 2);
    ds.findOrAppendSubject(G("语文"));
    ds.appendTeacher();
    ds.teachers[0]->name = G("张三");
    const std::string path = dir.file(name);
    EXPECT_TRUE(saveDataFile(ds, path).ok());
    return path;
}
} // namespace

TEST(Document, NewScheduleHasTheDefaultsAndTheNewFilePath)
{
    Application app;
    Document doc(app);
    EXPECT_EQ(doc.path(), "");
    doc.newSchedule();
    EXPECT_TRUE(doc.isNewFile());
    EXPECT_EQ(doc.path(), "新文件");
    EXPECT_EQ(doc.dataSet().morningCount, 4);
    EXPECT_EQ(doc.dataSet().afternoonCount, 3);
    EXPECT_EQ(doc.dataSet().dayCount(), 5);
    EXPECT_FALSE(app.loadedFromFile);
    EXPECT_EQ(doc.windowTitle(), std::string(Application::productName()) + " 文件: 新文件");
}

TEST(Document, OpeningReadsIntoAFreshSetAndRecordsTheFile)
{
    test::TempDir dir;
    const std::string a = writeSchool(dir, "a.qtf", 2);
    const std::string b = writeSchool(dir, "b.qtf", 1);
    Application app;
    Document doc(app);
    int replaced = 0;
    DataSet* seen = nullptr;
    doc.addReplacementListener([&](DataSet& ds) {
        ++replaced;
        seen = &ds;
    });

    ASSERT_TRUE(doc.open(a).ok());
    EXPECT_EQ(doc.dataSet().grades.size(), 2u);
    EXPECT_EQ(seen, &doc.dataSet());
    EXPECT_TRUE(app.loadedFromFile);
    EXPECT_EQ(doc.path(), a);

    // A second file (a drop on the window) never lands on top of the first one's records.
    ASSERT_TRUE(doc.open(b).ok());
    EXPECT_EQ(doc.dataSet().grades.size(), 1u);
    EXPECT_EQ(doc.dataSet().subjects.size(), 1u);
    EXPECT_EQ(doc.dataSet().teachers.size(), 1u);
    EXPECT_EQ(replaced, 2);
    EXPECT_EQ(app.recentFiles().entries(), (std::vector<std::string>{b, a}));
}

TEST(Document, AFileThatIsMissingOrDamagedLeavesTheScheduleAsItWas)
{
    test::TempDir dir;
    const std::string a = writeSchool(dir, "a.qtf", 2);
    Application app;
    Document doc(app);
    ASSERT_TRUE(doc.open(a).ok());
    DataSet* before = &doc.dataSet();

    FileResult missing = doc.open(dir.file("gone.qtf"));
    EXPECT_EQ(missing.status, FileStatus::CannotOpen);
    const std::string damagedPath = dir.file("bad.qtf");
    test::writeFile(damagedPath, std::string("\xff\xff\xff\xff", 4));
    FileResult damaged = doc.open(damagedPath);
    EXPECT_EQ(damaged.status, FileStatus::Damaged);

    EXPECT_EQ(&doc.dataSet(), before);
    EXPECT_EQ(doc.dataSet().grades.size(), 2u);
    EXPECT_EQ(doc.path(), a);
    EXPECT_EQ(app.recentFiles().size(), 1);
    EXPECT_NE(openFailureMessage(dir.file("gone.qtf"), missing).find("gone.qtf"), std::string::npos);
    EXPECT_NE(openFailureMessage(damagedPath, damaged).find("损坏"), std::string::npos);
}

TEST(Document, SavingANewScheduleGoesThroughSaveAsThenSavesInPlace)
{
    test::TempDir dir;
    Application app;
    Document doc(app);
    doc.newSchedule();
    doc.dataSet().setGradeCount(1);

    EXPECT_EQ(doc.save().step, Document::SaveStep::NeedsSaveAs);
    const std::string target = dir.file("new.qtf");
    EXPECT_EQ(doc.saveAs(target).step, Document::SaveStep::Saved);
    EXPECT_EQ(doc.path(), target);
    EXPECT_EQ(app.recentFiles().entries().front(), target);
    // The saved school counts as read: automatic scheduling needs no reopening.
    EXPECT_TRUE(app.loadedFromFile);

    int takeOvers = 0;
    doc.dataSet().setGradeCount(3);
    EXPECT_EQ(doc.save([&](DataSet&) { ++takeOvers; }).step, Document::SaveStep::Saved);
    EXPECT_EQ(takeOvers, 1);
    DataSet check;
    ASSERT_TRUE(loadDataFile(check, target).ok());
    EXPECT_EQ(check.grades.size(), 3u);
}

TEST(Document, AFailedSaveKeepsThePathAndReportsTheFile)
{
    test::TempDir dir;
    Application app;
    Document doc(app);
    doc.newSchedule();
    const std::string target = dir.file("no-such-folder/x.qtf");
    auto outcome = doc.saveAs(target);
    EXPECT_EQ(outcome.step, Document::SaveStep::Failed);
    EXPECT_TRUE(doc.isNewFile());
    EXPECT_EQ(app.recentFiles().size(), 0);
    EXPECT_NE(saveFailureMessage(target, outcome.result).find(target), std::string::npos);

    Document empty(app);
    EXPECT_EQ(empty.save().step, Document::SaveStep::NothingToSave);
}

TEST(Document, TheTitleMarksUnsavedChangesAndFailuresSayWhyOnce)
{
    Application app;
    Document doc(app);
    doc.newSchedule();
    EXPECT_FALSE(doc.isModified());
    doc.undoStack().push("x", [](DataSet& ds) { return ds.appendGrade() > 0; });
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.windowTitle(), std::string(Application::productName()) + " 文件: 新文件 *");
    doc.undoStack().undo();
    EXPECT_FALSE(doc.isModified());

    test::TempDir dir;
    // A text file given the data file's name: no raw counts, the path once.
    const std::string text = dir.file("notes.qtf");
    test::writeFile(text, "this is not a schedule, just some text\n");
    const FileResult bad = doc.open(text);
    ASSERT_EQ(bad.status, FileStatus::Damaged);
    const std::string m = openFailureMessage(text, bad);
    EXPECT_NE(m.find("不是排课数据文件"), std::string::npos) << m;
    EXPECT_EQ(m.find("偏移"), std::string::npos) << m;
    EXPECT_EQ(m.find(bad.message), std::string::npos) << m;
    EXPECT_EQ(m.find(text), m.rfind(text)) << m;
    const std::string gone = dir.file("gone.qtf");
    const std::string g = openFailureMessage(gone, doc.open(gone));
    EXPECT_EQ(g.find(gone), g.rfind(gone)) << g;
    EXPECT_NE(g.find("文件或文件夹不存在"), std::string::npos) << g;
}

TEST(Document, ANewScheduleAfterAnOpenedFileCountsAsNotRead)
{
    test::TempDir dir;
    const std::string a = writeSchool(dir, "a.qtf", 1);
    Application app;
    Document doc(app);
    ASSERT_TRUE(doc.open(a).ok());
    ASSERT_TRUE(app.loadedFromFile);
    doc.newSchedule();
    EXPECT_FALSE(app.loadedFromFile);
    EXPECT_EQ(doc.folder(), "");
}
