#pragma once
// Where the controls sit in the editor window (left, top, right, bottom), so
// the backgrounds can put each legend, scale and window at its control.

namespace ambrel::skin {

struct Box {
    int left;
    int top;
    int right;
    int bottom;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    double centreX() const { return (left + right) / 2.0; }
    double centreY() const { return (top + bottom) / 2.0; }
};

inline constexpr int kWindowWidth = 450;
inline constexpr int kWindowHeight = 460;
inline constexpr int kSettingsHeight = 445;

namespace main_page {
inline constexpr Box kLatencyMs{120, 428, 165, 438};
inline constexpr Box kLatencySamples{167, 428, 212, 438};
inline constexpr Box kProcess{42, 398, 78, 438};
inline constexpr Box kLong{107, 356, 132, 381};
inline constexpr Box kAuto{107, 317, 132, 342};
inline constexpr Box kBrickwall{219, 337, 244, 362};
inline constexpr Box kFat{248, 398, 286, 438};
inline constexpr Box kMode{290, 398, 326, 438};
inline constexpr Box kChannel{326, 388, 377, 436};
inline constexpr Box kLink{371, 398, 409, 438};
inline constexpr Box kMeterType{206, 88, 246, 138};
inline constexpr Box kMeterSource{206, 28, 246, 78};
inline constexpr Box kKnee{46, 167, 106, 217};
inline constexpr Box kSpeed{46, 245, 106, 295};
inline constexpr Box kDrive{122, 162, 235, 255};
inline constexpr Box kHighFreq{345, 242, 405, 298};
inline constexpr Box kHighAdjust{345, 167, 405, 217};
inline constexpr Box kLowFreq{254, 242, 314, 298};
inline constexpr Box kLowAdjust{254, 167, 314, 217};
inline constexpr Box kOutput{345, 324, 405, 374};
inline constexpr Box kMix{253, 323, 313, 373};
inline constexpr Box kCeiling{150, 324, 210, 374};
inline constexpr Box kRelease{46, 320, 106, 376};
inline constexpr Box kLeftMeter{54, 40, 190, 110};
inline constexpr Box kRightMeter{261, 40, 397, 110};
inline constexpr Box kReadout{152, 281, 207, 298};
inline constexpr Box kLeftLed{160, 109, 181, 130};
inline constexpr Box kRightLed{367, 109, 388, 130};
inline constexpr Box kToSettings{78, 404, 247, 422};
}  // namespace main_page

namespace settings_page {
struct KnobSite {
    int x;
    int y;
    Box readout;
};
inline constexpr int kKnobSize = 30;
inline constexpr KnobSite kLowSat{65, 190, {55, 221, 105, 235}};
inline constexpr KnobSite kMidSat{112, 190, {102, 221, 152, 235}};
inline constexpr KnobSite kHighSat{158, 190, {148, 221, 198, 235}};
inline constexpr KnobSite kLowRel{263, 190, {253, 221, 303, 235}};
inline constexpr KnobSite kMidRel{310, 190, {300, 221, 350, 235}};
inline constexpr KnobSite kHighRel{356, 190, {346, 221, 396, 235}};
inline constexpr KnobSite kVuIntegration{65, 260, {60, 291, 100, 305}};
inline constexpr KnobSite kVuReference{65, 309, {55, 340, 105, 354}};
inline constexpr KnobSite kPpmIntegration{264, 260, {254, 291, 304, 305}};
inline constexpr KnobSite kPpmReturn{264, 309, {254, 340, 304, 354}};
inline constexpr KnobSite kOvers{65, 381, {65, 412, 95, 426}};
inline constexpr KnobSite kFineAdjust{264, 381, {264, 412, 294, 426}};
inline constexpr Box kKnobMode{375, 389, 390, 418};
inline constexpr Box kVersionLabel{300, 45, 329, 55};
inline constexpr Box kBackToMain{110, 36, 338, 134};
}  // namespace settings_page

// The preset bar along the bottom edge: every control spans y 444..458.
namespace preset_bar {
inline constexpr int kTop = kWindowHeight - 16;
inline constexpr int kBottom = kWindowHeight - 2;
inline constexpr Box kSaveBank{20, kTop, 32, kBottom};
inline constexpr Box kLoadBank{70, kTop, 82, kBottom};
inline constexpr Box kSavePreset{91, kTop, 103, kBottom};
inline constexpr Box kLoadPreset{150, kTop, 162, kBottom};
inline constexpr Box kName{176, kTop, 290, kBottom};
inline constexpr Box kMenu{293, kTop, 303, kBottom};
inline constexpr Box kRocker{313, kTop, 344, kBottom};
inline constexpr Box kStoreA{352, kTop, 364, kBottom};
inline constexpr Box kRecallA{374, kTop, 386, kBottom};
inline constexpr Box kStoreB{395, kTop, 407, kBottom};
inline constexpr Box kRecallB{417, kTop, 429, kBottom};
}  // namespace preset_bar

}  // namespace ambrel::skin
