#include "data/ExtensionBlock.h"

#include <cstring>

#include "data/ExtensionJson.h"
#include "data/SchoolExtension.h"

namespace tabrel {

namespace {

struct KnownChunk {
    const char* tag;
    const char* key;
};
constexpr KnownChunk Known[] = {{"NAME", "schoolName"}, {"VENU", "venues"}, {"TERM", "term"}, {"ABSN", "absences"}, {"CHNG", "changes"}};

bool appendChunk(std::string& out, std::string_view tag, std::string_view payload, std::string& problem)
{
    if (payload.size() > MaxDataFileBytes) {
        problem = "扩展数据过大";
        return false;
    }
    out.append(tag.data(), 4);
    appendInt32(out, static_cast<int32_t>(payload.size()));
    out.append(payload);
    return true;
}

FileResult damaged(const std::string& what, std::size_t offset)
{
    FileResult r;
    r.status = FileStatus::Damaged;
    r.message = "数据文件已损坏: 扩展数据: " + what + " (扩展数据内偏移 " + std::to_string(offset) + ")";
    return r;
}

} // namespace

bool appendExtensionBlock(const SchoolExtension& x, std::string& out, std::string& problem)
{
    if (x.empty())
        return true;
    out.append(ExtensionMagic);
    for (const KnownChunk& k : Known) {
        const ExtensionJsonValue v = extensionKeyToJson(x, k.key);
        if (v.is_null())
            continue;
        if (!appendChunk(out, k.tag, v.dump(-1, ' ', false, ExtensionJsonValue::error_handler_t::replace), problem))
            return false;
    }
    for (const ExtensionChunk& c : x.unknownChunks)
        if (!appendChunk(out, std::string_view(c.tag.data(), 4), c.payload, problem))
            return false;
    return true;
}

FileResult decodeExtensionBlock(std::string_view rest, SchoolExtension& extension)
{
    if (rest.substr(0, ExtensionMagic.size()) != ExtensionMagic)
        return {};
    SchoolExtension x;
    std::size_t pos = ExtensionMagic.size();
    std::size_t chunks = 0;
    bool seen[std::size(Known)] = {};
    while (pos < rest.size()) {
        if (++chunks > MaxExtensionChunks)
            return damaged("块数超过 " + std::to_string(MaxExtensionChunks), pos);
        if (rest.size() - pos < 8)
            return damaged("块头不完整", pos);
        const char* tag = rest.data() + pos;
        for (int i = 0; i < 4; ++i)
            if (tag[i] < 0x21 || tag[i] > 0x7E)
                return damaged("块标记不是 ASCII 字符", pos);
        const auto* p = reinterpret_cast<const unsigned char*>(rest.data() + pos + 4);
        const auto length = static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8
                                                 | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
        const std::string tagText(tag, 4);
        if (length < 0)
            return damaged(tagText + " 块长度为负数", pos + 4);
        if (static_cast<std::size_t>(length) > rest.size() - pos - 8)
            return damaged(tagText + " 块长度 " + std::to_string(length) + " 超过文件剩余的数据", pos + 4);
        const std::string_view payload = rest.substr(pos + 8, static_cast<std::size_t>(length));
        std::size_t known = std::size(Known);
        for (std::size_t k = 0; k < std::size(Known); ++k)
            if (tagText == Known[k].tag)
                known = k;
        if (known == std::size(Known)) {
            ExtensionChunk c;
            std::memcpy(c.tag.data(), tag, 4);
            c.payload.assign(payload);
            x.unknownChunks.push_back(std::move(c));
        } else {
            if (seen[known])
                return damaged(tagText + " 块出现了两次", pos);
            seen[known] = true;
            const ExtensionJsonValue v = ExtensionJsonValue::parse(payload, nullptr, false);
            if (v.is_discarded())
                return damaged(tagText + " 块不是有效的 JSON", pos + 8);
            std::string path, message;
            if (!extensionKeyFromJson(Known[known].key, v, x, path, message))
                return damaged(tagText + " 块 " + std::string(Known[known].key) + (path.empty() || path[0] == '[' ? "" : ".")
                                   + path + ": " + message,
                               pos + 8);
        }
        pos += 8 + static_cast<std::size_t>(length);
    }
    extension = std::move(x);
    return {};
}

} // namespace tabrel
