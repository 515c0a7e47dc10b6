// The rules every tabrel-cli command keeps: --help is status 0 with the usage on stdout, usage
// errors are status 2 with the usage on stderr, a failure's line names the file it concerns, and a
// damaged data file is status 3 with the reader's own account of the damage.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

#include "cli/CliRunner.h"
#include "support/TestSupport.h"

using tabrel::test::readFile;
using tabrel::test::TempDir;

using tabrel::test::CliRun;
using tabrel::test::runCli;

namespace {

bool startsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

const char* const Commands[] = {"new", "dump", "build", "schedule", "report", "export", "merge", "candidates", "place", "marks", "swap"};

} // namespace

TEST(CliConventions, HelpIsStatusZeroOnEveryCommandEvenAfterABadOption)
{
    for (const char* command : Commands) {
        const std::string usage = std::string("usage: tabrel-cli ") + command;
        for (const auto& args : std::vector<std::vector<std::string>>{
                 {command, "--help"}, {command, "--bogus", "--help"}, {command, "-h", "--bogus"}}) {
            const CliRun r = runCli(args);
            EXPECT_EQ(r.status, 0) << command << " " << args[1] << ": " << r.err;
            EXPECT_TRUE(startsWith(r.out, usage)) << command << ": " << r.out;
        }
        const CliRun bad = runCli({command, "--bogus"});
        EXPECT_EQ(bad.status, 2) << command;
        EXPECT_NE(bad.err.find(usage), std::string::npos) << command << ": " << bad.err;
        EXPECT_TRUE(bad.out.empty()) << command;
    }
}

TEST(CliConventions, AnArgumentWithoutGbkFormIsNamedWithTheDataFile)
{
    TempDir dir;
    const std::string qtf = dir.file("school.qtf");
    ASSERT_EQ(runCli({"new", qtf}).status, 0);
    const std::string noGbk = "\xF0\x9F\x98\x80"; // an emoji
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"schedule", qtf, "--in-place", "--grade", noGbk}, "--grade"},
        {{"schedule", qtf, "--in-place", "--class", noGbk}, "--class"},
        {{"report", qtf, "--class", noGbk}, "--class"},
        {{"export", qtf, "--out", dir.file("out"), "--title", noGbk, "text"}, "--title"},
    };
    for (const auto& [args, option] : cases) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.status, 1) << args[0] << " " << option;
        EXPECT_TRUE(startsWith(r.err, qtf + ": " + option + ": ")) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

TEST(CliConventions, EveryReadingCommandReportsDamageWithTheReadersMessage)
{
    TempDir dir;
    const std::string good = dir.file("good.qtf"), cut = dir.file("cut.qtf");
    ASSERT_EQ(runCli({"new", good}).status, 0);
    const std::string bytes = readFile(good);
    tabrel::test::writeFile(cut, bytes.substr(0, 100)); // inside the time grid
    const std::vector<std::vector<std::string>> commands = {
        {"dump", cut},
        {"schedule", cut, "-o", dir.file("x.qtf")},
        {"report", cut},
        {"export", cut, "--out", dir.file("out"), "text"},
        {"merge", cut, good, "-o", dir.file("x.qtf")},
        {"merge", good, cut, "-o", dir.file("x.qtf")},
    };
    for (const auto& args : commands) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.status, 3) << args[0] << ": " << r.err;
        EXPECT_TRUE(startsWith(r.err, cut + ": ")) << r.err;
        // The reader's message: the section and the offset of the damage.
        EXPECT_NE(r.err.find("第2节"), std::string::npos) << args[0] << ": " << r.err;
        EXPECT_NE(r.err.find("偏移"), std::string::npos) << args[0] << ": " << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir.file("x.qtf"))) << args[0];
    }
}
