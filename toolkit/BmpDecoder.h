#pragma once
// Decodes a whole .bmp file (BITMAPFILEHEADER + BITMAPINFOHEADER, uncompressed,
// 8, 24 or 32 bits per pixel, bottom-up or top-down) into 0x00RRGGBB pixels, rows
// top-down. Every size and offset is checked against the data: a damaged file
// gives false, never a read outside it.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace VSTGUI {

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

bool decodeBmp(const unsigned char* data, std::size_t size, DecodedImage& out);

// The same in two steps, for decoding straight into a platform bitmap: the
// checked layout of a file, then one row (top-down) at a time.
struct BmpLayout {
    const unsigned char* data = nullptr;
    int width = 0;
    int height = 0;
    int bits = 0;
    bool topDown = false;
    std::size_t pixelOffset = 0;
    std::size_t stride = 0;
    std::uint32_t palette[256] = {};
};
bool parseBmp(const unsigned char* data, std::size_t size, BmpLayout& layout);
void readBmpRow(const BmpLayout& layout, int row, std::uint32_t* out);

}  // namespace VSTGUI
