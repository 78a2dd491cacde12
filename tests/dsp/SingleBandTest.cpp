// Behaviour of the limiter: mix, routing, bounds, settling and linking.

#include <gtest/gtest.h>

#include "EngineFixture.h"

using namespace ambrel;
using namespace ambrel::test;

namespace {

std::unique_ptr<Engine> limiter(double leftRight = kLeftRightMono) {
    auto e = makeEngine(fullEdition(), kRate);
    e->leftRightValue = leftRight;
    return e;
}

}  // namespace

TEST(SingleBand, MixZeroGivesTheDelayedDrySignalTimesOutput) {
    // Stereo kernels: the raw input, DC included.
    for (const NamedKernel& nk : processingKernels()) {
        if (!nk.stereo) continue;
        auto e = limiter();
        e->multiBand = nk.threeBands;
        e->mixAmount = 0.0;
        e->driveGain = 16.0;
        e->outputGain = 0.7;
        restart(*e, kRate);
        const std::size_t n = static_cast<std::size_t>(e->delayLength);
        Stereo in = noise(4 * n, 0.8, 5);
        for (double& x : in.left) x += 0.3;
        const Stereo out = run(*e, nk.kernel, in);
        for (std::size_t i = n - 1; i < in.size(); ++i) {
            ASSERT_NEAR(out.left[i], in.left[i + 1 - n] * 0.7, 1e-12) << nk.name << " " << i;
            ASSERT_NEAR(out.right[i], in.right[i + 1 - n] * 0.7, 1e-12) << nk.name << " " << i;
        }
    }
    // Mono single-band kernel: the dry signal is the 15 Hz high-passed main
    // channel, so a DC offset dies away while a tone passes.
    auto e = limiter();
    e->mixAmount = 0.0;
    e->outputGain = 0.7;
    restart(*e, kRate);
    const std::size_t n = static_cast<std::size_t>(e->delayLength);
    Stereo in = sine(44100, kRate, 1000.0, 0.5, 0.0);
    for (double& x : in.left) x += 0.3;
    const Stereo out = run(*e, &Engine::processSingleBandMono, in);
    double mean = 0.0;
    for (std::size_t i = 44100 - 4410; i < 44100; ++i) mean += out.left[i] / 4410.0;
    EXPECT_LT(std::fabs(mean), 0.01);
    for (std::size_t i = 40000; i < 44100; ++i) ASSERT_NEAR(out.left[i], (in.left[i + 1 - n] - 0.3) * 0.7, 0.01);
}

TEST(SingleBand, LeftOnlyAndRightOnlyPassTheOtherChannelDelayed) {
    for (bool threeBands : {false, true}) {
        for (double lr : {kLeftRightLeft, kLeftRightRight}) {
            auto e = limiter(lr);
            e->multiBand = threeBands;
            e->driveGain = 16.0;  // the processed channel is limited hard
            e->outputGain = 1.3;
            restart(*e, kRate);
            const std::size_t n = static_cast<std::size_t>(e->delayLength);
            const Stereo in = noise(8 * n, 0.9, 11);
            const Stereo out = run(*e, threeBands ? &Engine::processMultiBandMono : &Engine::processSingleBandMono, in);
            const bool leftOnly = lr == kLeftRightLeft;
            const std::vector<double>& passIn = leftOnly ? in.right : in.left;
            const std::vector<double>& passOut = leftOnly ? out.right : out.left;
            const std::vector<double>& mainOut = leftOnly ? out.left : out.right;
            for (std::size_t i = n - 1; i < in.size(); ++i)
                ASSERT_NEAR(passOut[i], passIn[i + 1 - n] * 1.3, 1e-14) << lr << " " << i;
            // The processed channel stays within the ceiling.
            EXPECT_LE(peakOf(mainOut), 1.3 + 1e-12);
            EXPECT_GT(peakOf(mainOut, 4 * n), 0.9);
        }
    }
}

TEST(SingleBand, BrickwallBoundsEveryWetSampleWhateverTheDrive) {
    for (const NamedKernel& nk : processingKernels()) {
        for (double drive : {1.0, 16.0}) {
            auto e = limiter();
            e->multiBand = nk.threeBands;
            e->driveGain = drive;
            e->ceilingGain = ceilingFor(0.3);  // about -4.8 dB
            e->speed = 0.0;
            e->releaseFactor = 0.25;
            e->autoRelease = 1;
            e->updateKneeGains();
            restart(*e, kRate);
            Stereo in = noise(20000, 3.0, 13);
            for (std::size_t i = 5000; i < 5100; ++i) in.left[i] = in.right[i] = (i % 2 ? 8.0 : -8.0);
            const Stereo out = run(*e, nk.kernel, in);
            EXPECT_LE(peakOf(out.left), e->ceilingGain + 1e-12) << nk.name;
            EXPECT_LE(peakOf(out.right), e->ceilingGain + 1e-12) << nk.name;
        }
    }
}

TEST(SingleBand, SilenceSettlesAtTheLevelFloor) {
    for (const NamedKernel& nk : processingKernels()) {
        auto e = limiter();
        e->multiBand = nk.threeBands;
        restart(*e, kRate);
        Stereo in = sine(8000, kRate, 440.0, 0.9, 0.9);
        in.left.resize(3 * 44100, 0.0);
        in.right.resize(3 * 44100, 0.0);
        const Stereo out = run(*e, nk.kernel, in);
        EXPECT_LT(peakOf(out.left, 2 * 44100), 1e-12) << nk.name;
        EXPECT_LT(peakOf(out.right, 2 * 44100), 1e-12) << nk.name;
        const int stage = nk.threeBands ? Engine::kStageMid : Engine::kStageFinal;
        EXPECT_NEAR(e->envelope[stage][0], 0.0009766, 1e-9) << nk.name;
        if (nk.kernel == &Engine::processSingleBandUnlinked) {
            EXPECT_NEAR(e->envelope[stage][1], 0.0009766, 1e-9);
        }
    }
}

TEST(SingleBand, LoudSineEndsJustBelowTheTopOfTheCurve) {
    for (const NamedKernel& nk : processingKernels()) {
        if (nk.threeBands) continue;
        for (double amplitude : {1.5, 6.0}) {
            auto e = limiter();
            e->brickwall = 0;  // the limiter alone holds the peaks
            restart(*e, kRate);
            const Stereo in = sine(44100, kRate, 1000.0, amplitude, amplitude);
            const Stereo out = run(*e, nk.kernel, in);
            const double top = peakOf(out.left, 22050);
            EXPECT_LT(top, 1.0) << nk.name;
            EXPECT_NEAR(top, 1.0 / 1.0115795, 0.01) << nk.name;  // 0.1 dB below the top
            EXPECT_NEAR(peakOf(out.right, 22050), top, 1e-3) << nk.name;
        }
    }
}

TEST(SingleBand, LinkedReducesBothChannelsEquallyUnlinkedOnlyTheLoudOne) {
    struct Row {
        Kernel kernel;
        bool threeBands;
        bool linked;
    };
    const Row rows[] = {{&Engine::processSingleBandLinked, false, true},
                        {&Engine::processSingleBandUnlinked, false, false},
                        {&Engine::processMultiBandLinked, true, true},
                        {&Engine::processMultiBandUnlinked, true, false}};
    for (const Row& r : rows) {
        auto e = limiter();
        e->multiBand = r.threeBands;
        e->driveGain = 4.0;
        e->brickwall = 0;  // no clip, so the common gain shows in the exact ratio
        restart(*e, kRate);
        // A loud left channel and a quiet copy of it on the right.
        const Stereo in = sine(44100, kRate, 700.0, 1.0, 0.05);
        const Stereo out = run(*e, r.kernel, in);
        const double left = peakOf(out.left, 22050);
        const double right = peakOf(out.right, 22050);
        if (!r.threeBands) {
            EXPECT_LT(left, 1.0);  // without the clip the bands may add up beyond the top
        }
        if (r.linked) {
            for (std::size_t i = 22050; i < out.size(); ++i) ASSERT_NEAR(out.right[i], 0.05 * out.left[i], 1e-9);
        } else {
            EXPECT_NEAR(right, 0.05 * 4.0, 0.02);  // the quiet channel keeps its small-signal gain
            EXPECT_GT(right, 2.0 * 0.05 * left);
        }
    }
}

TEST(SingleBand, OneSidedSignalInLinkedKernelPullsTheSilentSideDown) {
    // Linked: a burst on the left lowers the gain applied to a steady right
    // channel; unlinked leaves the right untouched.
    for (bool linked : {true, false}) {
        auto e = limiter();
        e->driveGain = 4.0;
        restart(*e, kRate);
        Stereo in = sine(30000, kRate, 300.0, 0.0, 0.02);
        for (std::size_t i = 10000; i < 20000; ++i) in.left[i] = 2.0 * std::sin(0.05 * static_cast<double>(i));
        const Stereo out =
            run(*e, linked ? &Engine::processSingleBandLinked : &Engine::processSingleBandUnlinked, in);
        const double before = peakOf(out.right, 5000, 10000);
        const double during = peakOf(out.right, 12000, 20000);
        EXPECT_NEAR(before, 0.08, 0.005);
        if (linked) {
            EXPECT_LT(during, 0.5 * before);
        } else {
            EXPECT_NEAR(during, before, 0.005);
        }
    }
}
