#pragma once
// What the kernel benchmarks share: varied stereo noise in 64-frame blocks and
// an engine set up to limit most of its peaks (+6 dB drive, Auto release,
// Brickwall on) at 44100 Hz.

#include <memory>
#include <random>
#include <vector>

#include "core/Edition.h"
#include "dsp/Engine.h"

namespace ambrel::bench {

using Kernel = void (Engine::*)(const double*, const double*, double*, double*, int);

inline constexpr int kBlock = 64;
inline constexpr int kBlocks = 256;  // a few seconds of varied noise, cycled

struct Signal {
    std::vector<double> left, right;
    Signal() : left(kBlock * kBlocks), right(kBlock * kBlocks) {
        std::mt19937 gen(42);
        std::uniform_real_distribution<double> dist(-0.7, 0.7);
        for (int i = 0; i < kBlock * kBlocks; ++i) {
            left[i] = dist(gen);
            right[i] = dist(gen);
        }
    }
    static const Signal& shared() {
        static const Signal signal;
        return signal;
    }
};

// metersOn opens the editor: the kernel then computes meterMode's value under
// VU (meterType 0) or PPM (meterType 1) ballistics.
inline std::unique_ptr<Engine> benchEngine(bool threeBands, bool metersOn, int meterMode = Engine::kMeterGainRed,
                                           double meterType = 0.0) {
    auto engine = std::make_unique<Engine>(fullEdition());
    Engine& e = *engine;
    e.multiBand = threeBands ? 1 : 0;
    e.driveGain = 2.0;  // +6 dB: the limiter works on most peaks
    e.autoRelease = 1;
    e.brickwall = 1;
    e.setHostRate(44100.0);
    e.updateFilters();
    e.updateTimeConstants();
    e.updateKneeGains();
    e.resetRingGeometry();
    e.clearDelayLines();
    e.resetDetectors();
    e.editorOpen = metersOn ? 1 : 0;
    e.meterMode = meterMode;
    e.meterTypeValue = meterType;
    return engine;
}

}  // namespace ambrel::bench
