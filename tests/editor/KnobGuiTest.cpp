// The film-strip knobs driven by real pointer and key input.

#include <X11/keysym.h>

#include "ControlsWindow.h"
#include "toolkit/CButtons.h"

namespace editor_test {
namespace {

using namespace VSTGUI;

class Knobs : public ControlsWindow {};

TEST_F(Knobs, ControlClickRestoresTheDefaultAndTellsOnlyOnChange) {
    knob->setValue(0.3f);
    knob->setDefaultValue(0.5f);
    pump(frame);
    const CPoint c = centreOf(kKnobRect);
    click(c.x, c.y, {XK_Control_L});
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f);
    ASSERT_EQ(recorder.notices.size(), 1u);
    EXPECT_EQ(recorder.notices[0].tag, 5);
    EXPECT_FLOAT_EQ(recorder.notices[0].value, 0.5f);
    EXPECT_EQ(frameShownIn(kKnobRect, kKnobBase), 50);
    input.screenshot("knob-default");

    clock.now += 1000;  // no double click with the next one
    click(c.x, c.y, {XK_Control_L});
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f);
    EXPECT_EQ(recorder.notices.size(), 1u) << "the value did not change";
    EXPECT_TRUE(recorder.opened.empty());
}

TEST_F(Knobs, DoubleClickOpensTheEntryInsteadOfDragging) {
    detail::setKnobMode(kLinearMode);
    knob->setValue(0.3f);
    const CPoint c = centreOf(kKnobRect);
    click(c.x, c.y);
    EXPECT_TRUE(recorder.opened.empty());
    clock.now += 100;
    click(c.x, c.y);
    EXPECT_EQ(recorder.opened, std::vector<int>{5});
    EXPECT_FLOAT_EQ(knob->getValue(), 0.3f);
    // Only the first click dragged: one edit bracket.
    EXPECT_EQ(editor.edits, (std::vector<EditCall>{{true, 5}, {false, 5}}));
}

TEST_F(Knobs, ClicksFurtherApartThanTheDoubleClickTimeBothDrag) {
    const CPoint c = centreOf(kKnobRect);
    click(c.x, c.y);
    clock.now += 300;  // beyond the 250 ms floor (the test server asks for no time)
    click(c.x, c.y);
    EXPECT_TRUE(recorder.opened.empty());
    EXPECT_EQ(editor.edits.size(), 4u);
}

TEST_F(Knobs, ControlClickThenClickOpensEntryOnTheSmallKnobOnly) {
    const CPoint small = centreOf(kKnobRect);
    click(small.x, small.y, {XK_Control_L});
    clock.now += 100;
    click(small.x, small.y);
    EXPECT_EQ(recorder.opened, std::vector<int>{5});

    recorder.opened.clear();
    clock.now += 1000;
    const CPoint large = centreOf(kDriveRect);
    click(large.x, large.y, {XK_Control_L});
    clock.now += 100;
    click(large.x, large.y);
    EXPECT_TRUE(recorder.opened.empty()) << "the drive knob's Control-click starts no double click";
    // A third click does complete a double click with the second.
    clock.now += 100;
    click(large.x, large.y);
    EXPECT_EQ(recorder.opened, std::vector<int>{4});
}

TEST_F(Knobs, DriveKnobTellsOnEveryPressAndMovement) {
    drive->setValue(0.5f);
    pump(frame);
    const CPoint c = centreOf(kDriveRect);
    detail::setKnobMode(kLinearMode);
    // Moving right by 1 pixel and back leaves the value, yet each move is told.
    click(c.x, c.y, {}, {idle(), moveTo(c.x + 1, c.y), idle(), idle(), moveTo(c.x, c.y), idle(), idle()});
    size_t unchanged = 0;
    for (const Notice& n : recorder.notices) unchanged += n.tag == 4 ? 1 : 0;
    EXPECT_GE(unchanged, 4u);  // press, drag start, first pass, two movements
    EXPECT_NEAR(drive->getValue(), 0.5f, 1e-6);

    recorder.notices.clear();
    drive->setValue(0.3f);
    pump(frame);
    knob->setValue(0.3f);
    pump(frame);
    const CPoint k = centreOf(kKnobRect);
    click(k.x, k.y, {}, {idle(), idle(), idle()});
    EXPECT_EQ(recorder.notices.size(), 1u) << "the small knob tells only the drag start when nothing changes";
}

TEST_F(Knobs, LinearDragShiftMidwayDoesNotJump) {
    detail::setKnobMode(kLinearMode);
    knob->setValue(0.5f);
    pump(frame);
    const CPoint c = centreOf(kKnobRect);
    std::vector<float> seen;
    auto sample = [&] { seen.push_back(knob->getValue()); };
    click(c.x, c.y, {},
          {moveTo(c.x, c.y - 30), idle(), idle(), sample,                   // +0.1
           [&] { input.keyDown(XK_Shift_L); }, idle(), idle(), sample,      // no jump
           moveTo(c.x, c.y - 105), idle(), idle(), sample,                  // fine: 75 px = +0.05
           [&] { input.keyUp(XK_Shift_L); }, idle(), idle(), sample,        // no jump
           moveTo(c.x, c.y - 135), idle(), idle(), sample,                  // coarse: +0.1
           moveTo(c.x + 60, c.y - 135), idle(), idle(), sample});           // right: half speed, +0.1
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_NEAR(seen[0], 0.6f, 1e-5);
    EXPECT_NEAR(seen[1], 0.6f, 1e-5);
    EXPECT_NEAR(seen[2], 0.65f, 1e-5);
    EXPECT_NEAR(seen[3], 0.65f, 1e-5);
    EXPECT_NEAR(seen[4], 0.75f, 1e-5);
    EXPECT_NEAR(seen[5], 0.85f, 1e-5);
    EXPECT_EQ(editor.edits, (std::vector<EditCall>{{true, 5}, {false, 5}}));
    EXPECT_EQ(frameShownIn(kKnobRect, kKnobBase), 85);
    input.screenshot("knob-linear-drag");
}

TEST_F(Knobs, AltSwapsTheDragForm) {
    // Circular mode with Alt: a linear drag, so the click itself moves nothing.
    detail::setKnobMode(kCircularMode);
    knob->setValue(0.2f);
    const CPoint c = centreOf(kKnobRect);
    click(c.x, c.y, {XK_Alt_L}, {moveTo(c.x, c.y - 30), idle(), idle()});
    EXPECT_NEAR(knob->getValue(), 0.3f, 1e-5);
    // Linear mode with Alt: circular, the value follows the pointer's angle.
    detail::setKnobMode(kLinearMode);
    clock.now += 1000;
    click(40, 15, {XK_Alt_L}, {idle(), idle()});  // straight up: the middle of the travel
    EXPECT_NEAR(knob->getValue(), 0.5f, 0.01f);
}

TEST_F(Knobs, CircularDragThroughTheGapHoldsTheEndItCameFrom) {
    // Around the knob's centre (40, 35), radius 20; 0 at 225 degrees, 1 at -45.
    knob->setValue(0.2f);
    const CPoint nearMax{57, 45};     // -30 degrees: 0.94
    const CPoint inGap{36, 55};       // -100 degrees
    const CPoint pastStart{21, 42};   // 200 degrees: 0.09
    const CPoint top{40, 15};         // 90 degrees: 0.5
    std::vector<float> seen;
    auto sample = [&] { seen.push_back(knob->getValue()); };
    click(nearMax.x, nearMax.y, {},
          {idle(), idle(), sample, moveTo(inGap.x, inGap.y), idle(), idle(), sample, moveTo(pastStart.x, pastStart.y),
           idle(), idle(), sample, moveTo(top.x, top.y), idle(), idle(), sample});
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_NEAR(seen[0], 0.94f, 0.02f);
    EXPECT_FLOAT_EQ(seen[1], 1.0f);
    EXPECT_FLOAT_EQ(seen[2], 1.0f);
    EXPECT_NEAR(seen[3], 0.5f, 0.02f);

    seen.clear();
    clock.now += 1000;
    click(pastStart.x, pastStart.y, {},
          {idle(), idle(), sample, moveTo(inGap.x, inGap.y), idle(), idle(), sample, moveTo(nearMax.x, nearMax.y),
           idle(), idle(), sample});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_NEAR(seen[0], 0.09f, 0.02f);
    EXPECT_FLOAT_EQ(seen[1], 0.0f);
    EXPECT_FLOAT_EQ(seen[2], 0.0f);
}

TEST_F(Knobs, DriveKnobShowsItsGridFrame) {
    const std::pair<float, int> cases[] = {{0.0f, 0}, {0.09f, 9}, {0.1f, 10}, {0.555f, 55}, {1.0f, 100}};
    for (auto [value, expected] : cases) {
        drive->setValue(value);
        pump(frame, 3);
        EXPECT_EQ(frameShownIn(kDriveRect, kDriveBase), expected) << value;
    }
    input.screenshot("drive-frame-100");
}

TEST_F(Knobs, WheelGoesToTheViewUnderThePointerOrTheModalView) {
    knob->setValue(0.5f);
    drive->setValue(0.5f);
    const CPoint c = centreOf(kKnobRect);
    input.moveTo(c.x, c.y);
    input.wheel(1);
    pump(frame);
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-6);
    frame->setModalView(drive);
    input.wheel(-2);
    pump(frame);
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-6);
    EXPECT_NEAR(drive->getValue(), 0.3f, 1e-6);
    frame->setModalView(nullptr);
    // Away from any control the wheel is not taken, with or without a context.
    input.moveTo(150, 190);
    EXPECT_FALSE(frame->onWheel(nullptr, CPoint(40, 35), kMouseWheelAxisY, 1.0f));
    // Over the knob, a call without a context still reaches it.
    input.moveTo(c.x, c.y);
    EXPECT_TRUE(frame->onWheel(nullptr, CPoint(150, 190), kMouseWheelAxisY, 1.0f));
    EXPECT_NEAR(knob->getValue(), 0.7f, 1e-6);
}

}  // namespace
}  // namespace editor_test
