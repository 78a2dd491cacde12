#include "toolkit/BmpDecoder.h"

#include <cstdlib>

namespace VSTGUI {
namespace {

std::uint32_t le16(const unsigned char* p) { return p[0] | (p[1] << 8); }
std::uint32_t le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

constexpr std::size_t kFileHeader = 14;
constexpr int kMaxSide = 32768;

}  // namespace

bool parseBmp(const unsigned char* data, std::size_t size, BmpLayout& layout) {
    layout = BmpLayout{};
    if (!data || size < kFileHeader + 40 || data[0] != 'B' || data[1] != 'M') return false;
    const unsigned char* info = data + kFileHeader;
    std::uint32_t infoSize = le32(info);
    if (infoSize < 40 || kFileHeader + infoSize > size) return false;
    std::int32_t width = static_cast<std::int32_t>(le32(info + 4));
    std::int32_t rawHeight = static_cast<std::int32_t>(le32(info + 8));
    std::uint32_t bits = le16(info + 14);
    std::uint32_t compression = le32(info + 16);
    std::uint32_t colorsUsed = le32(info + 32);
    std::uint32_t pixelOffset = le32(data + 10);
    if (rawHeight == INT32_MIN) return false;
    int height = std::abs(rawHeight);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
    if (compression != 0 && !(compression == 3 && bits == 32)) return false;
    if (bits != 8 && bits != 24 && bits != 32) return false;
    if (bits == 8) {
        std::uint32_t count = colorsUsed ? colorsUsed : 256;
        if (count > 256) return false;
        std::size_t paletteAt = kFileHeader + infoSize;
        if (paletteAt + 4 * static_cast<std::size_t>(count) > size) return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            const unsigned char* q = data + paletteAt + 4 * i;
            layout.palette[i] = (q[2] << 16) | (q[1] << 8) | q[0];
        }
    }
    std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    if (pixelOffset > size || stride * static_cast<std::size_t>(height) > size - pixelOffset) return false;
    layout.data = data;
    layout.width = width;
    layout.height = height;
    layout.bits = static_cast<int>(bits);
    layout.topDown = rawHeight < 0;
    layout.pixelOffset = pixelOffset;
    layout.stride = stride;
    return true;
}

void readBmpRow(const BmpLayout& layout, int row, std::uint32_t* out) {
    int fileRow = layout.topDown ? row : layout.height - 1 - row;
    const unsigned char* src = layout.data + layout.pixelOffset + layout.stride * static_cast<std::size_t>(fileRow);
    int step = layout.bits / 8;
    for (int x = 0; x < layout.width; ++x) {
        if (layout.bits == 8) {
            out[x] = layout.palette[src[x]];
        } else {
            const unsigned char* p = src + x * step;
            out[x] = (p[2] << 16) | (p[1] << 8) | p[0];
        }
    }
}

bool decodeBmp(const unsigned char* data, std::size_t size, DecodedImage& out) {
    out = DecodedImage{};
    BmpLayout layout;
    if (!parseBmp(data, size, layout)) return false;
    out.width = layout.width;
    out.height = layout.height;
    out.pixels.resize(static_cast<std::size_t>(layout.width) * layout.height);
    for (int row = 0; row < layout.height; ++row) {
        readBmpRow(layout, row, out.pixels.data() + static_cast<std::size_t>(row) * layout.width);
    }
    return true;
}

}  // namespace VSTGUI
