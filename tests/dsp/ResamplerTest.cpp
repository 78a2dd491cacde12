// The 2x half-band interpolator and decimator: tap design, DC behaviour,
// delays, pass band, block-size independence and reset.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "dsp/HalfbandResampler.h"
#include "dsp/HalfbandSum.h"

namespace ambrel {
namespace {

constexpr int kCentre = HalfbandResampler::kHalf;

// Runs a whole signal up through a resampler in host blocks of blockSize.
std::vector<double> upsampleAll(HalfbandResampler& r, const std::vector<double>& in, int blockSize) {
    std::vector<double> out;
    double block[512];
    for (std::size_t pos = 0; pos < in.size(); pos += blockSize) {
        const int n = static_cast<int>(std::min<std::size_t>(blockSize, in.size() - pos));
        std::copy(in.begin() + pos, in.begin() + pos + n, block);
        r.upsample(block, n);
        out.insert(out.end(), block, block + 2 * n);
    }
    return out;
}

std::vector<double> downsampleAll(HalfbandResampler& r, const std::vector<double>& in, int blockSize) {
    std::vector<double> out;
    double block[512];
    for (std::size_t pos = 0; pos < in.size(); pos += 2 * blockSize) {
        const int n2 = static_cast<int>(std::min<std::size_t>(2 * blockSize, in.size() - pos));
        std::copy(in.begin() + pos, in.begin() + pos + n2, block);
        r.downsample(block, n2);
        out.insert(out.end(), block, block + n2 / 2);
    }
    return out;
}

std::vector<double> noise(std::size_t length, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<double> v(length);
    for (double& x : v) x = dist(gen);
    return v;
}

// Runs a test body with the variant chosen at run time and with the plain one.
class ResamplerVariants : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { useOnlyPlainHalfbandSum(GetParam()); }
    void TearDown() override { useOnlyPlainHalfbandSum(false); }
};

INSTANTIATE_TEST_SUITE_P(SumVariant, ResamplerVariants, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "plain" : "selected"; });

TEST(ResamplerDesign, TapsAreSymmetricHalfbandWithTheirCentres) {
    HalfbandResampler r;
    const auto& up = r.interpolatorTaps();
    const auto& down = r.decimatorTaps();
    EXPECT_EQ(up[kCentre], 1.0);
    EXPECT_EQ(down[kCentre], 0.5);
    for (int i = 1; i <= kCentre; ++i) {
        EXPECT_EQ(up[kCentre + i], up[kCentre - i]) << i;
        EXPECT_EQ(down[kCentre + i], down[kCentre - i]) << i;
        if (i % 2 == 0) {
            // The rounding residue of sin(i pi / 2) is cleared, not kept as a tiny tap.
            EXPECT_EQ(up[kCentre + i], 0.0) << i;
            EXPECT_EQ(down[kCentre + i], 0.0) << i;
        } else {
            EXPECT_NE(up[kCentre + i], 0.0) << i;
            EXPECT_NE(down[kCentre + i], 0.0) << i;
        }
    }
    // First odd taps: 2 w_B(1) h(1) and w_H(1) h(1) with h(1) = 1 / (256 sin(pi / 255)).
    const double pi = std::numbers::pi;
    const double h1 = 1.0 / (256.0 * std::sin(pi / 255.0));
    const double wb1 = 0.42 + 0.5 * std::cos(2 * pi / 255.0) + 0.08 * std::cos(4 * pi / 255.0);
    EXPECT_DOUBLE_EQ(up[kCentre + 1], 2.0 * wb1 * h1);
    EXPECT_DOUBLE_EQ(down[kCentre + 1], (0.5 + 0.5 * std::cos(2 * pi / 255.0)) * h1);
    // Taps alternate in sign: +, -, +, ... for i = 1, 3, 5, ...
    EXPECT_GT(up[kCentre + 1], 0.0);
    EXPECT_LT(up[kCentre + 3], 0.0);
    EXPECT_GT(down[kCentre + 5], 0.0);
}

TEST_P(ResamplerVariants, InterpolatorGivesOneAndTheOddTapSumAlternately) {
    HalfbandResampler r;
    const auto out = upsampleAll(r, std::vector<double>(512, 1.0), 64);
    // After the 128-sample history has filled, the pairs are settled.
    for (std::size_t i = 2 * 130; i < out.size(); i += 2) {
        EXPECT_NEAR(out[i], 0.99609, 5e-6) << i;  // interpolated sample
        EXPECT_EQ(out[i + 1], 1.0) << i;          // centre-tap sample
    }
}

TEST_P(ResamplerVariants, DecimatorGainIsCentrePlusOddTaps) {
    HalfbandResampler r;
    const auto out = downsampleAll(r, std::vector<double>(1024, 1.0), 64);
    for (std::size_t i = 130; i < out.size(); ++i) EXPECT_NEAR(out[i], 0.99805, 5e-6) << i;
}

TEST(ResamplerDelay, InterpolatorAndDecimatorEachDelay129DoubledSamples) {
    HalfbandResampler r;
    std::vector<double> in(256, 0.0);
    in[10] = 1.0;
    const auto up = upsampleAll(r, in, 64);
    // Input 10 sits at doubled-rate position 20 and emerges 129 samples later.
    EXPECT_EQ(up[20 + 129], 1.0);
    for (std::size_t i = 1; i < up.size(); i += 2) {
        // Centre-tap samples carry only x_(n-64).
        if (i != 149) {
            EXPECT_EQ(up[i], 0.0) << i;
        }
    }

    HalfbandResampler d;
    std::vector<double> u(512, 0.0);
    u[2 * 40 - 129 + 256] = 1.0;  // centre of host output 40 + 128
    const auto down = downsampleAll(d, u, 64);
    EXPECT_EQ(down[40 + 128], 0.5);
    EXPECT_EQ(down[40 + 127], 0.0);  // even-distance neighbours meet only zero taps
    EXPECT_EQ(down[40 + 129], 0.0);
}

TEST_P(ResamplerVariants, SineWellBelowHostNyquistSurvivesUpAndDown) {
    struct Case {
        double frequency;  // as a fraction of the host rate
        double tolerance;
    };
    for (const Case c : {Case{0.005, 2e-4}, Case{0.05, 2e-4}, Case{0.2, 2e-4}}) {
        HalfbandResampler r;
        const double dcGain = 0.5 + 0.49805 * 0.99609;  // decimator over the interpolator's DC pairs
        std::vector<double> in(4096);
        for (std::size_t n = 0; n < in.size(); ++n) in[n] = 0.8 * std::sin(2 * std::numbers::pi * c.frequency * n);
        const auto out = downsampleAll(r, upsampleAll(r, in, 64), 64);
        ASSERT_EQ(out.size(), in.size());
        double worst = 0.0;
        for (std::size_t n = 400; n < in.size(); ++n) worst = std::max(worst, std::fabs(out[n] - dcGain * in[n - 129]));
        EXPECT_LT(worst, c.tolerance) << "frequency " << c.frequency;
    }
}

TEST(ResamplerPassBand, ContentAboveHostNyquistIsRemovedOnTheWayDown) {
    // Tones above a quarter of the doubled rate have no place at the host rate.
    for (double frequency : {0.3, 0.35, 0.45}) {
        HalfbandResampler r;
        std::vector<double> u(4096);
        for (std::size_t n = 0; n < u.size(); ++n) u[n] = std::sin(2 * std::numbers::pi * frequency * n);
        const auto out = downsampleAll(r, u, 64);
        double peak = 0.0;
        for (std::size_t n = 300; n < out.size(); ++n) peak = std::max(peak, std::fabs(out[n]));
        EXPECT_LT(peak, 3e-3) << frequency;  // below -50 dB
    }
}

TEST_P(ResamplerVariants, OutputDoesNotDependOnBlockSize) {
    const auto in = noise(1000, 7);
    HalfbandResampler reference;
    const auto upRef = upsampleAll(reference, in, 64);
    const auto downRef = downsampleAll(reference, upRef, 64);
    for (int blockSize : {1, 5, 37, 63}) {
        HalfbandResampler r;
        const auto up = upsampleAll(r, in, blockSize);
        EXPECT_EQ(up, upRef) << blockSize;
        EXPECT_EQ(downsampleAll(r, up, blockSize), downRef) << blockSize;
    }
}

TEST(ResamplerBlocks, RuntimeSelectedSumMatchesThePlainOne) {
    HalfbandResampler r;
    const auto taps = std::vector<double>(r.interpolatorTaps().begin() + kCentre + 1, r.interpolatorTaps().end());
    std::vector<double> odd;
    for (std::size_t i = 0; i < taps.size(); i += 2) odd.push_back(taps[i]);
    ASSERT_EQ(odd.size(), 64u);
    const auto x = noise(128 + 64, 3);
    for (int count : {1, 3, 4, 15, 16, 29, 64}) {
        std::vector<double> a(64), b(64);
        halfbandSum(x.data(), odd.data(), a.data(), count);
        halfbandSumPlain(x.data(), odd.data(), b.data(), count);
        for (int n = 0; n < count; ++n) EXPECT_NEAR(a[n], b[n], 1e-13) << count << " " << n;
        // And both equal the plain definition of the sum.
        for (int n = 0; n < count; ++n) {
            double direct = 0.0;
            for (int k = 0; k < 64; ++k) direct += odd[k] * (x[n + 64 + k] + x[n + 63 - k]);
            EXPECT_EQ(b[n], direct) << count << " " << n;
        }
    }
    std::cout << "[          ] halfband sum: " << (halfbandSumUsesAvx2() ? "AVX2/FMA" : "plain x86-64") << "\n";
}

TEST(ResamplerDelayPath, DelayInAndDelayOutAreSixtyFourSampleDelays) {
    HalfbandResampler r;
    auto in = noise(300, 11);
    std::vector<double> a = in, b = in;
    for (std::size_t pos = 0; pos < in.size(); pos += 50) {
        r.delayIn(a.data() + pos, 50);
        r.delayOut(b.data() + pos, 50);
    }
    for (std::size_t n = 0; n < in.size(); ++n) {
        const double expected = n >= 64 ? in[n - 64] : 0.0;
        EXPECT_EQ(a[n], expected) << n;
        EXPECT_EQ(b[n], expected) << n;
    }
}

TEST(ResamplerReset, ClearsBothHistoriesAndTheDelayPath) {
    const auto in = noise(640, 5);
    HalfbandResampler fresh;
    const auto upFresh = upsampleAll(fresh, in, 64);
    const auto downFresh = downsampleAll(fresh, upFresh, 64);

    HalfbandResampler used;
    downsampleAll(used, upsampleAll(used, noise(640, 9), 64), 64);
    std::vector<double> junk = noise(64, 1);
    used.delayIn(junk.data(), 64);
    used.delayOut(junk.data(), 64);
    used.reset();
    const auto up = upsampleAll(used, in, 64);
    EXPECT_EQ(up, upFresh);
    EXPECT_EQ(downsampleAll(used, up, 64), downFresh);

    used.reset();
    std::vector<double> zeros(64, 0.0);
    used.delayIn(zeros.data(), 64);
    used.delayOut(zeros.data(), 64);
    for (double v : zeros) EXPECT_EQ(v, 0.0);
    EXPECT_EQ(used.latency(), 126);
}

}  // namespace
}  // namespace ambrel
