#include "TestImages.h"

#include <list>

#include "toolkit/BitmapResources.h"

namespace toolkit_test {
namespace {

void put16(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
}
void put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

std::vector<unsigned char> header(int width, int height, int bits, std::size_t paletteBytes, std::size_t stride) {
    std::size_t offset = 54 + paletteBytes;
    std::vector<unsigned char> b(offset + stride * height, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<std::uint32_t>(b.size()));
    put32(b, 10, static_cast<std::uint32_t>(offset));
    put32(b, 14, 40);
    put32(b, 18, static_cast<std::uint32_t>(width));
    put32(b, 22, static_cast<std::uint32_t>(height));
    put16(b, 26, 1);
    put16(b, 28, static_cast<std::uint32_t>(bits));
    return b;
}

}  // namespace

std::vector<unsigned char> makeBmp24(int width, int height, const PixelFn& pixel) {
    std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::vector<unsigned char> b = header(width, height, 24, 0, stride);
    for (int y = 0; y < height; ++y) {
        std::size_t row = 54 + stride * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            std::uint32_t c = pixel(x, y);
            b[row + 3 * x] = c & 0xFF;
            b[row + 3 * x + 1] = (c >> 8) & 0xFF;
            b[row + 3 * x + 2] = (c >> 16) & 0xFF;
        }
    }
    return b;
}

std::vector<unsigned char> makeBmp8(int width, int height, const std::vector<std::uint32_t>& palette,
                                    const std::function<unsigned char(int, int)>& index) {
    std::size_t stride = (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
    std::vector<unsigned char> b = header(width, height, 8, 4 * palette.size(), stride);
    put32(b, 46, static_cast<std::uint32_t>(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        b[54 + 4 * i] = palette[i] & 0xFF;
        b[54 + 4 * i + 1] = (palette[i] >> 8) & 0xFF;
        b[54 + 4 * i + 2] = (palette[i] >> 16) & 0xFF;
    }
    std::size_t offset = 54 + 4 * palette.size();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) b[offset + stride * static_cast<std::size_t>(height - 1 - y) + x] = index(x, y);
    }
    return b;
}

void registerImage(int id, std::vector<unsigned char> bmp) {
    static std::list<std::vector<unsigned char>> keep;
    keep.push_back(std::move(bmp));
    VSTGUI::registerBitmapResource(id, keep.back().data(), keep.back().size());
}

std::uint32_t frameColour(int frame) {
    return (static_cast<std::uint32_t>(frame * 2 + 20) << 16) | (static_cast<std::uint32_t>(255 - frame * 2) << 8) | 0x40;
}

void registerFilmStrip(int id, int width, int frameHeight, int frames) {
    registerImage(id, makeBmp24(width, frameHeight * frames, [=](int x, int y) -> std::uint32_t {
        int frame = y / frameHeight;
        int within = y % frameHeight;
        // A bar whose length shows the frame, over the frame's own colour.
        if (within >= frameHeight / 2 - 2 && within < frameHeight / 2 + 2 && x < 2 + frame * (width - 4) / (frames > 1 ? frames - 1 : 1)) {
            return 0xFFFFFF;
        }
        return frameColour(frame);
    }));
}

void registerGuiImages() {
    registerImage(kBackgroundId, makeBmp24(450, 460, [](int x, int y) -> std::uint32_t {
        std::uint32_t r = 40 + x * 60 / 450;
        std::uint32_t g = 50 + y * 60 / 460;
        return (r << 16) | (g << 8) | 90;
    }));
    registerFilmStrip(kKnobStripId, 60, 50, 101);
    registerFilmStrip(kButtonId, 36, 40, 2);
    registerFilmStrip(kSwitchId, 40, 50, 3);
}

}  // namespace toolkit_test
