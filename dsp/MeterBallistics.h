#pragma once
// Meter values computed inside the kernels while the editor is open: the
// measured value (input, gain reduction or output), VU or PPM ballistics and
// the over count of one channel. A kernel loads two MeterChannels at the start
// of its call, steps them once per sample and stores them back at the end.

#include <cmath>

#include "dsp/Engine.h"

namespace ambrel {

struct MeterSetup {
    double attack;        // fP
    double release;       // hP
    double level;         // lP
    double vuInputScale;  // sine-to-VU calibration over the VU reference level
    double gainScale;     // ceilingGain / smallSignalGain: 1.0 for the small-signal gain
    double vuGuard;       // gains below this (0.01 / ceilingGain) hold the VU reading at 1
    double overCountLimit;
};

// What the meters measure, fixed for a whole kernel call: 0 while the editor
// is closed, else 1 + 2 x meterMode + (1 for PPM).
inline int meterKindOf(const Engine& e) {
    if (!e.editorOpen.load(std::memory_order_relaxed)) return 0;
    const int selected = e.meterMode;
    const int mode = selected < 0 ? 0 : (selected > 2 ? 2 : selected);
    return 1 + 2 * mode + (e.meterTypeValue >= 0.5 ? 1 : 0);
}

// Runs f.template operator()<Kind>() with the kind as a compile-time value, so
// that a kernel carries no meter code at all while the editor is closed.
template <class F>
void withMeterKind(int kind, F&& f) {
    switch (kind) {
        case 1: f.template operator()<1>(); break;
        case 2: f.template operator()<2>(); break;
        case 3: f.template operator()<3>(); break;
        case 4: f.template operator()<4>(); break;
        case 5: f.template operator()<5>(); break;
        case 6: f.template operator()<6>(); break;
        default: f.template operator()<0>(); break;
    }
}

template <int Kind>
struct MeterKind {
    static constexpr bool on = Kind != 0;
    static constexpr int mode = on ? (Kind - 1) / 2 : 0;
    static constexpr bool ppm = on && (Kind - 1) % 2 == 1;
};

struct MeterChannel {
    double meter = 0.0;
    double overCount = 0.0;
    double vuSum = 0.0;
    int vuPhase = 0;
    FilterSection* vu = nullptr;  // the engine's own section, ticked every few samples

    template <int Kind>
    void step(const MeterSetup& s, double in, double y, double gain) {
        using K = MeterKind<Kind>;
        if constexpr (K::mode == Engine::kMeterGainRed) {
            const double g = std::fabs(gain);
            const double x = g * s.gainScale;
            if constexpr (K::ppm) {
                // A falling gain is followed with the attack coefficient, a
                // recovering one with the return coefficient.
                meter += (x - meter) * (meter > x ? s.attack : s.release);
            } else if (g < s.vuGuard) {
                meter = 1.0;  // a vanishing gain must not drive the VU section
            } else {
                vuInput(x);
            }
        } else {
            measureLevel<K::ppm>(s, K::mode == Engine::kMeterPre ? std::fabs(in) : std::fabs(y));
        }
        countOver(s, K::mode == Engine::kMeterPre ? std::fabs(in) : std::fabs(y));
    }

    // With processing off no gain is applied, so the gain-reduction reading is
    // exactly "no reduction" under either ballistics; the PPM needle still
    // travels back to it with its own return time.
    template <int Kind>
    void stepWithoutGain(const MeterSetup& s, double in, double y) {
        using K = MeterKind<Kind>;
        if constexpr (K::mode == Engine::kMeterGainRed) {
            if constexpr (K::ppm)
                meter += (1.0 - meter) * (meter > 1.0 ? s.attack : s.release);
            else
                vuInput(1.0);
        } else {
            measureLevel<K::ppm>(s, K::mode == Engine::kMeterPre ? std::fabs(in) : std::fabs(y));
        }
        countOver(s, K::mode == Engine::kMeterPre ? std::fabs(in) : std::fabs(y));
    }

private:
    template <bool Ppm>
    void measureLevel(const MeterSetup& s, double x) {
        if constexpr (Ppm) {
            const double v = x * s.level;
            meter += (v - meter) * (v > meter ? s.attack : s.release);
        } else {
            vuInput(x * s.vuInputScale);
        }
    }

    void vuInput(double x) {
        vuSum += x;
        if (++vuPhase == Engine::kVuDecimation) {
            meter = vu->tick(vuSum * (1.0 / Engine::kVuDecimation));
            vuSum = 0.0;
            vuPhase = 0;
        }
    }

    void countOver(const MeterSetup& s, double tested) {
        // A reached count holds until the audio callback latches it.
        const double kept = overCount < s.overCountLimit ? 0.0 : overCount;
        overCount = tested >= 1.0 ? overCount + 1.0 : kept;
    }
};

}  // namespace ambrel
