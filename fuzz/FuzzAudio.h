#pragma once
// Audio for the fuzz targets that process: a reproducible test signal of a
// chosen level (a tone under noise, finite and at most `peak`), and the check
// every processed block must pass: finite samples, bounded by what the
// settings can make of that level.

#include <cmath>
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"

namespace fuzzing {

// The most the chain can add to a peak: +12 dB of ceiling and +12 dB of
// output gain above the limited wet signal, or the dry signal at +12 dB of
// output, with head room for the filters' overshoot.
inline double outputBound(double inputPeak) { return 64.0 * (inputPeak > 1.0 ? inputPeak : 1.0); }

template <typename Sample>
struct StereoBuffers {
    explicit StereoBuffers(int frames) : in{std::vector<Sample>(frames), std::vector<Sample>(frames)},
                                          out{std::vector<Sample>(frames), std::vector<Sample>(frames)} {}
    std::vector<Sample> in[2];
    std::vector<Sample> out[2];
    Sample* inputs[2] = {};
    Sample* outputs[2] = {};

    // Fills the inputs and points the channel arrays at the buffers.
    double fill(std::uint32_t seed, double peak) {
        std::uint32_t state = seed | 1u;
        const double step = 0.01 + (seed % 997) * 0.003;
        double phase = 0.0;
        for (std::size_t i = 0; i < in[0].size(); ++i) {
            state = state * 1664525u + 1013904223u;
            const double noise = static_cast<double>(state >> 8) / 8388608.0 - 1.0;  // -1..1
            phase += step;
            in[0][i] = static_cast<Sample>(peak * (0.7 * std::sin(phase) + 0.3 * noise));
            in[1][i] = static_cast<Sample>(peak * (0.7 * std::cos(0.9 * phase) - 0.3 * noise));
        }
        for (int c = 0; c < 2; ++c) {
            inputs[c] = in[c].data();
            outputs[c] = out[c].data();
            for (Sample& s : out[c]) s = static_cast<Sample>(12345.0);  // every frame must be written
        }
        return peak;
    }

    void check(double peak) const {
        const double bound = outputBound(peak);
        for (int c = 0; c < 2; ++c)
            for (Sample s : out[c]) {
                FUZZ_CHECK(std::isfinite(static_cast<double>(s)));
                FUZZ_CHECK(std::fabs(static_cast<double>(s)) <= bound);
            }
    }
};

}  // namespace fuzzing
