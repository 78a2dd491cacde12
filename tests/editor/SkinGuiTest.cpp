// The controls on the product's own skin bitmaps, at their places on the
// main page: what a user sees, driven and photographed on a real X server.

#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "GuiHarness.h"
#include "editor/CAnimKnob2.h"
#include "editor/CAnimKnob3.h"
#include "editor/CCounter.h"
#include "editor/CMovieLED.h"
#include "editor/CMovieMeter.h"
#include "editor/CMyLRUDButton.h"
#include "editor/CMyOnOffButton.h"
#include "editor/CMyVerticalSwitch.h"
#include "toolkit/BitmapResources.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CButtons.h"

namespace editor_test {
namespace {

using namespace VSTGUI;
using namespace ambrel;

// A picture of an area: its pixels as the server shows them.
std::vector<std::uint32_t> grab(XInput& input, const CRect& r) {
    std::vector<std::uint32_t> pixels;
    for (int y = r.top; y < r.bottom; y += 3) {
        for (int x = r.left; x < r.right; x += 3) pixels.push_back(input.pixel(x, y));
    }
    return pixels;
}

class SkinControls : public ::testing::Test {
protected:
    static constexpr CRect kDriveRect{122, 162, 235, 255};
    static constexpr CRect kKneeRect{46, 167, 106, 217};
    static constexpr CRect kMeterRect{54, 40, 190, 110};
    static constexpr CRect kLedRect{160, 109, 181, 130};
    static constexpr CRect kCounterRect{152, 281, 207, 297};
    static constexpr CRect kFourWayRect{326, 388, 377, 436};

    void SetUp() override {
        if (!input.ok()) GTEST_SKIP() << "needs Xvfb or an X server with XTest";
        clearRegisteredBitmapResources();  // the skin itself, not the test pictures
        auto* background = new CBitmap(19000);
        if (!background->isLoaded()) {
            background->forget();
            GTEST_SKIP() << "no skin linked";
        }
        frame = new CMyFrame(CRect(0, 0, 450, 460), nullptr, &editor);
        editor.adopt(frame);
        editor.releaseAll = [this] { input.release(1); };
        frame->setBackground(background);
        background->forget();

        auto* driveStrip = new CBitmap(19009);
        drive = add(new CAnimKnob3(kDriveRect, &recorder, 4, 101, 93, 113, driveStrip));
        driveStrip->forget();
        auto* kneeStrip = new CBitmap(19008);
        knee = add(new CAnimKnob2(kKneeRect, &recorder, 5, 101, 50, kneeStrip));
        kneeStrip->forget();
        auto* face0 = new CBitmap(19003);
        auto* face1 = new CBitmap(19004);
        meter = add(new CMovieMeter(kMeterRect, &recorder, 25, face0, face1, 0));
        face0->forget();
        face1->forget();
        auto* ledStrip = new CBitmap(19026);
        led = add(new CMovieLED(kLedRect, &recorder, 54, 6, 21, ledStrip));
        ledStrip->forget();
        auto* glyphs = new CBitmap(19021);
        counter = add(new CCounter(kCounterRect, &recorder, 50, 15.32f, kCounterDecibels, 152, 281, 9, 17, glyphs));
        glyphs->forget();
        auto* fourWayStrip = new CBitmap(19016);
        fourWay = add(new CMyLRUDButton(kFourWayRect, &recorder, 57, fourWayStrip));
        fourWayStrip->forget();
        auto* sourceStrip = new CBitmap(19005);
        add(new CMyVerticalSwitch(CRect(206, 28, 246, 78), &recorder, 21, 3, 50, 3, sourceStrip))->setValue(0.5f);
        sourceStrip->forget();
        auto* typeStrip = new CBitmap(19006);
        add(new CMyOnOffButton(CRect(206, 88, 246, 138), &recorder, 22, typeStrip))->setValue(1.0f);
        typeStrip->forget();
        input.attach(frame);
    }

    void TearDown() override {
        if (frame) frame->forget();
    }

    template <typename T>
    T* add(T* view) {
        frame->addView(view);
        view->forget();
        return view;
    }

    FakeClock clock;
    TestEditor editor;
    Recorder recorder;
    XInput input;
    CMyFrame* frame = nullptr;
    CAnimKnob3* drive = nullptr;
    CAnimKnob2* knee = nullptr;
    CMovieMeter* meter = nullptr;
    CMovieLED* led = nullptr;
    CCounter* counter = nullptr;
    CMyLRUDButton* fourWay = nullptr;
};

TEST_F(SkinControls, DragTheDriveKnobAndSwapTheMeterScale) {
    drive->setValue(0.0f);
    meter->setValue(0.7f);
    led->setValue(1.0f);
    pump(frame);
    const auto driveAtZero = grab(input, kDriveRect);
    const auto meterOnFace0 = grab(input, kMeterRect);
    input.screenshot("skin-before");

    detail::setKnobMode(kLinearMode);
    const int x = (kDriveRect.left + kDriveRect.right) / 2;
    const int y = (kDriveRect.top + kDriveRect.bottom) / 2;
    input.moveTo(x, y);
    editor.script = {[&] { input.moveTo(x, y - 100); }, [] {}, [] {}, [&] { input.moveTo(x, y - 200); }, [] {}, [] {}};
    input.press(1);
    pump(frame);
    input.release(1);
    pump(frame);
    EXPECT_NEAR(drive->getValue(), 2.0f / 3.0f, 1e-4);
    EXPECT_NE(grab(input, kDriveRect), driveAtZero) << "the knob shows another frame";

    input.moveTo(100, 75);
    input.press(1);
    pump(frame, 3);
    input.release(1);
    meter->setValue(0.7f);  // what the next idle would restore
    pump(frame);
    EXPECT_EQ(meter->getScale(), 1);
    EXPECT_NE(grab(input, kMeterRect), meterOnFace0) << "the second face is shown";

    counter->setValueAndMode(3150.0f, kCounterHertz);
    fourWay->setValue(0.67f);
    pump(frame);
    input.screenshot("skin-after");
}

}  // namespace
}  // namespace editor_test
