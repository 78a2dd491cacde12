// The value and redraw protocol every control follows, its default-value and
// double-click rules, and reference counting, without a display.

#include <gtest/gtest.h>

#include <vector>

#include "FakeClock.h"
#include "RecordingDevice.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/COnOffButton.h"
#include "toolkit/CParamDisplay.h"
#include "toolkit/CViewContainer.h"

using namespace VSTGUI;

namespace {

class CountingListener : public CControlListener {
public:
    void valueChanged(CDrawContext*, CControl* control) override { values.push_back(control->getValue()); }
    long controlModifierClicked(CDrawContext*, CControl*, long buttons) override {
        modifierClicks.push_back(static_cast<int>(buttons));
        return takeModifierClicks ? 1 : 0;
    }
    std::vector<float> values;
    std::vector<int> modifierClicks;
    bool takeModifierClicks = false;
};

class PlainControl : public CControl {
public:
    explicit PlainControl(CControlListener* l = nullptr) : CControl(CRect(0, 0, 10, 10), l, 7) {}
    void draw(CDrawContext*) override { setDirty(false); }
};

TEST(ControlProtocol, ConstructionDefaults) {
    PlainControl c;
    EXPECT_EQ(c.getValue(), 0.0f);
    EXPECT_EQ(c.getOldValue(), 1.0f);
    EXPECT_EQ(c.getDefaultValue(), 0.5f);
    EXPECT_EQ(c.getMin(), 0.0f);
    EXPECT_EQ(c.getMax(), 1.0f);
    EXPECT_FLOAT_EQ(c.getWheelInc(), 0.1f);
    EXPECT_GE(c.getDoubleClickTime(), 250);
    EXPECT_TRUE(c.getMouseEnabled());
    EXPECT_FALSE(c.getTransparency());
    // A new control has never been drawn: value 0 differs from last-drawn 1.
    EXPECT_TRUE(c.isDirty());
}

TEST(ControlProtocol, SetValueStoresOnlyAndDirtyFollowsTheLastDrawnValue) {
    PlainControl c;
    c.draw(nullptr);
    EXPECT_FALSE(c.isDirty());
    c.setValue(0.25f);
    EXPECT_EQ(c.getValue(), 0.25f);
    EXPECT_TRUE(c.isDirty());
    c.draw(nullptr);
    EXPECT_FALSE(c.isDirty());
    EXPECT_EQ(c.getOldValue(), 0.25f);
    c.setValue(0.25f);
    EXPECT_FALSE(c.isDirty());
}

TEST(ControlProtocol, SetDirtyMarksTheLastDrawnValueUnreachable) {
    struct Case {
        float value;
        float expectedOld;
    };
    for (Case k : {Case{0.5f, -1.0f}, Case{-1.0f, 0.0f}, Case{0.0f, -1.0f}}) {
        PlainControl c;
        c.setValue(k.value);
        c.setDirty(true);
        EXPECT_EQ(c.getOldValue(), k.expectedOld) << k.value;
        EXPECT_TRUE(c.isDirty());
        c.setDirty(false);
        EXPECT_EQ(c.getOldValue(), k.value);
        EXPECT_FALSE(c.isDirty());
    }
}

TEST(ControlProtocol, BounceValueLimitsToTheRange) {
    struct Case {
        float min, max, in, out;
    };
    for (Case k : {Case{0, 1, 1.5f, 1}, Case{0, 1, -0.1f, 0}, Case{0, 1, 0.3f, 0.3f}, Case{-1, 1, -2, -1},
                   Case{2, 4, 3, 3}}) {
        PlainControl c;
        c.setMin(k.min);
        c.setMax(k.max);
        c.setValue(k.in);
        c.bounceValue();
        EXPECT_EQ(c.getValue(), k.out) << k.in;
    }
}

TEST(ControlProtocol, CheckDefaultValueTakesOnlyLeftPlusControl) {
    struct Case {
        int buttons;
        bool taken;
    };
    for (Case k : {Case{kLButton | kControl, true}, Case{kLButton, false}, Case{kControl, false},
                   Case{kLButton | kControl | kShift, false}, Case{kRButton | kControl, false}}) {
        CountingListener listener;
        PlainControl c(&listener);
        c.setDefaultValue(0.4f);
        c.setValue(0.9f);
        c.draw(nullptr);
        EXPECT_EQ(c.checkDefaultValue(nullptr, k.buttons), k.taken) << k.buttons;
        EXPECT_EQ(c.getValue(), k.taken ? 0.4f : 0.9f);
        EXPECT_EQ(listener.values.size(), k.taken ? 1u : 0u);
    }
}

TEST(ControlProtocol, CheckDefaultValueTellsTheListenerOnlyWhenDirty) {
    CountingListener listener;
    PlainControl c(&listener);
    c.setValue(0.5f);
    c.draw(nullptr);  // drawn at the default already
    EXPECT_TRUE(c.checkDefaultValue(nullptr, kLButton | kControl));
    EXPECT_TRUE(listener.values.empty());
}

TEST(ControlProtocol, DoubleClickUsesTheClockAndTheDoubleClickTime) {
    toolkit_test::FakeClock clock(5000);
    PlainControl c;
    int window = c.getDoubleClickTime();
    EXPECT_FALSE(c.isDoubleClick());  // first click recorded
    clock.now += window - 1;
    EXPECT_TRUE(c.isDoubleClick());   // second inside the time
    clock.now += 10;
    EXPECT_FALSE(c.isDoubleClick());  // the record was cleared: a new first click
    clock.now += window;
    EXPECT_FALSE(c.isDoubleClick());  // exactly the time later is too late, recorded again
    clock.now += 1;
    EXPECT_TRUE(c.isDoubleClick());
}

TEST(ControlProtocol, DoubleClickTimeHasA250msFloor) {
    noteDesktopDoubleClickTime(100);
    EXPECT_EQ(doubleClickTime(), 250);
    noteDesktopDoubleClickTime(400);
    EXPECT_EQ(doubleClickTime(), 400);
    noteDesktopDoubleClickTime(250);
}

TEST(ControlProtocol, OnOffButtonTogglesOnTheIntegerPartAndAsksAboutModifierClicks) {
    struct Case {
        float before;
        int buttons;
        bool listenerTakes;
        float after;
    };
    for (Case k : {Case{0, kLButton, false, 1}, Case{1, kLButton, false, 0}, Case{0.7f, kLButton, false, 1},
                   Case{1.5f, kLButton, false, 0}, Case{0, kRButton, false, 0}, Case{0, kLButton | kShift, true, 0},
                   Case{0, kLButton | kShift, false, 1}}) {
        CountingListener listener;
        listener.takeModifierClicks = k.listenerTakes;
        COnOffButton button(CRect(0, 0, 10, 10), &listener, 3, nullptr);
        button.setValue(k.before);
        CPoint where(5, 5);
        button.mouse(nullptr, where, k.buttons);
        EXPECT_EQ(button.getValue(), k.after) << k.before << " " << k.buttons;
        EXPECT_EQ(listener.modifierClicks.size(), (k.buttons & kShift) ? 1u : 0u);
    }
}

TEST(ParamDisplay, TextComesFromTheHookOrTwoDecimals) {
    CParamDisplay display(CRect(0, 0, 40, 12));
    char text[256];
    display.valueText(0.5f, text);
    EXPECT_STREQ(text, "0.50");
    display.valueText(12.345f, text);
    EXPECT_STREQ(text, "12.35");
    display.setStringConvert([](float v, char* out) { std::snprintf(out, 256, "v=%d", static_cast<int>(v * 10)); });
    display.valueText(0.5f, text);
    EXPECT_STREQ(text, "v=5");
    static int user = 42;
    display.setStringConvert([](float, char* out, void* data) { std::snprintf(out, 256, "%d", *static_cast<int*>(data)); },
                             &user);
    display.valueText(0.5f, text);
    EXPECT_STREQ(text, "42");
}

TEST(ParamDisplay, DrawsBoxFrameShadowAndTextInItsColours) {
    toolkit_test::RecordingDevice device;
    CDrawContext context(nullptr, &device);
    CParamDisplay display(CRect(10, 20, 60, 34), nullptr, kShadowText);
    display.setTransparency(false);
    display.setBackColor(CColor{1, 2, 3, 255});
    display.setFrameColor(CColor{4, 5, 6, 255});
    display.setFontColor(CColor{7, 8, 9, 255});
    display.setShadowColor(CColor{10, 11, 12, 255});
    display.setFont(kNormalFontVerySmall);
    display.setHoriAlign(kRightText);
    display.setValue(0.25f);
    display.draw(&context);
    ASSERT_EQ(device.fills.size(), 1u);
    EXPECT_EQ(device.fills[0].color, (CColor{1, 2, 3, 255}));
    ASSERT_EQ(device.frames.size(), 1u);
    EXPECT_EQ(device.frames[0].color, (CColor{4, 5, 6, 255}));
    ASSERT_EQ(device.texts.size(), 2u);
    EXPECT_EQ(device.texts[0].color, (CColor{10, 11, 12, 255}));
    EXPECT_EQ(device.texts[0].rect, CRect(11, 21, 61, 35));
    EXPECT_EQ(device.texts[1].text, "0.25");
    EXPECT_EQ(device.texts[1].align, kRightText);
    EXPECT_EQ(device.texts[1].font.size, 9);
    EXPECT_STREQ(device.texts[1].font.face, "Arial");
    EXPECT_FALSE(display.isDirty());

    device = {};
    display.setStyle(kNoFrame);
    display.draw(&context);
    EXPECT_TRUE(device.frames.empty());
    device = {};
    display.setStyle(kNoDrawStyle);
    display.draw(&context);
    EXPECT_TRUE(device.fills.empty());
    EXPECT_TRUE(device.texts.empty());
}

TEST(Fonts, EightIdsWithTheirFacesAndSizes) {
    const int sizes[] = {12, 18, 14, 12, 11, 10, 9, 13};
    for (int id = 0; id < kNumStandardFonts; ++id) {
        EXPECT_EQ(fontSpec(id).size, sizes[id]) << id;
        EXPECT_STREQ(fontSpec(id).face, id == kSymbolFont ? "Symbol" : "Arial") << id;
    }
}

TEST(Fonts, ArialAndSymbolResolveToInstalledFaces) {
    platform::FontRequest arial;
    arial.face = "Arial";
    EXPECT_EQ(platform::resolvedFontFamily(arial), "Liberation Sans");
    platform::FontRequest symbol;
    symbol.face = "Symbol";
    std::string family = platform::resolvedFontFamily(symbol);
    EXPECT_NE(family.find("Symbol"), std::string::npos) << family;
}

}  // namespace
