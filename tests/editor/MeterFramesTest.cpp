// Needle frames of the meters and the over LEDs' fade.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "editor/MeterFrames.h"

namespace ambrel {
namespace {

TEST(NeedleFrame, RestValueOneAndTheWideScale) {
    struct Case {
        float value;
        int scale;
        int frame;
    };
    const Case cases[] = {
        {0.0f, 0, 2},    {0.0f, 1, 2},    {-0.5f, 0, 2},  {-1.0f, 1, 2},  {1.0f, 0, 64},
        {1.0f, 1, 64},   {2.0f, 1, 95},   {2.0f, 0, 100}, {100.0f, 1, 100},
        {0.5f, 0, 29},   // 0.5^1.2 = 0.435: 0.435 * 61.7 + 1.8 = 28.7
        {0.5f, 1, 43},   // 0.5^0.6 = 0.660: 0.660 * 61.7 + 1.8 = 42.5
        {std::numeric_limits<float>::quiet_NaN(), 0, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(needleFrame(c.value, c.scale, 101), c.frame) << c.value << " scale " << c.scale;
    }
    EXPECT_NEAR(needlePosition(2.0f, 1), 0.953, 0.0005);
    EXPECT_NEAR(needlePosition(1.0f, 0), 0.635, 1e-12);
}

TEST(NeedleFrame, WideScaleReadsLowLevelsHigher) {
    for (float v : {0.05f, 0.1f, 0.3f, 0.7f}) {
        EXPECT_GT(needleFrame(v, 1, 101), needleFrame(v, 0, 101)) << v;
    }
}

std::vector<int> ledFramesAfter(std::vector<float> flags) {
    std::vector<int> frames;
    float shown = 0.0f;
    for (float flag : flags) {
        shown = ledLevelAfterRedraw(shown, flag, 0.2f);
        frames.push_back(ledFrame(shown, 6));
    }
    return frames;
}

TEST(LedDecay, FadesOneFramePerRedrawDownToLevelPointFour) {
    EXPECT_EQ(ledFramesAfter({1, 0, 0, 0, 0, 0, 0}), (std::vector<int>{5, 4, 3, 2, 2, 2, 2}));
}

TEST(LedDecay, ASecondOverRelightsFully) {
    EXPECT_EQ(ledFramesAfter({1, 0, 0, 1, 0, 1, 1}), (std::vector<int>{5, 4, 3, 5, 4, 5, 5}));
    EXPECT_EQ(ledFramesAfter({1, 0, 0, 0, 0, 1}), (std::vector<int>{5, 4, 3, 2, 2, 5}));
}

TEST(LedDecay, FloorHoldsAndDarkStaysDark) {
    float shown = 0.4f;
    for (int i = 0; i < 100; ++i) shown = ledLevelAfterRedraw(shown, 0.0f, 0.2f);
    EXPECT_FLOAT_EQ(shown, 0.4f);
    EXPECT_FLOAT_EQ(ledLevelAfterRedraw(0.0f, 0.0f, 0.2f), 0.0f);
    EXPECT_FLOAT_EQ(ledLevelAfterRedraw(0.5f, 0.0f, 0.2f), 0.3f);
    EXPECT_FLOAT_EQ(ledLevelAfterRedraw(0.1f, 0.0f, 0.2f), 0.1f);
}

TEST(LedFrame, LevelsMapToNearestFrame) {
    EXPECT_EQ(ledFrame(0.0f, 6), 0);
    EXPECT_EQ(ledFrame(-1.0f, 6), 0);
    EXPECT_EQ(ledFrame(0.05f, 6), 0);
    EXPECT_EQ(ledFrame(0.1f, 6), 1);
    EXPECT_EQ(ledFrame(0.4f, 6), 2);
    EXPECT_EQ(ledFrame(1.0f, 6), 5);
    EXPECT_EQ(ledFrame(7.0f, 6), 5);
    EXPECT_EQ(ledFrame(std::numeric_limits<float>::quiet_NaN(), 6), 0);
}

}  // namespace
}  // namespace ambrel
