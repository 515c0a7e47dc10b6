// The master timetable: style-1 geometry and drawing, style 2, the selection, the text copies, the
// batch import, the clearing, the load distribution and the printed pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "data/DataSet.h"
#include "output/LoadDistribution.h"
#include "output/PrintDocument.h"
#include "output/RecordingCanvas.h"
#include "output/TeacherTeachTable.h"
#include "output/TotalSchedulePanel.h"
#include "output/TotalScheduleText.h"
#include "output/TimetableFixtures.h"

using namespace tabrel;
using tabrel::test::G;
using tabrel::test::U;
using Kind = RecordingCanvas::Kind;

namespace {

constexpr Rgb LineGrey{180, 180, 180};

// A school of `grades` grades of `classes` classes each, named "<grade>N", on `days` days with
// `morning` + `afternoon` periods.
std::unique_ptr<DataSet> school(int grades, int classes, int days = 5, int morning = 4, int afternoon = 3)
{
    auto ds = std::make_unique<DataSet>();
    ds->morningCount = morning;
    ds->afternoonCount = afternoon;
    const char* names[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
    for (int d = 0; d < days; ++d)
        ds->dayNames.push_back(G(names[d]));
    ds->setGradeCount(grades);
    for (int g = 0; g < grades; ++g) {
        ds->gradeNames[g] = G("初") + std::to_string(g + 1);
        ds->setClassCount(g, classes);
        for (int i = 0; i < classes; ++i)
            ds->classAt(g, i)->name = ds->gradeNames[g] + std::to_string(i + 1);
    }
    return ds;
}

std::vector<const ClassTable*> constList(const std::vector<ClassTable*>& v) { return {v.begin(), v.end()}; }

} // namespace

TEST(TotalScheduleTable, GridWidthRowsAndClosingLinesFollowTheClassesAndTheTimeGrid)
{
    struct Case {
        int classes, days, morning, afternoon, height;
        int gridRight;
    };
    const Case cases[] = {
        {30, 5, 4, 3, 700, 4594}, // 90 + 150·30 + 4
        {1, 1, 4, 0, 500, 120},
        {3, 7, 2, 6, 900, 90 + 21 * 30 + 6},
        {0, 5, 4, 3, 700, 94},
    };
    for (const Case& c : cases) {
        auto ds = school(1, c.classes, c.days, c.morning, c.afternoon);
        const TotalScheduleTable t(*ds, c.classes, c.height);
        const int T = c.morning + c.afternoon, R = c.height / (T + 3);
        EXPECT_EQ(t.gridRight(), c.gridRight);
        EXPECT_EQ(t.tableWidth(), c.gridRight + 50);
        EXPECT_EQ(t.contentWidth(), c.gridRight + 150);
        EXPECT_EQ(t.rowHeight(), R);
        EXPECT_EQ(t.firstPeriodTop(), 4 * R / 5 + 10 + R / 2 + 2 * R / 3);
        const int gap = c.afternoon > 0 ? R / 4 : 0;
        EXPECT_EQ(t.gridBottom(), t.firstPeriodTop() + T * R + gap);

        RecordingCanvas canvas;
        auto classes = constList(classesInGradeOrder(*ds));
        t.draw(canvas, *ds, classes, {});
        // The frame: the top and bottom lines over the whole width, the left and right edges.
        EXPECT_TRUE(canvas.hasLine(30, t.gridTop(), c.gridRight, t.gridTop(), LineGrey));
        EXPECT_TRUE(canvas.hasLine(30, t.gridBottom(), c.gridRight, t.gridBottom(), LineGrey));
        EXPECT_TRUE(canvas.hasLine(c.gridRight, t.gridTop(), c.gridRight, t.gridBottom() + 1, LineGrey));
        EXPECT_TRUE(canvas.hasLine(30, t.gridTop(), 30, t.gridBottom() + 1, LineGrey));
        // No text reaches past the grid.
        for (const auto& call : canvas.ofKind(Kind::Text))
            if (call.rect.top >= t.gridTop())
                EXPECT_LE(call.rect.right, c.gridRight) << U(call.text);
    }
}

TEST(TotalScheduleTable, CellsStackTwoCharactersAndCutTeachersAndDrawShortNamesWhole)
{
    auto ds = school(1, 3, 1, 2, 0);
    ClassTable& a = *ds->classAt(0, 0);
    a.name = G("初1");   // 3 bytes: the character above the digit
    ds->classAt(0, 1)->name = G("甲");  // 2 bytes: whole
    a.cells[0][0].subject = G("体育1");
    a.cells[0][0].teacher = G("专门人");
    a.cells[1][0].subject = G("音");  // one character: drawn whole
    a.cells[1][0].teacher = G("欧阳修文");
    ds->classAt(0, 2)->cells[0][0].subject = "empty";
    const TotalScheduleTable t(*ds, 3, 500);
    const int R = t.rowHeight(), y0 = t.periodTop(0), y1 = t.periodTop(1);
    RecordingCanvas canvas;
    auto classes = constList(classesInGradeOrder(*ds));
    t.draw(canvas, *ds, classes, {});
    auto at = [&](const char* text) -> Rect {
        const auto* call = canvas.findText(G(text));
        return call ? call->rect : Rect{-1, -1, -1, -1};
    };
    EXPECT_EQ(at("体"), (Rect{90, y0 + 1, 120, y0 + R / 3}));
    EXPECT_EQ(at("育"), (Rect{90, y0 + R / 3, 120, y0 + 2 * R / 3 - 1}));
    EXPECT_EQ(at("专人"), (Rect{90, y0 + 2 * R / 3, 120, y0 + R - R / 12}));
    EXPECT_EQ(at("音"), (Rect{90, y1 + 1, 120, y1 + 2 * R / 3 - 1}));
    EXPECT_EQ(at("修文"), (Rect{90, y1 + 2 * R / 3, 120, y1 + R - R / 12}));
    EXPECT_NE(canvas.findText(G("初")), nullptr);
    EXPECT_NE(canvas.findText("1"), nullptr);
    EXPECT_EQ(canvas.findText(G("初1")), nullptr);
    EXPECT_NE(canvas.findText(G("甲")), nullptr);
    EXPECT_EQ(canvas.findText("empty"), nullptr);
    // Without teachers the subject takes the whole cell.
    canvas.clear();
    t.draw(canvas, *ds, classes, {true, false});
    EXPECT_EQ(at("体"), (Rect{90, y0 + 6, 120, y0 + R / 2}));
    EXPECT_EQ(canvas.findText(G("专人")), nullptr);
    // Style 2 keeps the teacher's name as it is.
    EXPECT_EQ(style1TeacherText(G("专门人")), G("专人"));
    canvas.clear();
    const tabrel::TotalScheduleOne rows(*ds, 800, 600);
    rows.drawRows(canvas, *ds, classes, {}, 0, {});
    EXPECT_NE(canvas.findText(G("专门人")), nullptr);
}

TEST(TotalScheduleTable, CommonPeriodRunsShareOneBox)
{
    auto ds = school(1, 5, 2, 2, 0);
    for (int i = 0; i < 3; ++i)
        ds->classAt(0, i)->commonPeriods[1][1] = G("自习");
    ds->classAt(0, 4)->commonPeriods[1][1] = G("劳动");
    ds->classAt(0, 0)->commonPeriods[0][0] = G("自习");
    ds->classAt(0, 1)->commonPeriods[0][0] = G("劳动");
    const TotalScheduleTable t(*ds, 5, 600);
    RecordingCanvas canvas;
    t.draw(canvas, *ds, constList(classesInGradeOrder(*ds)), {});
    std::vector<Rect> boxes;
    for (const auto& call : canvas.ofKind(Kind::Fill))
        if (call.color == colors::White)
            boxes.push_back(call.rect);
    const int R = t.rowHeight(), y0 = t.periodTop(0), y1 = t.periodTop(1);
    const int day2 = t.columnLeft(5);
    EXPECT_EQ(day2, 90 + 5 * 30 + 1);
    const std::vector<Rect> expected = {
        {91, y0 + 1, 119, y0 + R - 1},                        // 自习, class 1 alone
        {121, y0 + 1, 149, y0 + R - 1},                       // 劳动 beside it: its own box
        {day2 + 1, y1 + 1, day2 + 90 - 1, y1 + R - 1},        // three classes of 自习
        {day2 + 121, y1 + 1, day2 + 149, y1 + R - 1},         // 劳动 at the end of the selection
    };
    EXPECT_EQ(boxes, expected);
}

TEST(TotalScheduleText, BatchImportCutsQuotesAndCleansFields)
{
    struct Case {
        const char* text;
        std::vector<BatchImportField> fields;
    };
    const Case cases[] = {
        {"体育\t数学\n语文\n", {{0, 0, "体育1"}, {0, 1, "数学"}, {1, 0, "语文"}}},
        {"a\tb", {{0, 0, "a"}}},                      // the text after the last separator is dropped
        {"a\t\"b\"", {{0, 0, "a"}, {0, 1, "b"}}},     // unless it holds a quote
        {"\"x\ty\nz\"\tw\n", {{0, 0, "x\ty"}, {0, 1, "w"}}}, // a quoted part keeps tabs, cut at its line feed
        {"ab\r\n\t\n", {{0, 0, "ab"}, {1, 0, ""}, {1, 1, ""}}},
        {"p\"q\r\"r\n", {{0, 0, "pq"}}},               // cut at the carriage return
        {"\n\n体育 \n", {{0, 0, ""}, {1, 0, ""}, {2, 0, "体育 "}}},
        {"", {}},
    };
    for (const Case& c : cases) {
        std::vector<BatchImportField> expected = c.fields;
        for (auto& f : expected)
            f.text = G(f.text.c_str());
        EXPECT_EQ(cutBatchImportText(G(c.text)), expected) << c.text;
    }
}

TEST(TotalScheduleText, BatchImportWritesColumnsByDayAndClassAndSkipsCommonPeriodsAndTheOutside)
{
    auto ds = school(1, 2, 2, 2, 0);
    ClassTable& a = *ds->classAt(0, 0);
    ClassTable& b = *ds->classAt(0, 1);
    a.appendAssignment()->subject = G("体育1");
    a.assignments[0]->teacher = G("吴燕");
    tabrel::test::addTeacher(*ds, "吴燕");
    b.commonPeriods[0][1] = G("自习");
    b.cells[1][0].subject = G("美术");
    // Columns: day 0 class a, day 0 class b, day 1 class a, day 1 class b, then past the days.
    const std::string text = G("体育\t英语\t音乐\t数学\t物理\n\t[空白]\n化学\n");
    EXPECT_EQ(BatchImport(*ds, {&a, &b}, text), 4);
    EXPECT_EQ(U(a.cells[0][0].subject), "体育1");
    EXPECT_EQ(U(a.cells[0][0].teacher), "吴燕");
    EXPECT_EQ(ds->teachers[0]->lessons.size(), 1u);
    EXPECT_EQ(U(b.cells[0][0].subject), "英语");
    EXPECT_EQ(U(a.cells[0][1].subject), "音乐");
    EXPECT_EQ(b.cells[0][1].subject, "");          // common period: skipped
    EXPECT_EQ(b.cells[1][0].subject, "");          // [空白] cleared it
    // Nothing is written without a selection, and an unchanged paste changes nothing.
    EXPECT_EQ(BatchImport(*ds, {}, G("语文\n")), 0);
    EXPECT_EQ(BatchImport(*ds, {&a, &b}, text), 0);
}

TEST(TotalScheduleText, CopiesAreExactAndTheSubjectLinesPasteBackUnchanged)
{
    auto ds = school(1, 2, 2, 1, 1);
    ClassTable& a = *ds->classAt(0, 0);
    ClassTable& b = *ds->classAt(0, 1);
    a.cells[0][0].subject = G("语\n文");
    a.cells[0][0].teacher = G("王\r芳");
    a.cells[1][1].subject = "empty";
    b.cells[1][0].subject = G("数学");
    b.cells[1][0].teacher = G("李四");
    b.commonPeriods[0][1] = G("自习");
    const auto list = constList(classesInGradeOrder(*ds));
    EXPECT_EQ(U(masterStyle1Text(*ds, list)),
              "初11\t初12\t初11\t初12\n"
              "语 文\t\t\t\n王 芳\t\t\t\n"
              "\t数学\t\t\n\t李四\t\t\n");
    EXPECT_EQ(U(masterStyle2Text(*ds, list)),
              "1\t2\t1\t2\t\n"
              "语 文\t\t\t\n王 芳\t\t\t\n"
              "\t数学\t\t\n\t李四\t\t\n");
    // The copy's line breaks become spaces in the cells as well.
    EXPECT_TRUE(ReplaceLineBreaksInCells(*ds, classesInGradeOrder(*ds)));
    EXPECT_EQ(U(a.cells[0][0].subject), "语 文");
    EXPECT_FALSE(ReplaceLineBreaksInCells(*ds, classesInGradeOrder(*ds)));

    // A random school: the subject lines of a copy, pasted back, change nothing.
    std::mt19937 rng(15);
    const char* subjects[] = {"语文", "数学", "英语", "", "empty", "信息技术", "美术"};
    auto big = school(3, 4, 5, 4, 3);
    const auto all = classesInGradeOrder(*big);
    for (ClassTable* c : all)
        for (int p = 0; p < 7; ++p)
            for (int d = 0; d < 5; ++d) {
                if (rng() % 9 == 0)
                    c->commonPeriods[p][d] = G("劳动");
                else
                    c->cells[p][d].subject = G(subjects[rng() % 7]);
            }
    for (ClassTable* c : all)
        for (int p = 0; p < 7; ++p)
            for (int d = 0; d < 5; ++d)
                if (c->cells[p][d].subject == "empty")
                    c->cells[p][d].subject.clear(); // a paste writes "" for the copied empty field
    const std::string copy = masterStyle1Text(*big, constList(all));
    std::string subjectLines;
    int line = 0;
    for (std::size_t i = 0, start = 0; i < copy.size(); ++i)
        if (copy[i] == '\n') {
            if (line % 2 == 1)
                subjectLines += copy.substr(start, i + 1 - start);
            ++line;
            start = i + 1;
        }
    EXPECT_EQ(BatchImport(*big, all, subjectLines), 0);
}

TEST(TotalSchedulePanel, MenuSelectsAllEveryGradeAndAChoiceAndClearingAsksForNothingElse)
{
    auto ds = school(10, 2);
    TotalSchedulePanel panel;
    panel.prepareForShow(*ds);
    const auto entries = TotalSchedulePanel::classMenuEntries(*ds);
    ASSERT_EQ(entries.size(), 12u);
    EXPECT_EQ(U(entries[0]), "所有班级");
    EXPECT_EQ(U(entries[10]), "初10年级所有班级");
    EXPECT_EQ(U(entries[11]), "自选班级");
    EXPECT_EQ(panel.selectedPositions(*ds).size(), 20u);
    EXPECT_EQ(panel.chooseClassMenuEntry(*ds, 10), TotalSchedulePanel::MenuResult::Selected);
    EXPECT_EQ(panel.selectedPositions(*ds), (std::vector<int>{18, 19}));
    EXPECT_EQ(panel.chooseClassMenuEntry(*ds, 11), TotalSchedulePanel::MenuResult::ChooseClasses);
    panel.selectCustom(*ds, {5, 1, 99, -1});
    EXPECT_EQ(panel.selectedPositions(*ds), (std::vector<int>{5, 1}));
    EXPECT_EQ(panel.chooseClassMenuEntry(*ds, 12), TotalSchedulePanel::MenuResult::Nothing);
    // A class removed since: the selection holds what is still there.
    ds->setClassCount(0, 1);
    EXPECT_EQ(panel.selectedPositions(*ds), (std::vector<int>{5, 1}));
    ds->setGradeCount(1);
    EXPECT_EQ(panel.selectedPositions(*ds), (std::vector<int>{}));

    // Style 2: a click on a class name marks its row; a click on a slot does nothing.
    auto two = school(1, 12);
    panel.prepareForShow(*two);
    panel.SetStyle(1);
    const tabrel::TotalScheduleOne g(*two, 800, 900);
    const int nameX = g.columnX(1) / 2, rowY = (g.rowTop(2) + g.rowTop(3)) / 2;
    EXPECT_TRUE(panel.clickStyle2(*two, nameX, rowY, 800, 900));
    EXPECT_TRUE(panel.rowMarked(*two, 2));
    EXPECT_FALSE(panel.clickStyle2(*two, g.columnX(3), rowY, 800, 900));
    panel.scrollStyle2(1, *two);
    EXPECT_TRUE(panel.clickStyle2(*two, nameX, rowY, 800, 900)); // row 2 is now class 3
    EXPECT_TRUE(panel.rowMarked(*two, 3));
    EXPECT_EQ(panel.exportText(*two).substr(0, 4), "1\t2\t");

    // Clearing empties every selected class and reports whether anything was there.
    ClassTable& c = *two->classAt(0, 0);
    c.cells[0][0].subject = G("语文");
    panel.SelectClasses(*two, 1);
    EXPECT_TRUE(ClearSelectedClasses(*two, panel.selectedClasses(*two)));
    EXPECT_EQ(c.cells[0][0].subject, "");
    EXPECT_FALSE(ClearSelectedClasses(*two, panel.selectedClasses(*two)));
}

TEST(LoadDistribution, CountsPeriodsAndDaysOnceForAJointSlotAndReachesTwelvePeriods)
{
    struct Case {
        int morning, afternoon, days;
        std::size_t columns;
    };
    for (const Case& c : {Case{4, 3, 5, 14u}, Case{6, 6, 7, 21u}, Case{0, 0, 0, 2u}}) {
        auto ds = school(1, 2, c.days, c.morning, c.afternoon);
        tabrel::test::addTeacher(*ds, "王芳");
        tabrel::test::addTeacher(*ds, "李四");
        const int T = c.morning + c.afternoon;
        if (T > 0 && c.days > 0) {
            // One joint lesson in two classes at the last period of the last day, one more lesson.
            tabrel::test::putLesson(*ds, *ds->classAt(0, 0), T - 1, c.days - 1, "语文", "王芳");
            tabrel::test::putLesson(*ds, *ds->classAt(0, 1), T - 1, c.days - 1, "语文", "王芳");
            tabrel::test::putLesson(*ds, *ds->classAt(0, 1), 0, 0, "语文", "王芳");
        }
        const LoadDistribution dist = buildLoadDistribution(*ds);
        ASSERT_EQ(dist.header.size(), c.columns);
        EXPECT_EQ(U(dist.header[0]), "姓名");
        EXPECT_EQ(U(dist.header[1]), "合计");
        if (T > 0)
            EXPECT_EQ(U(dist.header[2 + T - 1]), "第" + std::to_string(T) + "节");
        ASSERT_EQ(dist.rows.size(), 2u);
        EXPECT_EQ(dist.rows[1][1], "0");
        EXPECT_TRUE(std::all_of(dist.rows[1].begin() + 2, dist.rows[1].end(), [](auto& s) { return s.empty(); }));
        if (T > 0 && c.days > 0) {
            EXPECT_EQ(dist.rows[0][1], "2");
            EXPECT_EQ(dist.rows[0][2 + T - 1], "1");
            EXPECT_EQ(dist.rows[0][2 + T + c.days - 1], "1");
        }
        const std::string text = loadDistributionText(dist);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\t'), static_cast<long>(3 * (c.columns - 1)));
    }
}

TEST(PrintDocument, PagesCoverEveryClassTeacherAndColumnOnce)
{
    for (int classes : {1, 7, 30, 61}) {
        auto ds = school(2, classes);
        tabrel::test::addTeacher(*ds, "王芳");
        const auto list = constList(classesInGradeOrder(*ds));
        EXPECT_EQ(classSheetsDocument(*ds, list, {})->pageCount(), 2 * classes);
        EXPECT_EQ(teacherSheetsDocument(*ds, {})->pageCount(), 1);
        // Every (day, class) column gets a subject of its own, one character drawn whole.
        std::set<std::string> expected;
        int i = 0;
        for (int d = 0; d < 5; ++d)
            for (const ClassTable* c : list) {
                std::string ch{static_cast<char>(0xD8 + i / 94), static_cast<char>(0xA1 + i % 94)};
                ++i;
                const_cast<ClassTable*>(c)->cells[0][d].subject = ch;
                expected.insert(ch);
            }
        auto master = masterStyle1Document(*ds, list, {});
        EXPECT_TRUE(master->landscape());
        std::multiset<std::string> seen;
        for (int page = 0; page < master->pageCount(); ++page) {
            RecordingCanvas canvas;
            master->drawPage(page, canvas);
            const PageDrawing size = master->pageDrawing(page);
            // The page's grid is closed on the right and nothing stands past it.
            int right = 0;
            for (const auto& call : canvas.ofKind(Kind::Line))
                right = std::max({right, call.rect.left, call.rect.right});
            EXPECT_LE(right, size.width);
            EXPECT_GT(right, 120);
            for (const auto& call : canvas.ofKind(Kind::Text)) {
                if (call.rect.top > 50)
                    EXPECT_LE(call.rect.right, right) << U(call.text);
                if (expected.count(call.text))
                    seen.insert(call.text);
            }
            // The label columns come again on every page.
            EXPECT_NE(canvas.findText(G("班 级")), nullptr);
        }
        EXPECT_EQ(std::set<std::string>(seen.begin(), seen.end()), expected);
        EXPECT_EQ(seen.size(), expected.size());
        auto assignment = assignmentTableDocument(*ds, 1, 1);
        EXPECT_EQ(assignment->pageCount(), 3); // 35 slots: two table pages, then the distribution
    }
}
