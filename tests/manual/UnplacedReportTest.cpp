// The lines of the unplaced-lesson report box.
#include <gtest/gtest.h>

#include "data/DataSet.h"
#include "manual/UnplacedReport.h"
#include "support/TestSupport.h"

using namespace tabrel;
using tabrel::test::G;

namespace {

std::unique_ptr<DataSet> oneClass(int subjects)
{
    auto ds = std::make_unique<DataSet>();
    ds->applyNewDocumentDefaults();
    ds->requirementTexts.clear();
    ds->setGradeCount(1);
    ds->gradeNames[0] = G("初一");
    ds->setClassCount(0, 1);
    ds->renameClasses("(", ")");
    ClassTable& c = *ds->classAt(0, 0);
    for (int i = 0; i < subjects; ++i)
        c.UpdateAssignmentFromLessonText(G("科") + std::to_string(i), std::to_string(30 - i));
    return ds;
}

} // namespace

TEST(UnplacedReport, ClassViewListsLabelledCandidatesAndTheClosingLine)
{
    auto ds = oneClass(3);
    ClassTable& c = *ds->classAt(0, 0);
    const auto lines = report::classViewLines(c, c.cells[0][0]);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], G("===未排情况如下:==="));
    EXPECT_EQ(lines[1], "1. " + G("科0(剩30节)√"));
    EXPECT_EQ(lines[3], "3. " + G("科2(剩28节)√"));
    EXPECT_EQ(lines[4], G("◆按 1--3 安排对应课程◆"));
}

TEST(UnplacedReport, LabelsRunOutAfterTheTwentieth)
{
    auto eleven = oneClass(11);
    auto lines = report::classViewLines(*eleven->classAt(0, 0), eleven->classAt(0, 0)->cells[0][0]);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[11].substr(0, 3), "q. ");
    EXPECT_EQ(lines[12], G("◆按 1--q 安排对应课程◆"));

    auto many = oneClass(22);
    lines = report::classViewLines(*many->classAt(0, 0), many->classAt(0, 0)->cells[0][0]);
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[20].substr(0, 3), "p. ");
    EXPECT_EQ(lines[21], G("科20(剩10节)√")); // no label
    EXPECT_EQ(lines[23], G("◆按 1--p 安排对应课程◆"));
}

TEST(UnplacedReport, ClassViewOverOtherCells)
{
    auto ds = oneClass(0);
    ClassTable& c = *ds->classAt(0, 0);
    // every subject placed: the heading and an empty closing line
    auto lines = report::classViewLines(c, c.cells[0][0]);
    EXPECT_EQ(lines, (std::vector<std::string>{G("===未排情况如下:==="), ""}));
    // a common period: nothing
    c.commonPeriods[1][0] = G("自习");
    EXPECT_TRUE(report::classViewLines(c, c.cells[1][0]).empty());
    // a lesson: its subject and teacher, when the teacher has a record
    c.UpdateAssignmentFromLessonText(G("语文"), "5");
    c.FindAssignment(G("语文"))->teacher = G("张三");
    c.setCellSubject(c.cells[2][0], G("语文"));
    EXPECT_TRUE(report::classViewLines(c, c.cells[2][0]).empty());
    ds->appendTeacher();
    ds->teachers.back()->name = G("张三");
    EXPECT_EQ(report::classViewLines(c, c.cells[2][0]), std::vector<std::string>{G("语文 [ 张三 ]")});
}

TEST(UnplacedReport, TeacherViewListsTheSlotsCandidates)
{
    auto ds = oneClass(0);
    ds->setClassCount(0, 2);
    ds->renameClasses("(", ")");
    ds->appendTeacher();
    TeacherInfoRecord& t = *ds->teachers.back();
    t.name = G("张三");
    for (int j = 0; j < 2; ++j) {
        ClassTable& c = *ds->classAt(0, j);
        c.UpdateAssignmentFromLessonText(G("语文"), "3");
        c.FindAssignment(G("语文"))->teacher = G("张三");
    }
    ds->syncTeacherAssignments();
    ClassTable& second = *ds->classAt(0, 1);
    second.setCellSubject(second.cells[0][0], G("语文"));
    ds->relinkCell(second.cells[0][0]);
    for (int j = 0; j < 2; ++j)
        ds->classAt(0, j)->RecountPlaced();
    const auto list = report::teacherSlotCandidates(t, 1, 0);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], G("初一(1)语文 [ 剩3节 ]"));
    EXPECT_EQ(list[1], G("初一(2)语文 [ 剩2节 ]"));
    EXPECT_EQ(report::teacherSlotCandidates(t, 0, 0).size(), 1u); // class 2's cell is taken
    const auto lines = report::teacherViewLines(list);
    EXPECT_EQ(lines, (std::vector<std::string>{G("===未排情况如下:==="), "1. " + list[0], "2. " + list[1]}));
    EXPECT_TRUE(report::teacherViewLines({}).empty());
}
