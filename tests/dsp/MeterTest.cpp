// Meter values, over counts and over flags as the editor reads them.

#include <gtest/gtest.h>

#include <iomanip>

#include "EngineFixture.h"

using namespace ambrel;
using namespace ambrel::test;

namespace {

std::vector<NamedKernel> allKernels() {
    std::vector<NamedKernel> kernels = processingKernels();
    kernels.push_back({"Off", &Engine::processOff, true, false});
    return kernels;
}

std::unique_ptr<Engine> metered(int mode, bool ppm) {
    auto e = makeEngine(fullEdition(), kRate);
    e->editorOpen = 1;
    e->meterMode = mode;
    e->meterTypeValue = ppm ? 1.0 : 0.0;
    e->vuIntegrationMs = 300.0;
    e->retuneVuSections();
    e->ppmIntegrationMs = 0.0;
    e->ppmReturnMs = 100.0;
    e->ppmRatio = 0.0;
    return e;
}

void configureFor(Engine& e, const NamedKernel& nk) {
    e.multiBand = nk.threeBands ? 1 : 0;
    e.processOn = nk.kernel == &Engine::processOff ? 0 : 1;
    restart(e, kRate);
}

}  // namespace

TEST(Meters, OverIndicatorLatchesAfterTheCountThreshold) {
    struct Row {
        double limit;
        int run;
        bool latched;
    };
    const Row rows[] = {{1, 1, true}, {10, 9, false}, {10, 10, true}, {3, 2, false}, {3, 3, true}};
    for (const NamedKernel& nk : allKernels()) {
        for (const Row& r : rows) {
            auto e = metered(Engine::kMeterPre, false);
            configureFor(*e, nk);
            e->overCountLimit = r.limit;
            // Two runs below the threshold separated by a quiet sample do not add up.
            Stereo in(300);
            for (int i = 0; i < r.run - 1; ++i) in.left[static_cast<std::size_t>(10 + i)] = 1.0;
            for (int i = 0; i < r.run; ++i) in.left[static_cast<std::size_t>(100 + i)] = -1.0;
            run(*e, nk.kernel, in);
            e->latchOvers();
            EXPECT_EQ(e->overFlagLeft.load(), r.latched ? 1.0f : 0.0f) << nk.name << " " << r.limit;
            // The mono kernels measure the left input on both meters.
            const bool monoMode = !nk.stereo;
            EXPECT_EQ(e->overFlagRight.load(), monoMode && r.latched ? 1.0f : 0.0f) << nk.name;
            EXPECT_EQ(e->takeOverFlagLeft(), r.latched ? 1.0f : 0.0f);
            EXPECT_EQ(e->overFlagLeft.load(), 0.0f);
            if (r.latched) {
                EXPECT_EQ(e->overCountLeft.load(), 0.0f);  // the latch restarts the count
            }
        }
    }
}

TEST(Meters, PostModeCountsOversAtTheOutput) {
    auto e = metered(Engine::kMeterPost, false);
    e->overCountLimit = 1;
    e->brickwall = 0;
    e->outputGain = 2.0;  // a -4 dB input ends above full scale at the output
    restart(*e, kRate);
    Stereo in = sine(4000, kRate, 500.0, 0.6, 0.0);
    run(*e, &Engine::processSingleBandUnlinked, in);
    e->latchOvers();
    EXPECT_EQ(e->overFlagLeft.load(), 1.0f);
    EXPECT_EQ(e->overFlagRight.load(), 0.0f);
}

TEST(Meters, GainReductionRestsAtExactlyOneWithNothingToLimit) {
    for (bool ppm : {false, true}) {
        for (const NamedKernel& nk : allKernels()) {
            auto e = metered(Engine::kMeterGainRed, ppm);
            e->driveGain = driveFor(0.6);
            e->ceilingGain = ceilingFor(0.4);
            e->updateKneeGains();
            configureFor(*e, nk);
            run(*e, nk.kernel, noise(3 * 44100, 0.01, 4));
            EXPECT_EQ(e->meterLeft.load(), 1.0f) << nk.name << " ppm " << ppm;
            EXPECT_EQ(e->meterRight.load(), 1.0f) << nk.name << " ppm " << ppm;
        }
    }
}

TEST(Meters, GainReductionFallsUnderLimiting) {
    for (bool ppm : {false, true}) {
        for (const NamedKernel& nk : processingKernels()) {
            auto e = metered(Engine::kMeterGainRed, ppm);
            e->driveGain = 4.0;
            e->updateKneeGains();
            configureFor(*e, nk);
            run(*e, nk.kernel, sine(44100, kRate, 300.0, 1.0, 1.0));
            // About 12 dB of drive pushed against the top: roughly a quarter.
            EXPECT_LT(e->meterLeft.load(), 0.35f) << nk.name << " ppm " << ppm;
            EXPECT_GT(e->meterLeft.load(), 0.15f) << nk.name << " ppm " << ppm;
        }
    }
}

TEST(Meters, PassedThroughChannelReadsTheCeiling) {
    for (bool threeBands : {false, true}) {
        for (double lr : {kLeftRightLeft, kLeftRightRight}) {
            auto e = metered(Engine::kMeterGainRed, false);
            e->ceilingGain = ceilingFor(0.3);
            e->updateKneeGains();
            e->multiBand = threeBands;
            e->leftRightValue = lr;
            restart(*e, kRate);
            run(*e, threeBands ? &Engine::processMultiBandMono : &Engine::processSingleBandMono,
                noise(3 * 44100, 0.01, 8));
            const float passed = lr == kLeftRightLeft ? e->meterRight.load() : e->meterLeft.load();
            const float processed = lr == kLeftRightLeft ? e->meterLeft.load() : e->meterRight.load();
            EXPECT_FLOAT_EQ(passed, static_cast<float>(e->ceilingGain));
            EXPECT_EQ(processed, 1.0f);
        }
    }
}

TEST(Meters, MinimumPpmIntegrationIsInstantAndUnscaled) {
    auto e = metered(Engine::kMeterPre, true);
    e->processOn = 0;
    const double in[3] = {0.5, 0.25, 0.0};
    const double inR[3] = {-0.125, 0.0, 0.0};
    double outL[3], outR[3];
    e->processOff(in, inR, outL, outR, 1);
    EXPECT_EQ(e->meterLeft.load(), 0.5f);  // fP = 1, lP = 1
    EXPECT_EQ(e->meterRight.load(), 0.125f);
    EXPECT_EQ(e->kernelCache.ppmAttack, 1.0);
    EXPECT_EQ(e->kernelCache.ppmLevel, 1.0);
    // A falling level returns with the return time, not at once.
    e->processOff(in + 1, inR + 1, outL, outR, 1);
    EXPECT_GT(e->meterLeft.load(), 0.25f);
    EXPECT_LT(e->meterLeft.load(), 0.5f);
}

TEST(Meters, PpmLevelFactorAndAttackFollowThePreferences) {
    auto e = metered(Engine::kMeterPre, true);
    e->processOn = 0;
    e->ppmIntegrationMs = 10.0;
    e->ppmReturnMs = 1000.0;
    e->ppmRatio = 0.01;
    const Stereo in = sine(44100, kRate, 1000.0, 0.5, 0.5);
    run(*e, &Engine::processOff, in);
    const double level = std::pow(10.0, 0.19 * std::pow(0.01, 0.6));
    EXPECT_NEAR(e->kernelCache.ppmLevel, level, 1e-12);
    EXPECT_NEAR(e->kernelCache.ppmAttack, 1.0 - std::pow(0.01, 1.0 / (10.0 * 44.1)), 1e-12);
    // The needle sits a little below the scaled peak: the return pulls it
    // down between the peaks that the 10 ms attack only partly follows.
    EXPECT_LT(e->meterLeft.load(), 0.5 * level);
    EXPECT_GT(e->meterLeft.load(), 0.35 * level);
}

TEST(Meters, VuReadsTheReferenceLevelForAFullSine) {
    auto e = metered(Engine::kMeterPre, false);
    e->processOn = 0;
    e->vuReferenceGain = dbToGain(-18.0);
    e->vuReferenceGainInverse = 1.0 / e->vuReferenceGain;
    // A sine at the reference level: the rectified average (2/pi) times the
    // calibration reads close to 1.
    const Stereo in = sine(3 * 44100, kRate, 1000.0, e->vuReferenceGain, e->vuReferenceGain);
    run(*e, &Engine::processOff, in);
    EXPECT_NEAR(e->meterLeft.load(), 2.0 / 3.141592653589793 * 1.4142136 * 1.096, 0.02);
}

TEST(Meters, RightOnlyMeasuresTheRightInput) {
    auto e = metered(Engine::kMeterPre, true);
    e->leftRightValue = kLeftRightRight;
    restart(*e, kRate);
    const double inL[1] = {0.25};
    const double inR[1] = {0.75};
    double outL[1], outR[1];
    e->processSingleBandMono(inL, inR, outL, outR, 1);
    EXPECT_EQ(e->meterLeft.load(), 0.25f);
    EXPECT_EQ(e->meterRight.load(), 0.75f);
}

TEST(Meters, FreezeWhileTheEditorIsClosed) {
    auto e = metered(Engine::kMeterPost, true);
    e->ppmIntegrationMs = 5.0;
    e->ppmRatio = 0.05;
    restart(*e, kRate);
    run(*e, &Engine::processSingleBandLinked, sine(20000, kRate, 200.0, 0.3, 0.3));
    const float frozen = e->meterLeft.load();
    EXPECT_GT(frozen, 0.1f);
    e->editorOpen = 0;
    Stereo loud = sine(20000, kRate, 200.0, 1.0, 1.0);
    loud.left[19000] = 4.0;
    run(*e, &Engine::processSingleBandLinked, loud);
    EXPECT_EQ(e->meterLeft.load(), frozen);
    EXPECT_EQ(e->overCountLeft.load(), 0.0f);
    e->editorOpen = 1;
    run(*e, &Engine::processSingleBandLinked, Stereo(4000));
    EXPECT_LT(e->meterLeft.load(), frozen);  // resumes from the frozen value, falling
    EXPECT_GT(e->meterLeft.load(), 0.0f);
}
