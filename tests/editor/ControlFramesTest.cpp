// Switch and button pictures, the four-way button's zones and the grid strip.

#include <gtest/gtest.h>

#include "editor/ControlFrames.h"

namespace ambrel {
namespace {

TEST(SwitchFrame, ReadsLikeTheProcessing) {
    struct Case {
        float value;
        int positions;
        int frame;
    };
    const Case cases[] = {
        {0.0f, 3, 0}, {0.3f, 3, 0}, {0.3333f, 3, 0}, {0.34f, 3, 1}, {0.5f, 3, 1}, {0.6667f, 3, 2},
        {1.0f, 3, 2}, {1.5f, 3, 2}, {-0.2f, 3, 0},   {0.0f, 2, 0},  {0.49f, 2, 0}, {0.5f, 2, 1},
        {1.0f, 2, 1}, {0.7f, 1, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(switchFrame(c.value, c.positions), c.frame) << c.value;
}

TEST(FourWayFrame, QuartersOfTheRange) {
    const std::pair<float, int> cases[] = {{0.0f, 0},  {0.24f, 0}, {0.25f, 1}, {0.33f, 1}, {0.333f, 1},
                                           {0.49f, 1}, {0.5f, 2},  {0.67f, 2}, {0.75f, 3}, {1.0f, 3}};
    for (auto [value, frame] : cases) EXPECT_EQ(fourWayFrame(value), frame) << value;
}

TEST(FourWayZone, ZonesInOrderAndCornersKeepTheValue) {
    // The editor's button: 326..377 by 388..436 (w 51, h 48).
    const ZoneRect r{326, 388, 377, 436};
    struct Case {
        int x, y;
        float value;
    };
    const Case cases[] = {
        {326, 412, 0.33f},  // left edge, middle height
        {338, 400, 0.33f},  // x = left + w/4 exactly 338.75 -> 338 inside
        {377, 412, 0.67f},  // right edge
        {365, 424, 0.67f},  // right - w/4 = 364.25
        {351, 436, 1.0f},   // bottom edge
        {351, 412, 1.0f},   // centre belongs to the bottom zone
        {351, 411, 0.0f},   // just above the centre line
        {351, 388, 0.0f},   // top edge
        {326, 388, 0.5f},   // corners
        {377, 388, 0.5f},
        {326, 436, 0.5f},
        {377, 436, 0.5f},
        {330, 396, 0.5f},   // left quarter but above the middle rows
        {325, 412, 0.5f},   // outside
        {351, 437, 0.5f},
    };
    for (const Case& c : cases) EXPECT_FLOAT_EQ(fourWayZoneValue(r, c.x, c.y, 0.5f), c.value) << c.x << "," << c.y;
}

TEST(KnobFrame, FloorOfTheTravel) {
    EXPECT_EQ(knobFrame(0.0f, 101, 93), 0);
    EXPECT_EQ(knobFrame(-1.0f, 101, 93), 0);
    EXPECT_EQ(knobFrame(0.005f, 101, 93), 0);
    EXPECT_EQ(knobFrame(0.01f, 101, 93), 1);
    EXPECT_EQ(knobFrame(0.1f, 101, 93), 10);
    EXPECT_EQ(knobFrame(0.999f, 101, 93), 99);
    EXPECT_EQ(knobFrame(1.0f, 101, 93), 100);
    EXPECT_EQ(knobFrame(5.0f, 101, 93), 100);
}

TEST(GridFrameOrigin, FramesRunDownAColumnThenRight) {
    // The drive strip: 11 columns of 113, 10 rows of 93, 930 high.
    struct Case {
        int frame;
        int x, y;
    };
    const Case cases[] = {{0, 0, 0}, {9, 0, 837}, {10, 113, 0}, {11, 113, 93}, {55, 565, 465}, {100, 1130, 0}};
    for (const Case& c : cases) {
        const StripOrigin o = gridFrameOrigin(c.frame, 93, 113, 930);
        EXPECT_EQ(o.x, c.x) << c.frame;
        EXPECT_EQ(o.y, c.y) << c.frame;
    }
    // A plain one-column strip: the whole strip is one column.
    EXPECT_EQ(gridFrameOrigin(40, 50, 60, 5050).y, 2000);
    EXPECT_EQ(gridFrameOrigin(40, 50, 60, 5050).x, 0);
}

}  // namespace
}  // namespace ambrel
