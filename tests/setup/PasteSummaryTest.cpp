// What the teacher grid's and the assignment matrix's block pastes take and leave: rows that would
// make a teacher without a name, numbers that fit no int, pairs without a course, and names or
// subjects without a record, all told in one message.
#include <gtest/gtest.h>

#include "scheduling/SchedulingFixture.h"
#include "setup/KmGrid.h"
#include "setup/PasteSummary.h"
#include "setup/SubjectQuickImport.h"
#include "setup/TeacherClassMatch.h"
#include "setup/TeacherInfoGrid.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

// One class with 语文 and 数学 (数学 without lessons: no course), teacher 张三.
std::unique_ptr<DataSet> school()
{
    auto ds = smallSchool(1);
    for (const char* s : {"语文", "数学"})
        ds->findOrAppendSubject(G(s));
    plan(*ds->classAt(0, 0), "语文", 5, G("张三"));
    addTeacher(*ds, "张三");
    return ds;
}

std::string teachers(const DataSet& ds)
{
    std::string out;
    for (const auto& t : ds.teachers)
        out += U(t->name) + "/" + U(t->taughtSubjects) + "/" + std::to_string(t->workload) + ";";
    return out;
}

} // namespace

TEST(PasteSummary, RowsAndCellsLeftAreToldWithWhatWasTaken)
{
    struct Case {
        const char* what;
        bool matrix; // the assignment matrix, else the teacher grid
        int row, column;
        const char* text;
        const char* stored;  // teachers(), or the matrix's 语文 teacher
        const char* message; // "" when nothing is worth telling
    } cases[] = {
        {"valid rows are taken without a word", false, 1, 1, "李四\t四\t语文\t12\n", "张三//0;李四/语文/12;", ""},
        {"nameless rows with text make no teacher and later rows move up", false, 1, 1,
         "\t甲\n王五\n\t\t\t3\n赵六\n\n", "张三//0;王五//0;赵六//0;//0;",
         "已粘贴3个格子，新添3位教师。\n以下内容没有粘贴：\n第1行：没有教师名称，没有添加教师\n"
         "第3行：没有教师名称，没有添加教师"},
        {"from 简称 no appended row has a name", false, 1, 2, "四\n", "张三//0;",
         "已粘贴0个格子。\n以下内容没有粘贴：\n第1行：没有教师名称，没有添加教师"},
        {"an existing row may keep an empty name", false, 0, 1, "\t三\n", "//0;", ""},
        {"a workload that fits no int is left, the rest of the row taken", false, 0, 1,
         "张三\t\t\t99999999999999999999\n", "张三//0;",
         "已粘贴3个格子。\n以下内容没有粘贴：\n第1行的工作量“99999999999999999999”：数字太大，没有填入"},
        {"the largest int fits", false, 0, 4, "2147483647\n", "张三//2147483647;", ""},
        {"a subject not in the list is taken and marked", false, 0, 3, "abc\n", "张三/abc/0;",
         "已粘贴1个格子。\n任教学科“abc”不在科目列表中，已标为红色。"},
        {"matrix: names without a record are taken and named", true, 0, 0, "王五\n", "王五",
         "已粘贴1个格子。\n教师信息中还没有这些教师（已标为红色，返回时会询问是否添加）：王五"},
        {"matrix: a pair without a course and cells past the lists are told", true, 0, 0, "张三\t李四\t多余\n赵六\n",
         "张三",
         "已粘贴1个格子。\n以下内容没有粘贴：\n第1行：初一(1)没有课程“数学”，这些格子没有填入\n"
         "最后1行：超出了班级列表，没有填入\n1个格子：超出了科目列表，没有填入"},
    };
    for (const Case& c : cases) {
        auto ds = school();
        PasteSummary summary;
        std::string stored;
        if (c.matrix) {
            TeacherClassMatch::pasteAt(*ds, c.row, c.column, G(c.text), &summary);
            stored = U(TeacherClassMatch::assignmentTeacherAt(*ds, 0, 0));
            EXPECT_EQ(TeacherClassMatch::teacherUnregistered(*ds, 0, 0), stored != "张三") << c.what;
        } else {
            TeacherInfoGrid::pasteAt(*ds, c.row, c.column, G(c.text), &summary);
            stored = teachers(*ds);
        }
        EXPECT_EQ(stored, c.stored) << c.what;
        EXPECT_EQ(summary.worthTelling() ? U(summary.message(G("位教师"))) : std::string(), c.message) << c.what;
    }
    // An edit refuses what a paste leaves, and a teacher list marks a subject it does not know.
    auto ds = school();
    EXPECT_FALSE(TeacherInfoGrid::writeCell(*ds, 0, 4, "-2147483649"));
    EXPECT_TRUE(TeacherInfoGrid::writeCell(*ds, 0, 4, "-2147483648"));
    EXPECT_NE(TeacherInfoGrid::editRefusal(4, "3000000000"), "");
    EXPECT_TRUE(TeacherInfoGrid::writeCell(*ds, 0, 3, G("体育")));
    EXPECT_TRUE(TeacherInfoGrid::cellMarked(*ds, 0, 3));
    // "返回" from the matrix names each missing teacher once, in the order it adds them.
    TeacherClassMatch::setAssignmentTeacher(*ds, 0, 0, G("王五"));
    EXPECT_EQ(TeacherClassMatch::missingTeacherNames(*ds), std::vector<std::string>{G("王五")});
    EXPECT_NE(U(TeacherClassMatch::addTeachersQuestion(*ds)).find("王五"), std::string::npos);

    // The quick import refuses a lesson count that fits no int instead of storing 2147483647, and
    // leaving the subjects panel drops the subjects "添加科目" left without a name.
    SubjectQuickImport import(*ds);
    import.clear();
    import.paste(1, 1, G("语文\t6\n数学\t99999999999999999999\n"));
    EXPECT_NE(import.numberRefusal(), "");
    EXPECT_FALSE(import.accept(*ds));
    EXPECT_EQ(ds->subjects.size(), 2u);
    ds->appendSubject();
    EXPECT_EQ(U(KmGrid::unnamedSubjectsQuestion(*ds)).rfind("第3行", 0), 0u);
    EXPECT_TRUE(KmGrid::dropUnnamedSubjects(*ds));
    EXPECT_EQ(ds->subjects.size(), 2u);
    EXPECT_EQ(KmGrid::unnamedSubjectsQuestion(*ds), "");
}
