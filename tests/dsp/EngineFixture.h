#pragma once
// Helpers for the engine tests: an engine prepared as after resume, the
// parameter formulas for realistic values, and block-wise kernel runs.

#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/Edition.h"
#include "dsp/Engine.h"

namespace ambrel::test {

// The host rate the kernel tests run at.
constexpr double kRate = 44100.0;

using Kernel = void (Engine::*)(const double*, const double*, double*, double*, int);

struct NamedKernel {
    const char* name;
    Kernel kernel;
    bool stereo;  // both channels processed (not a mono kernel)
    bool threeBands;
};

inline const std::vector<NamedKernel>& processingKernels() {
    static const std::vector<NamedKernel> kernels = {
        {"SingleBandMono", &Engine::processSingleBandMono, false, false},
        {"SingleBandLinked", &Engine::processSingleBandLinked, true, false},
        {"SingleBandUnlinked", &Engine::processSingleBandUnlinked, true, false},
        {"MultiBandMono", &Engine::processMultiBandMono, false, true},
        {"MultiBandLinked", &Engine::processMultiBandLinked, true, true},
        {"MultiBandUnlinked", &Engine::processMultiBandUnlinked, true, true},
    };
    return kernels;
}

// L R values the mono kernels decode: mono, left only, right only.
inline constexpr double kLeftRightMono = 0.0;
inline constexpr double kLeftRightLeft = 0.5;
inline constexpr double kLeftRightRight = 1.0;

// Parameter formulas (full range, FineTune 100 %).
inline double driveFor(double v) { return std::pow(16.0, 2.0 * v - 1.0); }
inline double ceilingFor(double v) { return std::pow(4.0, 2.0 * v - 1.0); }
inline double dbToGain(double db) { return std::pow(10.0, db / 20.0); }

inline void setKnee(Engine& e, double v) {
    if (v < 0.25) {
        e.kneeShape = 0;
        e.kneeAmount = 4.0 * v;
    } else {
        e.kneeShape = 1;
        e.kneeAmount = (v - 0.25) / 0.75;
    }
    e.updateKneeGains();
}

// Brings an engine into the state resume leaves it in, for the given rate and
// oversampling.
inline void restart(Engine& e, double rate, int oversample = 0) {
    e.oversample = oversample;
    e.setHostRate(rate);
    e.updateFilters();
    e.updateTimeConstants();
    e.updateKneeGains();
    e.resetRingGeometry();
    e.clearDelayLines();
    e.resetDetectors();
    e.updateTimeConstants();
}

inline std::unique_ptr<Engine> makeEngine(const Edition& edition, double rate = 44100.0, int oversample = 0) {
    auto e = std::make_unique<Engine>(edition);
    e->mixAmount = 1.0;
    e->brickwall = 1;
    restart(*e, rate, oversample);
    return e;
}

struct Stereo {
    std::vector<double> left, right;
    explicit Stereo(std::size_t n = 0) : left(n, 0.0), right(n, 0.0) {}
    std::size_t size() const { return left.size(); }
};

// Runs a kernel over the whole signal in blocks of 64 host frames (128 at
// the doubled rate).
inline Stereo run(Engine& e, Kernel kernel, const Stereo& in) {
    Stereo out(in.size());
    const std::size_t block = e.oversample ? 128 : 64;
    for (std::size_t pos = 0; pos < in.size(); pos += block) {
        const int n = static_cast<int>(std::min(block, in.size() - pos));
        (e.*kernel)(&in.left[pos], &in.right[pos], &out.left[pos], &out.right[pos], n);
    }
    return out;
}

inline Stereo sine(std::size_t n, double rate, double hz, double ampL, double ampR) {
    Stereo s(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double x = std::sin(6.283185307179586 * hz * static_cast<double>(i) / rate);
        s.left[i] = ampL * x;
        s.right[i] = ampR * x;
    }
    return s;
}

inline Stereo noise(std::size_t n, double amp, unsigned seed = 1) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> dist(-amp, amp);
    Stereo s(n);
    for (std::size_t i = 0; i < n; ++i) {
        s.left[i] = dist(gen);
        s.right[i] = dist(gen);
    }
    return s;
}

inline double peakOf(const std::vector<double>& v, std::size_t from = 0, std::size_t to = SIZE_MAX) {
    double p = 0.0;
    for (std::size_t i = from; i < std::min(to, v.size()); ++i) p = std::max(p, std::fabs(v[i]));
    return p;
}

}  // namespace ambrel::test
