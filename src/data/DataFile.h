#pragma once
// The Schedule data file (.qtf): seven sections of little-endian int32 values and texts, and the
// .rep sidecar of teacher-name replacements read beside it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tabrel {

class DataSet;

enum class FileStatus {
    Ok,          // done
    CannotOpen,  // the file could not be opened for reading
    Damaged,     // the file is damaged (negative or implausible length or count, truncated, out-of-range sizes)
    CannotWrite, // the file could not be written; the old file is intact
};

struct FileResult {
    FileStatus status = FileStatus::Ok;
    std::string message;                         // UTF-8, for the user; empty when Ok
    bool sidecarRead = false;                    // a .rep sidecar was found and read
    std::vector<std::string> duplicateNewNames;  // GBK: each new name the sidecar lists twice (shown as a message)
    int negativeTextLengths = 0;                 // texts whose length was negative ("数据读取错误！" each)
    bool ok() const { return status == FileStatus::Ok; }
};

// Writes the whole data set to `path` through a temporary file renamed over it.
FileResult saveDataFile(const DataSet& dataSet, const std::string& path);

// Reads `path` into a freshly constructed data set: the sidecar first, then the seven sections,
// then the post-load rebuild of the teachers' lessons. On any status but Ok the data set is
// half-filled and must be discarded by the caller.
FileResult loadDataFile(DataSet& dataSet, const std::string& path);

// Reads the sidecar of the data file at `path` into dataSet.nameReplacements; 1 when one existed.
int readReplacements(DataSet& dataSet, const std::string& path, std::vector<std::string>* duplicateNewNames = nullptr);

// The sidecar path: every ".qtf" in the path replaced by ".rep"; "" when the path holds no ".qtf".
std::string sidecarPath(const std::string& path);

// The String codec: an int32 byte count L, then L int32 values, each a byte taken as signed and negated.
void appendInt32(std::string& out, int32_t value);
void appendText(std::string& out, std::string_view text);

} // namespace tabrel
