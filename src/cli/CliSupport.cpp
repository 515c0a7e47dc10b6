#include "cli/CliSupport.h"

#include <algorithm>
#include <functional>
#include <fstream>
#include <iostream>
#include <iterator>
#include <ostream>
#include <sstream>

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel::cli {

std::optional<std::string> gbkArgument(const std::string& file, const std::string& option, const std::string& utf8,
                                       Io io)
{
    std::string error;
    auto g = gbk::fromUtf8(utf8, error);
    if (!g)
        io.err << file << ": " << option << ": " << error << "\n";
    return g;
}

int findGrade(const DataSet& ds, const std::string& name)
{
    for (std::size_t g = 0; g < ds.gradeNames.size(); ++g)
        if (ds.gradeNames[g] == name)
            return static_cast<int>(g);
    return -1;
}

int findSubject(const DataSet& ds, const std::string& name)
{
    for (std::size_t s = 0; s < ds.subjects.size(); ++s)
        if (ds.subjects[s]->name == name)
            return static_cast<int>(s);
    return -1;
}

int findTeacher(const DataSet& ds, const std::string& name)
{
    for (std::size_t t = 0; t < ds.teachers.size(); ++t)
        if (ds.teachers[t]->name == name)
            return static_cast<int>(t);
    return -1;
}

ClassPosition findClass(const DataSet& ds, const std::string& name)
{
    int list = 0;
    for (std::size_t g = 0; g < ds.grades.size(); ++g)
        for (std::size_t j = 0; j < ds.grades[g]->classes.size(); ++j, ++list)
            if (ds.grades[g]->classes[j]->name == name)
                return {static_cast<int>(g), static_cast<int>(j), list};
    return {};
}

namespace {

// A decimal number of ASCII digits only (leading zeros allowed; large values held at 10^9), or -1.
long long decimal(const std::string& text)
{
    if (text.empty())
        return -1;
    long long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        v = std::min(v * 10 + (c - '0'), 1000000000LL);
    }
    return v;
}

int slotValue(const std::string& utf8, int count, const std::function<std::string(int)>& nameOf)
{
    if (auto g = gbk::fromUtf8(utf8))
        for (int i = 0; i < count; ++i)
            if (nameOf(i) == *g)
                return i;
    const long long n = decimal(utf8);
    return n >= 1 && n <= count ? static_cast<int>(n - 1) : -1;
}

} // namespace

int parseDay(const DataSet& ds, const std::string& utf8)
{
    const int days = std::min(ds.dayCount(), DayColumns);
    return slotValue(utf8, days, [&](int d) { return ds.dayNames[d]; });
}

int parsePeriod(const DataSet& ds, const std::string& utf8)
{
    const int periods = std::min(ds.periodsPerDay(), MaxPeriodRows);
    return slotValue(utf8, periods, [&](int p) { return ds.periodLabel(p); });
}

std::optional<std::string> readClipboardFile(const std::string& path, Io io)
{
    std::string bytes;
    if (path == "-") {
        bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            io.err << path << ": cannot open the file for reading\n";
            return std::nullopt;
        }
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad()) {
            io.err << path << ": cannot read the file\n";
            return std::nullopt;
        }
    }
    const std::string shown = path == "-" ? std::string("standard input") : path;
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        bytes.erase(0, 3);
    if (bytes.find('\0') != std::string::npos) {
        io.err << shown << ": the text holds a NUL byte\n";
        return std::nullopt;
    }
    std::string error;
    auto g = gbk::fromUtf8(bytes, error);
    if (!g) {
        io.err << shown << ": " << error << "\n";
        return std::nullopt;
    }
    return g;
}

std::optional<std::string> changedSchoolPath(const Args& args, const std::string& input, std::string& usage)
{
    if (args.has("-o") == args.has("--in-place")) {
        usage = "give exactly one of -o OUT.qtf and --in-place";
        return std::nullopt;
    }
    return args.has("-o") ? *args.value("-o") : input;
}

} // namespace tabrel::cli
