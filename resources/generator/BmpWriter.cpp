#include "resources/generator/BmpWriter.h"

#include <cstring>

#include "resources/BmpFile.h"

namespace ambrel::skin {

namespace {
void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}
}  // namespace

std::vector<std::uint8_t> encodeBmp(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int sourceStride = cairo_image_surface_get_stride(surface);
    const unsigned char* source = cairo_image_surface_get_data(surface);
    const std::size_t stride = bmpRowStride(width);
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> out(kBmpHeaderSize + pixelBytes, 0);

    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, static_cast<std::uint32_t>(out.size()));
    put32(out, 10, static_cast<std::uint32_t>(kBmpHeaderSize));
    put32(out, 14, static_cast<std::uint32_t>(kBmpInfoHeaderSize));
    put32(out, 18, static_cast<std::uint32_t>(width));
    put32(out, 22, static_cast<std::uint32_t>(height));
    put16(out, 26, 1);   // planes
    put16(out, 28, 24);  // bits per pixel
    put32(out, 30, 0);   // no compression
    put32(out, 34, static_cast<std::uint32_t>(pixelBytes));
    put32(out, 38, 2835);  // 72 dots per inch
    put32(out, 42, 2835);

    for (int y = 0; y < height; ++y) {
        const unsigned char* row = source + static_cast<std::ptrdiff_t>(y) * sourceStride;
        std::uint8_t* dst = out.data() + kBmpHeaderSize + stride * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel;
            std::memcpy(&pixel, row + 4 * x, 4);  // cairo keeps x8r8g8b8 in native order
            dst[3 * x + 0] = static_cast<std::uint8_t>(pixel);
            dst[3 * x + 1] = static_cast<std::uint8_t>(pixel >> 8);
            dst[3 * x + 2] = static_cast<std::uint8_t>(pixel >> 16);
        }
    }
    return out;
}

}  // namespace ambrel::skin
