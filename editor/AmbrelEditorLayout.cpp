#include "editor/AmbrelEditorLayout.h"

namespace ambrel {

namespace {

using VSTGUI::CRect;
using K = ControlKind;

constexpr float kWheelCoarse = 0.03125f;
constexpr float kWheelDrive = 0.0130208f;  // about 1/76.8
constexpr float kWheelFine = 0.0260417f;   // about 1/38.4
constexpr float kStockWheel = 0.1f;

constexpr ControlPlace plain(K kind, ParameterRole role, int bitmap, int frames, CRect rect) {
    return {kind, role, bitmap, frames, rect, 0.5f, kStockWheel, {}, nullptr};
}
constexpr ControlPlace knob(K kind, ParameterRole role, int bitmap, CRect rect, float defaultValue, float wheel) {
    return {kind, role, bitmap, 101, rect, defaultValue, wheel, {}, nullptr};
}
// A settings-page knob on the small strip, with its readout.
constexpr ControlPlace small(ParameterRole role, int x, int y, CRect readout, ValueFormatter format,
                             float defaultValue = 0.5f, K kind = K::kKnob) {
    return {kind, role, 19032, 51, CRect(x, y, x + 30, y + 30), defaultValue, kStockWheel, readout, format};
}

constexpr ControlPlace kMainPage[] = {
    plain(K::kLatencyMs, kRoleNone, 0, 0, CRect(120, 428, 165, 438)),
    plain(K::kLatencySamples, kRoleNone, 0, 0, CRect(167, 428, 212, 438)),
    plain(K::kProcessButton, kProcess, 0, 2, CRect(42, 398, 78, 438)),
    plain(K::kOnOffButton, kLong, 19035, 2, CRect(107, 356, 132, 381)),
    plain(K::kOnOffButton, kAuto, 19036, 2, CRect(107, 317, 132, 342)),
    plain(K::kOnOffButton, kBrickwall, 19037, 2, CRect(219, 337, 244, 362)),
    plain(K::kOversampleButton, kFat, 19034, 2, CRect(248, 398, 286, 438)),
    plain(K::kOnOffButton, kMode, 19015, 2, CRect(290, 398, 326, 438)),
    plain(K::kFourWayButton, kChannelMode, 19016, 4, CRect(326, 388, 377, 436)),
    plain(K::kOnOffButton, kLink, 19017, 2, CRect(371, 398, 409, 438)),
    plain(K::kOnOffButton, kMeterType, 19006, 2, CRect(206, 88, 246, 138)),
    plain(K::kVerticalSwitch, kMeters, 19005, 3, CRect(206, 28, 246, 78)),
    knob(K::kFineKnob, kKnee, 19008, CRect(46, 167, 106, 217), 0.5f, kWheelCoarse),
    knob(K::kFineKnob, kSpeed, 19008, CRect(46, 245, 106, 295), 0.5f, kWheelCoarse),
    knob(K::kGridKnob, kDrive, 19009, CRect(122, 162, 235, 255), 0.5f, kWheelDrive),
    knob(K::kFineKnob, kHighFreq, 19010, CRect(345, 242, 405, 298), 0.5f, kWheelFine),
    knob(K::kFineKnob, kHighAdjust, 19013, CRect(345, 167, 405, 217), 0.5f, kWheelFine),
    knob(K::kFineKnob, kLowFreq, 19012, CRect(254, 242, 314, 298), 0.5f, kWheelFine),
    knob(K::kFineKnob, kLowAdjust, 19013, CRect(254, 167, 314, 217), 0.5f, kWheelFine),
    knob(K::kFineKnob, kOutput, 19013, CRect(345, 324, 405, 374), 0.5f, kWheelFine),
    knob(K::kFineKnob, kMix, 19008, CRect(253, 323, 313, 373), 1.0f, kWheelCoarse),
    knob(K::kFineKnob, kCeiling, 19013, CRect(150, 324, 210, 374), 0.5f, kWheelFine),
    knob(K::kFineKnob, kRelease, 19024, CRect(46, 320, 106, 376), 0.5f, kWheelFine),
    plain(K::kLeftMeter, kMeterScale, 19003, 101, CRect(54, 40, 190, 110)),
    plain(K::kRightMeter, kMeterScale, 19003, 101, CRect(261, 40, 397, 110)),
    plain(K::kReadout, kRoleNone, 19021, 18, CRect(152, 281, 207, 297)),
    plain(K::kLeftLed, kRoleNone, 19026, 6, CRect(160, 109, 181, 130)),
    plain(K::kRightLed, kRoleNone, 19026, 6, CRect(367, 109, 388, 130)),
    plain(K::kToSettingsPage, kRoleNone, 0, 0, CRect(78, 404, 247, 422)),
};

constexpr ControlPlace kSettingsPage[] = {
    small(kLowSat, 65, 190, CRect(55, 221, 105, 235), formatDecibels),
    small(kMidSat, 112, 190, CRect(102, 221, 152, 235), formatDecibels),
    small(kHighSat, 158, 190, CRect(148, 221, 198, 235), formatDecibels),
    small(kLowRel, 263, 190, CRect(253, 221, 303, 235), formatFactor),
    small(kMidRel, 310, 190, CRect(300, 221, 350, 235), formatFactor),
    small(kHighRel, 356, 190, CRect(346, 221, 396, 235), formatFactor),
    small(kVuIntegr, 65, 260, CRect(60, 291, 100, 305), formatMilliseconds),
    small(kVuRefer, 65, 309, CRect(55, 340, 105, 354), formatDecibelsFullScale, 0.4f),
    small(kPpmIntegr, 264, 260, CRect(254, 291, 304, 305), formatMilliseconds),
    small(kPpmReturn, 264, 309, CRect(254, 340, 304, 354), formatMilliseconds),
    small(kOverIndic, 65, 381, CRect(65, 412, 95, 426), formatInteger, 0.2222222f, K::kFineKnob),
    small(kFineTune, 264, 381, CRect(264, 412, 294, 426), formatPercent, 1.0f),
    plain(K::kVerticalSwitch, kKnobMode, 19033, 2, CRect(375, 389, 390, 418)),
    plain(K::kVersionLabel, kRoleNone, 0, 0, CRect(300, 45, 329, 55)),
    plain(K::kToMainPage, kRoleNone, 0, 0, CRect(110, 36, 338, 134)),
};

}  // namespace

int readoutModeOf(ParameterRole role) {
    switch (role) {
        case kDrive:
        case kHighAdjust:
        case kLowAdjust:
        case kCeiling:
        case kOutput: return kCounterDecibels;
        case kHighFreq:
        case kLowFreq: return kCounterHertz;
        case kKnee:
        case kSpeed:
        case kMix: return kCounterPercent;
        case kRelease: return kCounterPlain;
        default: return kCounterBlank;
    }
}

std::span<const ControlPlace> mainPageLayout() { return kMainPage; }
std::span<const ControlPlace> settingsPageLayout() { return kSettingsPage; }

}  // namespace ambrel
