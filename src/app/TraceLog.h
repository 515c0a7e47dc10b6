#pragma once
// The event trace "debug.txt" in the program folder: every append rewrites the whole file, one line
// per entry. A file that cannot be created is reported once, not on every repaint.
#include <cstddef>
#include <string>
#include <deque>

namespace tabrel {

class TraceLog {
public:
    // Entries kept in memory and in the file; older ones are dropped first, so a long session
    // that repaints the home page many times neither grows without bound nor slows down.
    static constexpr std::size_t MaxLines = 200;

    void setFolder(const std::string& folder) { folder_ = folder; }
    std::string filePath() const;

    enum class Outcome { Written, Failed, FailedAgain };
    // Appends the line (GBK) and rewrites the file. Failed: the file could not be created and this
    // is the first time; the caller shows "创建文件失败!". FailedAgain: failed, already reported.
    Outcome append(const std::string& line);

    const std::deque<std::string>& lines() const { return lines_; }

private:
    std::string folder_;
    std::deque<std::string> lines_;
    bool failureReported_ = false;
};

} // namespace tabrel
