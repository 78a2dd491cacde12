// The linked skin set holds exactly the bitmaps the editor loads, each a
// well-formed 24-bit bitmap of the tabled size whose frame height divides it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "SkinTestSupport.h"

using namespace skin_test;

namespace {

// id, width, height, frames, columns.
const Layout kCommon[] = {
    {19002, 450, 445, 1, 1},   {19003, 136, 7070, 101, 1}, {19004, 136, 7070, 101, 1}, {19005, 40, 150, 3, 1},
    {19006, 40, 100, 2, 1},    {19008, 60, 5050, 101, 1},  {19009, 1243, 930, 101, 11}, {19010, 60, 5656, 101, 1},
    {19012, 60, 5656, 101, 1}, {19013, 60, 5050, 101, 1},  {19015, 36, 80, 2, 1},      {19016, 51, 192, 4, 1},
    {19017, 38, 80, 2, 1},     {19021, 9, 306, 18, 1},     {19024, 60, 5656, 101, 1},  {19026, 21, 126, 6, 1},
    {19032, 30, 1530, 51, 1},  {19033, 15, 58, 2, 1},      {19034, 38, 80, 2, 1},      {19035, 25, 50, 2, 1},
    {19036, 25, 50, 2, 1},     {19037, 25, 50, 2, 1},      {19991, 12, 56, 4, 1},      {19992, 12, 56, 4, 1},
    {19993, 12, 56, 4, 1},     {19994, 12, 56, 4, 1},      {19995, 12, 56, 4, 1},      {19996, 12, 56, 4, 1},
    {19997, 31, 70, 5, 1},     {19998, 12, 56, 4, 1},      {19999, 12, 56, 4, 1},
};
const Layout kFullOnly[] = {{19000, 450, 460, 1, 1}, {19014, 36, 80, 2, 1}};
const Layout kSiblingOnly[] = {{19100, 450, 460, 1, 1}, {19114, 36, 80, 2, 1}};

std::vector<Layout> expectedSet() {
    std::vector<Layout> all(std::begin(kCommon), std::end(kCommon));
    for (const Layout& l : kSiblingSet ? kSiblingOnly : kFullOnly) all.push_back(l);
    return all;
}

std::uint32_t u32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

TEST(SkinSet, HoldsExactlyTheEditionsBitmaps) {
    std::size_t count = 0;
    const ambrel::SkinImage* images = ambrel::skinImages(&count);
    ASSERT_NE(images, nullptr);
    std::set<int> linked;
    for (std::size_t i = 0; i < count; ++i) EXPECT_TRUE(linked.insert(images[i].id).second) << images[i].id;
    std::set<int> expected;
    for (const Layout& l : expectedSet()) expected.insert(l.id);
    EXPECT_EQ(linked, expected);
    EXPECT_EQ(ambrel::skinImages(nullptr), images);
}

TEST(SkinSet, SiblingReplacesTheBackgroundAndProcessingButton) {
    const int own[] = {kSiblingSet ? 19100 : 19000, kSiblingSet ? 19114 : 19014};
    const int other[] = {kSiblingSet ? 19000 : 19100, kSiblingSet ? 19014 : 19114};
    for (int id : own) EXPECT_NE(ambrel::findSkinImage(id), nullptr) << id;
    for (int id : other) EXPECT_EQ(ambrel::findSkinImage(id), nullptr) << id;
    for (int id : {0, -1, 19001, 19990, 20000}) EXPECT_EQ(ambrel::findSkinImage(id), nullptr) << id;
}

TEST(SkinSet, EveryBitmapHasItsSizeAndFrameLayout) {
    for (const Layout& l : expectedSet()) {
        SCOPED_TRACE(l.id);
        const ambrel::BmpPixels& p = picture(l.id);
        EXPECT_EQ(p.width, l.width);
        EXPECT_EQ(p.height, l.height);
        EXPECT_EQ(l.height % rowsOf(l), 0);
        EXPECT_EQ(l.width % l.columns, 0);
        EXPECT_EQ(frameHeightOf(l) * rowsOf(l), p.height);
    }
    // The frame sizes the controls are built with.
    EXPECT_EQ(frameHeightOf(kCommon[1]), 70);             // meter faces
    EXPECT_EQ(frameWidthOf(kCommon[6]), 113);             // drive: 113 by 93
    EXPECT_EQ(frameHeightOf(kCommon[6]), 93);
    EXPECT_EQ(frameHeightOf(kCommon[13]), 17);            // glyphs 9 by 17
    EXPECT_EQ(frameHeightOf(kCommon[15]), 21);            // LED
    EXPECT_EQ(frameHeightOf(kCommon[16]), 30);            // settings knob
}

TEST(SkinSet, FilesAreUncompressed24BitBottomUpBitmaps) {
    for (const Layout& l : expectedSet()) {
        SCOPED_TRACE(l.id);
        const ambrel::SkinImage* image = ambrel::findSkinImage(l.id);
        ASSERT_NE(image, nullptr);
        ASSERT_GE(image->size, 54u);
        const unsigned char* d = image->data;
        EXPECT_EQ(d[0], 'B');
        EXPECT_EQ(d[1], 'M');
        EXPECT_EQ(u32(d + 2), image->size);
        EXPECT_EQ(u32(d + 10), 54u);                           // pixels right after the two headers
        EXPECT_EQ(u32(d + 14), 40u);                           // BITMAPINFOHEADER
        EXPECT_EQ(static_cast<std::int32_t>(u32(d + 18)), l.width);
        EXPECT_EQ(static_cast<std::int32_t>(u32(d + 22)), l.height);  // positive: bottom-up
        EXPECT_EQ(d[26] | (d[27] << 8), 1);
        EXPECT_EQ(d[28] | (d[29] << 8), 24);
        EXPECT_EQ(u32(d + 30), 0u);  // BI_RGB
        const std::size_t stride = (static_cast<std::size_t>(l.width) * 3 + 3) / 4 * 4;
        EXPECT_EQ(image->size, 54u + stride * static_cast<std::size_t>(l.height));
    }
}

TEST(BmpReader, RefusesMalformedFiles) {
    const ambrel::SkinImage* image = ambrel::findSkinImage(19026);
    ASSERT_NE(image, nullptr);
    std::vector<unsigned char> bytes(image->data, image->data + image->size);
    ambrel::BmpPixels p;
    ASSERT_TRUE(ambrel::decodeBmp(bytes.data(), bytes.size(), p));
    EXPECT_EQ(p.width, 21);

    auto refuses = [](std::vector<unsigned char> b, const char* what) {
        ambrel::BmpPixels out;
        EXPECT_FALSE(ambrel::decodeBmp(b.data(), b.size(), out)) << what;
        EXPECT_EQ(out.width, 0) << what;
    };
    auto patched = [&](std::size_t at, unsigned char v) {
        std::vector<unsigned char> b = bytes;
        b[at] = v;
        return b;
    };
    refuses(std::vector<unsigned char>(bytes.begin(), bytes.end() - 1), "truncated");
    refuses(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 20), "header only");
    refuses(patched(0, 'X'), "magic");
    refuses(patched(28, 8), "8 bits per pixel");
    refuses(patched(30, 1), "compressed");
    refuses(patched(25, 0xff), "top-down rows");
    refuses(patched(14, 12), "old info header");
    EXPECT_FALSE(ambrel::decodeBmp(nullptr, 0, p));
}
