#pragma once
// A small window holding one of each product control, on a real X server,
// with helpers that click and drag through XTest.

#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <initializer_list>

#include "GuiHarness.h"
#include "editor/CAnimKnob2.h"
#include "editor/CAnimKnob3.h"
#include "editor/CCounter.h"
#include "editor/CLabel2.h"
#include "editor/CMovieLED.h"
#include "editor/CMovieMeter.h"
#include "editor/CMyLRUDButton.h"
#include "editor/CMyOnOffButton.h"
#include "editor/CMyTextEdit.h"
#include "editor/CMyVerticalSwitch.h"
#include "editor/CViewContainerSwitch.h"
#include "toolkit/CBitmap.h"

namespace editor_test {

// Picture bases (the green channel of every frame of that picture).
enum Base : int { kKnobBase = 0x20, kDriveBase = 0x30, kFourWayBase = 0x40, kFace0Base = 0x50, kFace1Base = 0x60,
                  kLedBase = 0x70, kButtonBase = 0x90, kSwitchBase = 0xA0, kGlyphBase = 0xB0 };

void registerControlImages();

class ControlsWindow : public ::testing::Test {
protected:
    static constexpr VSTGUI::CRect kKnobRect{10, 10, 70, 60};
    static constexpr VSTGUI::CRect kDriveRect{80, 10, 193, 103};
    static constexpr VSTGUI::CRect kFourWayRect{200, 10, 251, 58};
    static constexpr VSTGUI::CRect kMeterRect{10, 110, 146, 180};
    static constexpr VSTGUI::CRect kLedRect{160, 110, 181, 131};
    static constexpr VSTGUI::CRect kEntryRect{200, 110, 256, 127};
    static constexpr VSTGUI::CRect kButtonRect{200, 140, 236, 180};
    static constexpr VSTGUI::CRect kSwitchRect{250, 140, 290, 190};
    static constexpr VSTGUI::CRect kCounterRect{140, 183, 194, 200};
    static constexpr VSTGUI::CRect kLabelRect{10, 184, 80, 198};
    static constexpr VSTGUI::CRect kPageSwitchRect{260, 60, 295, 100};

    static void SetUpTestSuite() { registerControlImages(); }
    void SetUp() override;
    void TearDown() override;

    // A left click at (x, y) with the keys held; steps run one per pass of a
    // control's mouse loop while the button is held, then it is released.
    void click(int x, int y, std::initializer_list<unsigned long> keys = {},
               std::initializer_list<std::function<void()>> steps = {});
    static VSTGUI::CPoint centreOf(const VSTGUI::CRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    // The frame number of picture `base` shown at (x, y), -1 for anything else.
    int frameShownAt(int x, int y, int base);
    int frameShownIn(const VSTGUI::CRect& r, int base) { return frameShownAt(centreOf(r).x, centreOf(r).y, base); }
    // Steps for a script.
    std::function<void()> moveTo(int x, int y) {
        return [this, x, y] { input.moveTo(x, y); };
    }
    static std::function<void()> idle() {
        return [] {};
    }

    FakeClock clock;
    TestEditor editor;
    Recorder recorder;
    XInput input;
    ambrel::CMyFrame* frame = nullptr;
    ambrel::CAnimKnob2* knob = nullptr;    // tag 5
    ambrel::CAnimKnob3* drive = nullptr;   // tag 4
    ambrel::CMyLRUDButton* fourWay = nullptr;  // tag 57
    ambrel::CMovieMeter* meter = nullptr;  // tag 25
    ambrel::CMovieLED* led = nullptr;      // tag 54
    ambrel::CMyTextEdit* entry = nullptr;  // tag 58, not in the window until an entry opens
    ambrel::CMyOnOffButton* button = nullptr;      // tag 3
    ambrel::CMyVerticalSwitch* meterSource = nullptr;  // tag 21
    ambrel::CCounter* counter = nullptr;   // tag 50
    ambrel::CLabel2* label = nullptr;
    ambrel::CViewContainerSwitch* pageSwitch = nullptr;  // tag 52
};

}  // namespace editor_test
