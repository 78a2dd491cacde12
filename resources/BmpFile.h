#pragma once
// Reading the skin's picture format: an uncompressed device-independent bitmap
// (14-byte file header, 40-byte info header, bottom-up rows of blue, green, red
// padded to four bytes). Only what the skin writes is accepted; anything else
// (other depths, compression, top-down rows, truncated data) is refused.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ambrel {

struct BmpPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // top row first, three bytes per pixel: red, green, blue

    const std::uint8_t* at(int x, int y) const {
        return &rgb[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3u];
    }
};

inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::size_t kBmpInfoHeaderSize = 40;
inline constexpr std::size_t kBmpHeaderSize = kBmpFileHeaderSize + kBmpInfoHeaderSize;

inline std::size_t bmpRowStride(int width) {
    return (static_cast<std::size_t>(width) * 3u + 3u) & ~static_cast<std::size_t>(3u);
}

namespace bmp_detail {
inline std::uint32_t u16(const unsigned char* p) { return static_cast<std::uint32_t>(p[0] | (p[1] << 8)); }
inline std::uint32_t u32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
}  // namespace bmp_detail

// Decodes a whole .bmp file held in memory. Returns false (and leaves out
// empty) for anything that is not a well-formed 24-bit uncompressed bitmap.
inline bool decodeBmp(const unsigned char* data, std::size_t size, BmpPixels& out) {
    using bmp_detail::u16;
    using bmp_detail::u32;
    out = BmpPixels{};
    if (data == nullptr || size < kBmpHeaderSize) return false;
    if (data[0] != 'B' || data[1] != 'M') return false;
    if (u32(data + 2) != size) return false;
    const std::uint32_t pixelOffset = u32(data + 10);
    const unsigned char* info = data + kBmpFileHeaderSize;
    if (u32(info) != kBmpInfoHeaderSize) return false;
    const auto width = static_cast<std::int32_t>(u32(info + 4));
    const auto height = static_cast<std::int32_t>(u32(info + 8));
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return false;
    if (u16(info + 12) != 1 || u16(info + 14) != 24 || u32(info + 16) != 0) return false;
    const std::size_t stride = bmpRowStride(width);
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(height);
    if (pixelOffset < kBmpHeaderSize || pixelOffset > size || size - pixelOffset < pixelBytes) return false;

    out.width = width;
    out.height = height;
    out.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3u);
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = data + pixelOffset + stride * static_cast<std::size_t>(height - 1 - y);
        std::uint8_t* dst = &out.rgb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3u];
        for (int x = 0; x < width; ++x) {
            dst[3 * x + 0] = row[3 * x + 2];
            dst[3 * x + 1] = row[3 * x + 1];
            dst[3 * x + 2] = row[3 * x + 0];
        }
    }
    return true;
}

}  // namespace ambrel
