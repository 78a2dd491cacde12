#pragma once
// Small per-sample building blocks shared by the processing kernels. Every
// function here is inline and works on values the kernel holds in locals.

#include <cmath>

#include "dsp/Engine.h"

namespace ambrel::kernel {

// The detector reads 0.1 dB high so that limited peaks end 0.1 dB below the
// top of the curve.
inline constexpr double kDetectorFactor = 1.0115795;
// Level floor of every detector (-60.2 dB): keeps envelopes and the gain
// division away from zero.
inline constexpr double kLevelFloor = 0.0009766;
inline constexpr double kEnvelopeFloor = 1e-6;

// The saturation curve with its per-call constants.
struct Curve {
    int shape;
    double k;
    double oneMinusK;
    double kneeA;
    double kneeAMinusOne;

    static Curve of(const Engine& engine, double kneeA) {
        const double k = engine.kneeAmount;
        return Curve{engine.kneeShape, k, 1.0 - k, kneeA, kneeA - 1.0};
    }

    double operator()(double x) const {
        if (shape == 0) {
            if (x >= 1.0) return 1.0;
            return oneMinusK * x + k * (2.0 * x - x * x);
        }
        const double y = x * kneeA / (x + kneeAMinusOne);
        return y < 1.0 ? 2.0 * y - y * y : 1.0;
    }
};

// 15 Hz protection high-pass, direct form I, with the anti-denormal offset on
// its output.
inline double protect(const BiquadCoefficients& c, DirectForm1State& s, double x, double dn) {
    const double v = c.b0 * x + c.b1 * s.x1 + c.b2 * s.x2 - c.a1 * s.y1 - c.a2 * s.y2 + dn;
    s.x2 = s.x1;
    s.x1 = x;
    s.y2 = s.y1;
    s.y1 = v;
    return v;
}

// Crossover section, direct form II (b2 equals b0 for both crossover types).
inline double crossover(const BiquadCoefficients& c, DirectForm2State& s, double x, double dn) {
    const double w = x - c.a1 * s.w1 - c.a2 * s.w2 + dn;
    const double result = (w + s.w2) * c.b0 + s.w1 * c.b1;
    s.w2 = s.w1;
    s.w1 = w;
    return result;
}

inline double clampUnit(double x) { return x > 1.0 ? 1.0 : (x < -1.0 ? -1.0 : x); }

// Automatic release factor (gMul G / (G + 1) + 0.1) x outMul with
// G = gScale x fast / (slow + 1e-6): fast above slow (a fresh transient)
// speeds the release up, a steady level slows it down. G / (G + 1) is taken
// as one quotient, gScale fast / (gScale fast + slow + 1e-6).
inline double autoFactor(double fast, double slow, double gScale, double gMul, double outMul) {
    const double scaled = gScale * fast;
    return (gMul * scaled / (scaled + (slow + 1e-6)) + 0.1) * outMul;
}

}  // namespace ambrel::kernel
