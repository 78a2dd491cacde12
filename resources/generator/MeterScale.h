#pragma once
// Where the meter puts its needle, and so where the faces put their marks.
// The needle control picks frame int(100 p + 0.5) with p = value^1.2 x 0.617 +
// 0.018 on face 0 and value^0.6 x 0.617 + 0.018 on face 1 (value 1.0 = 0 dB,
// also "no gain reduction"), computed in 32-bit floats. Each face therefore
// draws a mark for a level at exactly the angle of the frame that level
// selects, so the needle sits on the mark it reads.

#include <algorithm>
#include <cmath>

namespace ambrel::skin {

inline constexpr int kMeterFrameCount = 101;
inline constexpr int kMeterFaceWidth = 136;
inline constexpr int kMeterFaceHeight = 70;

// The needle turns about a pivot below the visible face; angles are measured
// from the vertical, clockwise positive, and position p sweeps them linearly.
inline constexpr double kNeedlePivotX = 68.0;
inline constexpr double kNeedlePivotY = 90.0;
inline constexpr double kNeedleSweepDegrees = 96.0;

// The scale arc's radius about the pivot; the labelled marks reach
// kMajorMarkLength beyond it, the others kMinorMarkLength.
inline constexpr double kScaleRadius = 64.0;
inline constexpr double kMajorMarkLength = 7.0;
inline constexpr double kMinorMarkLength = 4.5;

inline float needlePosition(float value, int face) {
    if (value < 0.0f) value = 0.0f;
    float q = std::pow(value, 1.2f);
    if (face == 1) q = std::sqrt(q);
    return std::min(q * 0.617f + 0.018f, 1.0f);
}

inline int needleFrame(float value, int face) {
    return static_cast<int>(100.0f * needlePosition(value, face) + 0.5f);
}

inline float readingOfDecibels(double dB) { return static_cast<float>(std::pow(10.0, dB / 20.0)); }

inline int markFrame(double dB, int face) { return needleFrame(readingOfDecibels(dB), face); }

inline double needleAngleOfPosition(double p) { return (p - 0.5) * kNeedleSweepDegrees; }

inline double needleAngleOfFrame(int frame) {
    return needleAngleOfPosition(static_cast<double>(frame) / (kMeterFrameCount - 1));
}

inline double markAngle(double dB, int face) { return needleAngleOfFrame(markFrame(dB, face)); }

}  // namespace ambrel::skin
