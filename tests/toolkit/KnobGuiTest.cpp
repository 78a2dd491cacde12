// Knob drags, Control-click and the wheel with real input on a real X server.

#include <X11/keysym.h>

#include <cmath>
#include <numbers>

#include "GuiFixture.h"

using namespace VSTGUI;

namespace toolkit_test {
namespace {

constexpr int kKnobX = 76;  // centre of the knob at (46, 167, 106, 217)
constexpr int kKnobY = 192;

class KnobGui : public GuiTest {
protected:
    void runDrag() {
        // The whole drag runs inside one idle call: the press starts the loop,
        // the script moves the pointer, the last step releases the button.
        ASSERT_TRUE(pumpUntil([this] { return editor->step == editor->script.size(); }));
        pumpFor(2);
    }
    std::vector<float> knobValues() const {
        std::vector<float> out;
        for (const Change& c : editor->changes) {
            if (c.tag == 0) out.push_back(c.value);
        }
        return out;
    }
};

TEST_F(KnobGui, LinearDragCoversTheRangeIn200PixelsAndShiftSlowsItWithoutAJump) {
    openEditor();
    editor->setKnobMode(kLinearMode);
    pointAt(kKnobX, kKnobY);
    session->press();
    auto up = [this] { editor->script.push_back([this] { session->moveBy(0, -10); }); };
    auto wait = [this] { editor->script.push_back([] {}); };
    float atShift = -1.0f;
    for (int i = 0; i < 6; ++i) up();  // 60 pixels: +0.3
    wait();
    editor->script.push_back([this, &atShift] {
        atShift = editor->knob->getValue();
        session->keyDown(XK_Shift_L);
    });
    wait();
    wait();
    for (int i = 0; i < 3; ++i) up();  // 30 pixels with Shift: +0.1
    wait();
    editor->script.push_back([this] { session->keyUp(XK_Shift_L); });
    wait();
    for (int i = 0; i < 2; ++i) up();  // 20 pixels: +0.1
    wait();
    wait();
    editor->script.push_back([this] { session->release(); });
    runDrag();
    shoot("knob_linear_drag");

    EXPECT_NEAR(atShift, 0.55f, 1e-4);
    EXPECT_NEAR(editor->knob->getValue(), 0.75f, 1e-4);
    EXPECT_NEAR(effect->values[0], 0.75f, 1e-4);
    std::vector<float> values = knobValues();
    ASSERT_GE(values.size(), 5u);
    for (std::size_t i = 1; i < values.size(); ++i) {
        EXPECT_GT(values[i], values[i - 1]);
        EXPECT_LE(values[i] - values[i - 1], 0.05f + 1e-4) << "a jump at step " << i;
    }
    // The host sees the drag bracketed: begin before the first automation, end after the last.
    ASSERT_FALSE(effect->calls.empty());
    int begin = -1, end = -1, firstAutomate = -1, lastAutomate = -1;
    for (int i = 0; i < static_cast<int>(effect->calls.size()); ++i) {
        const HostCall& c = effect->calls[static_cast<size_t>(i)];
        if (c.opcode == audioMasterBeginEdit && c.index == 0 && begin < 0) begin = i;
        if (c.opcode == audioMasterEndEdit && c.index == 0) end = i;
        if (c.opcode == audioMasterAutomate) {
            if (firstAutomate < 0) firstAutomate = i;
            lastAutomate = i;
        }
    }
    ASSERT_GE(begin, 0);
    ASSERT_GE(firstAutomate, 0);
    EXPECT_LT(begin, firstAutomate);
    EXPECT_GT(end, lastAutomate);
    EXPECT_EQ(countHostCalls(audioMasterBeginEdit), 1);
    EXPECT_EQ(countHostCalls(audioMasterEndEdit), 1);
    // The drag kept the host idling.
    EXPECT_GE(countHostCalls(audioMasterIdle), 1);
}

TEST_F(KnobGui, LinearDragWithAltInCircularModeAndRightwardMovement) {
    openEditor();
    editor->setKnobMode(kCircularMode);
    session->keyDown(XK_Alt_L);
    pointAt(kKnobX, kKnobY);
    session->press();
    for (int i = 0; i < 4; ++i) editor->script.push_back([this] { session->moveBy(10, 0); });  // right counts like up
    editor->script.push_back([] {});
    editor->script.push_back([] {});
    editor->script.push_back([this] { session->release(); });
    runDrag();
    session->keyUp(XK_Alt_L);
    EXPECT_NEAR(editor->knob->getValue(), 0.25f + 40.0f / 200.0f, 1e-4);
}

TEST_F(KnobGui, CircularDragFollowsTheAngleAndTheGapHoldsTheEnd) {
    openEditor();
    editor->setKnobMode(kCircularMode);
    int cx = 0, cy = 0;
    screen(kKnobX, kKnobY, cx, cy);
    auto at = [this, cx, cy](double degrees) {
        double a = degrees * std::numbers::pi / 180.0;
        session->moveTo(cx + static_cast<int>(std::lround(20 * std::cos(a))), cy - static_cast<int>(std::lround(20 * std::sin(a))));
    };
    at(90);  // the top: half way
    session->press();
    float atRight = -1.0f;
    for (double d : {60.0, 30.0, 0.0}) editor->script.push_back([at, d] { at(d); });
    editor->script.push_back([] {});
    editor->script.push_back([this, &atRight] { atRight = editor->knob->getValue(); });
    // On to the end, into the gap and past it to the start side.
    for (double d : {-30.0, -45.0, -60.0, -90.0, -120.0, -150.0, -170.0}) editor->script.push_back([at, d] { at(d); });
    editor->script.push_back([] {});
    editor->script.push_back([] {});
    editor->script.push_back([this] { session->release(); });
    runDrag();
    shoot("knob_circular_drag");
    EXPECT_NEAR(atRight, 5.0f / 6.0f, 0.02f);
    EXPECT_FLOAT_EQ(editor->knob->getValue(), 1.0f);
    for (float v : knobValues()) EXPECT_GT(v, 0.45f) << "the knob jumped across its gap";
}

TEST_F(KnobGui, ControlClickRestoresTheDefaultAndTheWheelSteps) {
    openEditor();
    editor->knob->setValue(0.8f);
    editor->knob->setDefaultValue(0.5f);
    pumpFor(2);
    pointAt(kKnobX, kKnobY);
    session->keyDown(XK_Control_L);
    session->click();
    session->keyUp(XK_Control_L);
    ASSERT_TRUE(pumpUntil([this] { return !editor->changes.empty(); }));
    EXPECT_FLOAT_EQ(editor->knob->getValue(), 0.5f);
    EXPECT_FLOAT_EQ(effect->values[0], 0.5f);
    EXPECT_EQ(countHostCalls(audioMasterBeginEdit), 1);
    EXPECT_EQ(countHostCalls(audioMasterEndEdit), 1);

    // One notch up, two down, one up with Shift (a tenth of the step).
    editor->changes.clear();
    session->click(4);
    ASSERT_TRUE(pumpUntil([this] { return editor->changes.size() == 1; }));
    EXPECT_NEAR(editor->knob->getValue(), 0.6f, 1e-5);
    session->click(5);
    session->click(5);
    ASSERT_TRUE(pumpUntil([this] { return editor->changes.size() == 3; }));
    EXPECT_NEAR(editor->knob->getValue(), 0.4f, 1e-5);
    session->keyDown(XK_Shift_L);
    session->click(4);
    ASSERT_TRUE(pumpUntil([this] { return editor->changes.size() == 4; }));
    session->keyUp(XK_Shift_L);
    EXPECT_NEAR(editor->knob->getValue(), 0.41f, 1e-5);
    // At the top of the range a notch changes nothing and tells nobody.
    editor->knob->setValue(1.0f);
    pumpFor(2);
    session->click(4);
    pumpFor(5);
    EXPECT_EQ(editor->changes.size(), 4u);
    // The host's own wheel request goes to the control under the pointer.
    EXPECT_TRUE(editor->onWheel(-1.0f));
    EXPECT_NEAR(editor->knob->getValue(), 0.9f, 1e-5);
    shoot("knob_wheel");
}

}  // namespace
}  // namespace toolkit_test
