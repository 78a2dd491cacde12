// The typed value entry's arithmetic: the text a knob's entry opens with and
// the normalized value each typed number stands for, limits included.

#include <gtest/gtest.h>

#include <cmath>

#include "editor/AmbrelValueEntry.h"

namespace ambrel {
namespace {

TEST(AmbrelEditorValueEntry, TypedNumbersGiveTheValuesOfTheReadoutUnits) {
    struct Row { ParameterRole role; double x; double f; float v; };
    const double log16 = std::log(16.0);
    const Row rows[] = {
        {kDrive, 6.0, 1.0, 0.625f},                         // (24 + 6) / 48
        {kDrive, -24.0, 1.0, 0.0f},
        {kDrive, 3.0, 0.125, 1.0f},                         // beyond the narrow range: clamped
        {kDrive, 1.5, 0.125, static_cast<float>((3.0 + 1.5) / 6.0)},
        {kKnee, 37.5, 1.0, 0.375f},
        {kSpeed, 150.0, 1.0, 1.0f},
        {kMix, -5.0, 1.0, 0.0f},
        {kRelease, 1.0, 1.0, static_cast<float>(std::log(4.0) / log16)},  // 0.5
        {kRelease, 100.0, 1.0, 1.0f},                       // log(400) / log(16) above 1
        {kRelease, 0.0, 1.0, 0.0f},                         // no logarithm of 0
        {kRelease, -2.0, 1.0, 0.0f},
        {kHighAdjust, 6.0, 1.0, 0.75f},                     // (12 + 6) / 24
        {kLowAdjust, -3.0, 0.5, static_cast<float>((6.0 - 3.0) / 12.0)},
        {kHighFreq, 4000.0, 1.0, 0.5f},                     // log(4) / log(16)
        {kLowFreq, 100.0, 1.0, 0.5f},
        {kLowFreq, 10.0, 1.0, 0.0f},
        {kCeiling, 6.0, 4.0, static_cast<float>((24.0 + 6.0) / 48.0)},  // s = 2
        {kOutput, -12.0, 1.0, 0.0f},
    };
    for (const Row& r : rows)
        EXPECT_NEAR(valueEntryNormalized(r.role, r.x, r.f), r.v, 1e-6f) << r.role << " " << r.x << " " << r.f;
}

TEST(AmbrelEditorValueEntry, TextIsTheReadoutValueWithTheKnobsDecimals) {
    char text[32];
    valueEntryText(kDrive, 1.234f, text, sizeof text);
    EXPECT_STREQ(text, "1.23");
    valueEntryText(kRelease, 0.5f, text, sizeof text);
    EXPECT_STREQ(text, "0.50");
    valueEntryText(kHighFreq, 4000.04f, text, sizeof text);
    EXPECT_STREQ(text, "4000.0");
    valueEntryText(kMix, 100.0f, text, sizeof text);
    EXPECT_STREQ(text, "100.0");
    valueEntryText(kOverIndic, 3.0f, text, sizeof text);
    EXPECT_STREQ(text, "") << "no entry off the main page";
    EXPECT_FALSE(takesValueEntry(kFineTune));
    EXPECT_TRUE(takesValueEntry(kCeiling));
}

TEST(AmbrelEditorValueEntry, TextThatIsNoNumberCountsAsZero) {
    EXPECT_EQ(valueEntryNumber("abc"), 0.0);
    EXPECT_EQ(valueEntryNumber(""), 0.0);
    EXPECT_EQ(valueEntryNumber(nullptr), 0.0);
    EXPECT_EQ(valueEntryNumber(" 6.5dB"), 6.5);
    EXPECT_FLOAT_EQ(valueEntryNormalized(kDrive, valueEntryNumber("x"), 1.0), 0.5f);
    EXPECT_FLOAT_EQ(valueEntryNormalized(kDrive, valueEntryNumber("nan"), 1.0), 0.0f);
}

}  // namespace
}  // namespace ambrel
