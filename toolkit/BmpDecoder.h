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

}  // namespace VSTGUI
