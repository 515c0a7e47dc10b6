// tabrel-cli new, dump and build, run end to end: the files they write, the JSON they print, and
// the status and stderr line of every kind of failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <sys/wait.h>

#include "cli/JsonSchedule.h"
#include "data/DataFile.h"
#include "data/DataSet.h"
#include "support/RandomSchool.h"
#include "cli/CliRunner.h"
#include "support/TestSupport.h"

using namespace tabrel;
using namespace tabrel::cli;
using tabrel::test::readFile;
using tabrel::test::TempDir;
using tabrel::test::writeFile;

using tabrel::test::CliRun;
using tabrel::test::runCli;

namespace {

Json dumpOf(const std::string& qtf)
{
    CliRun r = runCli({"dump", qtf});
    EXPECT_EQ(r.status, 0) << r.err;
    return Json::parse(r.out);
}

// The example school in the source tree.
std::string examplePath()
{
    return (test::sourceDir() / "examples" / "middle-school.json").string();
}

// "" when equal, else the first differing place (a JSON patch entry), short enough to read.
std::string firstDifference(const Json& got, const Json& expected)
{
    if (got == expected)
        return "";
    Json patch = Json::diff(got, expected);
    return patch.empty() ? "order of keys differs" : patch[0].dump().substr(0, 300);
}

bool startsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

} // namespace

TEST(CliData, NewWritesTheNewDocumentDefaults)
{
    TempDir dir;
    const std::string qtf = dir.file("新学期.qtf");
    CliRun r = runCli({"new", qtf});
    ASSERT_EQ(r.status, 0) << r.err;
    Json j = dumpOf(qtf);
    EXPECT_EQ(j["earlyReadingCount"], 0);
    EXPECT_EQ(j["morningCount"], 4);
    EXPECT_EQ(j["afternoonCount"], 3);
    EXPECT_EQ(j["eveningCount"], 0);
    EXPECT_EQ(j["dayNames"], Json::parse(R"(["星期一", "星期二", "星期三", "星期四", "星期五"])"));
    EXPECT_EQ(j["grades"], Json::array());
    EXPECT_EQ(j["teacherSlotSettings"].size(), 12u);
    EXPECT_EQ(j["commonRowNames"].size(), 20u);
}

TEST(CliData, ExampleSchoolDumpsBackExactlyAsWritten)
{
    TempDir dir;
    const std::string qtf = dir.file("school.qtf");
    CliRun r = runCli({"build", examplePath(), "-o", qtf});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json input = Json::parse(readFile(examplePath()));
    // Ordered comparison: same keys, same order, same values.
    EXPECT_EQ(firstDifference(dumpOf(qtf), input), "");
}

TEST(CliData, ExampleSchoolIsAConsistentSchool)
{
    const Json s = Json::parse(readFile(examplePath()));
    ASSERT_EQ(s["grades"].size(), 3u);
    std::map<std::string, int> workload;
    std::set<std::string> names, shortNames;
    for (const auto& t : s["teachers"]) {
        EXPECT_TRUE(names.insert(t["name"].get<std::string>()).second) << t["name"];
        EXPECT_TRUE(shortNames.insert(t["shortName"].get<std::string>()).second) << t["shortName"];
    }
    std::set<std::string> subjects;
    for (const auto& x : s["subjects"])
        subjects.insert(x["name"].get<std::string>());
    const int slots = 8 * 5;
    for (const auto& g : s["grades"]) {
        ASSERT_EQ(g["classes"].size(), 8u);
        for (std::size_t c = 0; c < 8; ++c) {
            const Json& cls = g["classes"][c];
            EXPECT_EQ(cls["name"], g["name"].get<std::string>() + "(" + std::to_string(c + 1) + ")");
            int common = 0;
            for (const auto& row : cls["cells"])
                for (const auto& cell : row) {
                    common += cell["commonPeriod"] != "";
                    EXPECT_EQ(cell["subject"], "");
                }
            int total = 0;
            for (const auto& a : cls["assignments"]) {
                EXPECT_TRUE(names.count(a["teacher"].get<std::string>())) << a["teacher"];
                EXPECT_TRUE(subjects.count(a["subject"].get<std::string>())) << a["subject"];
                total += a["weeklyLessons"].get<int>();
                workload[a["teacher"].get<std::string>()] += a["weeklyLessons"].get<int>();
            }
            // Room for the scheduler: every lesson fits beside the common periods, with some to spare.
            EXPECT_LE(total, slots - common - 2) << cls["name"];
            EXPECT_GE(total, 30) << cls["name"];
        }
    }
    for (const auto& t : s["teachers"])
        EXPECT_EQ(t["workload"], workload[t["name"].get<std::string>()]) << t["name"];
}

TEST(CliData, RandomSchoolsBuildTheFileTheirDataSetSaves)
{
    TempDir dir;
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        auto school = test::randomSchool(seed);
        const std::string jsonPath = dir.file("s.json"), built = dir.file("built.qtf"), saved = dir.file("saved.qtf");
        writeFile(jsonPath, toJson(*school).dump(1, ' ', false));
        CliRun r = runCli({"build", jsonPath, "-o", built});
        ASSERT_EQ(r.status, 0) << "seed " << seed << ": " << r.err;
        ASSERT_TRUE(saveDataFile(*school, saved).ok());
        EXPECT_TRUE(readFile(built) == readFile(saved)) << "seed " << seed;

        DataSet reloaded;
        ASSERT_TRUE(loadDataFile(reloaded, saved).ok());
        EXPECT_EQ(firstDifference(dumpOf(built), toJson(reloaded)), "") << "seed " << seed;
    }
}

TEST(CliData, ShortJsonKeepsDefaultsAndDumpsEveryKey)
{
    TempDir dir;
    const std::string json = dir.file("short.json"), qtf = dir.file("short.qtf");
    writeFile(json, R"J({"dayNames": ["星期一"], "morningCount": 1,
                        "grades": [{"name": "初一", "classes": [{"name": "初一(1)"}]}]})J");
    CliRun r = runCli({"build", json, "-o", qtf});
    ASSERT_EQ(r.status, 0) << r.err;
    Json j = dumpOf(qtf);
    EXPECT_EQ(j.size(), 18u);
    EXPECT_EQ(j["lessonMinutes"], 40);
    EXPECT_EQ(j["breakMinutes"], 10);
    const Json& cls = j["grades"][0]["classes"][0];
    EXPECT_EQ(cls["cells"], Json::parse(R"([[{"commonPeriod": "", "subject": "", "teacher": "", "reservedValue": 0,
                                              "markFlag": 0, "subjectRules": []}]])"));
    EXPECT_EQ(cls["assignments"], Json::array());
    EXPECT_EQ(j["teacherGroupTable"], Json::parse(R"({"rows": 0, "columns": 0, "cells": []})"));
}

TEST(CliData, BadJsonIsStatusOneNamingFileAndPath)
{
    TempDir dir;
    const std::string qtf = dir.file("out.qtf");
    const std::string json = dir.file("school.json");

    writeFile(json, R"({"morningCount": 4, "dayNames": ["一", "二"],
        "grades": [{"classes": [{}, {}, {"cells": [[], [], [], [{}, {"subject": 3}]]}]}]})");
    CliRun r = runCli({"build", json, "-o", qtf});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, json + ": grades[0].classes[2].cells[3][1].subject: expected a string\n");
    EXPECT_FALSE(std::filesystem::exists(qtf));

    writeFile(json, R"({"dayNames": ["1", "2", "3", "4", "5", "6", "7", "8"]})");
    r = runCli({"build", json, "-o", qtf});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(startsWith(r.err, json + ": dayNames: ")) << r.err;

    writeFile(json, R"({"teachers": [{"name": "李😀"}]})");
    r = runCli({"build", json, "-o", qtf});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(startsWith(r.err, json + ": teachers[0].name: ")) << r.err;

    writeFile(json, "{\"morningCount\": 4,\n \"dayNames\": [}");
    r = runCli({"build", json, "-o", qtf});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(startsWith(r.err, json + ": ")) << r.err;
    EXPECT_NE(r.err.find("line 2"), std::string::npos) << r.err;

    EXPECT_FALSE(std::filesystem::exists(qtf));
}

TEST(CliData, FailedBuildLeavesTheOldFile)
{
    TempDir dir;
    const std::string qtf = dir.file("keep.qtf"), json = dir.file("bad.json");
    ASSERT_EQ(runCli({"new", qtf}).status, 0);
    const std::string before = readFile(qtf);
    writeFile(json, R"({"grades": 1})");
    EXPECT_EQ(runCli({"build", json, "-o", qtf}).status, 1);
    EXPECT_EQ(readFile(qtf), before);
}

TEST(CliData, UnreadableAndUnwritableFilesAreStatusOne)
{
    TempDir dir;
    const std::string missing = dir.file("missing.qtf");
    CliRun r = runCli({"dump", missing});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(startsWith(r.err, missing + ": ")) << r.err;
    EXPECT_TRUE(r.out.empty());

    r = runCli({"build", dir.file("missing.json"), "-o", dir.file("x.qtf")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(startsWith(r.err, dir.file("missing.json") + ": ")) << r.err;

    r = runCli({"build", dir.path().string(), "-o", dir.file("x.qtf")});
    EXPECT_EQ(r.status, 1) << r.err;

    const std::string nowhere = dir.file("no-such-folder/out.qtf");
    r = runCli({"new", nowhere});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(startsWith(r.err, nowhere + ": ")) << r.err;
}

TEST(CliData, DamagedDataFilesAreStatusThree)
{
    TempDir dir;
    const std::string whole = dir.file("whole.qtf");
    ASSERT_EQ(runCli({"build", examplePath(), "-o", whole}).status, 0);
    const std::string bytes = readFile(whole);

    // Cut inside the class timetables, and cut one byte short of the end.
    for (std::size_t size : {bytes.size() / 2, bytes.size() - 1}) {
        const std::string cut = dir.file("cut.qtf");
        writeFile(cut, bytes.substr(0, size));
        CliRun r = runCli({"dump", cut});
        EXPECT_EQ(r.status, 3) << size;
        EXPECT_TRUE(startsWith(r.err, cut + ": ")) << r.err;
        EXPECT_TRUE(r.out.empty());
    }

    // Thirteen grades.
    std::string thirteen;
    appendInt32(thirteen, 13);
    const std::string many = dir.file("many.qtf");
    writeFile(many, thirteen + bytes.substr(4));
    EXPECT_EQ(runCli({"dump", many}).status, 3);

    // Bytes after the last section are no damage.
    const std::string tail = dir.file("tail.qtf");
    writeFile(tail, bytes + "xyz");
    EXPECT_EQ(runCli({"dump", tail}).status, 0);
}

TEST(CliData, SidecarRenamesAndWarnsOfDuplicateNewNames)
{
    TempDir dir;
    const std::string json = dir.file("s.json"), qtf = dir.file("s.qtf");
    writeFile(json, R"({"teachers": [{"name": "张三", "shortName": "张三"}, {"name": "王五", "shortName": "王五"}]})");
    ASSERT_EQ(runCli({"build", json, "-o", qtf}).status, 0);
    writeFile(dir.file("s.rep"), test::G("张三-李四\n王五-李四\n"));
    CliRun r = runCli({"dump", qtf});
    ASSERT_EQ(r.status, 0) << r.err;
    Json j = Json::parse(r.out);
    EXPECT_EQ(j["teachers"][0]["name"], "李四");
    EXPECT_EQ(j["teachers"][1]["name"], "李四");
    EXPECT_TRUE(startsWith(r.err, dir.file("s.rep") + ": ")) << r.err;
    EXPECT_NE(r.err.find("李四"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
}

TEST(CliData, UsageErrorsAreStatusTwoAndHelpIsZero)
{
    const std::vector<std::vector<std::string>> usageErrors = {
        {},
        {"frobnicate"},
        {"dump"},
        {"dump", "a.qtf", "b.qtf"},
        {"new"},
        {"build", "a.json"},
        {"build", "a.json", "-o"},
        {"build", "a.json", "-o", "x.qtf", "--bogus"},
        {"dump", "--json", "a.qtf"},
    };
    for (const auto& args : usageErrors) {
        CliRun r = runCli(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(r.err.find("usage"), std::string::npos) << r.err;
    }
    for (const auto& args : std::vector<std::vector<std::string>>{{"--help"}, {"build", "--help"}, {"dump", "--help"}}) {
        CliRun r = runCli(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_NE(r.out.find("usage"), std::string::npos) << r.out;
    }
    EXPECT_NE(runCli({"build", "--help"}).out.find("-o OUT.qtf"), std::string::npos);
}
