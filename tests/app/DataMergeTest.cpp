// "合并数据": grades, classes, lesson counts and new teachers of a second schedule.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/DataMerge.h"
#include "data/DataFile.h"
#include "data/DataSet.h"
#include "support/TestSupport.h"

using namespace tabrel;
using tabrel::test::G;
using tabrel::test::U;

namespace {

std::unique_ptr<DataSet> school(std::vector<const char*> grades, int days = 5)
{
    auto ds = std::make_unique<DataSet>();
    ds->morningCount = 4;
    ds->afternoonCount = 3;
    const char* names[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
    for (int d = 0; d < days; ++d)
        ds->dayNames.push_back(G(names[d]));
    ds->setGradeCount(static_cast<int>(grades.size()));
    for (std::size_t g = 0; g < grades.size(); ++g) {
        ds->gradeNames[g] = G(grades[g]);
        ds->setClassCount(static_cast<int>(g), 2);
    }
    ds->renameClasses("", G("班"));
    return ds;
}

TeacherInfoRecord& teacher(DataSet& ds, const char* name)
{
    ds.appendTeacher();
    ds.teachers.back()->name = G(name);
    return *ds.teachers.back();
}

Subject& subject(DataSet& ds, const char* name)
{
    return *ds.subjects[ds.findOrAppendSubject(G(name))];
}

} // namespace

TEST(DataMerge, GradesClassesLessonTextsAndNewTeachersAreAppended)
{
    auto a = school({"初一", "初二", "初三"});
    auto b = school({"七", "八"});
    subject(*a, "语文").gradeLessons[0] = "6";
    teacher(*a, "张三").remark = G("原有");
    Subject& bChinese = subject(*b, "语文");
    bChinese.gradeLessons = {"5", "4"};
    bChinese.sameSubjectLimit = 2;
    subject(*b, "历史").gradeLessons = {"2", "3"};
    TeacherInfoRecord& bZhang = teacher(*b, "张三");
    bZhang.remark = G("来自第二个文件");
    teacher(*b, "李四");
    ClassTable& seven1 = *b->classAt(0, 0);
    seven1.cells[0][0].subject = G("语文");
    seven1.cells[0][0].teacher = G("张三");
    seven1.cells[1][2].subject = G("历史");
    seven1.cells[1][2].teacher = G("李四");
    seven1.appendAssignment()->subject = G("语文");
    b->relinkTeacherCells(); // B's teachers hold pointers into its classes, as after loading

    MergeResult r = mergeDataSet(*a, *b);
    ASSERT_TRUE(r.merged()) << r.message;

    ASSERT_EQ(a->grades.size(), 5u);
    ASSERT_EQ(a->gradeNames.size(), 5u);
    EXPECT_EQ(U(a->gradeNames[3]), "七");
    EXPECT_EQ(U(a->gradeNames[4]), "八");
    ClassTable* merged = a->classAt(3, 0);
    ASSERT_NE(merged, nullptr);
    EXPECT_EQ(U(merged->name), "七1班");
    EXPECT_EQ(U(merged->cells[1][2].subject), "历史");
    EXPECT_EQ(merged->assignments.size(), 1u);
    EXPECT_EQ(a->classCount(4), 2);

    // 语文 existed: the file's texts fill the fourth and fifth grade; the others stay.
    Subject& chinese = *a->subjects[0];
    EXPECT_EQ(chinese.gradeLessons[0], "6");
    EXPECT_EQ(chinese.gradeLessons[3], "5");
    EXPECT_EQ(chinese.gradeLessons[4], "4");
    EXPECT_EQ(chinese.gradeLessons[5], "");
    EXPECT_EQ(chinese.sameSubjectLimit, 2);
    // 历史 is new: appended, with its texts at the new positions only.
    ASSERT_EQ(a->subjects.size(), 2u);
    EXPECT_EQ(U(a->subjects[1]->name), "历史");
    EXPECT_EQ(a->subjects[1]->gradeLessons[0], "");
    EXPECT_EQ(a->subjects[1]->gradeLessons[3], "2");

    // 张三 existed and keeps A's record; 李四 is new.
    ASSERT_EQ(a->teachers.size(), 2u);
    EXPECT_EQ(U(a->teachers[0]->remark), "原有");
    EXPECT_EQ(U(a->teachers[1]->name), "李四");

    // Relinked: the merged class's cells belong to A's teachers of those names.
    ASSERT_EQ(a->teachers[0]->lessons.size(), 1u);
    EXPECT_EQ(a->teachers[0]->lessons[0], &merged->cells[0][0]);
    EXPECT_EQ(U(a->teachers[0]->slotGradeText[0][0]), "七");
    EXPECT_EQ(U(a->teachers[1]->slotSubject[1][2]), "历史");
}

TEST(DataMerge, NothingOfTheSecondScheduleIsLeftPointingBack)
{
    auto a = school({"初一"});
    auto b = school({"初二"});
    teacher(*b, "王五");
    b->classAt(0, 1)->cells[3][4].subject = G("数学");
    b->classAt(0, 1)->cells[3][4].teacher = G("王五");
    b->relinkTeacherCells();
    ASSERT_TRUE(mergeDataSet(*a, *b).merged());
    b.reset();

    for (const auto& g : a->grades) {
        EXPECT_EQ(g->dataSet, a.get());
        for (const auto& c : g->classes) {
            EXPECT_EQ(c->dataSet, a.get());
            EXPECT_EQ(c->grade, g.get());
        }
    }
    ASSERT_EQ(a->teachers.size(), 1u);
    TeacherInfoRecord& t = *a->teachers[0];
    EXPECT_EQ(t.dataSet, a.get());
    ASSERT_EQ(t.lessons.size(), 1u);
    EXPECT_EQ(t.lessons[0], &a->classAt(1, 1)->cells[3][4]);
    EXPECT_EQ(t.countPlacedSlots(), 1);
    // Later lookups run against A: the merged teacher is busy in A's own class list.
    EXPECT_EQ(a->teacherBusyElsewhere(G("王五"), 4, 3, a->classAt(0, 0)), 1);
}

TEST(DataMerge, DifferentTimeGridsAndTooManyGradesAreRefusedUnchanged)
{
    auto a = school({"初一"}, 6);
    auto fiveDays = school({"初二"}, 5);
    MergeResult r = mergeDataSet(*a, *fiveDays);
    EXPECT_EQ(r.status, MergeStatus::GridDiffers);
    EXPECT_FALSE(r.message.empty());
    EXPECT_EQ(a->grades.size(), 1u);
    EXPECT_EQ(fiveDays->grades.size(), 1u);

    auto otherPeriods = school({"初二"}, 6);
    otherPeriods->eveningCount = 1;
    EXPECT_EQ(mergeDataSet(*a, *otherPeriods).status, MergeStatus::GridDiffers);

    auto many = school({"1", "2", "3", "4", "5", "6", "7"}, 6);
    auto more = school({"8", "9", "10", "11", "12", "13"}, 6);
    subject(*more, "语文").gradeLessons[0] = "5";
    EXPECT_FALSE(r.needsMessageBox());
    r = mergeDataSet(*many, *more);
    EXPECT_EQ(r.status, MergeStatus::TooManyGrades);
    EXPECT_TRUE(r.needsMessageBox());
    EXPECT_NE(r.message.find("12"), std::string::npos);
    EXPECT_EQ(many->grades.size(), 7u);
    EXPECT_TRUE(many->subjects.empty());

    // Exactly twelve is allowed.
    auto five = school({"8", "9", "10", "11", "12"}, 6);
    subject(*five, "语文").gradeLessons[4] = "3";
    ASSERT_TRUE(mergeDataSet(*many, *five).merged());
    EXPECT_EQ(many->grades.size(), 12u);
    EXPECT_EQ(many->subjects[0]->gradeLessons[11], "3");
}

TEST(DataMerge, FileIsReadWithoutItsSidecar)
{
    test::TempDir dir;
    auto b = school({"七"});
    teacher(*b, "王五");
    b->classAt(0, 0)->cells[0][0].subject = G("语文");
    b->classAt(0, 0)->cells[0][0].teacher = G("王五");
    ASSERT_TRUE(saveDataFile(*b, dir.file("b.qtf")).ok());
    test::writeFile(dir.path() / "b.rep", G("王五-赵六\n"));
    DataSet opened; // opening the file renames the teacher through its sidecar
    ASSERT_TRUE(loadDataFile(opened, dir.file("b.qtf")).ok());
    ASSERT_EQ(U(opened.teachers.at(0)->name), "赵六");

    auto a = school({"初一"});
    MergeResult r = mergeDataFile(*a, dir.file("b.qtf"));
    ASSERT_TRUE(r.merged()) << r.message;
    ASSERT_EQ(a->teachers.size(), 1u);
    EXPECT_EQ(U(a->teachers[0]->name), "王五");
    EXPECT_EQ(U(a->classAt(1, 0)->cells[0][0].teacher), "王五");
    EXPECT_EQ(a->teachers[0]->lessons.size(), 1u);

    const MergeResult missing = mergeDataFile(*a, dir.file("missing.qtf"));
    EXPECT_EQ(missing.status, MergeStatus::CannotOpen);
    EXPECT_FALSE(missing.needsMessageBox());
    test::writeFile(dir.path() / "bad.qtf", std::string("\xff\xff\xff\xff", 4));
    const MergeResult bad = mergeDataFile(*a, dir.file("bad.qtf"));
    EXPECT_EQ(bad.status, MergeStatus::Damaged);
    EXPECT_TRUE(bad.needsMessageBox());
    EXPECT_EQ(a->grades.size(), 2u);
}

TEST(DataMerge, FileIsReadInPlaceWhateverTheTemporaryFolderAndAnUnreachablePathIsRefused)
{
    test::TempDir dir;
    auto b = school({"七"});
    ASSERT_TRUE(saveDataFile(*b, dir.file("b.qtf")).ok());
    auto a = school({"初一"});

    // No temporary folder is needed to read the second file.
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    setenv("TMPDIR", dir.file("no-such-folder").c_str(), 1);
    MergeResult r;
    EXPECT_NO_THROW(r = mergeDataFile(*a, dir.file("b.qtf")));
    if (old)
        setenv("TMPDIR", saved.c_str(), 1);
    else
        unsetenv("TMPDIR");
    EXPECT_TRUE(r.merged()) << r.message;
    EXPECT_EQ(a->grades.size(), 2u);

    // A path that cannot even be looked at is a file that cannot be opened, not an exception.
    std::filesystem::create_symlink("loop.qtf", dir.path() / "loop.qtf");
    EXPECT_NO_THROW(r = mergeDataFile(*a, dir.file("loop.qtf")));
    EXPECT_EQ(r.status, MergeStatus::CannotOpen);
    EXPECT_EQ(a->grades.size(), 2u);
}
