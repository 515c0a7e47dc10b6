#pragma once
// Lists of "key-value" texts: the per-slot subject rules of a cell and the per-slot teacher rules.
// An entry is keyed by the text before its first "-"; a lookup takes the first entry whose key
// matches exactly, so a key that itself contains "-" never matches.
#include <string>
#include <vector>

namespace tabrel {

// The value of the first entry keyed `key`; "" when none.
std::string keyValueLookup(const std::vector<std::string>& list, const std::string& key);

// Replaces the first entry keyed `key` by "key-value", or appends it; returns 1. An empty value
// removes that entry instead and returns 0.
int keyValueSet(std::vector<std::string>& list, const std::string& key, const std::string& value);

} // namespace tabrel
