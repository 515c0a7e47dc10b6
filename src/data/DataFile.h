#pragma once
// The Schedule data file (.qtf): seven sections of little-endian int32 values and texts, and the
// .rep sidecar of teacher-name replacements read beside it.
#include <cstddef>
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
    std::string reason;                          // UTF-8: the system's reason a file could not be opened or read
    bool sidecarRead = false;                    // a .rep sidecar was found and read
    std::vector<std::string> duplicateNewNames;  // GBK: each new name the sidecar lists twice (shown as a message)
    int negativeTextLengths = 0;                 // texts whose length was negative ("数据读取错误！" each)
    bool ok() const { return status == FileStatus::Ok; }
};

// Writes the whole data set to `path` through a temporary file beside it, flushed and renamed over
// it. On failure (CannotWrite, message "无法写入文件: <path>（reason）") the old file is untouched.
// A table without rows or without columns is written as 0 x 0.
FileResult saveDataFile(const DataSet& dataSet, const std::string& path);

// Reads `path` into a freshly constructed data set: the sidecar first, then the seven sections,
// then the post-load rebuild of the teachers' lessons. On any status but Ok the data set is
// half-filled and must be discarded by the caller. Ok is when the application sets `loadedFromFile`;
// sidecarRead and duplicateNewNames are filled whatever the status.
FileResult loadDataFile(DataSet& dataSet, const std::string& path);

// Reads the sidecar of the data file at `path` into dataSet.nameReplacements; 1 when one existed.
// Line ends "\n" or "\r\n"; a line without "-", starting with "-" or ending with it is skipped.
// Each new name listed more than once is added to duplicateNewNames once; its lines are used.
int readReplacements(DataSet& dataSet, const std::string& path, std::vector<std::string>* duplicateNewNames = nullptr);

// The sidecar path: every ".qtf" in the path replaced by ".rep"; "" when the path holds no ".qtf".
std::string sidecarPath(const std::string& path);

// The String codec: an int32 byte count L, then L int32 values, each a byte taken as signed and negated.
void appendInt32(std::string& out, int32_t value);
void appendText(std::string& out, std::string_view text);

// ---- limits -------------------------------------------------------------------------------------
// The reader refuses anything beyond these as damage, and the writer refuses to write a data set
// that goes beyond them, so every file written can be read back whole.
inline constexpr std::size_t MaxDataFileBytes = std::size_t{64} << 20; // whole file
inline constexpr int32_t MaxTextBytes = 1 << 20;                       // one text
inline constexpr int32_t MaxClassesPerGrade = 200;
inline constexpr int32_t MaxTeacherCount = 2000;
inline constexpr std::size_t MaxSidecarBytes = std::size_t{16} << 20;

// ---- in-memory forms ------------------------------------------------------------------------------
// The bytes of the seven sections. On a data set the format cannot hold (more than 12 grades or
// periods a day, more than 7 days, a negative section count, a text over MaxTextBytes, ...) returns
// CannotWrite with a message and leaves `out` empty.
FileResult encodeDataFile(const DataSet& dataSet, std::string& out);

// Reads the seven sections from `bytes` into a freshly constructed data set. Teacher names pass
// through dataSet.replacementName (so set nameReplacements first when a sidecar applies). Neither
// reads a sidecar nor rebuilds the teachers' lessons. Ok or Damaged.
FileResult decodeDataSections(DataSet& dataSet, std::string_view bytes);

// The seven sections of the file at `path` (no sidecar, no rebuild): what merging another file reads.
FileResult readDataSections(DataSet& dataSet, const std::string& path);

// Reads the whole file at `path` (at most MaxDataFileBytes); CannotOpen or Damaged (too large) on failure.
FileResult readWholeFile(const std::string& path, std::string& bytes);

} // namespace tabrel
