#pragma once
// Runs the built tabrel-cli with arguments and collects its status, stdout and stderr.
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "support/TestSupport.h"

namespace tabrel::test {

struct CliRun {
    int status = -1;
    std::string out, err;
};

inline std::string shellQuote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline CliRun runCli(const std::vector<std::string>& args)
{
    TempDir io;
    std::string command = shellQuote(TABREL_CLI_PATH);
    for (const auto& a : args)
        command += " " + shellQuote(a);
    command += " >" + shellQuote(io.file("out")) + " 2>" + shellQuote(io.file("err"));
    CliRun r;
    const int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = readFile(io.path() / "out");
    r.err = readFile(io.path() / "err");
    return r;
}

} // namespace tabrel::test
