// Every path from kernel input to kernel output is N - 1 samples long, in
// every kernel, channel mode, rate band, edition and speed.

#include <gtest/gtest.h>

#include "EngineFixture.h"

using namespace ambrel;
using namespace ambrel::test;

namespace {

struct RateCase {
    const Edition* edition;
    double rate;
    int oversample;
};

std::vector<RateCase> rateCases() {
    return {{&fullEdition(), 44100, 0},   {&fullEdition(), 96000, 0},    {&fullEdition(), 192000, 0},
            {&fullEdition(), 44100, 1},   {&fullEdition(), 96000, 1},    {&siblingEdition(), 44100, 0},
            {&siblingEdition(), 96000, 0}, {&siblingEdition(), 192000, 0}};
}

// First sample whose magnitude exceeds the threshold, or -1.
long firstAbove(const std::vector<double>& v, double threshold) {
    for (std::size_t i = 0; i < v.size(); ++i)
        if (std::fabs(v[i]) > threshold) return static_cast<long>(i);
    return -1;
}

}  // namespace

TEST(KernelPath, ImpulseEmergesAfterExactlyNMinusOneSamples) {
    for (const RateCase& rc : rateCases()) {
        for (double speed : {0.0, 1.0}) {
            for (const NamedKernel& nk : processingKernels()) {
                const std::vector<double> modes =
                    nk.stereo ? std::vector<double>{kLeftRightMono}
                              : std::vector<double>{kLeftRightMono, kLeftRightLeft, kLeftRightRight};
                for (double lr : modes) {
                    auto e = makeEngine(*rc.edition);
                    e->speed = speed;
                    e->multiBand = nk.threeBands ? 1 : 0;
                    e->leftRightValue = lr;
                    e->mixAmount = 0.5;  // dry and wet paths both count
                    restart(*e, rc.rate, rc.oversample);
                    const int n = e->delayLength;
                    Stereo in(static_cast<std::size_t>(n) + 200);
                    in.left[0] = 0.5;
                    in.right[0] = 0.25;
                    const Stereo out = run(*e, nk.kernel, in);
                    const std::string what = std::string(nk.name) + " lr " + std::to_string(lr) + " rate " +
                                             std::to_string(rc.rate) + " fat " + std::to_string(rc.oversample) +
                                             " N " + std::to_string(n) + " speed " + std::to_string(speed);
                    EXPECT_EQ(firstAbove(out.left, 1e-9), n - 1) << what;
                    EXPECT_EQ(firstAbove(out.right, 1e-9), n - 1) << what;
                    // The whole impulse arrives at once: both halves of the mix
                    // land on the same sample. Only mono mode copies the left
                    // channel to the right output.
                    const double expectR = (!nk.stereo && lr == kLeftRightMono) ? 0.5 : 0.25;
                    EXPECT_NEAR(out.left[static_cast<std::size_t>(n - 1)], 0.5, 0.005) << what;
                    EXPECT_NEAR(out.right[static_cast<std::size_t>(n - 1)], expectR, 0.005) << what;
                }
            }
        }
    }
}

TEST(KernelPath, ChangingSpeedMidStreamKeepsThePathLength) {
    for (const NamedKernel& nk : processingKernels()) {
        auto e = makeEngine(fullEdition());
        e->multiBand = nk.threeBands ? 1 : 0;
        e->speed = 0.2;
        restart(*e, 44100);
        const std::size_t n = static_cast<std::size_t>(e->delayLength);
        run(*e, nk.kernel, noise(3 * n, 0.3, 17));
        run(*e, nk.kernel, Stereo(44100));  // let the noise and the filter tails die away
        e->speed = 0.9;
        e->updateTimeConstants();
        Stereo in(2 * n);
        in.left[0] = in.right[0] = 0.5;
        const Stereo out = run(*e, nk.kernel, in);
        EXPECT_EQ(firstAbove(out.left, 1e-6), static_cast<long>(n) - 1) << nk.name;
        EXPECT_NEAR(out.left[n - 1], 0.5, 0.01) << nk.name;
    }
}

TEST(KernelPath, ProcessOffIsAPureDelay) {
    for (const RateCase& rc : rateCases()) {
        auto e = makeEngine(*rc.edition);
        e->processOn = 0;
        e->driveGain = 8.0;   // nothing of the processing may leak through
        e->outputGain = 0.5;
        e->mixAmount = 0.3;
        restart(*e, rc.rate, rc.oversample);
        const std::size_t n = static_cast<std::size_t>(e->delayLength);
        const Stereo in = noise(3 * n, 1.5, 7);
        const Stereo out = run(*e, &Engine::processOff, in);
        for (std::size_t i = 0; i < in.size(); ++i) {
            const double wantL = i + 1 >= n ? in.left[i + 1 - n] : 0.0;
            const double wantR = i + 1 >= n ? in.right[i + 1 - n] : 0.0;
            ASSERT_NEAR(out.left[i], wantL, 1e-15) << i;
            ASSERT_NEAR(out.right[i], wantR, 1e-15) << i;
        }
    }
}

TEST(KernelPath, RunKernelChoosesByProcessModeLinkAndMonoStereo) {
    struct Row {
        int processOn, multiBand, link;
        double monoStereo;
        Kernel expected;
    };
    const Row rows[] = {
        {0, 1, 1, 1.0, &Engine::processOff},
        {1, 0, 1, 1.0, &Engine::processSingleBandLinked},
        {1, 0, 0, 0.51, &Engine::processSingleBandUnlinked},
        {1, 0, 1, 0.5, &Engine::processSingleBandMono},  // exactly 0.5 is still mono
        {1, 1, 1, 1.0, &Engine::processMultiBandLinked},
        {1, 1, 0, 1.0, &Engine::processMultiBandUnlinked},
        {1, 1, 0, 0.0, &Engine::processMultiBandMono},
    };
    const Stereo in = noise(2000, 1.0, 3);
    // Signatures of every kernel on this input, to tell them apart.
    auto configure = [](Engine& e, const Row& r) {
        e.processOn = r.processOn;
        e.multiBand = r.multiBand;
        e.stereoLink = r.link;
        e.driveGain = 6.0;
        e.autoRelease = 1;
        restart(e, 44100);
    };
    for (const Row& r : rows) {
        auto chosen = makeEngine(fullEdition());
        auto direct = makeEngine(fullEdition());
        configure(*chosen, r);
        configure(*direct, r);
        Stereo viaRun(in.size());
        for (std::size_t pos = 0; pos < in.size(); pos += 64) {
            const int n = static_cast<int>(std::min<std::size_t>(64, in.size() - pos));
            chosen->runKernel(r.monoStereo, &in.left[pos], &in.right[pos], &viaRun.left[pos], &viaRun.right[pos], n);
        }
        const Stereo want = run(*direct, r.expected, in);
        EXPECT_EQ(viaRun.left, want.left) << r.monoStereo;
        EXPECT_EQ(viaRun.right, want.right) << r.monoStereo;
        // A different kernel gives a different result.
        auto other = makeEngine(fullEdition());
        configure(*other, r);
        const Kernel wrong = r.expected == &Engine::processSingleBandMono ? &Engine::processSingleBandLinked
                                                                          : &Engine::processSingleBandMono;
        EXPECT_NE(run(*other, wrong, in).left, want.left);
    }
}
