#pragma once
// Uncompressed bitmap files: a 14-byte file header, a 40-byte information header, no colour table,
// then the rows bottom row first, each padded to a multiple of four bytes. 16 bits per pixel is the
// 5-5-5 layout, 24 bits is blue-green-red, 32 bits is blue-green-red and a zero byte.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tabrel {

// Pixels top row first, each 0x00RRGGBB.
struct PixelBuffer {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    PixelBuffer() = default;
    PixelBuffer(int w, int h, uint32_t fill = 0x00FFFFFF);
    uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    void set(int x, int y, uint32_t rgb) { pixels[static_cast<std::size_t>(y) * width + x] = rgb; }
};

struct BmpResult {
    bool ok = true;
    std::string message; // UTF-8, set when ok is false
};

namespace bmp {
inline constexpr int FileHeaderSize = 14;
inline constexpr int InfoHeaderSize = 40;
inline constexpr int HeaderSize = FileHeaderSize + InfoHeaderSize;

bool supportedDepth(int bitsPerPixel);
// Bytes of one stored row, padded to a multiple of 4.
uint32_t rowBytes(int width, int bitsPerPixel);
// The whole file in memory; empty when the depth is not 16, 24 or 32 or the buffer is inconsistent.
std::string encode(const PixelBuffer& buffer, int bitsPerPixel);
// Writes the file (created, or truncated when it exists). `path` is a UTF-8 path.
BmpResult write(const std::filesystem::path& path, const PixelBuffer& buffer, int bitsPerPixel);
} // namespace bmp

} // namespace tabrel
