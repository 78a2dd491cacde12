// The numeric readout's six glyphs in each display mode.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "editor/CounterGlyphs.h"

namespace ambrel {
namespace {

// Glyphs as a readable string: digits, '.', 'k', '+', '-', '%', 'D' (dB),
// 'H' (Hz), '_' (blank).
std::string shown(float value, int mode) {
    static const char names[kCounterGlyphCount + 1] = "0123456789.k+-%DH_";
    std::string s;
    for (int glyph : counterGlyphs(value, mode)) {
        s += glyph >= 0 && glyph < kCounterGlyphCount ? names[glyph] : '?';
    }
    return s;
}

struct GlyphCase {
    float value;
    int mode;
    const char* glyphs;
};

TEST(CounterGlyphs, ModesOnTheirTypicalFigures) {
    const GlyphCase cases[] = {
        {15.32f, kCounterDecibels, "+15.3D"},
        {-0.004f, kCounterDecibels, "_0.00D"},
        {-12.345f, kCounterDecibels, "-12.3D"},
        {1234.5f, kCounterHertz, "_1k23H"},
        {12.5f, kCounterPercent, "_12.5%"},
        {0.25f, kCounterPlain, "__0.25"},
        {123.0f, kCounterBlank, "______"},
    };
    for (const GlyphCase& c : cases) EXPECT_EQ(shown(c.value, c.mode), c.glyphs) << c.value << " mode " << c.mode;
}

TEST(CounterGlyphs, DecibelsRoundToTwoDecimalsAndSwitchFormAtTen) {
    const GlyphCase cases[] = {
        {0.0f, kCounterDecibels, "_0.00D"},     {0.01f, kCounterDecibels, "_0.01D"},
        {0.011f, kCounterDecibels, "+0.01D"},   {-0.011f, kCounterDecibels, "-0.01D"},
        {6.005f, kCounterDecibels, "+6.01D"},   {-6.004f, kCounterDecibels, "-6.00D"},
        {9.99f, kCounterDecibels, "+9.99D"},    {9.996f, kCounterDecibels, "+10.0D"},
        {10.0f, kCounterDecibels, "+10.0D"},    {-24.0f, kCounterDecibels, "-24.0D"},
        {19.996f, kCounterDecibels, "+20.0D"},  {15.96f, kCounterDecibels, "+15.9D"},
    };
    for (const GlyphCase& c : cases) EXPECT_EQ(shown(c.value, c.mode), c.glyphs) << c.value;
}

TEST(CounterGlyphs, HertzBelowAndAboveOneKilohertz) {
    const GlyphCase cases[] = {
        {25.0f, kCounterHertz, "_25.0H"},      {100.0f, kCounterHertz, "100.0H"},
        {5.0f, kCounterHertz, "__5.0H"},       {0.3f, kCounterHertz, "__0.3H"},
        {999.9f, kCounterHertz, "999.9H"},     {999.97f, kCounterHertz, "_1k00H"},
        {1000.0f, kCounterHertz, "_1k00H"},    {1235.0f, kCounterHertz, "_1k24H"},
        {16000.0f, kCounterHertz, "16k00H"},   {-250.0f, kCounterHertz, "250.0H"},
    };
    for (const GlyphCase& c : cases) EXPECT_EQ(shown(c.value, c.mode), c.glyphs) << c.value;
}

TEST(CounterGlyphs, PercentAndPlainHideLeadingZeros) {
    const GlyphCase cases[] = {
        {100.0f, kCounterPercent, "100.0%"}, {50.0f, kCounterPercent, "_50.0%"},
        {0.0f, kCounterPercent, "__0.0%"},   {7.25f, kCounterPercent, "__7.3%"},
        {1.0f, kCounterPlain, "__1.00"},     {16.0f, kCounterPlain, "_16.00"},
        {0.295f, kCounterPlain, "__0.30"},   {105.0f, kCounterPlain, "105.00"},
        {2.0f, 7, "__2.00"},                 {2.0f, -1, "__2.00"},
    };
    for (const GlyphCase& c : cases) EXPECT_EQ(shown(c.value, c.mode), c.glyphs) << c.value << " mode " << c.mode;
}

TEST(CounterGlyphs, DigitsBeyondNineShowBlank) {
    const GlyphCase cases[] = {
        {123.4f, kCounterDecibels, "+_3.4D"},    // twelve tens do not fit
        {123456.0f, kCounterHertz, "_3k46H"},    // twelve ten-thousands; to tens
        {1234.0f, kCounterPercent, "_34.0%"},    // twelve hundreds
        {1234.5f, kCounterPlain, "_34.50"},
    };
    for (const GlyphCase& c : cases) EXPECT_EQ(shown(c.value, c.mode), c.glyphs) << c.value;
}

TEST(CounterGlyphs, BrokenValuesShowBlank) {
    EXPECT_EQ(shown(std::numeric_limits<float>::quiet_NaN(), kCounterDecibels), "______");
    EXPECT_EQ(shown(std::numeric_limits<float>::infinity(), kCounterHertz), "______");
    // Huge but finite: every position is still a real glyph.
    EXPECT_EQ(shown(3e38f, kCounterPlain).find('?'), std::string::npos);
}

// Figures far beyond every readout: each digit position of every mode still
// comes out a real glyph (the digit arithmetic stays exact, whatever the size).
TEST(CounterGlyphs, HugeFiguresInEveryModeShowRealGlyphs) {
    const int modes[] = {kCounterDecibels, kCounterHertz, kCounterPercent, kCounterPlain};
    const float values[] = {1e10f, 4.7e21f, -4.7e21f, 1e30f, 3e38f, std::numeric_limits<float>::max()};
    for (int mode : modes) {
        for (float value : values) {
            const std::string glyphs = shown(value, mode);
            EXPECT_EQ(glyphs.size(), 6u) << value << " mode " << mode;
            EXPECT_EQ(glyphs.find('?'), std::string::npos) << value << " mode " << mode << ": " << glyphs;
        }
    }
}

}  // namespace
}  // namespace ambrel
