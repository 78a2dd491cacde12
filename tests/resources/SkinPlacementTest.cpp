// The strips fit the backgrounds they are drawn over: at every control's place
// the edges of its frames match the background around it, the counter's
// glyphs match the readout window behind them, and the program name field,
// which shows the background through, finds its window there.
#include <gtest/gtest.h>

#include "SkinTestSupport.h"

using namespace skin_test;

namespace {

struct Placement {
    int id;
    int x;
    int y;
    int frames;
    int columns;
    const char* what;
};

// Main page (window coordinates): controls whose frames are opaque rectangles.
const Placement kMainPage[] = {
    {19035, 107, 356, 2, 1, "long"},          {19036, 107, 317, 2, 1, "auto"},
    {19037, 219, 337, 2, 1, "brickwall"},     {19015, 290, 398, 2, 1, "mode"},
    {19017, 371, 398, 2, 1, "link"},          {19006, 206, 88, 2, 1, "meter type"},
    {19005, 206, 28, 3, 1, "meter source"},   {19008, 46, 167, 101, 1, "knee"},
    {19008, 46, 245, 101, 1, "speed"},        {19009, 122, 162, 101, 11, "drive"},
    {19010, 345, 242, 101, 1, "high freq"},   {19013, 345, 167, 101, 1, "high adjust"},
    {19012, 254, 242, 101, 1, "low freq"},    {19013, 254, 167, 101, 1, "low adjust"},
    {19013, 345, 324, 101, 1, "output"},      {19008, 253, 323, 101, 1, "mix"},
    {19013, 150, 324, 101, 1, "ceiling"},     {19024, 46, 320, 101, 1, "release"},
    {19026, 160, 109, 6, 1, "left over LED"}, {19026, 367, 109, 6, 1, "right over LED"},
    {19994, 20, 444, 4, 1, "save bank"},      {19993, 70, 444, 4, 1, "load bank"},
    {19999, 91, 444, 4, 1, "save preset"},    {19998, 150, 444, 4, 1, "load preset"},
    {19997, 313, 444, 5, 1, "rocker"},        {19995, 352, 444, 4, 1, "store A"},
    {19991, 374, 444, 4, 1, "recall A"},      {19996, 395, 444, 4, 1, "store B"},
    {19992, 417, 444, 4, 1, "recall B"},
};

const Placement kSettingsPage[] = {
    {19032, 65, 190, 51, 1, "low sat"},     {19032, 112, 190, 51, 1, "mid sat"},
    {19032, 158, 190, 51, 1, "high sat"},   {19032, 263, 190, 51, 1, "low rel"},
    {19032, 310, 190, 51, 1, "mid rel"},    {19032, 356, 190, 51, 1, "high rel"},
    {19032, 65, 260, 51, 1, "vu integr"},   {19032, 65, 309, 51, 1, "vu refer"},
    {19032, 264, 260, 51, 1, "ppm integr"}, {19032, 264, 309, 51, 1, "ppm return"},
    {19032, 65, 381, 51, 1, "overs"},       {19032, 264, 381, 51, 1, "fine adjust"},
    {19033, 375, 389, 2, 1, "knob mode"},
};

double distance(Rgb a, Rgb b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

Rgb backgroundAt(const ambrel::BmpPixels& bg, int x, int y) {
    const std::uint8_t* q = bg.at(x, y);
    return {q[0], q[1], q[2]};
}

int mainBackground() { return kSiblingSet ? 19100 : 19000; }

// The four corner pixels of a sample of frames against the background there.
void expectCornersMatch(const Placement& p, const ambrel::BmpPixels& bg) {
    SCOPED_TRACE(p.what);
    const ambrel::BmpPixels& strip = picture(p.id);
    ASSERT_GT(strip.width, 0);
    const Layout cut{p.id, strip.width, strip.height, p.frames, p.columns};
    const int fw = frameWidthOf(cut);
    const int fh = frameHeightOf(cut);
    for (int f = 0; f < p.frames; f += std::max(1, p.frames / 7)) {
        const Frame frame(strip, cut, f);
        for (int cx : {0, fw - 1})
            for (int cy : {0, fh - 1})
                EXPECT_LE(distance(frame.at(cx, cy), backgroundAt(bg, p.x + cx, p.y + cy)), 12.0)
                    << "frame " << f << " corner " << cx << "," << cy;
    }
}

}  // namespace

TEST(SkinPlacement, MainPageStripsBlendWithTheBackground) {
    const ambrel::BmpPixels& bg = picture(mainBackground());
    ASSERT_EQ(bg.width, 450);
    for (const Placement& p : kMainPage) expectCornersMatch(p, bg);
    // The processing button: each edition's own.
    expectCornersMatch({kSiblingSet ? 19114 : 19014, 42, 398, 2, 1, "process"}, bg);
}

TEST(SkinPlacement, SettingsPageStripsBlendWithTheBackground) {
    const ambrel::BmpPixels& bg = picture(19002);
    ASSERT_EQ(bg.height, 445);
    for (const Placement& p : kSettingsPage) expectCornersMatch(p, bg);
}

TEST(SkinPlacement, CounterGlyphsMatchTheirReadoutWindow) {
    const ambrel::BmpPixels& bg = picture(mainBackground());
    const ambrel::BmpPixels& glyphs = picture(19021);
    ASSERT_EQ(glyphs.height, 306);
    const std::uint8_t* blank = glyphs.at(0, 17 * 17);
    const Rgb window{blank[0], blank[1], blank[2]};
    // Just outside the six glyph cells (152..206, 281..297) the window goes on.
    for (const auto& xy : {std::pair{150, 289}, std::pair{208, 289}, std::pair{180, 279}, std::pair{180, 299}})
        EXPECT_LE(distance(backgroundAt(bg, xy.first, xy.second), window), 6.0) << xy.first << "," << xy.second;
}

TEST(SkinPlacement, ProgramNameFieldShowsItsWindow) {
    // The name field draws the background from its own corner and its text in
    // (76, 76, 72): the window there is the field's back colour, framed.
    const ambrel::BmpPixels& bg = picture(mainBackground());
    ASSERT_EQ(bg.height, 460);
    EXPECT_LE(distance(backgroundAt(bg, 233, 451), Rgb{207, 222, 235}), 6.0);
    EXPECT_LE(distance(backgroundAt(bg, 176, 451), Rgb{76, 76, 72}), 6.0);
    EXPECT_LE(distance(backgroundAt(bg, 289, 451), Rgb{76, 76, 72}), 6.0);
}
