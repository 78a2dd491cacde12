// Drag arithmetic of the product knobs.

#include <gtest/gtest.h>

#include "editor/KnobDrag.h"

namespace ambrel {
namespace {

TEST(LinearKnobDrag, ThreeHundredPixelsUpOrSixHundredRightCoverTheRange) {
    LinearKnobDrag up(0.0f, 0.0f, 1.0f, false);
    up.move(0, 150);
    EXPECT_NEAR(up.value(), 0.5f, 1e-6);
    up.move(0, 150);
    EXPECT_NEAR(up.value(), 1.0f, 1e-6);

    LinearKnobDrag right(0.0f, 0.0f, 1.0f, false);
    right.move(300, 0);
    EXPECT_NEAR(right.value(), 0.5f, 1e-6);

    LinearKnobDrag fine(0.2f, 0.0f, 1.0f, true);
    fine.move(0, 150);
    EXPECT_NEAR(fine.value(), 0.3f, 1e-6);
}

TEST(LinearKnobDrag, DownAndLeftLower_AndTheValueStaysInRange) {
    LinearKnobDrag drag(0.5f, 0.0f, 1.0f, false);
    drag.move(-30, -15);  // 2 * -15 - 30 = -60 counts, -30 in offset
    EXPECT_NEAR(drag.value(), 0.4f, 1e-6);
    drag.move(0, -1000);
    EXPECT_EQ(drag.value(), 0.0f);
    drag.move(0, 2000);
    EXPECT_EQ(drag.value(), 1.0f);
}

TEST(LinearKnobDrag, RangeScalesTheStep) {
    LinearKnobDrag drag(10.0f, 10.0f, 70.0f, false);  // range 60: 0.2 per count
    EXPECT_FLOAT_EQ(drag.step(), 0.2f);
    drag.move(0, 10);
    EXPECT_NEAR(drag.value(), 12.0f, 1e-5);
}

TEST(LinearKnobDrag, SwitchingFineModeDoesNotJump) {
    LinearKnobDrag drag(0.5f, 0.0f, 1.0f, false);
    drag.move(0, 30);  // +0.1
    const float before = drag.value();
    EXPECT_NEAR(before, 0.6f, 1e-6);
    drag.setFine(true);
    EXPECT_NEAR(drag.value(), before, 1e-6);
    drag.move(0, 75);  // fine: 75 px up = 0.05
    EXPECT_NEAR(drag.value(), 0.65f, 1e-5);
    const float fineValue = drag.value();
    drag.setFine(false);
    EXPECT_NEAR(drag.value(), fineValue, 1e-6);
    drag.move(0, 30);  // coarse again: +0.1
    EXPECT_NEAR(drag.value(), 0.75f, 1e-5);
}

TEST(CircularGapGuard, FollowsTheAngleWithinHalfARange) {
    CircularGapGuard guard(0.5f, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(guard.follow(0.6f), 0.6f);
    EXPECT_FLOAT_EQ(guard.follow(0.9f), 0.9f);
    EXPECT_FLOAT_EQ(guard.follow(0.45f), 0.45f);
}

TEST(CircularGapGuard, PassingTheGapHoldsTheEndItCameFrom) {
    CircularGapGuard top(0.5f, 0.0f, 1.0f);
    top.follow(0.8f);
    EXPECT_FLOAT_EQ(top.follow(1.0f), 1.0f);
    EXPECT_FLOAT_EQ(top.follow(0.0f), 1.0f);  // through the gap to the low end
    EXPECT_FLOAT_EQ(top.follow(0.2f), 1.0f);  // still far from where it left
    EXPECT_FLOAT_EQ(top.follow(0.7f), 0.7f);  // back within reach

    CircularGapGuard bottom(0.1f, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(bottom.follow(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(bottom.follow(1.0f), 0.0f);
    EXPECT_FLOAT_EQ(bottom.follow(0.9f), 0.0f);
    EXPECT_FLOAT_EQ(bottom.follow(0.3f), 0.3f);
}

}  // namespace
}  // namespace ambrel
