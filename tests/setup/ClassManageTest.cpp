// Grades and classes: the quick entry, the table editor, the single commands with their limits,
// the in-place renaming and the fill rule.
#include <gtest/gtest.h>

#include "data/DataSet.h"
#include "setup/ClassManagePage.h"
#include "setup/ClassNameTable.h"
#include "setup/GradeCountEntry.h"
#include "support/TestSupport.h"

using namespace tabrel;
using test::G;
using test::U;

namespace {
// "初一:初一(1),初一(2)|初三:…" of the school, with a "*" where a class's gradeName or ordinal is
// not its grade's name and position.
std::string shape(const DataSet& ds)
{
    std::string s;
    for (std::size_t g = 0; g < ds.grades.size(); ++g) {
        s += (g ? "|" : "") + U(ds.gradeNames[g]) + ":";
        for (int c = 0; c < ds.classCount(static_cast<int>(g)); ++c) {
            const ClassTable* k = ds.classAt(static_cast<int>(g), c);
            s += (c ? "," : "") + U(k->name);
            if (k->gradeName != ds.gradeNames[g] || k->ordinal != c + 1)
                s += "*";
        }
    }
    return s;
}

void school(DataSet& ds, const std::vector<std::pair<const char*, int>>& grades)
{
    ds.setGradeCount(static_cast<int>(grades.size()));
    for (std::size_t g = 0; g < grades.size(); ++g) {
        ds.gradeNames[g] = G(grades[g].first);
        ds.setClassCount(static_cast<int>(g), grades[g].second);
    }
    ds.renameClasses(G("-"), "");
}
} // namespace

TEST(ClassManage, QuickEntryAndTableEditorTakeTheirGrids)
{
    struct Case {
        const char* what;
        bool table;        // table editor, else quick entry
        const char* paste; // "" keeps what the dialog opened with
        std::vector<std::pair<const char*, int>> before;
        const char* after; // "" = refused, school unchanged
    };
    const std::vector<Case> cases = {
        {"prefilled rows on an empty school", false, "", {}, ""},
        {"rows after an empty name are ignored", false, "初一\t8\n初二\t0\n初三\t6\n\n初四\t3", {},
         "初一:初一(1),初一(2),初一(3),初一(4),初一(5),初一(6),初一(7),初一(8)|初三:初三(1),初三(2),初三(3),初三(4),"
         "初三(5),初三(6)"},
        {"every class named grade(n) again, fields past the grid dropped", false, "甲\t2\textra\n乙\t+1x", {{"A", 3}},
         "甲:甲(1),甲(2)|乙:乙(1)"},
        {"no positive count", false, "甲\t0\n乙\tx", {{"A", 1}}, ""},
        {"more than 50 classes", false, "甲\t51", {{"A", 1}}, ""},
        {"a tenth row is past the grid", false, "a\t1\nb\t1\nc\t1\nd\t1\ne\t1\nf\t1\ng\t1\nh\t1\ni\t1\nj\t1", {},
         "a:a(1)|b:b(1)|c:c(1)|d:d(1)|e:e(1)|f:f(1)|g:g(1)|h:h(1)|i:i(1)"},
        {"table: a gap in row 0 keeps the first grade", true, "初一\t\t初三\n1班\t\t3班\n2班", {{"A", 2}}, "初一:1班,2班"},
        {"table: class names stop at the first empty one", true, "甲\t乙\nx\ty\n\tz\nw", {}, "甲:x|乙:y,z"},
        {"table: no name in row 0", true, "\t乙\nx\ty", {{"A", 2}}, ""},
        {"table: a grade without classes", true, "甲\t乙\n\ty", {}, "甲:|乙:y"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DataSet ds;
        school(ds, c.before);
        const std::string old = shape(ds);
        bool changed = false;
        std::string refusal;
        if (c.table) {
            ClassNameTable t;
            t.load(ds);
            t.clear();
            t.paste(0, 0, G(c.paste));
            refusal = t.refusal();
            changed = t.apply(ds);
        } else {
            GradeCountEntry e;
            e.load(ds);
            if (*c.paste) {
                e.clear();
                e.paste(0, 0, G(c.paste));
            }
            refusal = e.refusal();
            changed = e.apply(ds);
        }
        if (!*c.after && *c.paste) {
            EXPECT_FALSE(refusal.empty());
            EXPECT_FALSE(changed);
            EXPECT_EQ(shape(ds), old);
            continue;
        }
        EXPECT_EQ(U(refusal), "");
        if (!*c.paste) { // the prefilled 七, 八, 九 with ten classes each
            ASSERT_EQ(ds.grades.size(), 3u);
            EXPECT_EQ(U(ds.classAt(2, 9)->name), "九(10)");
            continue;
        }
        EXPECT_TRUE(changed);
        EXPECT_EQ(shape(ds), c.after);
    }
}

TEST(ClassManage, DialogsOpenOnTheSchoolOrTheirDefaults)
{
    DataSet ds;
    ClassNameTable t;
    t.load(ds);
    EXPECT_EQ(U(t.grid().text(0, 2)), "八");
    EXPECT_EQ(U(t.grid().text(10, 3)), "九(10)");
    EXPECT_EQ(U(t.grid().text(11, 3)), "");
    school(ds, {{"初一", 2}, {"初二", 1}});
    t.load(ds);
    EXPECT_EQ(U(t.grid().text(2, 1)), "初一-2");
    EXPECT_EQ(U(t.grid().text(2, 2)), ""); // 初二 has one class
    EXPECT_EQ(U(t.grid().text(0, 3)), "");
    GradeCountEntry e;
    e.load(ds);
    EXPECT_EQ(e.entries().size(), 2u);
    EXPECT_EQ(e.entries()[0].second, 2);
    // Applying what the school already is changes nothing.
    school(ds, {{"a", 1}});
    ds.renameClasses("(", ")");
    e.load(ds);
    EXPECT_FALSE(e.apply(ds));
}

TEST(ClassManage, CommandsSelectionAndLimits)
{
    DataSet ds;
    ClassManagePage page;
    // Without a selection the commands that need one do nothing.
    EXPECT_FALSE(page.addClass(ds));
    EXPECT_FALSE(page.deleteGrade(ds));
    EXPECT_FALSE(page.deleteClass(ds));
    // Grades up to twelve, then a refusal and no change.
    for (int i = 0; i < SchoolGradeLimit; ++i)
        ASSERT_TRUE(page.addGrade(ds)) << i;
    EXPECT_EQ(U(ds.classAt(11, 0)->name), "未命名");
    EXPECT_EQ(U(ds.gradeNames[11]), "未命名年级");
    EXPECT_FALSE(page.addGradeRefusal(ds).empty());
    EXPECT_FALSE(page.addGrade(ds));
    EXPECT_EQ(ds.grades.size(), 12u);
    // Classes up to fifty in the selected grade (the new grade is selected).
    EXPECT_EQ(page.selectedGrade(), 11);
    while (ds.classCount(11) < GradeClassLimit)
        ASSERT_TRUE(page.addClass(ds));
    EXPECT_FALSE(page.addClassRefusal(ds).empty());
    EXPECT_FALSE(page.addClass(ds));
    EXPECT_EQ(ds.classCount(11), 50);

    // Clicks select through the layout; the last class deleted moves the selection back.
    const auto l = ClassManagePage::layout(ds, 800, 600);
    const ClassManagePage::Item* last = nullptr;
    for (const auto& item : l.items)
        if (item.kind == ClassManagePage::Item::Kind::ClassBox && item.grade == 11)
            last = &item;
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->klass, 49);
    auto click = page.leftClick(ds, 800, 600, last->rect.left + 2, last->rect.top + 2);
    EXPECT_EQ(click.kind, ClassManagePage::ClickKind::EditClass);
    EXPECT_EQ(page.selectedClass(), 49);
    EXPECT_TRUE(page.deleteClass(ds));
    EXPECT_EQ(page.selectedClass(), 48);

    // The only class of a grade takes the grade with it, without a question.
    page.leftClick(ds, 800, 600, l.items[1].rect.left + 1, l.items[1].rect.top + 1); // grade 0, class 0
    EXPECT_EQ(page.selectedGrade(), 0);
    EXPECT_TRUE(page.deleteClass(ds));
    EXPECT_EQ(ds.grades.size(), 11u);
    EXPECT_EQ(page.selectedGrade(), -1);

    // A header click opens the grade's name; a rename keeps the classes' gradeName.
    school(ds, {{"初一", 2}, {"初二", 1}});
    const auto l2 = ClassManagePage::layout(ds, 800, 600);
    click = page.leftClick(ds, 800, 600, l2.items[0].rect.left + 1, l2.items[0].rect.top + 1);
    EXPECT_EQ(click.kind, ClassManagePage::ClickKind::EditGrade);
    EXPECT_EQ(U(click.editText), "初一");
    EXPECT_TRUE(page.commitEdit(ds, G("一年级")));
    EXPECT_EQ(U(ds.gradeNames[0]), "一年级");
    EXPECT_EQ(U(ds.classAt(0, 0)->gradeName), "初一");
    EXPECT_FALSE(page.commitEdit(ds, G("x"))); // the field is closed
    page.leftClick(ds, 800, 600, l2.items[1].rect.left + 1, l2.items[1].rect.top + 1);
    EXPECT_FALSE(page.commitEdit(ds, "")); // an empty name keeps the old one
    EXPECT_EQ(U(ds.classAt(0, 0)->name), "初一-1");

    // The fill rule renames every class and renews gradeName and ordinal.
    EXPECT_TRUE(ClassManagePage::fillClassNames(ds, G("年级"), G("班")));
    EXPECT_EQ(shape(ds), "一年级:一年级年级1班,一年级年级2班|初二:初二年级1班");
    EXPECT_FALSE(ClassManagePage::fillClassNames(ds, G("年级"), G("班")));

    // Deleting the selected grade clears the selection.
    page.leftClick(ds, 800, 600, l2.items[0].rect.left + 1, l2.items[0].rect.top + 1);
    page.closeEdit();
    EXPECT_EQ(U(page.deleteGradeStepName(ds)), "删除年级 一年级");
    EXPECT_TRUE(page.deleteGrade(ds));
    EXPECT_EQ(shape(ds), "初二:初二年级1班");
    EXPECT_EQ(page.selectedGrade(), -1);

    // Right click lists the class's subjects.
    ds.classAt(0, 0)->assignments.push_back(std::make_unique<TeachingAssignment>());
    ds.classAt(0, 0)->assignments.back()->subject = G("语文");
    EXPECT_EQ(U(ClassManagePage::subjectList(ds, 0, 0)), "语文----\n");

    // The empty school's hint runs the quick entry.
    ds.setGradeCount(0);
    const auto hint = ClassManagePage::layout(ds, 800, 600);
    ASSERT_TRUE(hint.empty);
    EXPECT_EQ(page.leftClick(ds, 800, 600, hint.hintClick.left + 1, hint.hintClick.top + 1).kind,
              ClassManagePage::ClickKind::QuickEntry);
}

TEST(ClassManage, KeyboardWalksHeadersAndBoxesInDrawingOrder)
{
    DataSet ds;
    school(ds, {{"甲", 2}, {"乙", 1}});
    ClassManagePage page;
    std::string walk;
    for (int step : {1, 1, 1, 1, 1, 1, -1, -4}) {
        page.stepSelection(ds, step);
        walk += std::to_string(page.selectedGrade()) + ":" + std::to_string(page.selectedClass()) + " ";
    }
    EXPECT_EQ(walk, "0:-1 0:0 0:1 1:-1 1:0 1:0 1:-1 0:-1 ");
    const auto click = page.editSelection(ds, 800, 600);
    EXPECT_EQ(click.kind, ClassManagePage::ClickKind::EditGrade);
    EXPECT_EQ(U(click.editText), "甲");
    EXPECT_TRUE(page.editing());
}
