// The rule grids and their windows: shown texts over several classes or teachers, the cycle and the
// menu on both grids, the layout of rows, the summary, names holding "-", scopes and check lists.
#include <gtest/gtest.h>

#include "output/RecordingCanvas.h"
#include "setup/PaikeRuleGrid.h"
#include "setup/SetupFixture.h"
#include "setup/SubjectRulePreset.h"
#include "setup/TeacherRuleSettings.h"

using namespace tabrel;
using test::G;
using test::U;

namespace {
using Grid = PaikeRuleGrid;

std::pair<int, int> slotPoint(const Grid& g, const DataSet& ds, int period, int day)
{
    const Rect r = g.slotRect(ds, period, day);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

int ruleLines(const DataSet& ds)
{
    int n = 0;
    for (const auto& g : ds.grades)
        for (const auto& c : g->classes)
            for (const auto& row : c->cells)
                for (const auto& cell : row)
                    n += static_cast<int>(cell.subjectRules.size());
    for (const auto& row : ds.teacherSlotSettings)
        for (const auto& list : row)
            n += static_cast<int>(list.size());
    return n;
}
} // namespace

TEST(PaikeRuleGrid, BothGridsCycleAndTakeMenuCommandsOverTheirWholeScope)
{
    for (Grid::Mode mode : {Grid::Mode::Subject, Grid::Mode::Teacher}) {
        const bool subject = mode == Grid::Mode::Subject;
        auto ds = test::smallSchool({2, 1});
        Grid g(mode);
        g.setSubject(G("语文"));
        g.setScope({{0, 0}, {0, 1}, {1, 0}});
        g.setTeachers({G("张三"), G("李四")});
        g.setSize(560, 400);
        g.refresh(*ds);
        EXPECT_EQ(U(g.cornerText()), subject ? "语文" : "己选2人");
        auto read = [&](int member, int p, int d) {
            if (subject) {
                const auto [gi, ci] = g.scope()[member];
                return U(ClassTable::cellRule(ds->classAt(gi, ci)->cells[p][d], G("语文")));
            }
            return U(ds->teacherSlotValue(p, d, g.teachers()[member]));
        };
        const int members = subject ? 3 : 2;
        const auto [x, y] = slotPoint(g, *ds, 1, 2);
        const auto cycleButton = subject ? Grid::Button::Left : Grid::Button::Right;
        const auto menuButton = subject ? Grid::Button::Right : Grid::Button::Left;
        const auto menuPhase = subject ? Grid::Phase::Up : Grid::Phase::Down;

        // One member differs: the slot shows the disagreement; one cycle makes every member Auto.
        if (subject)
            ClassTable::setCellRule(ds->classAt(0, 0)->cells[1][2], G("语文"), G("不排"));
        else
            ds->setTeacherSlotValue(1, 2, G("张三"), G("不排"));
        g.refresh(*ds);
        EXPECT_EQ(U(g.shown(1, 2)), subject ? "各班不同" : "设置不同");
        ASSERT_EQ(g.mouse(*ds, cycleButton, Grid::Phase::Down, x, y), Grid::Reaction::Cycle);
        EXPECT_TRUE(g.cycle(*ds, g.menuPeriod(), g.menuDay()));
        EXPECT_EQ(ruleLines(*ds), 0);

        // Four cycles go round and leave no line.
        for (const char* expected : {"尽量排", "一定排", "不排", ""}) {
            g.cycle(*ds, 1, 2);
            g.refresh(*ds);
            EXPECT_EQ(U(g.shown(1, 2)), expected);
            for (int m = 0; m < members; ++m)
                EXPECT_EQ(read(m, 1, 2), expected);
        }
        EXPECT_EQ(ruleLines(*ds), 0);

        // The menu on a slot, then "全部设为自动".
        ASSERT_EQ(g.mouse(*ds, menuButton, menuPhase, x, y), Grid::Reaction::Menu);
        EXPECT_EQ(g.mouse(*ds, menuButton, menuPhase == Grid::Phase::Up ? Grid::Phase::Down : Grid::Phase::Up, x, y),
                  Grid::Reaction::None);
        EXPECT_TRUE(g.apply(*ds, Grid::Command::Must));
        for (int m = 0; m < members; ++m)
            EXPECT_EQ(read(m, 1, 2), "一定排");
        EXPECT_FALSE(g.apply(*ds, Grid::Command::Must));
        g.write(*ds, 0, 0, G("尽量排"));
        EXPECT_TRUE(g.apply(*ds, Grid::Command::AllAuto));
        EXPECT_EQ(ruleLines(*ds), 0);
        // Outside every slot cell nothing reacts.
        EXPECT_EQ(g.mouse(*ds, cycleButton, Grid::Phase::Down, 5, 5), Grid::Reaction::None);
        EXPECT_EQ(g.mouse(*ds, cycleButton, Grid::Phase::Down, 600, y), Grid::Reaction::None);
    }
}

TEST(PaikeRuleGrid, NamesHoldingADashAndEmptyScopesNeverWrite)
{
    auto ds = test::smallSchool({1});
    for (Grid::Mode mode : {Grid::Mode::Subject, Grid::Mode::Teacher}) {
        Grid dash(mode);
        dash.setSubject(G("体育-男"));
        dash.setScope({{0, 0}});
        dash.setTeachers({G("张-三")});
        EXPECT_FALSE(dash.cycle(*ds, 0, 0));
        EXPECT_FALSE(dash.apply(*ds, Grid::Command::Never));
        Grid empty(mode);
        empty.setSubject(G("体育"));
        EXPECT_FALSE(empty.cycle(*ds, 0, 0));
        EXPECT_FALSE(empty.clearAll(*ds));
    }
    // A stored line keyed by such a name is never matched: the grid shows Auto.
    ClassTable::setCellRule(ds->classAt(0, 0)->cells[0][0], G("体育-男"), G("不排"));
    Grid g(Grid::Mode::Subject);
    g.setSubject(G("体育-男"));
    g.setScope({{0, 0}});
    g.refresh(*ds);
    EXPECT_EQ(g.shown(0, 0), "");
    EXPECT_EQ(ruleLines(*ds), 1);
}

TEST(PaikeRuleGrid, RowsSummaryAndDrawingFollowTheTimeGrid)
{
    // Early reading 1, morning 2, afternoon 2, evening 1: header, 早1节, 第1节, 第2节, thin,
    // 第3节, 第4节, thin, 第5节 — weights 5 each and 1 for the thin rows.
    auto ds = test::smallSchool({2}, 1, 2, 2, 3);
    ds->eveningCount = 1;
    Grid g(Grid::Mode::Subject);
    g.setSubject(G("语文"));
    g.setScope({{0, 0}, {0, 1}});
    g.setSize(400, 370);
    const auto rows = g.rows(*ds);
    std::vector<int> periods;
    for (const auto& r : rows)
        periods.push_back(r.period);
    EXPECT_EQ(periods, (std::vector<int>{-1, 0, 1, 2, -1, 3, 4, -1, 5}));
    EXPECT_EQ(rows[4].bottom - rows[4].top, 10);
    EXPECT_EQ(rows[1].bottom - rows[1].top, 50);
    EXPECT_EQ(rows.back().bottom, 370);
    int p = -1, d = -1;
    EXPECT_FALSE(g.slotAt(*ds, 150, rows[4].top + 2, p, d));
    EXPECT_FALSE(g.slotAt(*ds, 50, rows[2].top + 2, p, d));
    ASSERT_TRUE(g.slotAt(*ds, 399, 369, p, d));
    EXPECT_EQ(std::make_pair(p, d), std::make_pair(5, 2));

    for (auto& c : ds->grades[0]->classes) {
        ClassTable::setCellRule(c->cells[1][1], G("语文"), G("一定排"));
        ClassTable::setCellRule(c->cells[0][0], G("语文"), G("不排"));
        ClassTable::setCellRule(c->cells[2][0], G("语文"), G("尽量排"));
    }
    ClassTable::setCellRule(ds->classAt(0, 1)->cells[5][2], G("语文"), G("不排"));
    g.refresh(*ds);
    EXPECT_EQ(U(g.summary(*ds)), "星期一早1节（不排）星期一第2节（尽量排）星期二第1节（一定排）星期三第5节（各班不同）");

    RecordingCanvas canvas;
    g.draw(canvas, *ds);
    for (const char* label : {"语文", "早1节", "第1节", "第5节", "星期三", "一定排", "各班不同"})
        EXPECT_TRUE(canvas.findText(G(label))) << label;
    const auto fills = canvas.ofKind(RecordingCanvas::Kind::Fill);
    EXPECT_TRUE(std::any_of(fills.begin(), fills.end(), [](const auto& f) { return f.color == Grid::LabelFill; }));
}

TEST(SubjectRulePreset, ScopesTitleAndRestoreAll)
{
    auto ds = test::smallSchool({2, 1});
    test::addSubject(*ds, "体育");
    SubjectRulePreset preset(*ds, 0);
    EXPECT_EQ(U(preset.title()), "体育 课节预设");
    const auto& tree = preset.tree().nodes();
    ASSERT_EQ(tree.size(), 6u); // 全校, 初一, 2 classes, 初二, 1 class
    EXPECT_EQ(U(tree[0].text), "全校");
    EXPECT_EQ(preset.grid().scope().size(), 3u);
    struct Case {
        int node;
        std::size_t scope;
    };
    for (const Case& c : {Case{1, 2}, Case{3, 1}, Case{4, 1}, Case{0, 3}}) {
        EXPECT_EQ(preset.selectScope(*ds, c.node), "");
        EXPECT_EQ(preset.grid().scope().size(), c.scope) << c.node;
    }
    // 不排 on 第1节 of every class of 初一, then the whole school shows the disagreement.
    preset.selectScope(*ds, 1);
    for (int day = 0; day < 5; ++day)
        preset.grid().write(*ds, 0, day, G("不排"));
    preset.selectScope(*ds, 0);
    EXPECT_EQ(U(preset.grid().shown(0, 0)), "各班不同");
    EXPECT_EQ(U(preset.selectScope(*ds, -1)), "选择错误!");
    EXPECT_TRUE(preset.grid().scope().empty());
    EXPECT_EQ(preset.summary(*ds), "");
    preset.selectScope(*ds, 1);
    EXPECT_EQ(U(preset.summary(*ds)).rfind("星期一第1节（不排）星期二第1节（不排）", 0), 0u);
    // A class added behind the window: the grade stays chosen and takes the new class in.
    ds->appendClass(0);
    preset.reload(*ds);
    EXPECT_EQ(preset.selectedNode(), 1);
    EXPECT_EQ(preset.grid().scope().size(), 3u);
    EXPECT_EQ(U(preset.grid().shown(0, 0)), "各班不同");
    EXPECT_TRUE(preset.restoreAll(*ds));
    preset.selectScope(*ds, 0);
    EXPECT_EQ(ruleLines(*ds), 0);
}

TEST(TeacherRuleSettings, TitlesAndTheCheckListChooseTheTeachers)
{
    auto ds = test::smallSchool({1});
    for (const char* n : {"张三", "李四", "王五"}) {
        ds->appendTeacher();
        ds->teachers.back()->name = G(n);
    }
    TeacherRuleSettings two({G("张三"), G("李四")});
    EXPECT_EQ(U(two.title()), "对 张三,李四 进行设置");
    TeacherRuleSettings list(*ds);
    EXPECT_EQ(U(list.title()), "预设“尽量排、一定排、不排”");
    EXPECT_TRUE(list.grid().teachers().empty());
    EXPECT_EQ(list.listNames().size(), 3u);
    list.setTicked(2, true);
    list.setTicked(0, true);
    std::vector<std::string> chosen;
    for (const auto& t : list.grid().teachers())
        chosen.push_back(U(t));
    EXPECT_EQ(chosen, (std::vector<std::string>{"张三", "王五"}));
    EXPECT_FALSE(list.setTicked(0, true));
    EXPECT_FALSE(list.setTicked(3, true));
    list.grid().write(*ds, 0, 1, G("一定排"));
    EXPECT_EQ(U(list.summary(*ds)), "星期二第1节（一定排）");
    list.setTicked(0, false);
    EXPECT_EQ(U(list.grid().cornerText()), "王五");
    // "多选◢" ticks every name unless all are ticked, then unticks them all.
    for (bool expected : {true, false, true}) {
        list.toggleAll();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(list.ticked(i), expected);
        EXPECT_EQ(list.grid().teachers().size(), expected ? 3u : 0u);
    }
}
