#include "dsp/HalfbandResampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "dsp/HalfbandSum.h"

namespace ambrel {

namespace {

constexpr double kPi = std::numbers::pi;
// Products smaller than this are rounding residue of taps that are zero in
// exact arithmetic (sin of a whole multiple of pi): they are set to 0.
constexpr double kZeroFloor = 1e-16;

// The half-band prototype: h(0) = 0.5, h(i) = sin(i pi / 2) / (256 sin(i pi / 255)).
double prototype(int i) {
    if (i == 0) return 0.5;
    return std::sin(i * kPi / 2.0) / (256.0 * std::sin(i * kPi / 255.0));
}

double blackman(int i) {
    return 0.42 + 0.5 * std::cos(2.0 * kPi * i / 255.0) + 0.08 * std::cos(4.0 * kPi * i / 255.0);
}

double hann(int i) { return 0.5 + 0.5 * std::cos(2.0 * kPi * i / 255.0); }

double floored(double v) { return std::fabs(v) < kZeroFloor ? 0.0 : v; }

int clampCount(int count, int limit) { return std::clamp(count, 0, limit); }

}  // namespace

HalfbandResampler::HalfbandResampler() {
    for (int i = 0; i <= kHalf; ++i) {
        const double up = 2.0 * floored(blackman(i) * prototype(i));
        const double down = floored(hann(i) * prototype(i));
        upTaps_[kHalf + i] = upTaps_[kHalf - i] = up;
        downTaps_[kHalf + i] = downTaps_[kHalf - i] = down;
    }
    upTaps_[kHalf] = 1.0;
    downTaps_[kHalf] = 0.5;
    for (int k = 0; k < kPairs; ++k) {
        upPairTaps_[k] = upTaps_[kHalf + 2 * k + 1];
        downPairTaps_[k] = downTaps_[kHalf + 2 * k + 1];
    }
    reset();
}

void HalfbandResampler::reset() {
    upLine_.fill(0.0);
    downEvenLine_.fill(0.0);
    downOddLine_.fill(0.0);
}

void HalfbandResampler::shift(Line& line, int count) {
    if (count > 0) std::memmove(line.data(), line.data() + count, kHistory * sizeof(double));
}

void HalfbandResampler::upsample(double* block, int count) {
    count = clampCount(count, kMaxBlock);
    std::copy(block, block + count, upLine_.data() + kHistory);
    // x_n sits at kHistory + n: the interpolated sample lies half-way between
    // x_(n-65) and x_(n-64), the centre-tap sample is x_(n-64) itself.
    halfbandSum(upLine_.data(), upPairTaps_.data(), sums_.data(), count);
    for (int n = 0; n < count; ++n) {
        block[2 * n] = sums_[n];
        block[2 * n + 1] = upLine_[n + kHistory - kDelaySamples];
    }
    shift(upLine_, count);
}

void HalfbandResampler::downsample(double* block, int count2) {
    const int count = clampCount(count2, 2 * kMaxBlock) / 2;
    for (int i = 0; i < count; ++i) {
        downEvenLine_[kHistory + i] = block[2 * i];
        downOddLine_[kHistory + i] = block[2 * i + 1];
    }
    // Output i is centred on u_(2i-129), an odd sample; its neighbours at odd
    // distances are the even samples u_(2i-128+2k) and u_(2i-130-2k).
    halfbandSum(downEvenLine_.data(), downPairTaps_.data(), sums_.data(), count);
    const double centre = downTaps_[kHalf];
    for (int i = 0; i < count; ++i) block[i] = centre * downOddLine_[i + kHistory - kDelaySamples - 1] + sums_[i];
    shift(downEvenLine_, count);
    shift(downOddLine_, count);
}

void HalfbandResampler::delayIn(double* block, int count) {
    count = clampCount(count, kMaxBlock);
    for (int n = 0; n < count; ++n) {
        upLine_[kHistory + n] = block[n];
        block[n] = upLine_[kHistory + n - kDelaySamples];
    }
    shift(upLine_, count);
}

void HalfbandResampler::delayOut(double* block, int count) {
    count = clampCount(count, kMaxBlock);
    for (int n = 0; n < count; ++n) {
        downEvenLine_[kHistory + n] = block[n];
        block[n] = downEvenLine_[kHistory + n - kDelaySamples];
    }
    shift(downEvenLine_, count);
}

}  // namespace ambrel
