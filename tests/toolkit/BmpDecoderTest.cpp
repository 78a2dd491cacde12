// The .bmp decoder: layouts the skin uses, and damaged files refused safely.

#include <gtest/gtest.h>

#include "TestImages.h"
#include "toolkit/BmpDecoder.h"

using namespace VSTGUI;

namespace {

TEST(BmpDecoder, TwentyFourBitBottomUpWithRowPadding) {
    // Width 3: 9 bytes of pixels padded to 12 per row.
    auto bmp = toolkit_test::makeBmp24(3, 2, [](int x, int y) -> std::uint32_t { return (x << 16) | (y << 8) | 7; });
    DecodedImage image;
    ASSERT_TRUE(decodeBmp(bmp.data(), bmp.size(), image));
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(image.pixels[static_cast<size_t>(y * 3 + x)], static_cast<std::uint32_t>((x << 16) | (y << 8) | 7));
        }
    }
}

TEST(BmpDecoder, EightBitThroughThePalette) {
    auto bmp = toolkit_test::makeBmp8(5, 3, {0x112233, 0xAABBCC}, [](int x, int y) -> unsigned char {
        return static_cast<unsigned char>((x + y) & 1);
    });
    DecodedImage image;
    ASSERT_TRUE(decodeBmp(bmp.data(), bmp.size(), image));
    EXPECT_EQ(image.pixels[0], 0x112233u);
    EXPECT_EQ(image.pixels[1], 0xAABBCCu);
    EXPECT_EQ(image.pixels[5], 0xAABBCCu);  // row 1, x 0
}

TEST(BmpDecoder, DamagedFilesAreRefused) {
    auto good = toolkit_test::makeBmp24(4, 4, [](int, int) -> std::uint32_t { return 0; });
    DecodedImage image;
    struct Damage {
        const char* what;
        std::size_t at;
        unsigned char value;
        std::size_t cut;
    };
    const Damage cases[] = {
        {"magic", 0, 'X', 0},
        {"pixel offset past the end", 13, 0x7F, 0},
        {"truncated rows", 0, 'B', 10},
        {"huge width", 21, 0x7F, 0},
        {"zero height", 22, 0, 0},
        {"16 bits", 28, 16, 0},
        {"compressed", 30, 1, 0},
    };
    for (const Damage& d : cases) {
        auto bad = good;
        bad[d.at] = d.value;
        if (d.what == std::string("zero height")) bad[22] = bad[23] = bad[24] = bad[25] = 0;
        std::size_t size = bad.size() - d.cut;
        EXPECT_FALSE(decodeBmp(bad.data(), size, image)) << d.what;
    }
    EXPECT_FALSE(decodeBmp(nullptr, 100, image));
    EXPECT_FALSE(decodeBmp(good.data(), 20, image));
}

}  // namespace
