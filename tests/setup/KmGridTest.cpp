// The subjects grid: footer sums and capacities, the cell texts and what typing stores, the mouse
// and its rule buttons, scrolling bounds, and the row commands with the selection they leave.
#include <gtest/gtest.h>

#include <random>

#include "output/RecordingCanvas.h"
#include "setup/KmGrid.h"
#include "setup/SetupFixture.h"
#include "setup/SubjectQuickImport.h"

using namespace tabrel;
using test::G;
using test::U;

namespace {
int columnOf(const KmGrid& k, const DataSet& ds, KmGrid::ColumnKind kind, int grade = -1)
{
    const auto cols = k.columns(ds);
    for (std::size_t i = 0; i < cols.size(); ++i)
        if (cols[i].kind == kind && cols[i].grade == grade)
            return static_cast<int>(i);
    return -1;
}
// The centre of a cell of the grid.
std::pair<int, int> centre(const KmGrid& k, const DataSet& ds, int subject, int column)
{
    const Rect r = k.cellRect(ds, subject, column);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
} // namespace

TEST(KmGrid, FooterSumsLeadingIntegersAndDrawsOverCapacityInRed)
{
    auto ds = test::smallSchool({1, 1}, 0, 4, 2, 5); // 6 periods × 5 days = 30
    test::addSubject(*ds, "语文", {"6", "12.1"});
    test::addSubject(*ds, "数学", {"五节", " 7x"});
    test::addSubject(*ds, "英语", {"-2", "12"});
    test::addSubject(*ds, "", {"", "abc"});
    EXPECT_EQ(KmGrid::lessonSum(*ds, 0), 4);
    EXPECT_EQ(KmGrid::lessonSum(*ds, 1), 31);
    EXPECT_EQ(KmGrid::capacity(*ds), 30);

    KmGrid k;
    k.setSize(1000, 400);
    EXPECT_EQ(k.visibleRows(), (400 - 82) / 26);
    RecordingCanvas canvas;
    k.draw(canvas, *ds);
    const auto* four = canvas.findText("4");
    const auto* over = canvas.findText("31");
    ASSERT_TRUE(four && over);
    EXPECT_EQ(four->style.color, colors::Black);
    EXPECT_NE(over->style.color, colors::Black);
    EXPECT_EQ(canvas.textsEqual("30").size(), 2u);
    const int rowsBottom = KmGrid::HeaderHeight + k.visibleRows() * KmGrid::RowHeight;
    EXPECT_EQ(over->rect.top, rowsBottom);
    for (const char* label : {"节数合计", "课时容量", "场室限制", "一般", "只设主科", "可弹出预设窗口进行设置", "需要同级",
                              "进度一致", "尽量排、不排、一定排", "初一", "初二"})
        EXPECT_TRUE(canvas.findText(G(label))) << label;

    // A single count beyond the week is red too, and the pointer over it or over a red sum says why.
    test::addSubject(*ds, "体育", {"99", "1"});
    RecordingCanvas again;
    k.draw(again, *ds);
    ASSERT_TRUE(again.findText("99"));
    EXPECT_NE(again.findText("99")->style.color, colors::Black);
    const auto cell = centre(k, *ds, 4, columnOf(k, *ds, KmGrid::ColumnKind::Grade, 0));
    EXPECT_EQ(U(k.tipAt(*ds, cell.first, cell.second)), "每周99节，超过课时容量30节：多出的课无法排入课表");
    const auto fine = centre(k, *ds, 4, columnOf(k, *ds, KmGrid::ColumnKind::Grade, 1));
    EXPECT_EQ(k.tipAt(*ds, fine.first, fine.second), "");
    EXPECT_EQ(U(k.tipAt(*ds, fine.first, rowsBottom + 2)), "各科目每周合计32节，超过课时容量30节：多出的课无法排入课表");
}

TEST(KmGrid, TypingStoresNamesLessonTextsAndTheLeadingIntegerOfTheLimit)
{
    auto ds = test::smallSchool({1, 1});
    test::addSubject(*ds, "语文");
    KmGrid k;
    k.setSize(1000, 400);
    struct Case {
        KmGrid::ColumnKind kind;
        int grade;
        const char* typed;
        const char* shown;
        const char* editorStarts; // what the editor shows when opened again
    };
    const Case cases[] = {
        {KmGrid::ColumnKind::Name, -1, "国文", "国文", "国文"},
        {KmGrid::ColumnKind::Grade, 1, "5.1", "5.1", "5.1"},
        {KmGrid::ColumnKind::Grade, 0, "五", "五", "五"},
        {KmGrid::ColumnKind::Limit, -1, "abc", "", "0"},
        {KmGrid::ColumnKind::Limit, -1, "3间", "3", "3"},
    };
    for (const Case& c : cases) {
        const int col = columnOf(k, *ds, c.kind, c.grade);
        const auto [x, y] = centre(k, *ds, 0, col);
        EXPECT_EQ(k.press(*ds, x, y), KmGrid::Action::None);
        ASSERT_EQ(k.release(*ds, x, y), KmGrid::Action::Edit) << c.typed;
        k.commitEdit(*ds, G(c.typed));
        EXPECT_EQ(U(k.cellText(*ds, 0, k.columns(*ds)[col])), c.shown);
        EXPECT_EQ(U(k.editText(*ds)), c.editorStarts);
        EXPECT_FALSE(k.commitEdit(*ds, k.cellText(*ds, 0, k.columns(*ds)[col])) && c.kind != KmGrid::ColumnKind::Limit);
    }
    // 序号 has no editor; 进度一致 toggles; the rule column shows its buttons and a press on one runs it.
    auto [nx, ny] = centre(k, *ds, 0, columnOf(k, *ds, KmGrid::ColumnKind::Number));
    k.press(*ds, nx, ny);
    EXPECT_EQ(k.release(*ds, nx, ny), KmGrid::Action::None);
    auto [px, py] = centre(k, *ds, 0, columnOf(k, *ds, KmGrid::ColumnKind::Progress));
    k.press(*ds, px, py);
    ASSERT_EQ(k.release(*ds, px, py), KmGrid::Action::ToggleProgress);
    EXPECT_TRUE(k.toggleProgress(*ds));
    EXPECT_EQ(U(k.cellText(*ds, 0, k.columns(*ds)[columnOf(k, *ds, KmGrid::ColumnKind::Progress)])), "√");
    auto [rx, ry] = centre(k, *ds, 0, columnOf(k, *ds, KmGrid::ColumnKind::Rules));
    k.press(*ds, rx, ry);
    ASSERT_EQ(k.release(*ds, rx, ry), KmGrid::Action::ShowButtons);
    const std::pair<KmGrid::Button, KmGrid::Action> buttons[] = {{KmGrid::Button::Preset, KmGrid::Action::OpenPreset},
                                                                 {KmGrid::Button::Copy, KmGrid::Action::CopySettings},
                                                                 {KmGrid::Button::Paste, KmGrid::Action::PasteSettings}};
    for (const auto& [b, action] : buttons) {
        k.press(*ds, rx, ry);
        k.release(*ds, rx, ry);
        const Rect r = k.buttonRect(*ds, b);
        EXPECT_EQ(r.width(), 3 * KmGrid::RowHeight);
        EXPECT_EQ(k.press(*ds, r.left + 2, r.top + 2), action);
        EXPECT_EQ(k.release(*ds, r.left + 2, r.top + 2), KmGrid::Action::None);
        EXPECT_FALSE(k.buttonsShown());
    }
    // A release elsewhere and a scroll hide them.
    k.press(*ds, rx, ry);
    k.release(*ds, rx, ry);
    k.press(*ds, nx, ny);
    k.release(*ds, nx, ny);
    EXPECT_FALSE(k.buttonsShown());
    k.press(*ds, rx, ry);
    k.release(*ds, rx, ry);
    k.scroll(*ds, KmGrid::Scroll::LineDown);
    EXPECT_FALSE(k.buttonsShown());
}

TEST(KmGrid, ScrollingStaysInBoundsAndRowCommandsKeepTheSelectionOnTheirSubject)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        auto ds = test::smallSchool({1});
        const int n = static_cast<int>(rng() % 30);
        for (int i = 0; i < n; ++i)
            test::addSubject(*ds, "科").name += gbk::formatInt(i);
        KmGrid k;
        k.setSize(900, 82 + 26 * static_cast<int>(rng() % 12));
        const int visible = k.visibleRows();
        k.select(*ds, n ? static_cast<int>(rng() % n) : -1, 1);
        for (int step = 0; step < 12; ++step) {
            const auto how = static_cast<KmGrid::Scroll>(rng() % 7);
            k.scroll(*ds, how, static_cast<int>(rng() % 50) - 10);
            ASSERT_GE(k.firstRow(), 0);
            ASSERT_LE(k.firstRow(), std::max(0, n - visible));
        }
        const int sel = k.selectedSubject();
        if (sel < 0)
            continue;
        const std::string name = ds->subjects[sel]->name;
        switch (rng() % 3) {
        case 0:
            EXPECT_EQ(k.moveUp(*ds), sel > 0);
            EXPECT_EQ(ds->subjects[k.selectedSubject()]->name, name);
            break;
        case 1:
            EXPECT_EQ(k.moveDown(*ds), sel + 1 < n);
            EXPECT_EQ(ds->subjects[k.selectedSubject()]->name, name);
            break;
        default: {
            // Deleting while scrolled removes the subject of the selected row.
            ASSERT_TRUE(k.deleteSubject(*ds));
            ASSERT_EQ(static_cast<int>(ds->subjects.size()), n - 1);
            for (const auto& s : ds->subjects)
                EXPECT_NE(s->name, name);
            EXPECT_EQ(k.selectedSubject(), sel == n - 1 ? sel - 1 : sel);
            ASSERT_LE(k.firstRow(), std::max(0, n - 1 - visible));
        }
        }
    }
    auto empty = test::smallSchool({1});
    KmGrid k;
    EXPECT_FALSE(k.deleteSubject(*empty) || k.moveUp(*empty) || k.moveDown(*empty) || k.toggleProgress(*empty) ||
                 k.copySettings(*empty) || k.pasteSettings(*empty));
    EXPECT_TRUE(k.addSubject(*empty));
    EXPECT_EQ(k.selectedSubject(), 0);
    EXPECT_EQ(empty->subjects[0]->name, "");
}

TEST(SubjectQuickImport, ReadsRowsUpToTheFirstWithoutANameAndReplacesTheCatalogue)
{
    struct Case {
        const char* text;
        std::vector<std::string> expected; // "name:lessons of grade 0,grade 1"
    };
    const Case cases[] = {
        {"语文\t6\t6\n数学\t0\t5.1\n", {"语文:6,6", "数学:,5"}},
        {"英语\t 3 \t-1\t9\t9\r\n体育\tx\r\n\n美术\t1\n", {"英语:3,", "体育:,"}},
        {"\t5\n语文\t5\n", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        auto ds = test::smallSchool({1, 1});
        test::addSubject(*ds, "旧科目", {"4", "4"});
        SubjectQuickImport dlg(*ds);
        EXPECT_EQ(dlg.grid().columnCount(), 4);
        dlg.clear();
        dlg.paste(1, 1, G(c.text));
        EXPECT_EQ(dlg.accept(*ds), !c.expected.empty()) << c.text;
        std::vector<std::string> got;
        for (const auto& s : ds->subjects)
            got.push_back(U(s->name) + ":" + U(s->gradeLessons[0]) + "," + U(s->gradeLessons[1]));
        EXPECT_EQ(got, c.expected.empty() ? std::vector<std::string>{"旧科目:4,4"} : c.expected) << c.text;
    }
    // At most 50 rows are read; the 序号 column and the header are never written.
    auto ds = test::smallSchool({1});
    SubjectQuickImport dlg(*ds);
    std::string many;
    for (int i = 0; i < 60; ++i)
        many += "s" + std::to_string(i) + "\t1\n";
    dlg.paste(1, 1, many);
    EXPECT_EQ(dlg.paste(0, 0, "x\ty\tz"), 0);
    EXPECT_EQ(dlg.rowsToImport(), 50);
    EXPECT_EQ(U(dlg.grid().text(0, 1)), "科目名称");
    const auto widths = dlg.columnWidths(520);
    EXPECT_EQ(widths, (std::vector<int>{120, 240, 160}));
}
