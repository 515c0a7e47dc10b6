// The teacher page's grid: cell texts and edits, the whole-table copy, every rule of the block
// paste, deleting and moving with the view, the mouse, and the settings clipboard.
#include <gtest/gtest.h>

#include <random>

#include "scheduling/SchedulingFixture.h"
#include "setup/TeacherInfoGrid.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

// The five edited columns of every teacher, "|" between fields and ";" after each teacher (UTF-8).
std::string editedColumns(const DataSet& ds)
{
    std::string out;
    for (int i = 0; i < static_cast<int>(ds.teachers.size()); ++i) {
        for (int c = 1; c <= 5; ++c)
            out += U(TeacherInfoGrid::cellText(ds, i, c)) + (c < 5 ? "|" : ";");
    }
    return out;
}

std::unique_ptr<DataSet> staff(std::initializer_list<const char*> names)
{
    auto ds = smallSchool(1);
    for (const char* n : names)
        addTeacher(*ds, n);
    return ds;
}

} // namespace

TEST(TeacherInfoGrid, WholeTableCopyAndCellTexts)
{
    auto ds = staff({"张三", "李四"});
    ds->teachers[0]->workload = 16;
    ds->teachers[1]->ruleSummary = G("星期一第1节（不排）");
    EXPECT_EQ(U(TeacherInfoGrid::wholeTableText(*ds)),
              "序号\t教师名称\t简称\t任教学科\t工作量\t备注\t尽量排，一定排，不排\n"
              "1\t张三\t\t\t16\t\t\n"
              "2\t李四\t\t\t\t\t星期一第1节（不排）\n");
    struct Case {
        const char* typed;
        int stored;
    } workloads[] = {{"12节", 12}, {" -3x", -3}, {"abc", 0}, {"", 0}, {"+7", 7}};
    for (const Case& c : workloads) {
        TeacherInfoGrid::writeCell(*ds, 0, 4, G(c.typed));
        EXPECT_EQ(ds->teachers[0]->workload, c.stored) << c.typed;
        EXPECT_EQ(TeacherInfoGrid::cellText(*ds, 0, 4), c.stored > 0 ? gbk::formatInt(c.stored) : "") << c.typed;
    }
    // 序号 and the rule column take nothing; rows outside the list neither.
    EXPECT_FALSE(TeacherInfoGrid::writeCell(*ds, 0, 0, "9"));
    EXPECT_FALSE(TeacherInfoGrid::writeCell(*ds, 0, 6, "x"));
    EXPECT_FALSE(TeacherInfoGrid::writeCell(*ds, 2, 1, "x"));
    EXPECT_EQ(TeacherInfoGrid::cellText(*ds, 2, 1), "");
    EXPECT_EQ(TeacherInfoGrid::cellText(*ds, 0, 7), "");
}

TEST(TeacherInfoGrid, BlockPasteFollowsEveryLineRule)
{
    struct Case {
        const char* what;
        int teachers; // existing teachers 甲, 乙, 丙 … with no other field
        int row, column;
        const char* text;
        const char* expected; // editedColumns afterwards
    } cases[] = {
        {"CR LF lines from 教师名称 append rows", 1, 0, 1, "王五\t五\t语文\t12\r\n赵六\t六\t数学\t8\r\n",
         "王五|五|语文|12|;赵六|六|数学|8|;"},
        {"an empty line advances and clears the start cell", 3, 0, 1, "王五\n\n赵六\n", "王五||||;||||;赵六||||;"},
        {"an empty last line gives nothing", 1, 0, 1, "王五\n", "王五||||;"},
        {"text after the last line end is a line", 0, 0, 1, "王五\n赵六", "王五||||;赵六||||;"},
        {"fields past 备注 are skipped", 1, 0, 4, "12\t备注\t多余\t更多", "甲|||12|备注;"},
        {"a trailing tab gives no field", 1, 0, 3, "语文\t\n", "甲||语文||;"},
        {"a trailing tab before CR LF gives an empty field", 1, 0, 4, "语文\t\r\n", "甲||||;"},
        {"fields are trimmed", 1, 0, 1, "  王五 \t 五\r\n", "王五|五|||;"},
        {"from 序号 the first field is skipped", 2, 0, 0, "1\t王五\n2\t赵六\n", "王五||||;赵六||||;"},
        {"a field in 序号 alone still appends its row", 1, 1, 0, "7\n", "甲||||;||||;"},
        {"the rule column takes no paste", 1, 0, 6, "王五\t五\n", "甲||||;"},
        {"rows below the selection; none appended without a name", 3, 1, 2, "二\n三\n四\n", "甲||||;乙|二|||;丙|三|||;"},
    };
    const char* names[] = {"甲", "乙", "丙"};
    for (const Case& c : cases) {
        auto ds = smallSchool(1);
        for (int i = 0; i < c.teachers; ++i)
            addTeacher(*ds, names[i]);
        TeacherInfoGrid::pasteAt(*ds, c.row, c.column, G(c.text));
        EXPECT_EQ(editedColumns(*ds), c.expected) << c.what;
    }
}

TEST(TeacherInfoGrid, WholeTableCopyPastedBackFromTheNumberColumnShiftsByTheHeader)
{
    auto ds = staff({"张三", "李四"});
    ds->teachers[0]->workload = 16;
    ds->teachers[1]->remark = G("班主任");
    const std::string copy = TeacherInfoGrid::wholeTableText(*ds);
    TeacherInfoGrid grid;
    grid.setClientHeight(28 + 26 * 10);
    grid.select(0, 0);
    ASSERT_TRUE(grid.paste(*ds, copy));
    EXPECT_EQ(editedColumns(*ds), "教师名称|简称|任教学科||备注;张三|||16|;李四||||班主任;");
    EXPECT_EQ(ds->teachers[0]->workload, 0);
    // Column 6 selected: nothing happens, even from the paste command.
    grid.select(0, 6);
    EXPECT_FALSE(grid.canPaste());
    EXPECT_FALSE(grid.paste(*ds, G("x\ty\n")));
}

TEST(TeacherInfoGrid, DeletingAndMovingKeepTheViewFilledAndTheSelectionOnTheTeacher)
{
    // Random lists, view sizes, scroll positions and selected rows; after every command the view
    // is valid and the selection names the teacher the rules say.
    std::mt19937 rng(13);
    for (int round = 0; round < 400; ++round) {
        const int count = 1 + static_cast<int>(rng() % 30);
        auto ds = smallSchool(1);
        for (int i = 0; i < count; ++i)
            addTeacher(*ds, "甲");
        for (int i = 0; i < count; ++i)
            ds->teachers[i]->name = gbk::formatInt(i);
        TeacherInfoGrid grid;
        const int visible = 1 + static_cast<int>(rng() % 12);
        grid.setClientHeight(28 + 26 * visible);
        grid.scrollTo(static_cast<int>(rng() % 30), count);
        const int row = static_cast<int>(rng() % std::min(visible, count - grid.firstRow()));
        grid.select(row, 1);
        const int a = grid.selectedTeacher();
        const std::string name = ds->teachers[a]->name;
        const int command = static_cast<int>(rng() % 3);
        if (command == 0) {
            ASSERT_TRUE(grid.deleteSelected(*ds));
            const int left = count - 1;
            ASSERT_EQ(static_cast<int>(ds->teachers.size()), left);
            EXPECT_LE(grid.firstRow(), std::max(0, left - 1));
            if (left == 0) {
                EXPECT_FALSE(grid.hasSelection());
                continue;
            }
            // The selection stays on index a, or on the new last teacher.
            EXPECT_EQ(grid.selectedTeacher(), std::min(a, left - 1)) << round;
            EXPECT_GE(grid.selectedRow(), 0);
            EXPECT_LT(grid.selectedRow(), visible);
            if (grid.firstRow() > 0) {
                EXPECT_GE(left, grid.firstRow() + visible - 1) << "the view keeps rows below its top";
            }
        } else {
            const bool up = command == 1;
            const bool moves = up ? a > 0 : a < count - 1;
            EXPECT_EQ(up ? grid.moveUp(*ds) : grid.moveDown(*ds), moves);
            const int now = moves ? (up ? a - 1 : a + 1) : a;
            EXPECT_EQ(ds->teachers[now]->name, name);
            EXPECT_EQ(grid.selectedTeacher(), now) << round;
            EXPECT_GE(grid.selectedRow(), 0);
            EXPECT_LT(grid.selectedRow(), visible);
        }
    }
}

TEST(TeacherInfoGrid, ClicksSelectArmAndOpenTheEditorOrTheRuleButtons)
{
    auto ds = staff({"张三", "李四"});
    TeacherInfoGrid grid;
    grid.setClientHeight(28 + 26 * 5);
    using A = TeacherInfoGrid::Action;
    // First click selects, the second on the same cell opens the editor.
    EXPECT_EQ(grid.leftDown(1, 2), A::Redraw);
    EXPECT_EQ(grid.leftUp(1, 2), A::Redraw);
    EXPECT_EQ(grid.leftDown(1, 2), A::None);
    EXPECT_EQ(grid.leftUp(1, 2), A::OpenEditor);
    // The rule column shows the three buttons; another column or a scroll hides them.
    grid.leftDown(0, 6);
    grid.leftUp(0, 6);
    EXPECT_TRUE(grid.ruleButtonsShown());
    grid.scrollBy(1, 2);
    EXPECT_FALSE(grid.ruleButtonsShown());
    grid.leftDown(0, 6);
    grid.leftUp(0, 6);
    grid.leftDown(0, 1);
    EXPECT_EQ(grid.leftUp(0, 1), A::Redraw);
    EXPECT_FALSE(grid.ruleButtonsShown());
    EXPECT_EQ(grid.doubleClick(1, 3), A::OpenEditor);
    EXPECT_EQ(grid.doubleClick(1, 0), A::None);
    // Tab goes on to the next editable cell, past the row's end to the next row.
    grid.select(0, 5);
    EXPECT_TRUE(grid.moveAfterEdit(TeacherInfoGrid::EditEnd::Tab, 2));
    EXPECT_EQ(grid.selectedTeacher(), 1);
    EXPECT_EQ(grid.selectedColumn(), 1);
    EXPECT_FALSE(grid.moveAfterEdit(TeacherInfoGrid::EditEnd::Accept, 2));
    // The never-empty rule.
    auto empty = smallSchool(1);
    EXPECT_TRUE(TeacherInfoGrid::ensureNotEmpty(*empty));
    EXPECT_EQ(empty->teachers.size(), 1u);
    EXPECT_FALSE(TeacherInfoGrid::ensureNotEmpty(*empty));
}

TEST(TeacherInfoGrid, SettingsClipboardCarriesEveryRuleAndRemovesThoseTheSourceLacks)
{
    auto ds = staff({"张三", "李四"});
    ds->morningCount = 5;
    ds->afternoonCount = 3; // 8 periods, 5 days
    ds->setTeacherSlotValue(0, 0, G("张三"), G("不排"));
    ds->setTeacherSlotValue(7, 4, G("张三"), G("尽量排"));
    ds->setTeacherSlotValue(3, 2, G("李四"), G("一定排")); // the source has none there
    ds->setTeacherSlotValue(0, 0, G("李四"), G("尽量排"));
    ds->teachers[0]->ruleSummary = ds->teacherSlotSummary(G("张三"));
    TeacherInfoGrid grid;
    grid.setClientHeight(28 + 26 * 5);
    grid.select(0, 6);
    grid.copySettings(*ds);
    ASSERT_EQ(grid.settingsClipboard().size(), 41u);
    EXPECT_EQ(grid.settingsClipboard()[1], "0,0," + G("不排"));
    EXPECT_EQ(grid.settingsClipboard()[2], "0,1,");
    grid.select(1, 6);
    EXPECT_TRUE(grid.pasteSettings(*ds));
    for (int p = 0; p < MaxPeriodRows; ++p)
        for (int d = 0; d < DayColumns; ++d)
            EXPECT_EQ(ds->teacherSlotValue(p, d, G("李四")), ds->teacherSlotValue(p, d, G("张三"))) << p << "," << d;
    EXPECT_EQ(ds->teachers[1]->ruleSummary, ds->teachers[0]->ruleSummary);
    EXPECT_FALSE(grid.pasteSettings(*ds)) << "pasting the same settings again changes nothing";

    // The line format: the rule text ends at white space and holds at most 29 bytes.
    const std::string longRule(40, 'x');
    TeacherInfoGrid::applySettings(*ds, 1, {"", "1,1," + longRule, "1,2, a b", "2,2", "x,1,y", "1,3,"});
    EXPECT_EQ(ds->teacherSlotValue(1, 1, G("李四")), std::string(29, 'x'));
    EXPECT_EQ(ds->teacherSlotValue(1, 2, G("李四")), "a");
    EXPECT_EQ(ds->teachers[1]->ruleSummary, "");
    // An empty clipboard changes nothing.
    TeacherInfoGrid fresh;
    fresh.setClientHeight(28 + 26 * 5);
    fresh.select(0, 6);
    EXPECT_FALSE(fresh.pasteSettings(*ds));
}

TEST(TeacherInfoGrid, DeletingATeacherStillNamedElsewhereAsksWithTheCount)
{
    auto ds = staff({"张三", "李四"});
    plan(*ds->classAt(0, 0), "语文", 5, G("张三"));
    place(*ds, *ds->classAt(0, 0), 0, 0, "语文");
    place(*ds, *ds->classAt(0, 0), 1, 0, "语文");
    EXPECT_EQ(TeacherInfoGrid::placesNaming(*ds, G("张三")), 3);
    EXPECT_NE(U(TeacherInfoGrid::deleteQuestion(*ds, 0)).find("3处"), std::string::npos);
    EXPECT_EQ(TeacherInfoGrid::deleteQuestion(*ds, 1), "");
}
