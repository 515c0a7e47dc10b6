#pragma once
// Files written without losing the old one and read within a size limit. Messages are UTF-8 and
// name the file and the reason.
#include <cstddef>
#include <string>

#include "data/DataFile.h"

namespace tabrel {

// The reason of a system error number, in Chinese.
std::string systemReason(int err);
// CannotWrite with "无法写入文件: PATH（why）".
FileResult cannotWrite(const std::string& path, const std::string& why);
// Writes `bytes` to a temporary file beside `path`, flushes and syncs it, then renames it over
// `path` (following a symlink, keeping the file mode). On failure the old file is untouched.
FileResult replaceFileSafely(const std::string& path, const std::string& bytes);
// The whole file at `path`; CannotOpen when it cannot be read, Damaged when larger than `limit`.
FileResult readFileLimited(const std::string& path, std::size_t limit, std::string& bytes);

} // namespace tabrel
