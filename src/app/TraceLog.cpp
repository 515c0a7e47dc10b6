#include "app/TraceLog.h"

#include <cstdio>

namespace tabrel {

std::string TraceLog::filePath() const
{
    if (folder_.empty())
        return "debug.txt";
    if (folder_.back() == '/' || folder_.back() == '\\')
        return folder_ + "debug.txt";
    return folder_ + "/debug.txt";
}

TraceLog::Outcome TraceLog::append(const std::string& line)
{
    lines_.push_back(line);
    while (lines_.size() > MaxLines)
        lines_.pop_front();

    bool ok = false;
    if (std::FILE* f = std::fopen(filePath().c_str(), "wb")) {
        ok = true;
        for (const auto& l : lines_) {
            if (std::fwrite(l.data(), 1, l.size(), f) != l.size() || std::fputc('\n', f) == EOF)
                ok = false;
        }
        if (std::fclose(f) != 0)
            ok = false;
    }
    if (ok)
        return Outcome::Written;
    if (failureReported_)
        return Outcome::FailedAgain;
    failureReported_ = true;
    return Outcome::Failed;
}

} // namespace tabrel
