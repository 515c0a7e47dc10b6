// Common periods: the scope tree, the aggregate over mixed scopes, the toggle and the named values,
// the common-period rows and "插入公共时段", and the rows of the preview.
#include <gtest/gtest.h>

#include <random>

#include "data/DataSet.h"
#include "setup/CommonPeriodPage.h"
#include "support/TestSupport.h"

using namespace tabrel;
using test::G;
using test::U;

namespace {
void school(DataSet& ds)
{
    ds.applyNewDocumentDefaults();
    ds.setGradeCount(2);
    ds.gradeNames = {G("初一"), G("初二")};
    ds.setClassCount(0, 3);
    ds.setClassCount(1, 2);
    ds.renameClasses("(", ")");
}
int node(const CommonPeriodPage& page, const char* text)
{
    for (std::size_t i = 0; i < page.nodes().size(); ++i)
        if (page.nodes()[i].text == G(text))
            return static_cast<int>(i);
    return -1;
}
} // namespace

TEST(CommonPeriod, RandomTogglesAndNamesOverMixedScopes)
{
    // A literal model: every class's value at one slot, changed as the panel's rules say.
    std::mt19937 rng(16);
    DataSet ds;
    school(ds);
    CommonPeriodPage page;
    page.rebuildTree(ds);
    ASSERT_EQ(page.nodes().size(), 8u);
    EXPECT_EQ(U(page.select(99)), "选择错误!");
    EXPECT_TRUE(page.scope(ds).empty());
    const char* scopes[] = {"全校", "初一", "初二", "初一(2)", "初二(1)"};
    const std::vector<std::string> names = {"", G("无课"), G("自习"), G("劳动")};
    for (int i = 0; i < 3000; ++i) {
        ASSERT_EQ(page.select(node(page, scopes[rng() % 5])), "");
        const auto classes = page.scope(ds);
        const int period = static_cast<int>(rng() % 2), day = static_cast<int>(rng() % 2);
        std::string expected = classes[0]->commonPeriods[period][day];
        for (auto* c : classes)
            if (c->commonPeriods[period][day] != expected)
                expected = G("各班不一样");
        ASSERT_EQ(page.aggregate(ds, period, day), expected);
        const bool mixed = expected == G("各班不一样");
        const bool ok = rng() % 3 != 0; // the answer to a question
        std::string value;
        bool writes = true;
        if (rng() % 2) { // left click
            EXPECT_EQ(page.toggleQuestion(ds, period, day).empty(), !mixed);
            value = page.toggleValue(ds, period, day);
            EXPECT_EQ(U(value), expected.empty() ? "无课" : "");
            writes = !mixed || ok;
        } else { // a name from the slot menu (or "其它名称..." with any text)
            value = names[rng() % names.size()];
            page.rememberSlot(period, day);
            std::string question;
            const bool would = page.namedWouldChange(ds, value, question);
            EXPECT_EQ(would, expected != value);
            EXPECT_EQ(!question.empty(), would && mixed);
            if (!question.empty()) {
                EXPECT_NE(question.find(value), std::string::npos);
            }
            writes = would && (!mixed || ok);
        }
        if (writes)
            page.writeSlot(ds, period, day, value);
        if (writes)
            ASSERT_EQ(page.aggregate(ds, period, day), value);
        else
            ASSERT_EQ(page.aggregate(ds, period, day), expected);
    }
}

TEST(CommonPeriod, RowsInsertPositionsAndThePreview)
{
    DataSet ds;
    school(ds);
    ds.earlyReadingCount = 1;
    ds.eveningCount = 1;
    ds.periodStarts[1] = "8:00";
    ds.periodEnds[1] = "8:40";
    // Positions: 早1节之前, 第1节之前, … ; the third starts selected.
    auto positions = CommonPeriodPage::insertPositions(ds);
    ASSERT_EQ(positions.size(), 9u);
    EXPECT_EQ(U(positions[0]) + U(positions[2]), "早1节之前第2节之前");
    EXPECT_EQ(CommonPeriodPage::insertDefaultPosition(ds), 2);
    EXPECT_FALSE(CommonPeriodPage::insertRow(ds, -1, G("课间操")));
    EXPECT_FALSE(CommonPeriodPage::insertRow(ds, 9, G("课间操")));
    EXPECT_TRUE(CommonPeriodPage::insertRow(ds, 2, G("课间操")));
    ds.commonRowStarts[2] = "9:20";
    ds.commonRowEnds[2] = "9:40";
    // Deleting and adding again shows the old times.
    EXPECT_TRUE(CommonPeriodPage::setRowName(ds, 2, ""));
    EXPECT_TRUE(CommonPeriodPage::setRowName(ds, 2, G("眼健操")));
    EXPECT_FALSE(CommonPeriodPage::setRowName(ds, 2, G("眼健操")));

    const auto p = CommonPeriodPage::preview(ds, 900, 700);
    std::string rows;
    for (const auto& r : p.rows)
        rows += U(r.label) + (r.times.empty() ? "" : "[" + r.times + "]") + "/" + std::to_string(r.rect.height()) + " ";
    const int u = p.rows[3].rect.height();
    const std::string d = std::to_string(2 * u), s = std::to_string(u);
    EXPECT_EQ(rows, "星期/节次/" + d + " 早1节/" + d + " 第1节[8:00-8:40]/" + d + " 眼健操[9:20-9:40]/" + s +
                        " 第2节/" + d + " 第3节/" + d + " 第4节/" + d + " 中午时间/" + s + " 第5节/" + d + " 第6节/" + d +
                        " 第7节/" + d + " 晚饭时间/" + s + " 第8节/" + d + " ");
    ASSERT_EQ(p.partCells.size(), 3u);
    EXPECT_EQ(U(p.partCells[1].second), "下午");
    EXPECT_EQ(p.partCells[0].first.bottom, p.rows[6].rect.bottom);
    EXPECT_EQ(p.dayColumns.size(), 5u);
    // A click in the last day column of 第2节 hits that row and day.
    const auto hit = CommonPeriodPage::hitTest(p, p.dayColumns[4].left + 1, p.rows[4].rect.top + 1);
    EXPECT_EQ(hit.row, 4);
    EXPECT_EQ(hit.day, 4);
    EXPECT_EQ(CommonPeriodPage::hitTest(p, p.labelColumn.left + 1, p.rows[4].rect.top + 1).day, -1);

    // With one period a day there is no third entry and nothing starts selected.
    ds.earlyReadingCount = ds.afternoonCount = ds.eveningCount = 0;
    ds.morningCount = 2;
    EXPECT_EQ(CommonPeriodPage::insertDefaultPosition(ds), -1);
    // The tree follows the school; an empty school has none.
    CommonPeriodPage page;
    page.rebuildTree(ds);
    EXPECT_FALSE(page.refreshTree(ds));
    page.select(6); // 初二(1)
    ds.gradeNames[1] = G("初三");
    EXPECT_TRUE(page.refreshTree(ds));
    EXPECT_EQ(page.selectedNode(), 6); // the same class keeps the scope
    ds.setClassCount(1, 0);
    EXPECT_TRUE(page.refreshTree(ds));
    EXPECT_EQ(page.selectedNode(), 0); // gone: back to the root
    ds.setGradeCount(0);
    EXPECT_TRUE(page.refreshTree(ds));
    EXPECT_TRUE(page.nodes().empty());
    EXPECT_TRUE(page.scope(ds).empty());
}

TEST(CommonPeriod, KeyboardCursorWalksPeriodAndCommonRows)
{
    DataSet ds;
    school(ds);
    ds.commonRowNames[1] = G("课间操");
    CommonPeriodPage page;
    const auto p = CommonPeriodPage::preview(ds, 900, 700);
    EXPECT_EQ(page.cursorRow(p), -1);
    EXPECT_EQ(page.moveCursor(p, 1, 0), 1); // starts on 第1节, whatever the step
    EXPECT_EQ(page.moveCursor(p, 1, 9), 2); // the common-period row, the last day
    EXPECT_EQ(page.cursorDay(), 4);
    EXPECT_EQ(page.moveCursor(p, 4, -1), 7); // 中午时间 is stepped over
    EXPECT_EQ(U(p.rows[7].label), "第5节");
    EXPECT_EQ(page.cursorDay(), 3);
    EXPECT_EQ(page.moveCursor(p, 99, 0), static_cast<int>(p.rows.size()) - 1);
    // The cursor stays on its period when a row appears above it.
    ds.commonRowNames[0] = G("早操");
    EXPECT_EQ(page.cursorRow(CommonPeriodPage::preview(ds, 900, 700)), static_cast<int>(p.rows.size()));
}
