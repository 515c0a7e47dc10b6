#pragma once
// The extension block after section 7 of the data file: the 4 bytes "TBX1", then chunks, each a
// 4-byte ASCII tag, a little-endian int32 byte length and a UTF-8 JSON payload. The known chunks
// are "NAME" (the school's name), "VENU" (venues), "TERM", "ABSN" (absences) and "CHNG" (changes); they are written
// in that order, each only when it holds something, followed by the unknown chunks in the order
// they were read. A school with nothing to store gets no block at all.
#include <string>
#include <string_view>

#include "data/DataFile.h"

namespace tabrel {

struct SchoolExtension;

inline constexpr std::string_view ExtensionMagic = "TBX1";

// Appends the block to `out` (nothing when the extension is empty). False with `problem` (GBK-free
// UTF-8 text) when a chunk would go beyond the format's limits.
bool appendExtensionBlock(const SchoolExtension& extension, std::string& out, std::string& problem);

// Reads what follows section 7. Bytes that do not start with "TBX1" are ignored (Ok). A block that
// starts with it is read whole or reported as damage: a chunk length past the end, a tag that is
// not 4 printable ASCII bytes, invalid JSON, a value of the wrong kind, more than
// MaxExtensionChunks chunks. On damage `extension` is left as it was.
FileResult decodeExtensionBlock(std::string_view rest, SchoolExtension& extension);

} // namespace tabrel
