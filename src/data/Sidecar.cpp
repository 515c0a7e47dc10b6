// The .rep sidecar of teacher-name replacements read beside a data file.
#include "data/DataFile.h"

#include <string_view>
#include <unordered_set>

#include "data/DataSet.h"
#include "data/SafeFile.h"

namespace tabrel {

std::string sidecarPath(const std::string& path)
{
    static constexpr std::string_view from = ".qtf", to = ".rep";
    if (path.find(from) == std::string::npos)
        return {};
    std::string out;
    std::size_t start = 0;
    for (std::size_t at; (at = path.find(from, start)) != std::string::npos; start = at + from.size())
        out.append(path, start, at - start).append(to);
    out.append(path, start, std::string::npos);
    return out;
}

int readReplacements(DataSet& dataSet, const std::string& path, std::vector<std::string>* duplicateNewNames)
{
    const std::string sidecar = sidecarPath(path);
    if (sidecar.empty())
        return 0;
    std::string bytes;
    if (!readFileLimited(sidecar, MaxSidecarBytes, bytes).ok())
        return 0;
    std::unordered_set<std::string> seen, reported;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t dash = line.find('-');
        if (dash == std::string::npos || dash == 0)
            continue;
        std::string newName = line.substr(dash + 1);
        if (newName.empty()) // "张三-" would erase the name from every lesson
            continue;
        if (!seen.insert(newName).second && duplicateNewNames && reported.insert(newName).second)
            duplicateNewNames->push_back(newName);
        dataSet.nameReplacements.push_back(std::move(line));
    }
    return 1;
}

} // namespace tabrel
