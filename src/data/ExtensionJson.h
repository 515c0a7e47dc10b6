#pragma once
// The extension data as JSON: each part of SchoolExtension is one top-level key of the JSON form
// ("schoolName", "venues", "term", "absences", "changes") and, with the same value, the payload of one chunk
// of the file's extension block. Texts are UTF-8 here and GBK in the records.
#include <string>

#include <nlohmann/json.hpp>

#include "data/SchoolExtension.h"

namespace tabrel {

using ExtensionJsonValue = nlohmann::ordered_json;

// The known keys in the order the JSON form and the block write them.
inline constexpr const char* ExtensionKeys[] = {"schoolName", "venues", "term", "absences", "changes"};

// The value of a known key, or null when that part holds nothing (the key is then left out).
ExtensionJsonValue extensionKeyToJson(const SchoolExtension& extension, const std::string& key);

// Reads the value of a known key into `extension`, checking only the kinds and forms of the values
// (dates, periods 0–11, change kinds, absence kinds, sizes, venue capacities and a subject in two
// venues); names are taken as they are. On the
// first value that does not fit returns false with `path` (relative to the key, "[0].date") and a
// message (UTF-8). The part is replaced whole.
bool extensionKeyFromJson(const std::string& key, const ExtensionJsonValue& value, SchoolExtension& extension,
                          std::string& path, std::string& message);

// Limits of the extension data, refused when read.
inline constexpr std::size_t MaxExtensionRecords = 100000; // absences, changes, days off, make-up days
inline constexpr std::size_t MaxExtensionChunks = 4096;

} // namespace tabrel
