// Copy and paste of a subject's rule settings: the line format, the pattern carried across every
// class of every grade, and the lines that must be skipped.
#include <gtest/gtest.h>

#include <random>

#include "setup/SetupFixture.h"
#include "setup/SubjectRuleSettings.h"

using namespace tabrel;
using test::G;
using test::U;

TEST(SubjectRuleSettings, PastingCopiesTheSourcePatternOntoTheTargetInEveryClass)
{
    const std::string levels[] = {"", G("尽量排"), G("一定排"), G("不排")};
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        auto pick = [&](int n) { return static_cast<int>(rng() % n); };
        auto ds = test::smallSchool({1 + pick(3), 1 + pick(3), 1 + pick(2)}, pick(3), 1 + pick(6), pick(4), 1 + pick(7));
        test::addSubject(*ds, "语文").ruleSummary = G("星期一第1节（不排）");
        test::addSubject(*ds, "数学");
        test::addSubject(*ds, "英语");
        const int periods = ds->periodsPerDay(), days = ds->dayCount();
        for (auto& g : ds->grades)
            for (auto& c : g->classes)
                for (int p = 0; p < periods; ++p)
                    for (int d = 0; d < days; ++d)
                        for (const char* s : {"语文", "数学", "英语"})
                            ClassTable::setCellRule(c->cells[p][d], G(s), levels[pick(4)]);
        std::vector<std::string> english;
        for (auto& g : ds->grades)
            for (auto& c : g->classes)
                for (int p = 0; p < periods; ++p)
                    for (int d = 0; d < days; ++d)
                        english.push_back(ClassTable::cellRule(c->cells[p][d], G("英语")));

        const auto lines = copySubjectSettings(*ds, 0);
        int classes = 0;
        for (auto& g : ds->grades)
            classes += static_cast<int>(g->classes.size());
        ASSERT_EQ(lines.size(), 1u + static_cast<std::size_t>(classes * periods * days));
        pasteSubjectSettings(*ds, 1, lines);

        EXPECT_EQ(U(ds->subjects[1]->ruleSummary), "星期一第1节（不排）");
        std::size_t k = 0;
        for (auto& g : ds->grades)
            for (auto& c : g->classes)
                for (int p = 0; p < periods; ++p)
                    for (int d = 0; d < days; ++d) {
                        const LessonCell& cell = c->cells[p][d];
                        ASSERT_EQ(ClassTable::cellRule(cell, G("数学")), ClassTable::cellRule(cell, G("语文")))
                            << "seed " << seed << " " << U(c->name) << " " << p << "," << d;
                        EXPECT_EQ(ClassTable::cellRule(cell, G("英语")), english[k++]);
                    }
        // Pasting the same settings again changes nothing.
        EXPECT_FALSE(pasteSubjectSettings(*ds, 1, lines));
    }
}

TEST(SubjectRuleSettings, LinesAreReadAsTheyAreWrittenAndBadOnesAreSkipped)
{
    struct Case {
        const char* line;
        bool ok;
        int g, c, p, d;
        const char* rule;
    };
    const Case cases[] = {
        {"0,1,2,3,不排", true, 0, 1, 2, 3, "不排"},
        {"1,0,0,6,", true, 1, 0, 0, 6, ""},
        {"1,0,0,6", true, 1, 0, 0, 6, ""},
        {" 0, +1,2,3,一定排 later words", true, 0, 1, 2, 3, "一定排"},
        {"0,1,2,3,  尽量排\t", true, 0, 1, 2, 3, "尽量排"},
        {"0,1,2", false, 0, 0, 0, 0, ""},
        {"0 ,1,2,3,不排", false, 0, 0, 0, 0, ""},
        {"a,1,2,3,不排", false, 0, 0, 0, 0, ""},
        {"", false, 0, 0, 0, 0, ""},
    };
    for (const Case& k : cases) {
        int g = 0, c = 0, p = 0, d = 0;
        std::string rule = "unset";
        ASSERT_EQ(readSettingsLine(G(k.line), g, c, p, d, rule), k.ok) << k.line;
        if (k.ok) {
            EXPECT_EQ(std::vector<int>({g, c, p, d}), std::vector<int>({k.g, k.c, k.p, k.d})) << k.line;
            EXPECT_EQ(U(rule), k.rule) << k.line;
        }
    }

    // Lines naming a grade, class, period or day outside the school are skipped; the others land.
    auto ds = test::smallSchool({1});
    test::addSubject(*ds, "体育");
    const std::vector<std::string> lines = {G("摘要"), G("1,0,0,0,不排"), G("0,5,0,0,不排"), G("0,0,12,0,不排"),
                                            G("0,0,0,7,不排"),   G("-1,0,0,0,不排"), G("0,0,1,2,不排")};
    EXPECT_TRUE(pasteSubjectSettings(*ds, 0, lines));
    int rules = 0;
    for (auto& row : ds->classAt(0, 0)->cells)
        for (auto& cell : row)
            rules += static_cast<int>(cell.subjectRules.size());
    EXPECT_EQ(rules, 1);
    EXPECT_EQ(U(ClassTable::cellRule(ds->classAt(0, 0)->cells[1][2], G("体育"))), "不排");
    EXPECT_FALSE(pasteSubjectSettings(*ds, 0, {}));
    EXPECT_FALSE(pasteSubjectSettings(*ds, 1, lines));

    // A subject whose name holds "-" takes the summary but no rule lines: they could never be read.
    test::addSubject(*ds, "体育-男");
    EXPECT_TRUE(pasteSubjectSettings(*ds, 1, lines));
    EXPECT_EQ(ds->classAt(0, 0)->cells[1][2].subjectRules.size(), 1u);
    EXPECT_EQ(U(ds->subjects[1]->ruleSummary), "摘要");
}
