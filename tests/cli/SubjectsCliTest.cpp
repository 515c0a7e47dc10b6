// tabrel-cli paste subjects, plan and copy-rules --subject, end to end: what each writes into the
// school, what it prints, and the status of every kind of fault in the order they are found.
#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "cli/JsonSchedule.h"
#include "support/TestSupport.h"

using namespace tabrel;
using tabrel::test::CliRun;
using tabrel::test::runCli;
using tabrel::test::TempDir;
using tabrel::test::writeFile;

namespace {
struct School {
    TempDir dir;
    std::string qtf = dir.file("学校.qtf");
    School()
    {
        const std::string json = (test::sourceDir() / "examples" / "middle-school.json").string();
        EXPECT_EQ(runCli({"build", json, "-o", qtf}).status, 0);
    }
    cli::Json dump(const std::string& file) const
    {
        CliRun r = runCli({"dump", file});
        EXPECT_EQ(r.status, 0) << r.err;
        return cli::Json::parse(r.out);
    }
};

// "subject:weekly:teacher" rows of a class's plan.
std::vector<std::string> plan(const cli::Json& cls)
{
    std::vector<std::string> rows;
    for (const auto& a : cls["assignments"])
        rows.push_back(a["subject"].get<std::string>() + ":" + std::to_string(a["weeklyLessons"].get<int>()) + ":" +
                       a["teacher"].get<std::string>());
    return rows;
}
} // namespace

TEST(SubjectsCli, PasteThenPlanGivesEveryClassItsTeachingPlan)
{
    School s;
    const std::string text = s.dir.file("科目.txt"), mid = s.dir.file("mid.qtf"), out = s.dir.file("out.qtf");
    writeFile(text, "\xEF\xBB\xBF语文\t6\t6\t5\r\n数学\t6\t6\t6\r\n体育\t3\t0\t2.1\t9\r\n");
    CliRun r = runCli({"paste", s.qtf, "subjects", text, "-o", mid});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const cli::Json pasted = s.dump(mid);
    ASSERT_EQ(pasted["subjects"].size(), 3u);
    EXPECT_EQ(pasted["subjects"][2]["gradeLessons"][1], "");
    EXPECT_EQ(pasted["subjects"][2]["gradeLessons"][2], "2");
    EXPECT_EQ(pasted["subjects"][2]["gradeLessons"][3], "");
    // Until the take-over the plans still name the old catalogue.
    EXPECT_EQ(plan(pasted["grades"][0]["classes"][0]), plan(s.dump(s.qtf)["grades"][0]["classes"][0]));

    r = runCli({"plan", mid, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
    const cli::Json planned = s.dump(out);
    const std::vector<std::vector<std::string>> firstRows = {{"语文", "数学", "体育"}, {"语文", "数学"}, {"语文", "数学", "体育"}};
    for (std::size_t g = 0; g < planned["grades"].size(); ++g)
        for (const auto& c : planned["grades"][g]["classes"]) {
            std::vector<std::string> subjects;
            for (const auto& a : c["assignments"])
                subjects.push_back(a["subject"]);
            EXPECT_EQ(subjects, firstRows[g]) << c["name"];
        }
    // A teacher chosen before stays with its subject.
    const auto before = plan(s.dump(s.qtf)["grades"][0]["classes"][0]);
    EXPECT_EQ(plan(planned["grades"][0]["classes"][0])[0], "语文:6:" + before[0].substr(before[0].rfind(':') + 1));

    // --in-place writes over the file itself.
    ASSERT_EQ(runCli({"plan", out, "--in-place"}).status, 0);
    EXPECT_EQ(s.dump(out), planned);
}

TEST(SubjectsCli, CopyRulesGivesTheTargetExactlyTheSourcePattern)
{
    School s;
    const std::string out = s.dir.file("out.qtf");
    CliRun r = runCli({"copy-rules", s.qtf, "--subject", "体育", "--to", "语文", "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const cli::Json before = s.dump(s.qtf), after = s.dump(out);
    auto ruleOf = [](const cli::Json& cell, const std::string& subject) {
        for (const auto& line : cell["subjectRules"]) {
            const std::string l = line;
            if (l.rfind(subject + "-", 0) == 0)
                return l.substr(subject.size() + 1);
        }
        return std::string();
    };
    int rules = 0;
    for (std::size_t g = 0; g < after["grades"].size(); ++g)
        for (std::size_t c = 0; c < after["grades"][g]["classes"].size(); ++c) {
            const auto& cells = after["grades"][g]["classes"][c]["cells"];
            const auto& old = before["grades"][g]["classes"][c]["cells"];
            for (std::size_t p = 0; p < cells.size(); ++p)
                for (std::size_t d = 0; d < cells[p].size(); ++d) {
                    EXPECT_EQ(ruleOf(cells[p][d], "语文"), ruleOf(old[p][d], "体育"));
                    EXPECT_EQ(ruleOf(cells[p][d], "体育"), ruleOf(old[p][d], "体育"));
                    rules += !ruleOf(cells[p][d], "语文").empty();
                }
        }
    EXPECT_GT(rules, 0);
    EXPECT_EQ(after["subjects"][0]["ruleSummary"], before["subjects"][9]["ruleSummary"]);
}

TEST(SubjectsCli, FaultsAreFoundUsageFirstThenFilesThenNames)
{
    School s;
    const std::string out = s.dir.file("out.qtf"), empty = s.dir.file("empty.txt"), text = s.dir.file("t.txt");
    const std::string missing = s.dir.file("none.qtf");
    writeFile(empty, "\t6\n语文\t5\n");
    writeFile(text, "语文\t5\n");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* errHas;
    };
    const Case cases[] = {
        {{"paste", missing, "subjects", text}, 2, "-o"},
        {{"paste", s.qtf, "subjects", text, "-o", out, "--at", "0,1"}, 2, "--at"},
        {{"paste", s.qtf, "subjects", text, "-o", out, "--grade", "初一"}, 2, "--grade"},
        {{"paste", missing, "subjects", text, "-o", out}, 1, "none.qtf"},
        {{"paste", s.qtf, "subjects", missing, "-o", out}, 1, "none.qtf"},
        {{"paste", s.qtf, "subjects", empty, "-o", out}, 1, "请复制数据后，再确定"},
        {{"plan", s.qtf}, 2, "usage"},
        {{"plan", s.qtf, "-o", out, "--in-place"}, 2, "usage"},
        {{"plan", s.qtf, "extra", "-o", out}, 2, "usage"},
        {{"plan", missing, "-o", out}, 1, "none.qtf"},
        {{"copy-rules", s.qtf, "--subject", "语文", "-o", out}, 2, "--to"},
        {{"copy-rules", s.qtf, "--to", "语文", "-o", out}, 2, "usage"},
        {{"copy-rules", missing, "--subject", "语文", "--to", "数学"}, 2, "usage"},
        {{"copy-rules", missing, "--subject", "没有", "--to", "数学", "-o", out}, 1, "none.qtf"},
        {{"copy-rules", s.qtf, "--subject", "没有", "--to", "数学", "-o", out}, 4, "没有"},
        {{"copy-rules", s.qtf, "--subject", "语文", "--to", "语文-", "-o", out}, 4, "语文-"},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const auto& a : c.args)
            line += a + " ";
        CliRun r = runCli(c.args);
        EXPECT_EQ(r.status, c.status) << line << "\n" << r.err;
        EXPECT_NE(r.err.find(c.errHas), std::string::npos) << line << "\n" << r.err;
        EXPECT_EQ(r.out, "") << line;
        EXPECT_FALSE(std::filesystem::exists(out)) << line;
    }
    CliRun help = runCli({"plan", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, "usage: tabrel-cli plan FILE.qtf (-o OUT.qtf | --in-place)\n");
}
