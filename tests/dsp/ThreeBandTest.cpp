// The three-band kernels: exact band split, band saturation levels, the final
// limiter and the automatic release.

#include <gtest/gtest.h>

#include "EngineFixture.h"

using namespace ambrel;
using namespace ambrel::test;

namespace {

const Kernel kThreeBandKernels[] = {&Engine::processMultiBandMono, &Engine::processMultiBandLinked,
                                    &Engine::processMultiBandUnlinked};

std::unique_ptr<Engine> threeBands() {
    auto e = makeEngine(fullEdition(), kRate);
    e->multiBand = 1;
    restart(*e, kRate);
    return e;
}

// The 15 Hz protection high-pass computed on its own, direct form I.
std::vector<double> protectionHighPass(const std::vector<double>& x, double rate) {
    const double w = 2.0 * 3.141592653589793 * 15.0 / rate;
    const double alpha = std::sin(w) / 1.4142;
    const double a0 = 1.0 + alpha;
    const double b0 = (1.0 + std::cos(w)) / 2.0 / a0, b1 = -(1.0 + std::cos(w)) / a0, b2 = b0;
    const double a1 = -2.0 * std::cos(w) / a0, a2 = (1.0 - alpha) / a0;
    std::vector<double> y(x.size());
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        y[i] = b0 * x[i] + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x[i];
        y2 = y1;
        y1 = y[i];
    }
    return y;
}

}  // namespace

TEST(ThreeBand, BandsAddBackToTheProtectedInput) {
    for (Kernel kernel : kThreeBandKernels) {
        for (double speed : {0.0, 0.7}) {
            auto e = threeBands();
            e->brickwall = 0;
            e->speed = speed;
            e->driveGain = driveFor(0.5625);    // +6 dB
            e->ceilingGain = ceilingFor(0.375);  // -3 dB
            e->outputGain = 1.25;
            e->lowFreqHz = 50.0;
            e->highFreqHz = 5000.0;
            e->updateKneeGains();
            restart(*e, kRate);
            const double gain = e->driveGain * e->kneeInputScale * e->ceilingOut * e->outputGain;
            const Stereo in = noise(20000, 0.05, 21);  // driven envelopes stay well below 1
            const Stereo out = run(*e, kernel, in);
            const auto wantL = protectionHighPass(in.left, kRate);
            const auto wantR = protectionHighPass(in.right, kRate);
            const std::size_t n = static_cast<std::size_t>(e->delayLength);
            const bool mono = kernel == &Engine::processMultiBandMono;
            for (std::size_t i = n - 1; i < in.size(); ++i) {
                ASSERT_NEAR(out.left[i], wantL[i + 1 - n] * gain, 1e-12) << i;
                ASSERT_NEAR(out.right[i], (mono ? wantL : wantR)[i + 1 - n] * gain, 1e-12) << i;
            }
        }
    }
}

TEST(ThreeBand, BandSaturationMovesTheTopOfTheBandsCurve) {
    struct Row {
        Relaxed<double> Engine::*sat;
        Relaxed<double> Engine::*satInverse;
        double hz;
        double lowHz, highHz;  // crossovers that keep the tone inside its band
    };
    const Row rows[] = {{&Engine::lowSat, &Engine::lowSatInverse, 40.0, 200.0, 16000.0},
                        {&Engine::midSat, &Engine::midSatInverse, 1000.0, 12.5, 16000.0},
                        {&Engine::highSat, &Engine::highSatInverse, 15000.0, 12.5, 1000.0}};
    for (const Row& r : rows) {
        auto runWith = [&](double sat, double amplitude) {
            auto e = threeBands();
            e->brickwall = 0;
            e->lowFreqHz = r.lowHz;
            e->highFreqHz = r.highHz;
            (*e).*r.sat = sat;
            (*e).*r.satInverse = 1.0 / sat;
            restart(*e, kRate);
            const Stereo in = sine(3 * 44100, kRate, r.hz, amplitude, amplitude);
            return run(*e, &Engine::processMultiBandMono, in);
        };
        const Stereo plain = runWith(1.0, 2.0);       // saturated at 0 dB
        const Stereo louder = runWith(1.0, 8.0);      // still saturated at 0 dB
        const Stereo raised = runWith(4.0, 8.0);      // +12 dB
        const std::size_t from = 2 * 44100;
        const double top = peakOf(plain.left, from);
        EXPECT_LT(top, 1.6) << r.hz;  // well below the 2.0 going in
        EXPECT_NEAR(peakOf(louder.left, from), top, 0.35 * top) << r.hz;
        // Four times the input with four times the band's top gives four
        // times the output, sample by sample.
        for (std::size_t i = from; i < plain.size(); ++i)
            ASSERT_NEAR(raised.left[i], 4.0 * plain.left[i], 0.01 * 4.0 * top) << r.hz << " " << i;
    }
}

TEST(ThreeBand, BrickwallOffLetsTheSumExceedFullScaleOnHoldsIt) {
    for (Kernel kernel : kThreeBandKernels) {
        for (int brickwall : {0, 1}) {
            auto e = threeBands();
            e->brickwall = brickwall;
            e->driveGain = 16.0;
            e->lowFreqHz = 200.0;
            e->highFreqHz = 1000.0;
            restart(*e, kRate);
            Stereo in = sine(44100, kRate, 100.0, 1.0, 1.0);
            const Stereo hi = sine(44100, kRate, 440.0, 1.0, 1.0);
            const Stereo top = sine(44100, kRate, 5000.0, 1.0, 1.0);
            for (std::size_t i = 0; i < in.size(); ++i) {
                in.left[i] += hi.left[i] + top.left[i];
                in.right[i] = in.left[i];
            }
            const Stereo out = run(*e, kernel, in);
            if (brickwall) {
                EXPECT_LE(peakOf(out.left), 1.0);
                EXPECT_LE(peakOf(out.right), 1.0);
            } else {
                EXPECT_GT(peakOf(out.left, 22050), 1.3);
                EXPECT_LT(peakOf(out.left, 22050), 3.0);
            }
        }
    }
}

TEST(ThreeBand, AutoReleaseOnASteadyLevel) {
    // Detector sections settled on a steady level (silence: the level floor),
    // every envelope set above it: one sample shows the release step.
    struct Row {
        Kernel kernel;
        int stage;
        double factor;
    };
    const double bandFactor = (2.0 * 0.15 / 1.15 + 0.1) * 1.5;  // 0.541
    const double finalFactor = (4.0 * 0.2 / 1.2 + 0.1) * 1.3;
    const double singleFactor = (3.0 * 0.18 / 1.18 + 0.1) * 1.4;
    const Row rows[] = {{&Engine::processMultiBandMono, Engine::kStageLow, bandFactor},
                        {&Engine::processMultiBandMono, Engine::kStageMid, bandFactor},
                        {&Engine::processMultiBandMono, Engine::kStageHigh, bandFactor},
                        {&Engine::processMultiBandUnlinked, Engine::kStageHigh, bandFactor},
                        {&Engine::processMultiBandMono, Engine::kStageFinal, finalFactor},
                        {&Engine::processSingleBandMono, Engine::kStageFinal, singleFactor}};
    for (const Row& r : rows) {
        double step[2];
        for (int autoOn : {0, 1}) {
            auto e = threeBands();
            e->multiBand = r.kernel == &Engine::processSingleBandMono ? 0 : 1;
            e->autoRelease = autoOn;
            restart(*e, kRate);
            run(*e, r.kernel, Stereo(3 * 44100));
            const double start = r.stage == Engine::kStageFinal && e->multiBand ? 2.0 : 0.5;
            e->envelope[r.stage][0] = start;
            double out[2];
            const double in[2] = {0.0, 0.0};
            (e.get()->*r.kernel)(in, in, out, out + 1, 1);
            step[autoOn] = start - e->envelope[r.stage][0];
        }
        EXPECT_GT(step[0], 0.0);
        EXPECT_NEAR(step[1] / step[0], r.factor, 2e-3) << r.stage;
    }
    EXPECT_NEAR(bandFactor, 0.541, 5e-4);
}
