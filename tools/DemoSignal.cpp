#include "tools/DemoSignal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace ambrel::tools {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kStep = 0.125;  // a sixteenth note at 120 BPM
constexpr int kStepsPerBar = 16;

// xorshift32: the same noise on every platform, unlike the standard distributions.
class Noise {
public:
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state_ = 0x2545F491u;
};

// Seconds since the most recent step of a pattern (16 flags per bar) at time t,
// or a large value before the first one.
double sinceLastHit(const std::array<bool, kStepsPerBar>& pattern, double t) {
    const long step = static_cast<long>(std::floor(t / kStep));
    for (long s = step; s > step - kStepsPerBar && s >= 0; --s)
        if (pattern[static_cast<std::size_t>(s % kStepsPerBar)]) return t - s * kStep;
    return 1e9;
}

// Chord roots of the four bars (A minor, F, C, G) and their triads, in Hz.
constexpr std::array<double, 4> kBassRoots{55.0, 43.65, 65.41, 49.0};
constexpr std::array<std::array<double, 3>, 4> kChords{{{220.0, 261.63, 329.63},
                                                        {174.61, 220.0, 261.63},
                                                        {196.0, 261.63, 329.63},
                                                        {196.0, 246.94, 293.66}}};

double saw(double phase) { return 2.0 * (phase - std::floor(phase)) - 1.0; }

struct OnePole {
    double state = 0.0;
    double run(double x, double coefficient) { return state += coefficient * (x - state); }
};

double onePoleCoefficient(double frequency, double rate) { return 1.0 - std::exp(-kTwoPi * frequency / rate); }

}  // namespace

AudioData makeDemoSignal(const DemoSignalOptions& options) {
    const double rate = options.sampleRate;
    const long frames = std::max(0L, std::lround(options.seconds * rate));
    AudioData audio;
    audio.sampleRate = options.sampleRate;
    audio.channels.assign(2, std::vector<double>(static_cast<std::size_t>(frames)));

    const std::array<bool, kStepsPerBar> kick{1, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1, 0, 0, 0, 0, 0};
    const std::array<bool, kStepsPerBar> snare{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1};
    const std::array<bool, kStepsPerBar> hat{1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 1};
    const std::array<bool, kStepsPerBar> bassNotes{1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 1, 0, 1, 0, 1, 0};

    Noise noise;
    double kickPhase = 0.0, bassPhase = 0.0, snareTonePhase = 0.0;
    std::array<double, 6> padPhase{};
    double lastNoise = 0.0;
    OnePole bassFilter, padLeft, padRight;
    const double padCoefficient = onePoleCoefficient(1400.0, rate);

    for (long n = 0; n < frames; ++n) {
        const double t = n / rate;
        const int bar = static_cast<int>(t / (kStep * kStepsPerBar)) % 4;
        const double white = noise.next();
        const double bright = white - lastNoise;  // first difference: a crude high-pass
        lastNoise = white;

        // Kick: a pitch sweep from 135 Hz down to 45 Hz with a click.
        const double tk = sinceLastHit(kick, t);
        const double kickFrequency = 45.0 + 90.0 * std::exp(-tk / 0.03);
        kickPhase += kickFrequency / rate;
        kickPhase -= std::floor(kickPhase);
        const double kickOut = tk < 0.6 ? std::sin(kTwoPi * kickPhase) * std::exp(-tk / 0.22) +
                                              (tk < 0.002 ? 0.5 * white : 0.0)
                                        : 0.0;

        // Snare: a noise burst over a short 185 Hz tone.
        const double ts = sinceLastHit(snare, t);
        snareTonePhase += 185.0 / rate;
        snareTonePhase -= std::floor(snareTonePhase);
        const double snareOut = ts < 0.4 ? 0.55 * bright * std::exp(-ts / 0.07) +
                                               0.45 * std::sin(kTwoPi * snareTonePhase) * std::exp(-ts / 0.04)
                                         : 0.0;

        // Hi-hat: short bright noise, the off-beats accented.
        const double th = sinceLastHit(hat, t);
        const long step = static_cast<long>(t / kStep);
        const double hatLevel = (step % 4 == 2) ? 0.35 : 0.2;
        const double hatOut = th < 0.1 ? hatLevel * bright * std::exp(-th / 0.018) : 0.0;

        // Bass: plucked, filtered saw on the chord root.
        const double tb = sinceLastHit(bassNotes, t);
        bassPhase += kBassRoots[bar] / rate;
        const double bassCutoff = 180.0 + 900.0 * std::exp(-tb / 0.06);
        const double bassOut = bassFilter.run(saw(bassPhase), onePoleCoefficient(bassCutoff, rate)) *
                               (0.25 + 0.75 * std::exp(-tb / 0.2));

        // Pad: the triad as detuned saws, left and right slightly apart.
        double left = 0.0, right = 0.0;
        for (int v = 0; v < 3; ++v) {
            padPhase[v] += kChords[bar][v] * 1.003 / rate;
            padPhase[v + 3] += kChords[bar][v] * 0.997 / rate;
            left += saw(padPhase[v]);
            right += saw(padPhase[v + 3]);
        }
        const double barTime = std::fmod(t, kStep * kStepsPerBar);
        const double swell = std::min(1.0, barTime / 0.08);
        const double padL = padLeft.run(left, padCoefficient) * 0.09 * swell;
        const double padR = padRight.run(right, padCoefficient) * 0.09 * swell;

        audio.channels[0][n] = kickOut + 0.8 * snareOut + 0.7 * hatOut + 0.55 * bassOut + padL;
        audio.channels[1][n] = kickOut + 0.7 * snareOut + 1.0 * hatOut + 0.55 * bassOut + padR;
    }

    double peak = 0.0;
    for (const auto& c : audio.channels)
        for (double v : c) peak = std::max(peak, std::fabs(v));
    if (peak > 0.0) {
        const double scale = std::pow(10.0, options.peakDb / 20.0) / peak;
        for (auto& c : audio.channels)
            for (double& v : c) v *= scale;
    }
    return audio;
}

}  // namespace ambrel::tools
