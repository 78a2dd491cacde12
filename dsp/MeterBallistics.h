#pragma once
// Meter values computed inside the kernels while the editor is open: the
// measured value (input, gain reduction or output), VU or PPM ballistics and
// the over count of one channel. A kernel loads two MeterChannels at the start
// of its call, steps them once per sample and stores them back at the end.

#include <cmath>

#include "dsp/Engine.h"

namespace ambrel {

struct MeterSetup {
    int mode;             // Engine::MeterMode
    bool ppm;             // PPM ballistics, else VU
    double attack;        // fP
    double release;       // hP
    double level;         // lP
    double vuInputScale;  // sine-to-VU calibration over the VU reference level
    double gainScale;     // ceilingGain / smallSignalGain: 1.0 for the small-signal gain
    double ceilingGain;
    double overCountLimit;
};

struct MeterChannel {
    double meter = 0.0;
    double overCount = 0.0;
    FilterSection vu;

    void step(const MeterSetup& s, double in, double y, double gain) {
        const double g = std::fabs(gain);
        if (s.mode == Engine::kMeterGainRed) {
            const double x = g * s.gainScale;
            if (s.ppm) {
                // A falling gain is followed with the attack coefficient, a
                // recovering one with the return coefficient.
                meter += (x - meter) * (meter > x ? s.attack : s.release);
            } else if (g * s.ceilingGain < 0.01) {
                meter = 1.0;  // a vanishing gain must not drive the VU section
            } else {
                meter = vu.tick(x);
            }
        } else {
            measureLevel(s, s.mode == Engine::kMeterPre ? std::fabs(in) : std::fabs(y));
        }
        countOver(s, s.mode == Engine::kMeterPre ? std::fabs(in) : std::fabs(y));
    }

    // With processing off no gain is applied, so the gain-reduction reading is
    // exactly "no reduction" under either ballistics; the PPM needle still
    // travels back to it with its own return time.
    void stepWithoutGain(const MeterSetup& s, double in, double y) {
        if (s.mode == Engine::kMeterGainRed) {
            if (s.ppm)
                meter += (1.0 - meter) * (meter > 1.0 ? s.attack : s.release);
            else
                meter = vu.tick(1.0);
        } else {
            measureLevel(s, s.mode == Engine::kMeterPre ? std::fabs(in) : std::fabs(y));
        }
        countOver(s, s.mode == Engine::kMeterPre ? std::fabs(in) : std::fabs(y));
    }

private:
    void measureLevel(const MeterSetup& s, double x) {
        if (s.ppm) {
            const double v = x * s.level;
            meter += (v - meter) * (v > meter ? s.attack : s.release);
        } else {
            meter = vu.tick(x * s.vuInputScale);
        }
    }

    void countOver(const MeterSetup& s, double tested) {
        if (tested >= 1.0)
            overCount += 1.0;
        else if (overCount < s.overCountLimit)
            overCount = 0.0;  // a reached count holds until the callback latches it
    }
};

}  // namespace ambrel
