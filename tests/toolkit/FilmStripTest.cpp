// Film strips: the frame a value picks, the source offsets the stock controls
// copy from, and the plain-copy rule of CBitmap::draw.

#include <gtest/gtest.h>

#include "RecordingDevice.h"
#include "TestImages.h"
#include "toolkit/CAnimKnob.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CKickButton.h"
#include "toolkit/COnOffButton.h"
#include "toolkit/CParamDisplay.h"
#include "toolkit/CVerticalSwitch.h"

using namespace VSTGUI;

namespace {

constexpr int kStrip = 30001;
constexpr int kTwoFrames = 30002;
constexpr int kThreeFrames = 30003;

class FilmStrip : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        toolkit_test::registerFilmStrip(kStrip, 60, 50, 101);
        toolkit_test::registerFilmStrip(kTwoFrames, 36, 40, 2);
        toolkit_test::registerFilmStrip(kThreeFrames, 40, 50, 3);
    }
    toolkit_test::RecordingDevice device;
    CDrawContext context{nullptr, &device};
};

TEST_F(FilmStrip, AnimKnobSourceIsTheLargestFrameMultipleNotAboveTheValue) {
    auto* strip = new CBitmap(kStrip);
    ASSERT_EQ(strip->getHeight(), 5050);
    CAnimKnob knob(CRect(46, 167, 106, 217), nullptr, 5, 101, 50, strip);
    strip->forget();
    struct Case {
        float value;
        bool inverse;
        int frame;
    };
    const Case cases[] = {
        {0.0f, false, 0},   {1.0f, false, 100}, {0.5f, false, 50}, {0.004f, false, 0}, {0.011f, false, 1},
        {0.999f, false, 99}, {-0.5f, false, 0}, {0.0f, true, 100}, {1.0f, true, 0},    {0.25f, true, 75},
    };
    for (const Case& k : cases) {
        knob.setInverseBitmap(k.inverse);
        knob.setValue(k.value);
        device.bitmaps.clear();
        knob.draw(&context);
        ASSERT_EQ(device.bitmaps.size(), 1u);
        EXPECT_EQ(device.bitmaps[0].offset, CPoint(0, k.frame * 50)) << k.value << " inverse " << k.inverse;
        EXPECT_EQ(device.bitmaps[0].dest, CRect(46, 167, 106, 217));
        EXPECT_FALSE(knob.isDirty());
    }
}

TEST_F(FilmStrip, OnOffButtonShowsTheLowerHalfWhenOn) {
    auto* bitmap = new CBitmap(kTwoFrames);
    COnOffButton button(CRect(42, 398, 78, 438), nullptr, 0, bitmap);
    bitmap->forget();
    for (float v : {0.0f, 1.0f}) {
        button.setValue(v);
        device.bitmaps.clear();
        button.draw(&context);
        ASSERT_EQ(device.bitmaps.size(), 1u);
        EXPECT_EQ(device.bitmaps[0].offset, CPoint(0, v > 0 ? 40 : 0));
    }
}

TEST_F(FilmStrip, VerticalSwitchDrawsTheNearestPositionAndMapsClicksToSlices) {
    auto* bitmap = new CBitmap(kThreeFrames);
    CVerticalSwitch sw(CRect(206, 28, 246, 78), nullptr, 21, 3, 50, 3, bitmap);
    bitmap->forget();
    struct Case {
        float value;
        int frame;
    };
    for (Case k : {Case{0.0f, 0}, Case{0.5f, 1}, Case{1.0f, 2}, Case{0.3f, 1}, Case{0.2f, 0}}) {
        sw.setValue(k.value);
        device.bitmaps.clear();
        sw.draw(&context);
        ASSERT_EQ(device.bitmaps.size(), 1u);
        EXPECT_EQ(device.bitmaps[0].offset, CPoint(0, k.frame * 50)) << k.value;
    }
    // Slices of 50 / 3 pixels from the top.
    EXPECT_EQ(sw.valueAtY(28), 0.0f);
    EXPECT_EQ(sw.valueAtY(28 + 16), 0.0f);
    EXPECT_EQ(sw.valueAtY(28 + 17), 0.5f);
    EXPECT_EQ(sw.valueAtY(28 + 34), 1.0f);
    EXPECT_EQ(sw.valueAtY(78), 1.0f);  // the bottom edge still counts, limited to 1
}

TEST_F(FilmStrip, KickButtonShowsThePressedFrameFromHalfUp) {
    auto* bitmap = new CBitmap(kStrip);
    CKickButton button(CRect(0, 0, 12, 14), nullptr, 62, 14, bitmap, CPoint(0, 0));
    bitmap->forget();
    for (float v : {0.0f, 0.49f, 0.5f, 1.0f}) {
        button.setValue(v);
        device.bitmaps.clear();
        button.draw(&context);
        EXPECT_EQ(device.bitmaps.at(0).offset, CPoint(0, v >= 0.5f ? 14 : 0)) << v;
    }
}

TEST_F(FilmStrip, ParamDisplayBackdropComesFromItsBackOffset) {
    auto* backdrop = new CBitmap(kStrip);
    CParamDisplay display(CRect(20, 30, 50, 40), backdrop);
    backdrop->forget();
    display.copyBackOffset();
    display.draw(&context);
    ASSERT_EQ(device.bitmaps.size(), 1u);
    EXPECT_EQ(device.bitmaps[0].offset, CPoint(20, 30));
    EXPECT_EQ(device.bitmaps[0].dest, CRect(20, 30, 50, 40));
    EXPECT_TRUE(device.fills.empty());  // the backdrop replaces the box
}

TEST_F(FilmStrip, MissingResourceGivesAnEmptyBitmapThatDrawsNothing) {
    auto* missing = new CBitmap(31999);
    EXPECT_FALSE(missing->isLoaded());
    EXPECT_EQ(missing->getWidth(), 0);
    EXPECT_EQ(missing->getHeight(), 0);
    CAnimKnob knob(CRect(0, 0, 60, 50), nullptr, 0, 101, 50, missing);
    missing->forget();
    knob.setValue(0.5f);
    knob.draw(&context);
    EXPECT_TRUE(device.bitmaps.empty());
    EXPECT_FALSE(knob.isDirty());
}

TEST_F(FilmStrip, CopyIsPlainAndOnlyWhereThePictureReaches) {
    auto offscreen = platform::createOffscreen(100, 100);
    CDrawContext drawing(nullptr, offscreen.get());
    auto* strip = new CBitmap(kStrip);
    strip->draw(&drawing, CRect(10, 10, 70, 60), CPoint(0, 50 * 7));
    EXPECT_EQ(offscreen->pixel(12, 12), toolkit_test::frameColour(7));
    EXPECT_EQ(offscreen->pixel(69, 59), toolkit_test::frameColour(7));
    // Outside dest nothing changed (the device starts in the neutral grey).
    EXPECT_EQ(offscreen->pixel(75, 20), 0xD4D0C8u);
    // A source offset beyond the picture copies only what exists.
    strip->draw(&drawing, CRect(0, 70, 60, 100), CPoint(0, 5050 - 10));
    EXPECT_EQ(offscreen->pixel(5, 75), toolkit_test::frameColour(100));
    EXPECT_EQ(offscreen->pixel(5, 85), 0xD4D0C8u);
    strip->forget();
}

}  // namespace
