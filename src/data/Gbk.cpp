#include "data/Gbk.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iconv.h>
#include <vector>

namespace tabrel::gbk {
namespace {

// One conversion through iconv. Returns false on an invalid or unconvertible sequence and, when
// `badOffset` is given, stores the input offset where conversion stopped.
bool convert(const char* to, const char* from, std::string_view in, std::string& out, std::size_t* badOffset,
             bool replaceInvalid)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    out.clear();
    std::vector<char> buf(in.size() * 2 + 16);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = buf.data();
        std::size_t outLeft = buf.size();
        std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buf.data(), static_cast<std::size_t>(outPtr - buf.data()));
        if (r != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL: a bad or incomplete sequence.
        if (!replaceInvalid) {
            if (badOffset)
                *badOffset = in.size() - inLeft;
            ok = false;
            break;
        }
        out.append("\xEF\xBF\xBD");
        ++inPtr;
        --inLeft;
    }
    if (ok) {
        char* outPtr = buf.data();
        std::size_t outLeft = buf.size();
        iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
        out.append(buf.data(), static_cast<std::size_t>(outPtr - buf.data()));
    }
    iconv_close(cd);
    return ok;
}

bool isAscii(std::string_view s)
{
    for (unsigned char c : s)
        if (c >= 0x80)
            return false;
    return true;
}

} // namespace

std::optional<std::string> fromUtf8(std::string_view utf8, std::string& error)
{
    if (isAscii(utf8))
        return std::string(utf8);
    std::string out;
    std::size_t bad = 0;
    if (convert("GBK", "UTF-8", utf8, out, &bad, false))
        return out;
    // Name the character that failed: the UTF-8 sequence starting at `bad`.
    std::size_t len = 1;
    unsigned char lead = static_cast<unsigned char>(bad < utf8.size() ? utf8[bad] : 0);
    if (lead >= 0xF0)
        len = 4;
    else if (lead >= 0xE0)
        len = 3;
    else if (lead >= 0xC0)
        len = 2;
    std::string ch(utf8.substr(bad, len));
    if (bad >= utf8.size() || lead < 0xC0 || ch.size() != len)
        error = "不是有效的UTF-8文本 (invalid UTF-8 at byte " + std::to_string(bad) + ")";
    else
        error = "文字“" + ch + "”没有GBK编码 (character has no GBK form)";
    return std::nullopt;
}

std::optional<std::string> fromUtf8(std::string_view utf8)
{
    std::string error;
    return fromUtf8(utf8, error);
}

std::string toUtf8(std::string_view gbkText)
{
    if (isAscii(gbkText))
        return std::string(gbkText);
    std::string out;
    convert("UTF-8", "GBK", gbkText, out, nullptr, true);
    return out;
}

bool isValidGbk(std::string_view gbkText)
{
    if (isAscii(gbkText))
        return true;
    std::string out;
    return convert("UTF-8", "GBK", gbkText, out, nullptr, false);
}

std::string literal(std::string_view utf8)
{
    auto r = fromUtf8(utf8);
    if (!r) {
        std::fprintf(stderr, "tabrel: program text without GBK form: %.*s\n", static_cast<int>(utf8.size()),
                     utf8.data());
        std::abort();
    }
    return *r;
}

std::size_t charBytes(std::string_view text, std::size_t at)
{
    return static_cast<unsigned char>(text[at]) >= 0x81 && at + 1 < text.size() ? 2 : 1;
}

std::string firstBytes(std::string_view text, std::size_t count)
{
    if (text.size() <= count)
        return std::string(text);
    std::size_t end = 0;
    while (end + charBytes(text, end) <= count)
        end += charBytes(text, end);
    return std::string(text.substr(0, end));
}

std::string lastBytes(std::string_view text, std::size_t count)
{
    if (text.size() <= count)
        return std::string(text);
    // Character starts are only known from the front: walk to the first one inside the tail.
    const std::size_t earliest = text.size() - count;
    std::size_t start = 0;
    while (start < earliest)
        start += charBytes(text, start);
    return std::string(text.substr(start));
}

int leadingInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                               text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long v = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        v = v * 10 + (text[i] - '0');
        if (v > 2147483648LL)
            v = 2147483648LL;
        ++i;
    }
    if (negative)
        v = -v;
    if (v > 2147483647LL)
        v = 2147483647LL;
    return static_cast<int>(v);
}

std::string formatInt(long long value)
{
    return std::to_string(value);
}

std::size_t findText(std::string_view text, std::string_view pattern)
{
    for (std::size_t i = 0; i + pattern.size() <= text.size();) {
        if (text.compare(i, pattern.size(), pattern) == 0)
            return i;
        i += charBytes(text, i);
    }
    return std::string_view::npos;
}

bool splitKeyValue(std::string_view entry, std::string_view& key, std::string_view& value)
{
    std::size_t dash = entry.find('-');
    if (dash == std::string_view::npos)
        return false;
    key = entry.substr(0, dash);
    value = entry.substr(dash + 1);
    return true;
}

} // namespace tabrel::gbk
