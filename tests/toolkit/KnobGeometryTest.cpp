// Where a point around a knob lies on its travel: 225 degrees (lower left) is
// the start, the travel runs 270 degrees clockwise over the top to the lower
// right, and the 90-degree gap at the bottom maps to the nearer end.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "toolkit/CKnob.h"

using namespace VSTGUI;

namespace {

CPoint atAngle(const CKnob& knob, double degrees, double radius = 20.0) {
    double a = degrees * std::numbers::pi / 180.0;
    double cx = knob.getWidth() / 2.0;
    double cy = knob.getHeight() / 2.0;
    return CPoint(static_cast<int>(std::lround(cx + radius * std::cos(a))),
                  static_cast<int>(std::lround(cy - radius * std::sin(a))));
}

TEST(KnobGeometry, ValueFromPointAtTheAnglesThatMatter) {
    CKnob knob(CRect(100, 100, 160, 160), nullptr, 0, nullptr, nullptr);
    struct Case {
        double degrees;
        float expected;
        float tolerance;
    };
    const Case cases[] = {
        {225, 0.0f, 0.01f},      // the start
        {180, 1.0f / 6, 0.01f},  // left: 45 of 270 degrees
        {90, 0.5f, 0.01f},       // top: half way
        {0, 5.0f / 6, 0.01f},    // right
        {-45, 1.0f, 0.01f},      // the end
        {-60, 1.0f, 0.0f},       // the gap, nearer the end
        {-85, 1.0f, 0.0f},
        {-95, 0.0f, 0.0f},       // the gap, nearer the start
        {-120, 0.0f, 0.0f},
    };
    for (const Case& k : cases) {
        EXPECT_NEAR(knob.valueFromPoint(atAngle(knob, k.degrees)), k.expected, k.tolerance + 1e-6) << k.degrees;
    }
}

TEST(KnobGeometry, ValueFromPointScalesToTheRangeAndUsesTheCentre) {
    // A knob wider than high: the centre is the middle of its rectangle.
    CKnob knob(CRect(0, 0, 60, 50), nullptr, 0, nullptr, nullptr);
    knob.setMin(-1.0f);
    knob.setMax(3.0f);
    EXPECT_NEAR(knob.valueFromPoint(CPoint(30, 5)), 1.0f, 1e-4);   // straight up from (30, 25)
    EXPECT_NEAR(knob.valueFromPoint(atAngle(knob, 225)), -1.0f, 0.05f);
    EXPECT_NEAR(knob.valueFromPoint(atAngle(knob, -45)), 3.0f, 0.05f);
}

TEST(KnobGeometry, StartAngleAndTravel) {
    CKnob knob(CRect(0, 0, 30, 30), nullptr, 0, nullptr, nullptr);
    EXPECT_FLOAT_EQ(knob.getStartAngle(), 5.0f * std::numbers::pi_v<float> / 4.0f);
    EXPECT_FLOAT_EQ(knob.getRangeAngle(), 3.0f * std::numbers::pi_v<float> / 2.0f);
    EXPECT_FLOAT_EQ(knob.getZoomFactor(), 1.5f);
}

}  // namespace
