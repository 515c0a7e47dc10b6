// tabrel-cli term, absence, cover, day, changes, notice and cover-stats, and the extension keys of
// the JSON form, end to end.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli/CliRunner.h"
#include "support/TestSupport.h"

using tabrel::test::CliRun;
using tabrel::test::runCli;
using tabrel::test::TempDir;
using Json = nlohmann::ordered_json;

namespace {

// 初一(1): Monday 数学 王芳 (period 1), 语文 李强 (period 2); 初一(2): Monday 语文 李强 (period 1).
Json school(bool withTerm)
{
    Json cell = Json::object();
    auto lesson = [](const char* s, const char* t) { return Json{{"subject", s}, {"teacher", t}}; };
    Json j = {{"morningCount", 4}, {"afternoonCount", 0},
              {"dayNames", {"星期一", "星期二", "星期三", "星期四", "星期五"}},
              {"grades", {{{"name", "初一"},
                           {"classes", {{{"name", "初一(1)"}, {"cells", {{lesson("数学", "王芳")}, {lesson("语文", "李强")}}}},
                                        {{"name", "初一(2)"}, {"cells", {{lesson("语文", "李强")}}}}}}}}},
              {"teachers", {{{"name", "王芳"}}, {{"name", "李强"}}, {{"name", "张三"}}}}};
    if (withTerm) {
        j["schoolName"] = "育才中学";
        j["term"] = {{"start", "2027-03-01"}, {"weeks", 20}, {"daysOff", {"2027-04-05"}},
                     {"makeUpDays", {{{"date", "2027-04-11"}, {"follows", "星期一"}}}}};
        j["absences"] = {{{"id", 1}, {"teacher", "王芳"}, {"from", "2027-03-01"}, {"fromPeriod", 0}, {"to", "2027-03-01"},
                          {"toPeriod", 3}, {"kind", "病假"}, {"note", ""}}};
    }
    return j;
}

std::string built(const TempDir& dir, const Json& j, const std::string& name)
{
    tabrel::test::writeFile(dir.path() / (name + ".json"), j.dump());
    const CliRun r = runCli({"build", dir.file(name + ".json"), "-o", dir.file(name + ".qtf")});
    EXPECT_EQ(r.status, 0) << r.err;
    return dir.file(name + ".qtf");
}

} // namespace

TEST(TermCli, StatusesOfTheTermCommands)
{
    TempDir dir;
    const std::string f = built(dir, school(true), "s");
    const std::string bare = built(dir, school(false), "bare");
    const std::string out = dir.file("out.qtf");
    const struct {
        std::vector<std::string> args;
        int status;
        const char* inOut;
        const char* inErr;
    } cases[] = {
        {{"term", f, "--start", "2027-03-01", "--weeks", "20", "--makeup", "2027-04-12=星期一", "-o", out}, 1, "", "不是星期六或星期日"},
        {{"term", f, "--start", "2027-03-01", "--weeks", "20", "--makeup", "2027-04-11=星期八", "-o", out}, 1, "", "不是课表中的一天"},
        {{"term", f, "--start", "2027-3-1", "--weeks", "20", "-o", out}, 2, "", "usage"},
        {{"term", f, "--start", "2027-03-01", "--weeks", "20", "--off", "2027-05-01..2027-05-05", "--in-place", "-o", out}, 2, "", "usage"},
        {{"day", f, "--date", "2027-08-01", "--class", "初一(1)"}, 4, "", "not in the term"},
        {{"day", bare, "--date", "2027-03-01", "--class", "初一(1)"}, 4, "", "no term"},
        {{"day", f, "--date", "2027-03-01", "--class", "初一(9)"}, 4, "", "no class"},
        {{"day", f, "--date", "2027-04-11", "--class", "初一(1)"}, 0, "第1节\t初一(1)\t数学\t王芳\t\n", ""},
        {{"notice", f, "--date", "2027-01-01"}, 4, "", "not in the term"},
        {{"absence", f, "--teacher", "王芳", "--from", "2027-03-02:3", "--to", "2027-03-02:2", "-o", out}, 1, "", "早于开始"},
        {{"absence", f, "--teacher", "无名", "--from", "2027-03-02", "--to", "2027-03-02", "-o", out}, 4, "", "no teacher"},
        {{"absence", f, "--teacher", "王芳", "--from", "2027-03-02", "--to", "2027-03-02", "--kind", "旷工", "-o", out}, 2, "", "usage"},
        {{"absence", f, "--teacher", "王芳", "--from", "2027-03-02:第2节", "--to", "2027-03-03", "-o", out}, 0, "2\n", ""},
        {{"absence", f, "--remove", "7", "-o", out}, 4, "", "no absence"},
        {{"cover", f, "--date", "2027-03-01", "--period", "1", "--class", "初一(1)", "--teacher", "李强", "-o", out}, 4, "", "李强 该节已有课（初一(2) 语文）"},
        {{"cover", f, "--date", "2027-03-01", "--period", "1", "--class", "初一(1)", "--teacher", "张三", "--cancel", "-o", out}, 2, "", "usage"},
        {{"cover", f, "--date", "2027-03-02", "--period", "1", "--class", "初一(1)", "--cancel", "-o", out}, 4, "", "没有课"},
        {{"cover", f, "--absence", "1", "--auto", "-o", out}, 0, "【代课】3月1日（星期一）第1节 初一(1) 数学 王芳 → 张三\n", ""},
        {{"cover-stats", f, "--from", "2027-03-08", "--to", "2027-03-01"}, 1, "", "早于开始"},
        {{"cover-stats", f, "--from", "2027-03-01", "--to", "2027-03-07"}, 0, "王芳\t1\t1\t0\t0\t0\t0\n", ""},
        {{"changes", f, "--teacher", "无名"}, 4, "", "no teacher"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(out);
        const CliRun r = runCli(c.args);
        std::string what;
        for (const auto& a : c.args)
            what += a + " ";
        EXPECT_EQ(r.status, c.status) << what << "\n" << r.err;
        EXPECT_NE(r.out.find(c.inOut), std::string::npos) << what << "\n" << r.out;
        EXPECT_NE(r.err.find(c.inErr), std::string::npos) << what << "\n" << r.err;
        EXPECT_EQ(std::filesystem::exists(out), c.status == 0 && c.args[0] != "day" && c.args[0] != "cover-stats") << what;
    }
    for (const char* command : {"term", "absence", "cover", "day", "changes", "notice", "cover-stats"}) {
        const CliRun r = runCli({command, "--help"});
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_NE(r.out.find(std::string("tabrel-cli ") + command), std::string::npos) << command;
    }
}

TEST(TermCli, AFlowFromAbsenceToStatistics)
{
    TempDir dir;
    const std::string f = built(dir, school(true), "s");
    auto ok = [](const std::vector<std::string>& args) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.status, 0) << args[0] << ": " << r.err;
        return r.out;
    };
    EXPECT_EQ(ok({"absence", f, "--teacher", "李强", "--from", "2027-03-08:2", "--to", "2027-03-08:第2节", "--kind", "培训", "--in-place"}), "2\n");
    // 李强 is busy in 初一(2) at period 1 until that lesson becomes self-study; then the swap is taken.
    EXPECT_EQ(runCli({"cover", f, "--date", "2027-03-08", "--period", "2", "--class", "初一(1)", "--swap", "2027-03-08:1", "--in-place"}).status, 4);
    ok({"cover", f, "--date", "2027-03-08", "--period", "1", "--class", "初一(2)", "--self-study", "--teacher", "张三", "--in-place"});
    ok({"cover", f, "--date", "2027-03-08", "--period", "2", "--class", "初一(1)", "--swap", "2027-03-08:1", "--in-place"});
    EXPECT_EQ(ok({"notice", f, "--date", "2027-03-08"}),
              "【自习】3月8日（星期一）第1节 初一(2) 语文 李强 → 自习（张三看班）\n"
              "【调课】3月8日（星期一）第2节 初一(1) 语文 李强 与 3月8日（星期一）第1节 数学 王芳 对调\n");
    const Json day = Json::parse(ok({"day", f, "--date", "2027-03-08", "--teacher", "王芳", "--json"}));
    EXPECT_EQ(day["week"], 2);
    EXPECT_EQ(day["parity"], "双");
    EXPECT_EQ(day["periods"][1]["class"], "初一(1)");
    EXPECT_EQ(day["periods"][1]["kind"], "调课");
    const std::string selfStudy = "2027-03-08\t第1节\t初一(2)\t语文\t李强\t自习\t张三\t\t\t0\n";
    EXPECT_EQ(ok({"changes", f, "--class", "初一(2)"}), selfStudy);
    const std::string xlsx = dir.file("stats.xlsx");
    EXPECT_NE(ok({"cover-stats", f, "--from", "2027-03-08", "--to", "2027-03-08", "--xlsx", xlsx}).find("张三\t0\t0\t0\t0\t0\t1"),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(xlsx));
    // Removing the absence removes its changes (the swap); the dump keeps every other key as built.
    ok({"absence", f, "--remove", "2", "--in-place"});
    EXPECT_EQ(ok({"changes", f}), selfStudy);
    const Json dumped = Json::parse(ok({"dump", f}));
    const Json input = school(true);
    for (const char* key : {"schoolName", "term", "absences"})
        EXPECT_EQ(dumped[key], input[key]) << key;
    EXPECT_EQ(dumped["changes"].size(), 1u);
    EXPECT_FALSE(Json::parse(ok({"dump", built(dir, school(false), "bare")})).contains("term"));
}

TEST(TermCli, BuildRefusesExtensionValuesThatDoNotFit)
{
    TempDir dir;
    const struct {
        const char* key;
        Json value;
        const char* path;
    } cases[] = {
        {"term", Json::array(), "term: expected an object"},
        {"term", {{"start", "2027-03-01"}, {"weeks", 20}, {"makeUpDays", {{{"date", "2027-04-11"}, {"follows", "周一"}}}}}, "term.makeUpDays[0].follows"},
        {"absences", {{{"id", 1}, {"teacher", "无名"}, {"from", "2027-03-01"}, {"fromPeriod", 0}, {"to", "2027-03-01"}, {"toPeriod", 3}}}, "absences[0].teacher"},
        {"absences", {{{"id", 1}, {"teacher", "王芳"}, {"from", "2027-03-01"}, {"fromPeriod", 0}, {"to", "2027-03-01"}, {"toPeriod", 4}}}, "absences[0].toPeriod"},
        {"changes", {{{"date", "2027-03-01"}, {"period", 0}, {"class", "初三(1)"}, {"subject", "数学"}, {"teacher", "王芳"}, {"kind", "代课"}}}, "changes[0].class"},
        {"changes", {{{"date", "2027-03-01"}, {"period", "0"}, {"class", "初一(1)"}, {"subject", "数学"}, {"teacher", "王芳"}, {"kind", "代课"}}}, "changes[0].period"},
        {"schoolName", 5, "schoolName: expected a string"},
    };
    for (const auto& c : cases) {
        Json j = school(true);
        j[c.key] = c.value;
        tabrel::test::writeFile(dir.path() / "x.json", j.dump());
        const CliRun r = runCli({"build", dir.file("x.json"), "-o", dir.file("x.qtf")});
        EXPECT_EQ(r.status, 1) << c.path;
        EXPECT_NE(r.err.find(c.path), std::string::npos) << r.err;
    }
}
