#pragma once
// The skin's colours, shared by every painter so the set looks of one piece:
// a warm light-grey front panel with near-black legends, a charcoal settings
// page with light-grey legends, ivory meter faces, black knobs, amber lamps
// and readouts, red over indicators.

namespace ambrel::skin {

struct Rgb {
    double r;
    double g;
    double b;
};

constexpr Rgb rgb255(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

constexpr Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

namespace palette {
// Front panel.
inline constexpr Rgb kPanel = rgb255(201, 198, 190);
inline constexpr Rgb kPanelLight = rgb255(226, 224, 217);
inline constexpr Rgb kPanelShade = rgb255(160, 157, 149);
inline constexpr Rgb kLegend = rgb255(40, 40, 40);
inline constexpr Rgb kLegendSoft = rgb255(92, 90, 86);
inline constexpr Rgb kAccent = rgb255(196, 72, 28);  // the logo's second word, the drive pointer
inline constexpr Rgb kHeader = rgb255(38, 38, 40);
inline constexpr Rgb kHeaderText = rgb255(232, 226, 210);

// Settings page.
inline constexpr Rgb kRearPanel = rgb255(44, 45, 48);
inline constexpr Rgb kRearLine = rgb255(86, 88, 92);
inline constexpr Rgb kRearLegend = rgb255(196, 196, 192);
inline constexpr Rgb kRearLegendSoft = rgb255(140, 141, 140);
inline constexpr Rgb kRearWindow = rgb255(24, 25, 27);

// Meters.
inline constexpr Rgb kFace = rgb255(240, 228, 190);
inline constexpr Rgb kFaceEdge = rgb255(214, 196, 148);
inline constexpr Rgb kFaceInk = rgb255(30, 28, 24);
inline constexpr Rgb kFaceRed = rgb255(196, 34, 26);
inline constexpr Rgb kBezel = rgb255(28, 28, 30);
inline constexpr Rgb kNeedle = rgb255(22, 20, 18);

// Knobs.
inline constexpr Rgb kKnobBody = rgb255(30, 30, 32);
inline constexpr Rgb kKnobRim = rgb255(58, 58, 62);
inline constexpr Rgb kKnobPointer = rgb255(240, 236, 224);
inline constexpr Rgb kDriveCap = rgb255(178, 180, 184);

// Lamps and readouts.
inline constexpr Rgb kLampOff = rgb255(70, 62, 52);
inline constexpr Rgb kLampOn = rgb255(255, 170, 48);
inline constexpr Rgb kLampGlow = rgb255(255, 214, 140);
inline constexpr Rgb kLedOff = rgb255(62, 18, 16);
inline constexpr Rgb kLedOn = rgb255(255, 58, 36);
inline constexpr Rgb kReadoutBack = rgb255(20, 16, 12);
inline constexpr Rgb kReadoutInk = rgb255(255, 168, 52);

// Preset bar.
inline constexpr Rgb kBar = rgb255(34, 34, 36);
inline constexpr Rgb kBarText = rgb255(196, 196, 192);
inline constexpr Rgb kNameBack = rgb255(207, 222, 235);  // the name field's back colour
inline constexpr Rgb kNameFrame = rgb255(76, 76, 72);    // the name field's frame colour
inline constexpr Rgb kBarButton = rgb255(70, 71, 75);
}  // namespace palette

}  // namespace ambrel::skin
