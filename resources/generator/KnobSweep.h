#pragma once
// The knobs' travel: 270 degrees starting at 225 degrees (lower left, angles
// counter-clockwise from the positive x axis as on paper), ending at -45
// degrees (lower right). Frame 0 of every knob strip shows the start angle,
// the last frame the end; the 90-degree gap points straight down.

namespace ambrel::skin {

inline constexpr double kKnobStartDegrees = 225.0;
inline constexpr double kKnobTravelDegrees = 270.0;

inline double knobPointerDegrees(int frame, int frameCount) {
    const double v = frameCount > 1 ? static_cast<double>(frame) / (frameCount - 1) : 0.0;
    return kKnobStartDegrees - kKnobTravelDegrees * v;
}

inline double knobPointerDegreesOfValue(double v) { return kKnobStartDegrees - kKnobTravelDegrees * v; }

}  // namespace ambrel::skin
