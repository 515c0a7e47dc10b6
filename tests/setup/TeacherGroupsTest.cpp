// Teacher groups: the default table, the group dialog's double clicks and buttons, and the group
// names dialog.
#include <gtest/gtest.h>

#include "scheduling/SchedulingFixture.h"
#include "setup/TeacherGroups.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {
std::string joined(const std::vector<std::string>& v)
{
    std::string s;
    for (const auto& t : v)
        s += U(t) + ";";
    return s;
}
} // namespace

TEST(TeacherGroups, DefaultTableAndMemberLists)
{
    auto ds = smallSchool(1);
    ASSERT_TRUE(TeacherGroups::ensureDefaultTable(*ds));
    const DataTable& t = ds->teacherGroupTable;
    EXPECT_EQ(t.rowCount(), 201);
    EXPECT_EQ(t.columnCount(), 6);
    EXPECT_EQ(U(t.cell(0, 0)) + U(t.cell(0, 1)), "分组名行政人员");
    EXPECT_EQ(U(t.cell(1, 0)) + U(t.cell(9, 0)) + U(t.cell(10, 0)) + U(t.cell(200, 0)), "教师01教师09教师10教师200");
    EXPECT_EQ(joined(TeacherGroups::groupNames(t)), "行政人员;");
    EXPECT_FALSE(TeacherGroups::ensureDefaultTable(*ds));

    const int g = TeacherGroups::groupColumn(t, G("行政人员"));
    ASSERT_EQ(g, 1);
    // The same teacher twice is listed twice; removing the first member moves the others up.
    for (const char* n : {"张三", "张三", "李四"})
        TeacherGroups::addMember(*ds, g, G(n));
    EXPECT_EQ(joined(TeacherGroups::members(t, g)), "张三;张三;李四;");
    EXPECT_TRUE(TeacherGroups::removeMember(*ds, g, 0));
    EXPECT_EQ(joined(TeacherGroups::members(t, g)), "张三;李四;");
    EXPECT_FALSE(TeacherGroups::removeMember(*ds, g, 5));
    // "全选入组" skips members; "全清本组" empties the group.
    TeacherGroups::addMembers(*ds, g, {G("李四"), G("王五")});
    EXPECT_EQ(joined(TeacherGroups::members(t, g)), "张三;李四;王五;");
    EXPECT_TRUE(TeacherGroups::inAnyGroup(t, G("王五")));
    EXPECT_TRUE(TeacherGroups::clearMembers(*ds, g));
    EXPECT_EQ(joined(TeacherGroups::members(t, g)), "");
    EXPECT_FALSE(TeacherGroups::inAnyGroup(t, G("王五")));
    EXPECT_FALSE(TeacherGroups::addMember(*ds, 0, G("x"))) << "column 0 is no group";
}

TEST(TeacherGroups, AFullGroupTakesNoMoreNames)
{
    auto ds = smallSchool(1);
    DataTable& t = ds->teacherGroupTable;
    t.setRowCount(3);
    t.setColumnCount(2);
    t.setCell(0, 1, G("组"));
    EXPECT_TRUE(TeacherGroups::addMember(*ds, 1, G("甲")));
    EXPECT_TRUE(TeacherGroups::addMember(*ds, 1, G("乙")));
    EXPECT_FALSE(TeacherGroups::addMember(*ds, 1, G("丙")));
    EXPECT_TRUE(TeacherGroups::removeMember(*ds, 1, 1));
    EXPECT_EQ(joined(TeacherGroups::members(t, 1)), "甲;");
}

TEST(TeacherGroups, NameRowsRenameAddAndDeleteKeepingMembers)
{
    auto ds = smallSchool(1);
    TeacherGroups::ensureDefaultTable(*ds);
    DataTable& t = ds->teacherGroupTable;
    t.setCell(0, 2, G("语文组"));
    t.setCell(0, 3, G("数学组"));
    TeacherGroups::addMember(*ds, 2, G("张三"));
    TeacherGroups::addMember(*ds, 3, G("李四"));
    auto rows = TeacherGroups::nameRows(t);
    ASSERT_EQ(rows.size(), 5u);
    // Unchanged rows change nothing.
    EXPECT_FALSE(TeacherGroups::applyNameRows(*ds, rows));
    // Emptying the second name hides it and every later group; members stay.
    rows[1].name.clear();
    EXPECT_TRUE(TeacherGroups::applyNameRows(*ds, rows));
    EXPECT_EQ(joined(TeacherGroups::groupNames(t)), "行政人员;");
    EXPECT_EQ(joined(TeacherGroups::members(t, 3)), "李四;");
    // Renaming keeps members; deleting a row drops its column; an added row starts empty.
    rows = TeacherGroups::nameRows(t);
    rows[1].name = G("文科组");
    rows.erase(rows.begin()); // 行政人员
    rows.push_back({-1, G("新组")});
    EXPECT_TRUE(TeacherGroups::applyNameRows(*ds, rows));
    EXPECT_EQ(t.columnCount(), 6);
    EXPECT_EQ(joined(TeacherGroups::groupNames(t)), "文科组;数学组;");
    EXPECT_EQ(U(t.cell(0, 5)), "新组");
    EXPECT_EQ(joined(TeacherGroups::members(t, 1)), "张三;");
    EXPECT_EQ(joined(TeacherGroups::members(t, 2)), "李四;");
    EXPECT_EQ(joined(TeacherGroups::members(t, 5)), "");
    EXPECT_EQ(U(t.cell(1, 0)), "教师01");
}
