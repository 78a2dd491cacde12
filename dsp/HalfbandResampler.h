#pragma once
// 2x half-band interpolator and decimator of one channel, in polyphase form.
//
// Both filters come from one 255-tap half-band prototype: the interpolator's
// taps carry a Blackman window (centre tap 1.0), the decimator's a Hann window
// (centre tap 0.5). Only the centre tap and the 64 odd tap pairs are non-zero,
// so each output costs one 64-pair sum. Each stage delays by 129 samples at the
// doubled rate (64.5 host samples); with oversampling off, delayIn and delayOut
// stand in for them as 64-sample delays through the same histories, so the
// total delay does not change when oversampling is switched.
//
// Blocks are at most 64 host samples (128 at the doubled rate). Everything is
// held in fixed arrays: nothing is allocated after construction.

#include <array>

namespace ambrel {

class HalfbandResampler {
public:
    static constexpr int kTaps = 255;           // length of both filters
    static constexpr int kHalf = kTaps / 2;     // 127 taps either side of the centre
    static constexpr int kPairs = 64;           // non-zero odd tap pairs
    static constexpr int kMaxBlock = 64;        // host samples per call
    static constexpr int kLatency = 126;        // 63 for each half, as reported to the host
    static constexpr int kDelaySamples = 64;    // delayIn / delayOut

    HalfbandResampler();

    // Clears both histories.
    void reset();

    // In place: count host samples (count <= 64) become 2 * count samples at
    // the doubled rate, the interpolated sample of each pair first.
    void upsample(double* block, int count);

    // In place: count2 samples at the doubled rate (even, <= 128) become
    // count2 / 2 host samples at the start of the block.
    void downsample(double* block, int count2);

    // Plain 64-sample delays used instead of upsample / downsample while
    // oversampling is off (count <= 64).
    void delayIn(double* block, int count);
    void delayOut(double* block, int count);

    int latency() const { return kLatency; }

    // Full symmetric tap sets, index 0..254 with the centre at 127 (for tests
    // and analysis; the processing uses the packed odd taps).
    const std::array<double, kTaps>& interpolatorTaps() const { return upTaps_; }
    const std::array<double, kTaps>& decimatorTaps() const { return downTaps_; }

private:
    // Host-rate line: the 128 previous samples followed by the current block.
    static constexpr int kHistory = 2 * kPairs;
    using Line = std::array<double, kHistory + 2 * kMaxBlock>;

    static void shift(Line& line, int count);

    std::array<double, kTaps> upTaps_{};
    std::array<double, kTaps> downTaps_{};
    alignas(32) std::array<double, kPairs> upPairTaps_{};    // c_up(2k + 1), k = 0..63
    alignas(32) std::array<double, kPairs> downPairTaps_{};  // c_dn(2k + 1), k = 0..63

    // Interpolator history: host-rate input samples.
    alignas(32) Line upLine_{};
    // Decimator history, split by phase: even and odd samples at the doubled
    // rate (with oversampling off the even line holds the host-rate samples).
    alignas(32) Line downEvenLine_{};
    alignas(32) Line downOddLine_{};
    alignas(32) std::array<double, 2 * kMaxBlock> sums_{};
};

}  // namespace ambrel
