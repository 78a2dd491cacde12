// The readout formatters on the figures users see, and at the edges where
// one text form hands over to the next.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "editor/ValueFormatters.h"

namespace ambrel {
namespace {

std::string format(ValueFormatter formatter, float value) {
    char text[kFormattedTextSize];
    std::fill(std::begin(text), std::end(text), 'z');
    formatter(value, text);
    return text;
}

struct Case {
    float value;
    const char* text;
};

TEST(FormatMilliseconds, DecimalsShrinkAsTheTimeGrows) {
    const Case cases[] = {
        {0.00005f, "0ms"},   {0.0f, "0ms"},        {-3.0f, "0ms"},      {0.0001f, "0.000ms"},
        {0.0006f, "0.001ms"}, {0.5f, "0.500ms"},   {0.9994f, "0.999ms"}, {1.0f, "1.00ms"},
        {2.345f, "2.35ms"},   {9.99f, "9.99ms"},   {10.0f, "10.0ms"},   {30.0f, "30.0ms"},
        {99.94f, "99.9ms"},   {100.0f, "100ms"},   {300.0f, "300ms"},   {999.4f, "999ms"},
        {1000.0f, "1.000s"},  {1500.0f, "1.500s"}, {3000.0f, "3.000s"}, {10000.0f, "10.000s"},
    };
    for (const Case& c : cases) EXPECT_EQ(format(formatMilliseconds, c.value), c.text) << c.value;
}

TEST(FormatMilliseconds, RoundsHalfAwayFromZero) {
    EXPECT_EQ(format(formatMilliseconds, 0.0625f), "0.063ms");
    EXPECT_EQ(format(formatMilliseconds, 12.25f), "12.3ms");
    EXPECT_EQ(format(formatMilliseconds, 150.5f), "151ms");
}

TEST(FormatMilliseconds, BrokenValuesStayShort) {
    EXPECT_EQ(format(formatMilliseconds, std::numeric_limits<float>::quiet_NaN()), "0ms");
    EXPECT_LT(format(formatMilliseconds, std::numeric_limits<float>::infinity()).size(),
              static_cast<size_t>(kFormattedTextSize));
    EXPECT_LT(format(formatMilliseconds, 3e38f).size(), static_cast<size_t>(kFormattedTextSize));
}

TEST(FormatSamples, IntegerPartFromOne) {
    const Case cases[] = {{0.0f, "0smps"}, {0.99f, "0smps"}, {-5.0f, "0smps"},
                          {1.0f, "1smps"}, {639.7f, "639smps"}, {2175.0f, "2175smps"}};
    for (const Case& c : cases) EXPECT_EQ(format(formatSamples, c.value), c.text) << c.value;
}

TEST(FormatDecibels, GainFactorsInTenthsOfADecibel) {
    const Case cases[] = {
        {1.0f, "0.0dB"},   {0.5f, "-6.0dB"},   {0.95f, "-0.4dB"}, {2.0f, "6.0dB"},
        {0.1f, "-20.0dB"}, {10.0f, "20.0dB"},  {0.0f, "-oo dB"},  {-1.0f, "-oo dB"},
        {1e-9f, "-oo dB"}, {0.8912509f, "-1.0dB"},
    };
    for (const Case& c : cases) EXPECT_EQ(format(formatDecibels, c.value), c.text) << c.value;
}

TEST(FormatDecibels, BetweenMinusOneAndZeroKeepsTheSign) {
    // -0.5 dB and -0.9 dB: the integer part alone is 0 and would lose the minus.
    EXPECT_EQ(format(formatDecibels, static_cast<float>(std::pow(10.0, -0.5 / 20))), "-0.5dB");
    EXPECT_EQ(format(formatDecibels, static_cast<float>(std::pow(10.0, -0.95 / 20))), "-0.9dB");
    EXPECT_EQ(format(formatDecibels, static_cast<float>(std::pow(10.0, -0.05 / 20))), "-0.0dB");
    // Just beyond: -1.2 dB prints through the integer part.
    EXPECT_EQ(format(formatDecibels, static_cast<float>(std::pow(10.0, -1.25 / 20))), "-1.2dB");
}

TEST(FormatDecibelsFullScale, SixDecibelsPerDoubling) {
    const Case cases[] = {{1.0f, "0.0dBFS"},   {0.5f, "-6.0dBFS"}, {0.25f, "-12.0dBFS"},
                          {0.0f, "-oo dBFS"},  {2.0f, "6.0dBFS"},  {0.06125f, "-24.1dBFS"}};
    for (const Case& c : cases) EXPECT_EQ(format(formatDecibelsFullScale, c.value), c.text) << c.value;
    EXPECT_EQ(format(formatDecibelsFullScale, static_cast<float>(std::pow(2.0, -0.5 / 6))), "-0.5dBFS");
}

TEST(FormatInteger, TruncatesToTheWholeNumber) {
    const Case cases[] = {{1.0f, "1"}, {2.9f, "2"}, {10.0f, "10"}, {0.0f, "0"}};
    for (const Case& c : cases) EXPECT_EQ(format(formatInteger, c.value), c.text) << c.value;
}

TEST(FormatFactor, TwoTruncatedDecimals) {
    const Case cases[] = {{1.25f, "x1.25"}, {1.0f, "x1.00"}, {0.25f, "x0.25"},
                          {4.0f, "x4.00"},  {0.29f, "x0.29"}, {1.999f, "x1.99"}};
    for (const Case& c : cases) EXPECT_EQ(format(formatFactor, c.value), c.text) << c.value;
}

TEST(FormatPercent, TenthsOnlyBelowTwentyPercent) {
    const Case cases[] = {{0.125f, "12.5%"}, {1.0f, "100%"}, {0.2f, "20%"},  {0.199f, "19.9%"},
                          {0.05f, "5.0%"},   {0.29f, "29%"}, {0.555f, "55%"}, {0.0f, "0.0%"}};
    for (const Case& c : cases) EXPECT_EQ(format(formatPercent, c.value), c.text) << c.value;
}

}  // namespace
}  // namespace ambrel
