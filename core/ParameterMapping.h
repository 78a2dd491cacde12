#pragma once
// How a normalized parameter value becomes the quantity the engine, the meters
// and the display texts use. One definition each, so that a display always
// shows exactly what the engine was given. v is the normalized value widened to
// 64 bits, f the FineTune range factor (0.125 .. 1).

#include <cmath>

#include "core/Edition.h"

namespace ambrel {

// Switch-like values count as on from 0.5.
inline int switchOf(double v) { return static_cast<int>(std::trunc(v + 0.5)); }

// Drive: +-24.08 dB times f.
inline double driveGainOf(double v, double f) { return std::pow(16.0, f * (2.0 * v - 1.0)); }
inline double driveDbOf(double v, double f) { return (48.0 * v - 24.0) * f; }

// HighAdjust and LowAdjust: +-12 dB times f.
inline double adjustGainOf(double v, double f) { return std::pow(4.0, f * (2.0 * v - 1.0)); }
inline double adjustDbOf(double v, double f) { return (24.0 * v - 12.0) * f; }

// Ceiling and Output: +-12 dB times the square root of f.
inline double levelGainOf(double v, double f) { return std::pow(4.0, std::sqrt(f) * (2.0 * v - 1.0)); }
inline double levelDbOf(double v, double f) { return std::sqrt(f) * (24.0 * v - 12.0); }

// Knee: the first quarter blends a hard knee into a parabola, the rest sharpens a soft curve.
struct KneeSetting {
    int shape;
    double amount;
};
inline KneeSetting kneeOf(double v) {
    if (v < 0.25) return {0, 4.0 * v};
    return {1, (v - 0.25) / 0.75};
}

inline double releaseFactorOf(double v) { return 0.25 * std::pow(16.0, v); }
inline double highFreqHzOf(double v) { return 1000.0 * std::pow(16.0, v); }
inline double lowFreqHzOf(double v) { return 12.5 * std::pow(16.0, v); }  // the display shows twice this
inline double mappedOf(const ExponentialMapping& m, double v) { return m.base * std::pow(m.span, v); }
inline double satDbOf(const LinearDisplay& d, double v) { return d.scale * v - d.offset; }

// Meters: 0 Pre, 1 GainRed, 2 Post.
inline int meterModeOf(double v) {
    const int mode = static_cast<int>(std::trunc(3.0 * v));
    return mode > 2 ? 2 : mode;
}

// FineTune snaps to quarters of its throw; the range factor halves per step down.
inline int fineTuneStepOf(double v) { return static_cast<int>(std::trunc(3.0 * v + 0.5)); }
inline double fineTuneValueOf(int step) { return step / 3.0; }
inline double fineRangeOf(double q) { return std::pow(0.125, 1.0 - q); }

// Index 23: below 0.06125 off, otherwise raised to at least 0.125.
inline constexpr double kSnapOffBelow = 0.06125;
inline constexpr double kSnapMinimum = 0.125;
inline double snapValueOf(double v) { return v < kSnapOffBelow ? 0.0 : (v < kSnapMinimum ? kSnapMinimum : v); }
// The millisecond figure of index 23: -1 when off, else 0 .. 1000.
inline double snapMsOf(double v) {
    if (v < kSnapOffBelow) return -1.0;
    return (snapValueOf(v) - kSnapMinimum) * 1000.0 / 0.875;
}

// Meter preferences.
inline double vuIntegrationMsOf(double v) { return 30.0 * std::pow(100.0, v); }
inline double vuReferenceGainOf(double v) { return std::pow(0.06125, 1.0 - v); }
inline double ppmIntegrationMsOf(double v) { return std::pow(101.0, v) - 1.0; }
inline double ppmReturnMsOf(double v) { return 100.0 * std::pow(100.0, v); }
inline int overIndicStepOf(double v) { return static_cast<int>(std::trunc(9.0 * v + 0.5)); }
inline double overIndicValueOf(int step) { return step / 9.0; }
inline double overCountLimitOf(int step) { return step + 1.0; }  // 9q + 1 with q = step / 9, exactly

// channelMode, the four-position switch over Mono Stereo and L R.
struct ChannelModeSetting {
    float monoStereo;
    float leftRight;
};
inline ChannelModeSetting channelModeOf(double v) {
    if (v < 0.25) return {0.0f, 0.0f};   // mono
    if (v < 0.5) return {0.0f, 0.5f};    // left only
    if (v < 0.75) return {0.0f, 1.0f};   // right only
    return {1.0f, 0.0f};                 // stereo
}
inline float channelModePositionOf(double monoStereo, double leftRight) {
    if (leftRight < 0.333) return monoStereo < 0.5 ? 0.0f : 1.0f;
    return leftRight < 0.66 ? 0.333f : 0.667f;
}
// The three states the mono kernels read from L R: 0 both, 0.5 left only, 1 right only.
inline double leftRightStateOf(double w) { return w < 0.333 ? 0.0 : (w < 0.66 ? 0.5 : 1.0); }

}  // namespace ambrel
