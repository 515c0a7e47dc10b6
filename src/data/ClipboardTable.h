#pragma once
// The one cutting of clipboard table text into lines and fields that the teacher grid's block
// paste, the assignment matrix and the data-entry dialogs share. Texts are GBK.
#include <string>
#include <string_view>
#include <vector>

namespace tabrel {

// Cuts `text` at every "\n" into lines (what follows the last "\n" is the last line; an empty
// last line gives nothing, an empty line ended by "\n" is one empty field), each line at every
// "\t" into fields (a "\t" at the very end gives no field after it), each field trimmed of
// leading and trailing ASCII white space (which takes a "\r" before the "\n" away).
std::vector<std::vector<std::string>> cutClipboardTable(std::string_view text);

// Joins rows of fields into clipboard text: fields joined by "\t", each row ended by "\n".
std::string joinClipboardTable(const std::vector<std::vector<std::string>>& rows);

} // namespace tabrel
