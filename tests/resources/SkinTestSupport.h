#pragma once
// Helpers for the skin tests: the linked set's pictures decoded from their
// embedded .bmp bytes, cut into frames, and compared.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <vector>

#include "resources/BmpFile.h"
#include "resources/SkinImages.h"

namespace skin_test {

// Set by the build: 1 for the executable linked with the sibling edition's set.
inline constexpr bool kSiblingSet = AMBREL_TEST_SKIN_SIBLING != 0;

struct Layout {
    int id;
    int width;
    int height;
    int frames;
    int columns;  // frames run down a column, then on to the next
};

inline int rowsOf(const Layout& l) { return (l.frames + l.columns - 1) / l.columns; }
inline int frameWidthOf(const Layout& l) { return l.width / l.columns; }
inline int frameHeightOf(const Layout& l) { return l.height / rowsOf(l); }

// Decoded once per id; fails the test (and returns an empty picture) when the
// id is missing or its bytes are not a valid bitmap.
inline const ambrel::BmpPixels& picture(int id) {
    static std::map<int, ambrel::BmpPixels> cache;
    auto it = cache.find(id);
    if (it != cache.end()) return it->second;
    ambrel::BmpPixels pixels;
    const ambrel::SkinImage* image = ambrel::findSkinImage(id);
    EXPECT_NE(image, nullptr) << "bitmap " << id << " is missing";
    if (image != nullptr) {
        EXPECT_TRUE(ambrel::decodeBmp(image->data, image->size, pixels)) << "bitmap " << id;
    }
    return cache.emplace(id, std::move(pixels)).first->second;
}

struct Rgb {
    int r;
    int g;
    int b;
};

// One frame of a strip, cut by its layout.
class Frame {
public:
    Frame(const ambrel::BmpPixels& p, const Layout& l, int frame)
        : p_(&p),
          w_(frameWidthOf(l)),
          h_(frameHeightOf(l)),
          x0_((frame / rowsOf(l)) * frameWidthOf(l)),
          y0_((frame % rowsOf(l)) * frameHeightOf(l)) {}

    int width() const { return w_; }
    int height() const { return h_; }
    Rgb at(int x, int y) const {
        const std::uint8_t* q = p_->at(x0_ + x, y0_ + y);
        return {q[0], q[1], q[2]};
    }
    double luminance(int x, int y) const {
        const Rgb c = at(x, y);
        return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
    }

private:
    const ambrel::BmpPixels* p_;
    int w_;
    int h_;
    int x0_;
    int y0_;
};

// Number of pixels that differ between two frames of the same size.
inline int differingPixels(const Frame& a, const Frame& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const Rgb p = a.at(x, y);
            const Rgb q = b.at(x, y);
            if (p.r != q.r || p.g != q.g || p.b != q.b) ++n;
        }
    return n;
}

inline double meanAbsoluteDifference(const Frame& a, const Frame& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const Rgb p = a.at(x, y);
            const Rgb q = b.at(x, y);
            sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
        }
    return sum / (a.width() * a.height() * 3.0);
}

}  // namespace skin_test
