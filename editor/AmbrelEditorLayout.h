#pragma once
// Where the editor's controls sit, what they show and how they behave, in the
// order they are added to their page. Parameter-carrying controls name their
// parameter's role; the edition turns a role into its index, which is the
// control's tag. Controls without a parameter name their tag's role instead.

#include <span>

#include "core/ParameterRole.h"
#include "editor/CounterGlyphs.h"
#include "editor/ValueFormatters.h"
#include "toolkit/CGeometry.h"

namespace ambrel {

enum class ControlKind {
    kLatencyMs,       // readout of the latency in milliseconds
    kLatencySamples,  // readout of the latency in samples
    kOnOffButton,
    kProcessButton,   // an on/off button on the edition's own picture
    kOversampleButton,  // an on/off button that exists only with oversampling
    kFourWayButton,
    kVerticalSwitch,
    kKnob,            // film strip, stock behaviour (settings page)
    kFineKnob,        // film strip with fine drag, default on Control-click, typed entry
    kGridKnob,        // the drive knob's strip in columns
    kLeftMeter,
    kRightMeter,
    kReadout,         // the numeric readout
    kLeftLed,
    kRightLed,
    kToSettingsPage,
    kToMainPage,
    kVersionLabel,
};

struct ControlPlace {
    ControlKind kind;
    ParameterRole role;  // kRoleNone for controls without a parameter
    int bitmap;          // 0: none
    int frames;          // film-strip frames (switches: positions)
    VSTGUI::CRect rect;
    float defaultValue;
    float wheelStep;
    // Settings page: the value readout under the knob (empty: none) and its text.
    VSTGUI::CRect readout;
    ValueFormatter format;
};

// The numeric readout's mode (CounterMode) a main-page knob's value shows in;
// blank for other roles.
int readoutModeOf(ParameterRole role);

std::span<const ControlPlace> mainPageLayout();
std::span<const ControlPlace> settingsPageLayout();

// The window, the pages and the parts of the main page without a table row.
inline constexpr int kEditorWidth = 450;
inline constexpr int kEditorHeight = 460;
inline constexpr int kMainPageBottomMargin = 16;      // the preset strip shows below the main page
inline constexpr int kSettingsPageBottomMargin = 2;
inline constexpr int kSettingsBackgroundBitmap = 19002;
inline constexpr int kSettingsBackgroundHeight = 445;
inline constexpr int kMeterScaleOneFaceBitmap = 19004;
inline constexpr int kReadoutGlyphWidth = 9;
inline constexpr int kReadoutGlyphHeight = 17;
inline constexpr float kReadoutStartValue = 15.32f;
inline constexpr VSTGUI::CRect kValueEntryRect{151, 281, 207, 298};
inline constexpr const char* kVersionText = "v2.3.1";

}  // namespace ambrel
