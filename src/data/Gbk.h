#pragma once
// Text at the edges of the core. Inside the core every text is a GBK byte string; these helpers
// convert to and from UTF-8 (Qt strings, JSON, arguments, file names, test literals) and hold the
// byte-based operations the rest of the program relies on.
#include <optional>
#include <string>
#include <string_view>

namespace tabrel::gbk {

// UTF-8 → GBK. Empty optional when the text is not valid UTF-8 or has a character without a GBK form.
std::optional<std::string> fromUtf8(std::string_view utf8);

// Like fromUtf8, but on failure fills `error` with a readable message (UTF-8) naming the first
// character that has no GBK form.
std::optional<std::string> fromUtf8(std::string_view utf8, std::string& error);

// GBK → UTF-8. Bytes that are not valid GBK become U+FFFD, so a damaged text still shows.
std::string toUtf8(std::string_view gbkText);

// True when the bytes form valid GBK text.
bool isValidGbk(std::string_view gbkText);

// For program literals written in UTF-8 in the sources; aborts on a text without GBK form, which
// is a programming error. Prefer the GBK() macro, which converts once per call site.
std::string literal(std::string_view utf8);

// Every cut of a GBK text by bytes goes through the helpers below, so no cut ever falls inside a
// character. A character is two bytes when it starts with a lead byte (0x81 up) that has a byte
// after it, otherwise one (the same walk findText takes).
std::size_t charBytes(std::string_view text, std::size_t at);

// The longest head of at most `count` bytes that ends where a character ends.
std::string firstBytes(std::string_view text, std::size_t count);

// The longest tail of at most `count` bytes that starts where a character starts (the whole text
// when it is no longer): "赵李A" → "李A", "王张-三" → "-三" for 4 bytes.
std::string lastBytes(std::string_view text, std::size_t count);

// The short teacher name: the longest tail of at most four bytes (a Chinese name's last two
// characters).
inline std::string shortName(std::string_view name) { return lastBytes(name, 4); }

// The leading integer of a text, as C's atoi reads it: optional blanks, an optional sign, digits;
// 0 when there is none.
int leadingInt(std::string_view text);

// "%d" of a number (ASCII digits are the same bytes in GBK).
std::string formatInt(long long value);

// Where `pattern` first stands in the GBK text `text`, counting only places where a character begins
// (a byte from 0x81 up opens a two-byte character); npos when nowhere. A plain byte search would also
// find a name across two characters, in the trail byte of one and the lead byte of the next.
std::size_t findText(std::string_view text, std::string_view pattern);
inline bool containsText(std::string_view text, std::string_view pattern)
{
    return findText(text, pattern) != std::string_view::npos;
}

// Splits a key-value text at its first "-": returns false when there is none.
bool splitKeyValue(std::string_view entry, std::string_view& key, std::string_view& value);

} // namespace tabrel::gbk

// A GBK constant from a UTF-8 literal, converted once per call site.
#define GBK(lit) \
    ([]() -> const std::string& { static const std::string s_gbk = ::tabrel::gbk::literal(lit); return s_gbk; }())
