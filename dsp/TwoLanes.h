#pragma once
// Two channels side by side in one 128-bit register (plain x86-64 SSE2).
// Every operation is the same IEEE operation as in the one-channel code, in
// the same order, so each lane computes exactly what the scalar code would;
// data-dependent choices become lane selects instead of branches.

#include <emmintrin.h>

#include "dsp/KernelParts.h"

namespace ambrel::lanes {

typedef double V2 __attribute__((vector_size(16)));
typedef long long Mask2 __attribute__((vector_size(16)));

inline V2 splat(double x) { return V2{x, x}; }
inline V2 load(const double* l, const double* r, int i) { return V2{l[i], r[i]}; }
inline void store(double* l, double* r, int i, V2 v) {
    l[i] = v[0];
    r[i] = v[1];
}
inline V2 abs(V2 x) {
    return (V2)((Mask2)x & Mask2{0x7fffffffffffffffLL, 0x7fffffffffffffffLL});
}
// Whether any lane of a is below b (one mask test instead of two branches).
inline bool anyBelow(V2 a, double b) { return _mm_movemask_pd((__m128d)(a < b)) != 0; }
inline V2 max(V2 a, V2 b) { return a > b ? a : b; }
inline V2 min(V2 a, V2 b) { return b < a ? b : a; }
inline V2 clampUnit(V2 x) {
    const V2 upper = x > 1.0 ? splat(1.0) : x;
    return x < -1.0 ? splat(-1.0) : upper;
}

// Two detector sections (FilterSection) ticked together. The low-pass
// design has b2 = b0 (and b1 = 2 b0), which saves one product per tick.
struct Section2 {
    V2 b0, b1, b2, a1, a2;
    V2 x1, x2, y1, y2;
    V2 antiDenormal;

    void load(const FilterSection& l, const FilterSection& r) {
        b0 = V2{l.b0, r.b0};
        b1 = V2{l.b1, r.b1};
        b2 = V2{l.b2, r.b2};
        a1 = V2{l.a1, r.a1};
        a2 = V2{l.a2, r.a2};
        x1 = V2{l.x1, r.x1};
        x2 = V2{l.x2, r.x2};
        y1 = V2{l.y1, r.y1};
        y2 = V2{l.y2, r.y2};
        antiDenormal = V2{l.antiDenormal, r.antiDenormal};
    }
    void store(FilterSection& l, FilterSection& r) const {
        l.x1 = x1[0], r.x1 = x1[1];
        l.x2 = x2[0], r.x2 = x2[1];
        l.y1 = y1[0], r.y1 = y1[1];
        l.y2 = y2[0], r.y2 = y2[1];
        l.antiDenormal = antiDenormal[0], r.antiDenormal = antiDenormal[1];
    }
    V2 tick(V2 x) {
        antiDenormal = -antiDenormal;
        const V2 xd = x + antiDenormal;
        const V2 y = b0 * (xd + x2) + b1 * x1 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = xd;
        y2 = y1;
        y1 = y + antiDenormal;
        return y;
    }
};

// Protection high-pass of both channels (direct form I).
struct Protect2 {
    V2 b0, b1, b2, a1, a2;
    V2 x1, x2, y1, y2;

    void load(const BiquadCoefficients& c, const DirectForm1State& l, const DirectForm1State& r) {
        b0 = splat(c.b0), b1 = splat(c.b1), b2 = splat(c.b2), a1 = splat(c.a1), a2 = splat(c.a2);
        x1 = V2{l.x1, r.x1}, x2 = V2{l.x2, r.x2}, y1 = V2{l.y1, r.y1}, y2 = V2{l.y2, r.y2};
    }
    void store(DirectForm1State& l, DirectForm1State& r) const {
        l.x1 = x1[0], r.x1 = x1[1], l.x2 = x2[0], r.x2 = x2[1];
        l.y1 = y1[0], r.y1 = y1[1], l.y2 = y2[0], r.y2 = y2[1];
    }
    V2 tick(V2 x, V2 dn) {
        const V2 v = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2 + dn;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = v;
        return v;
    }
};

// Crossover section of both channels (direct form II).
struct Crossover2 {
    V2 b0, b1, a1, a2;
    V2 w1, w2;

    void load(const BiquadCoefficients& c, const DirectForm2State& l, const DirectForm2State& r) {
        b0 = splat(c.b0), b1 = splat(c.b1), a1 = splat(c.a1), a2 = splat(c.a2);
        w1 = V2{l.w1, r.w1}, w2 = V2{l.w2, r.w2};
    }
    void store(DirectForm2State& l, DirectForm2State& r) const {
        l.w1 = w1[0], r.w1 = w1[1], l.w2 = w2[0], r.w2 = w2[1];
    }
    V2 tick(V2 x, V2 dn) {
        const V2 w = x - a1 * w1 - a2 * w2 + dn;
        const V2 result = (w + w2) * b0 + w1 * b1;
        w2 = w1;
        w1 = w;
        return result;
    }
};

// The saturation curve on both lanes.
inline V2 curve(const kernel::Curve& c, V2 x) {
    if (c.shape == 0) {
        const V2 below = splat(c.oneMinusK) * x + splat(c.k) * (2.0 * x - x * x);
        return x >= 1.0 ? splat(1.0) : below;
    }
    const V2 y = x * c.kneeA / (x + c.kneeAMinusOne);
    const V2 top = 2.0 * y - y * y;
    return y < 1.0 ? top : splat(1.0);
}

inline V2 autoFactor(V2 fast, V2 slow, double gScale, V2 gMul, double outMul) {
    const V2 scaled = gScale * fast;
    return (gMul * scaled / (scaled + (slow + 1e-6)) + 0.1) * outMul;
}

// One envelope step: attack towards a higher level, release (scaled by the
// automatic-release factor) towards a lower one.
inline V2 follow(V2 env, V2 level, V2 attackCoef, V2 releaseCoef, V2 releaseFactor) {
    const V2 diff = level - env;
    const V2 up = env + diff * attackCoef;
    const V2 down = env + diff * releaseCoef * releaseFactor;
    return level > env ? up : down;
}

}  // namespace ambrel::lanes
