// Buttons, switches, meters, LEDs and the entry field under real input, and
// what the X server shows of them.

#include <X11/keysym.h>

#include <limits>
#include <string>

#include "ControlsWindow.h"

namespace editor_test {
namespace {

using namespace VSTGUI;

class Displays : public ControlsWindow {};

TEST_F(Displays, FourWayButtonZonesAndCorners) {
    struct Case {
        int x, y;
        float value;
        int frame;
    };
    // 200..251 by 10..58: quarters of 12.75 and 12 pixels.
    const Case cases[] = {
        {203, 34, 0.33f, 1},  // left
        {248, 34, 0.67f, 2},  // right
        {225, 55, 1.0f, 3},   // bottom
        {225, 13, 0.0f, 0},   // top
        {248, 34, 0.67f, 2},
        {202, 12, 0.67f, 2},  // corners keep the value
        {249, 56, 0.67f, 2},
    };
    for (const Case& c : cases) {
        editor.edits.clear();
        recorder.notices.clear();
        clock.now += 1000;
        click(c.x, c.y);
        EXPECT_FLOAT_EQ(fourWay->getValue(), c.value) << c.x << "," << c.y;
        EXPECT_EQ(frameShownIn(kFourWayRect, kFourWayBase), c.frame) << c.x << "," << c.y;
        EXPECT_EQ(editor.edits, (std::vector<EditCall>{{true, 57}, {false, 57}}));
        ASSERT_FALSE(recorder.notices.empty());
        EXPECT_FLOAT_EQ(recorder.notices.back().value, c.value) << "told once more after the release";
    }
    input.screenshot("four-way-right");
}

TEST_F(Displays, FourWayButtonFollowsThePointerWhileHeld) {
    std::vector<float> seen;
    auto sample = [&] { seen.push_back(fourWay->getValue()); };
    click(203, 34, {}, {idle(), idle(), sample, moveTo(225, 55), idle(), idle(), sample, moveTo(300, 300), idle(),
                        idle(), sample});
    EXPECT_EQ(seen, (std::vector<float>{0.33f, 1.0f, 1.0f}));
}

TEST_F(Displays, MeterClickSwapsTheFaceAndReportsTheScale) {
    meter->setValue(0.5f);
    pump(frame);
    EXPECT_EQ(frameShownIn(kMeterRect, kFace0Base), 29);
    const CPoint c = centreOf(kMeterRect);
    click(c.x, c.y);
    EXPECT_EQ(meter->getScale(), 1);
    ASSERT_EQ(recorder.notices.size(), 1u);
    EXPECT_EQ(recorder.notices[0].tag, 25);
    EXPECT_FLOAT_EQ(recorder.notices[0].value, 1.0f);
    EXPECT_EQ(frameShownIn(kMeterRect, kFace1Base), 64) << "drawn at once with the scale as its value";
    meter->setValue(0.5f);
    pump(frame);
    EXPECT_EQ(frameShownIn(kMeterRect, kFace1Base), 43);
    input.screenshot("meter-scale-1");

    clock.now += 1000;
    click(c.x, c.y);
    EXPECT_EQ(meter->getScale(), 0);
    EXPECT_FLOAT_EQ(recorder.notices.back().value, 0.0f);
    meter->setValue(0.0f);
    pump(frame);
    EXPECT_EQ(frameShownIn(kMeterRect, kFace0Base), 2) << "the needle rests on frame 2";
    meter->setValue(-3.0f);
    meter->setScale(1);
    pump(frame);
    EXPECT_EQ(frameShownIn(kMeterRect, kFace1Base), 2);
    meter->setValue(std::numeric_limits<float>::quiet_NaN());
    pump(frame);
    EXPECT_EQ(frameShownIn(kMeterRect, kFace1Base), 2);
    EXPECT_FALSE(meter->isDirty()) << "a broken reading is drawn once, not on every idle";
}

TEST_F(Displays, LedFadesOnEachRedrawAndAClickDarkensIt) {
    std::vector<int> frames;
    const float flags[] = {1, 0, 0, 0, 0, 0, 1, 0};
    for (float flag : flags) {
        led->setValue(flag);  // the editor's idle sets the flag on every call
        pump(frame, 2);
        frames.push_back(frameShownIn(kLedRect, kLedBase));
    }
    EXPECT_EQ(frames, (std::vector<int>{5, 4, 3, 2, 2, 2, 5, 4}));
    input.screenshot("led-lit");
    const CPoint c = centreOf(kLedRect);
    click(c.x, c.y);
    EXPECT_EQ(frameShownIn(kLedRect, kLedBase), 0);
    led->setValue(0.0f);
    pump(frame, 2);
    EXPECT_EQ(frameShownIn(kLedRect, kLedBase), 0) << "stays dark until the next over";
    EXPECT_TRUE(recorder.notices.empty());
    led->setValue(std::numeric_limits<float>::quiet_NaN());
    pump(frame, 2);
    EXPECT_EQ(frameShownIn(kLedRect, kLedBase), 0);
    EXPECT_FALSE(led->isDirty());
}

TEST_F(Displays, OnOffButtonAndSwitchPictures) {
    const std::pair<float, int> buttonCases[] = {{0.49f, 0}, {0.5f, 1}, {1.0f, 1}, {0.0f, 0}};
    for (auto [value, expected] : buttonCases) {
        button->setValue(value);
        pump(frame, 2);
        EXPECT_EQ(frameShownIn(kButtonRect, kButtonBase), expected) << value;
    }
    const std::pair<float, int> switchCases[] = {{0.0f, 0}, {0.3f, 0}, {0.5f, 1}, {0.6667f, 2}, {1.0f, 2}};
    for (auto [value, expected] : switchCases) {
        meterSource->setValue(value);
        pump(frame, 2);
        EXPECT_EQ(frameShownIn(kSwitchRect, kSwitchBase), expected) << value;
    }
    // A click toggles by the integer part, as the stock button does: 0.6 shows
    // on, yet its integer part is 0, so the click makes it 1.
    button->setValue(0.6f);
    click(centreOf(kButtonRect).x, centreOf(kButtonRect).y);
    EXPECT_FLOAT_EQ(button->getValue(), 1.0f);
    // The switch's slices: the lowest third picks the last position.
    click(270, 185);
    EXPECT_FLOAT_EQ(meterSource->getValue(), 1.0f);
    EXPECT_EQ(frameShownIn(kSwitchRect, kSwitchBase), 2);
}

TEST_F(Displays, CounterDrawsSixGlyphsOfItsMode) {
    auto glyphsOnScreen = [&] {
        std::vector<int> shown;
        for (int i = 0; i < 6; ++i) shown.push_back(frameShownAt(kCounterRect.left + 9 * i + 4, kCounterRect.top + 8, kGlyphBase));
        return shown;
    };
    // Built at 15.32 dB: plus, 1, 5, point, 3, dB.
    EXPECT_EQ(glyphsOnScreen(), (std::vector<int>{12, 1, 5, 10, 3, 15}));
    counter->setValueAndMode(1234.5f, ambrel::kCounterHertz);
    pump(frame, 2);
    EXPECT_EQ(glyphsOnScreen(), (std::vector<int>{17, 1, 11, 2, 3, 16}));
    input.screenshot("counter-hertz");
    counter->setValueAndMode(0.0f, ambrel::kCounterBlank);
    pump(frame, 2);
    EXPECT_EQ(glyphsOnScreen(), (std::vector<int>(6, 17)));
    counter->setMax(2000.0f);
    counter->setValue(500.0f);
    EXPECT_FLOAT_EQ(counter->getNormalizedValue(), 0.25f);
    counter->setValue(-5.0f);
    EXPECT_FLOAT_EQ(counter->getNormalizedValue(), 0.0f);
    counter->setValue(5000.0f);
    EXPECT_FLOAT_EQ(counter->getNormalizedValue(), 1.0f);
}

TEST_F(Displays, LabelTextOverTheBackgroundAndAnInvisiblePageSwitch) {
    int dark = 0, background = 0;
    for (int y = kLabelRect.top; y < kLabelRect.bottom; ++y) {
        for (int x = kLabelRect.left; x < kLabelRect.right; ++x) {
            const std::uint32_t c = input.pixel(x, y);
            if (c == 0x202020) ++background;
            else if (((c >> 16) & 0xFF) < 0x20 && ((c >> 8) & 0xFF) < 0x20 && (c & 0xFF) < 0x20) ++dark;
        }
    }
    EXPECT_GT(dark, 10) << "black text drawn";
    EXPECT_GT(background, 500) << "the background shows around it";
    EXPECT_EQ(input.pixel(centreOf(kPageSwitchRect).x, centreOf(kPageSwitchRect).y), 0x202020u);

    const CPoint c = centreOf(kPageSwitchRect);
    click(c.x, c.y);
    clock.now += 1000;
    click(c.x, c.y);
    ASSERT_EQ(recorder.notices.size(), 2u);
    EXPECT_FLOAT_EQ(recorder.notices[0].value, 1.0f);
    EXPECT_FLOAT_EQ(recorder.notices[1].value, 0.0f);
    EXPECT_EQ(recorder.notices[0].tag, 52);
}

class Entry : public ControlsWindow {
protected:
    void open(const char* text, int index) {
        entry->setText(text);
        frame->addView(entry);
        entry->beginEntry(index);
        frame->setEntryView(entry);
        pump(frame);
    }
};

TEST_F(Entry, ClickElsewhereAppliesTheTypedTextAndStillReachesTheControl) {
    open("6.00", 4);
    EXPECT_EQ(entry->getParamIndex(), 4);
    EXPECT_TRUE(entry->isEditing());
    EXPECT_EQ(frame->getFocusView(), entry);
    EXPECT_TRUE(editor.edits.empty()) << "an entry opens no host edit";
    const CPoint field = centreOf(kEntryRect);
    input.moveTo(field.x, field.y);
    input.type("7.5");
    pump(frame);
    input.screenshot("entry-open");

    const CPoint c = centreOf(kKnobRect);
    click(c.x, c.y);
    ASSERT_EQ(recorder.applied.size(), 1u);
    EXPECT_EQ(recorder.applied[0].first, 4);
    EXPECT_EQ(recorder.applied[0].second, "7.5");
    EXPECT_EQ(entry->getParamIndex(), -1);
    EXPECT_EQ(frame->getEntryView(), nullptr);
    EXPECT_FALSE(entry->isEditing());
    // The same click started a drag on the knob.
    EXPECT_EQ(editor.edits, (std::vector<EditCall>{{true, 5}, {false, 5}}));

    clock.now += 1000;
    click(c.x, c.y);
    EXPECT_EQ(recorder.applied.size(), 1u) << "a closed entry is not applied again";
}

TEST_F(Entry, EnterAppliesOnceAndALaterClickAddsNothing) {
    open("12.0", 13);
    const CPoint field = centreOf(kEntryRect);
    input.moveTo(field.x, field.y);
    input.type("3");
    input.keyDown(XK_Return);
    input.keyUp(XK_Return);
    pump(frame);
    ASSERT_EQ(recorder.applied.size(), 1u);
    EXPECT_EQ(recorder.applied[0], (std::pair<int, std::string>{13, "3"}));
    const CPoint c = centreOf(kLedRect);
    click(c.x, c.y);
    EXPECT_EQ(recorder.applied.size(), 1u);
}

TEST_F(Entry, LongTextIsCutToSixtyThreeCharacters) {
    const std::string longText(100, '9');
    open(longText.c_str(), 6);
    const CPoint c = centreOf(kLedRect);
    click(c.x, c.y);
    ASSERT_EQ(recorder.applied.size(), 1u);
    EXPECT_EQ(recorder.applied[0].second, std::string(63, '9'));
}

}  // namespace
}  // namespace editor_test
