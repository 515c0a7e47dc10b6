// The assignment matrix: reading and writing by class and subject, the whole-table copy, the block
// paste, clearing, the teacher list's load text and scrolling, and the mouse (click, second click,
// drag and drop, drop on a pair without an assignment).
#include <gtest/gtest.h>

#include "scheduling/SchedulingFixture.h"
#include "scheduling/TeacherAssignment.h"
#include "setup/TeacherClassMatch.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

// Two classes; 语文 and 数学 in both, 英语 without lessons in the grade.
std::unique_ptr<DataSet> school()
{
    auto ds = smallSchool(2);
    for (const char* s : {"语文", "数学", "英语"})
        ds->findOrAppendSubject(G(s));
    plan(*ds->classAt(0, 0), "语文", 5, G("张三"));
    plan(*ds->classAt(0, 0), "数学", 5, G("李四"));
    plan(*ds->classAt(0, 1), "语文", 5, G("张三"));
    plan(*ds->classAt(0, 1), "数学", 6);
    addTeacher(*ds, "张三");
    addTeacher(*ds, "李四");
    return ds;
}

std::string matrix(const DataSet& ds)
{
    std::string s;
    for (int i = 0; i < TeacherClassMatch::classCount(ds); ++i) {
        for (int j = 0; j < static_cast<int>(ds.subjects.size()); ++j)
            s += U(TeacherClassMatch::assignmentTeacherAt(ds, i, j)) + "|";
        s += ";";
    }
    return s;
}

// The centre of a matrix screen cell.
void centre(const TeacherClassMatch::Layout& l, int r, int c, int& x, int& y)
{
    const Rect rect = TeacherClassMatch::matrixCellRect(l, r, c);
    x = (rect.left + rect.right) / 2;
    y = (rect.top + rect.bottom) / 2;
}

} // namespace

TEST(TeacherClassMatch, CopyPasteAndClearAddressEverySubject)
{
    auto ds = school();
    EXPECT_EQ(U(TeacherClassMatch::wholeTableText(*ds)),
              "班级\t语文\t数学\t英语\n初一(1)\t张三\t李四\t \n初一(2)\t张三\t \t \n");
    struct Case {
        const char* what;
        int row, column;
        const char* text;
        const char* expected;
    } cases[] = {
        {"a block of names pastes in place", 0, 0, "王五\t赵六\r\n钱七\t孙八\r\n", "王五|赵六||;钱七|孙八||;"},
        {"an empty field clears, pairs without an assignment are skipped", 0, 1, "\t英\n", "张三|||;张三|||;"},
        {"an empty line clears the start column", 0, 0, "\n王五\n", "|李四||;王五|||;"},
        {"lines past the last class are dropped", 1, 0, "王五\n赵六\n", "张三|李四||;王五|||;"},
        {"the whole copy pasted back shifts by header and class column", 0, 0,
         "班级\t语文\t数学\t英语\n初一(1)\t张三\t李四\t \n", "班级|语文||;初一(1)|张三||;"},
    };
    for (const Case& c : cases) {
        auto d = school();
        TeacherClassMatch::pasteAt(*d, c.row, c.column, G(c.text));
        EXPECT_EQ(matrix(*d), c.expected) << c.what;
    }
    EXPECT_FALSE(TeacherClassMatch::setAssignmentTeacher(*ds, 0, 2, G("王五"))) << "no 英语 lessons";
    EXPECT_FALSE(TeacherClassMatch::setAssignmentTeacher(*ds, 2, 0, G("王五")));
    EXPECT_TRUE(TeacherClassMatch::clearAll(*ds));
    EXPECT_EQ(matrix(*ds), "|||;|||;");
    EXPECT_FALSE(TeacherClassMatch::clearAll(*ds));

    // 25 subjects: the copy writes all of them and a paste at the first reaches the 25th.
    auto wide = smallSchool(1);
    std::string block;
    for (int j = 0; j < 25; ++j) {
        const std::string name = "S" + std::to_string(j);
        wide->findOrAppendSubject(name);
        wide->classAt(0, 0)->UpdateAssignmentFromLessonText(name, "1");
        block += "T" + std::to_string(j) + "\t";
    }
    TeacherClassMatch::pasteAt(*wide, 0, 0, block);
    EXPECT_EQ(TeacherClassMatch::assignmentTeacherAt(*wide, 0, 24), "T24");
    const std::string copy = TeacherClassMatch::wholeTableText(*wide);
    EXPECT_NE(copy.find("\tS24\n"), std::string::npos);
    EXPECT_NE(copy.find("\tT24\n"), std::string::npos);
    // The matrix scrolls sideways to the last subjects.
    TeacherClassMatch m;
    m.scrollSubjectsTo(*wide, 100);
    EXPECT_EQ(m.firstSubject(), 25 - TeacherClassMatch::ShownSubjects);
}

TEST(TeacherClassMatch, TeacherListShowsWorkloadAndAssignedPeriods)
{
    auto ds = school();
    ds->teachers[0]->workload = 16;
    ComputeAssignedPeriods(*ds);
    EXPECT_EQ(TeacherClassMatch::teacherInfo(*ds->teachers[0]), "16-10");
    addTeacher(*ds, "王五");
    EXPECT_EQ(TeacherClassMatch::teacherInfo(*ds->teachers[2]), "0");
    // The strip: arrows by one, beside the thumb by 24, never past count - 24.
    for (int i = 0; i < 40; ++i)
        addTeacher(*ds, "甲");
    TeacherClassMatch m;
    auto l = m.layout(1000, 500, 43);
    auto press = [&](const Rect& r) { m.leftDown(*ds, l, r.left + 2, (r.top + r.bottom) / 2); l = m.layout(1000, 500, 43); };
    press(l.stripDown);
    EXPECT_EQ(m.firstTeacher(), 1);
    press({l.strip.left, l.thumb.bottom, l.strip.right, l.thumb.bottom + 2});
    EXPECT_EQ(m.firstTeacher(), 19);
    press(l.stripUp);
    EXPECT_EQ(m.firstTeacher(), 18);
}

// A class whose plan holds more lessons than its week's free slots (common periods taken off) says so
// on its name; a class that fits says nothing.
TEST(TeacherClassMatch, AClassPlannedBeyondItsWeekIsNamed)
{
    auto ds = school(); // 7 periods × 5 days = 35 slots
    ds->classAt(0, 1)->commonPeriods[0][0] = G("升旗");
    ds->classAt(0, 1)->FindAssignment(G("数学"))->weeklyLessons = 2147483647;
    plan(*ds->classAt(0, 0), "英语", 25);
    EXPECT_EQ(U(TeacherClassMatch::planOverWeekText(*ds, 0)), "");
    EXPECT_EQ(U(TeacherClassMatch::planOverWeekText(*ds, 1)),
              "本班每周共2147483652节课，可排课时只有34节：多出的2147483618节无法排入课表");
    TeacherClassMatch m;
    const auto l = m.layout(1000, 500, 2);
    int x = 0, y = 0;
    centre(l, 2, 0, x, y);
    EXPECT_EQ(m.tipAt(*ds, l, x, y), TeacherClassMatch::planOverWeekText(*ds, 1));
    centre(l, 2, 1, x, y);
    EXPECT_EQ(m.tipAt(*ds, l, x, y), "");
}

TEST(TeacherClassMatch, ClickHighlightsSecondClickEditsAndDropsCopyNames)
{
    auto ds = school();
    TeacherClassMatch m;
    const auto l = m.layout(1000, 500, 2);
    using O = TeacherClassMatch::Outcome;
    int x = 0, y = 0;
    centre(l, 1, 1, x, y); // 初一(1) 语文, 张三
    m.leftDown(*ds, l, x, y);
    EXPECT_EQ(m.leftUp(*ds, l, x, y).outcome, O::Redraw);
    EXPECT_EQ(m.selectedClass(), 0);
    EXPECT_EQ(U(m.highlightName()), "张三");
    m.leftDown(*ds, l, x, y);
    EXPECT_TRUE(m.armed());
    EXPECT_EQ(m.leftUp(*ds, l, x, y).outcome, O::OpenEditor);
    EXPECT_TRUE(m.commitEdit(*ds, G("新人")));
    EXPECT_EQ(U(TeacherClassMatch::assignmentTeacherAt(*ds, 0, 0)), "新人");

    // Drag the cell's name onto 初一(2) 数学: copied, the source keeps it, the highlight follows.
    m.leftDown(*ds, l, x, y);
    int tx = 0, ty = 0;
    centre(l, 2, 2, tx, ty);
    EXPECT_EQ(m.mouseMove(x + 1, y + 1, true).outcome, O::None) << "closer than 3 pixels";
    EXPECT_EQ(m.mouseMove(tx, ty, true).outcome, O::Redraw);
    EXPECT_TRUE(m.dragging());
    auto drop = m.leftUp(*ds, l, tx, ty);
    ASSERT_EQ(drop.outcome, O::Drop);
    EXPECT_EQ(drop.classIndex, 1);
    EXPECT_EQ(drop.subjectIndex, 1);
    EXPECT_EQ(U(drop.text), "新人");
    EXPECT_FALSE(m.hasSelection());
    EXPECT_EQ(m.dragText(), "");

    // A name from the teacher list dropped on 英语 (no assignment): nothing is written, the
    // highlight moves all the same.
    const Rect row = TeacherClassMatch::listRowRect(l, 1);
    m.leftDown(*ds, l, row.left + 3, row.top + 3);
    EXPECT_EQ(U(m.dragSource()), "left[1,0]李四");
    EXPECT_EQ(m.dragMode(), "copy");
    centre(l, 1, 3, tx, ty);
    drop = m.leftUp(*ds, l, tx, ty);
    ASSERT_EQ(drop.outcome, O::Drop);
    EXPECT_FALSE(TeacherClassMatch::setAssignmentTeacher(*ds, drop.classIndex, drop.subjectIndex, drop.text));
    EXPECT_EQ(U(m.highlightName()), "李四");
    // Dropped near a cell's edge: nothing.
    m.leftDown(*ds, l, row.left + 3, row.top + 3);
    const Rect target = TeacherClassMatch::matrixCellRect(l, 2, 1);
    EXPECT_EQ(m.leftUp(*ds, l, target.left + 2, target.top + 2).outcome, O::Redraw);
    // Released outside every cell: the drag ends, nothing else.
    m.leftDown(*ds, l, row.left + 3, row.top + 3);
    m.leftUp(*ds, l, 999, 499);
    EXPECT_EQ(m.dragText(), "");
    // A right click selects and asks for the menu; "清除单元格" clears the pair.
    centre(l, 1, 2, x, y);
    EXPECT_EQ(m.rightDown(*ds, l, x, y).outcome, O::ContextMenu);
    EXPECT_TRUE(m.clearSelected(*ds));
    EXPECT_EQ(TeacherClassMatch::assignmentTeacherAt(*ds, 0, 1), "");
}
