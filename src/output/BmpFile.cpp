#include "output/BmpFile.h"

#include <fstream>
#include <limits>

namespace tabrel {

PixelBuffer::PixelBuffer(int w, int h, uint32_t fill)
    : width(w), height(h), pixels(static_cast<std::size_t>(w > 0 && h > 0 ? w : 0) * (h > 0 ? h : 0), fill)
{
}

namespace bmp {
namespace {

void put16(std::string& out, uint32_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

bool supportedDepth(int bitsPerPixel) { return bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32; }

uint32_t rowBytes(int width, int bitsPerPixel)
{
    const uint64_t bits = static_cast<uint64_t>(width > 0 ? width : 0) * static_cast<uint64_t>(bitsPerPixel);
    return static_cast<uint32_t>(((bits + 31) / 32) * 4);
}

std::string encode(const PixelBuffer& buffer, int bitsPerPixel)
{
    if (!supportedDepth(bitsPerPixel) || buffer.width <= 0 || buffer.height <= 0 ||
        buffer.pixels.size() != static_cast<std::size_t>(buffer.width) * static_cast<std::size_t>(buffer.height))
        return {};
    const uint64_t stride = rowBytes(buffer.width, bitsPerPixel);
    const uint64_t imageSize = stride * static_cast<uint64_t>(buffer.height);
    if (imageSize + HeaderSize > std::numeric_limits<uint32_t>::max())
        return {};

    std::string out;
    out.reserve(static_cast<std::size_t>(imageSize + HeaderSize));
    // File header.
    put16(out, 0x4D42);
    put32(out, static_cast<uint32_t>(imageSize + HeaderSize));
    put16(out, 0);
    put16(out, 0);
    put32(out, HeaderSize);
    // Information header.
    put32(out, InfoHeaderSize);
    put32(out, static_cast<uint32_t>(buffer.width));
    put32(out, static_cast<uint32_t>(buffer.height)); // positive: bottom-up rows
    put16(out, 1);
    put16(out, static_cast<uint32_t>(bitsPerPixel));
    put32(out, 0); // uncompressed
    put32(out, static_cast<uint32_t>(imageSize));
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);

    const std::size_t used = static_cast<std::size_t>(buffer.width) * static_cast<std::size_t>(bitsPerPixel / 8);
    const std::size_t padding = static_cast<std::size_t>(stride) - used;
    for (int y = buffer.height - 1; y >= 0; --y) {
        for (int x = 0; x < buffer.width; ++x) {
            const uint32_t rgb = buffer.at(x, y);
            const uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
            switch (bitsPerPixel) {
            case 16:
                put16(out, ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
                break;
            case 24:
                out.push_back(static_cast<char>(b));
                out.push_back(static_cast<char>(g));
                out.push_back(static_cast<char>(r));
                break;
            default:
                put32(out, rgb & 0x00FFFFFF);
                break;
            }
        }
        out.append(padding, '\0');
    }
    return out;
}

BmpResult write(const std::filesystem::path& path, const PixelBuffer& buffer, int bitsPerPixel)
{
    BmpResult result;
    if (!supportedDepth(bitsPerPixel)) {
        result.ok = false;
        result.message = "不支持的颜色深度 " + std::to_string(bitsPerPixel) + "（只支持 16、24、32 位）";
        return result;
    }
    const std::string bytes = encode(buffer, bitsPerPixel);
    if (bytes.empty()) {
        result.ok = false;
        result.message = "图片大小无效：" + std::to_string(buffer.width) + " × " + std::to_string(buffer.height);
        return result;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        result.ok = false;
        result.message = "无法创建文件 " + path.string();
        return result;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        result.ok = false;
        result.message = "写入文件失败 " + path.string();
    }
    return result;
}

} // namespace bmp
} // namespace tabrel
