#include <gtest/gtest.h>

#include <cmath>

#include "EngineFixture.h"
#include "dsp/FilterSection.h"

using namespace ambrel;
using namespace ambrel::test;

namespace {

// Samples a one-pole step with coefficient c needs to reach 95 % of a step.
double stepSamples(double c) { return std::log(0.05) / std::log(1.0 - c); }

}  // namespace

TEST(EngineRates, RateBandsOfBothEditions) {
    struct Row {
        const Edition* edition;
        double rate;
        int fat;
        int n, m, oversample;
        double processRate;
    };
    const Row rows[] = {
        {&fullEdition(), 44100, 0, 512, 256, 0, 44100},      {&fullEdition(), 44100, 1, 512, 256, 1, 88200},
        {&fullEdition(), 96000, 1, 1024, 512, 1, 192000},    {&fullEdition(), 176400, 1, 2048, 1024, 0, 176400},
        {&fullEdition(), 192000, 0, 2048, 1024, 0, 192000},  {&siblingEdition(), 44100, 1, 128, 64, 0, 44100},
        {&siblingEdition(), 96000, 0, 256, 128, 0, 96000},   {&siblingEdition(), 192000, 0, 512, 256, 0, 192000},
    };
    for (const Row& r : rows) {
        Engine e(*r.edition);
        e.oversample = r.fat;
        e.setHostRate(r.rate);
        EXPECT_EQ(e.delayLength, r.n) << r.rate;
        EXPECT_EQ(e.lookAheadLength, r.m) << r.rate;
        EXPECT_EQ(e.oversample, r.oversample) << r.rate;
        EXPECT_DOUBLE_EQ(e.processRate, r.processRate) << r.rate;
    }
}

TEST(EngineRates, OversamplingIsRefusedAgainOnEveryCoefficientUpdate) {
    Engine e(fullEdition());
    e.setHostRate(176400);
    e.oversample = 1;  // set behind the engine's back, as FAT would at this rate
    e.updateTimeConstants();
    EXPECT_EQ(e.oversample, 0);
    EXPECT_DOUBLE_EQ(e.processRate, 176400);
    e.oversample = 1;
    e.updateFilters();
    EXPECT_EQ(e.oversample, 0);
}

TEST(EngineTimeConstants, SpeedZeroWindows) {
    struct Row {
        int oversample;
        int attack, final;
    };
    for (const Row r : {Row{0, 3, 9}, Row{1, 6, 19}}) {
        Engine e(fullEdition());
        e.speed = 0.0;
        restart(e, 44100, r.oversample);
        EXPECT_EQ(e.attackSamples, r.attack);
        EXPECT_EQ(e.finalSamples, r.final);
        EXPECT_NEAR(stepSamples(e.attackCoef), r.attack, 1e-9);
        EXPECT_NEAR(stepSamples(e.finalAttackCoef), r.final, 1e-9);
    }
}

TEST(EngineTimeConstants, SpeedOneWindowsAreAboutOnePointTwoMilliseconds) {
    Engine e(fullEdition());
    e.speed = 1.0;
    restart(e, 48000);
    EXPECT_EQ(e.attackSamples, 57);  // 1.2 ms
    EXPECT_EQ(e.finalSamples, 57);   // (14 x 0.075 + 0.15) ms
}

TEST(EngineTimeConstants, LongMultipliesBandReleasesBySeventeen) {
    for (double s : {0.0, 0.4, 1.0}) {
        Engine plain(fullEdition());
        Engine longer(fullEdition());
        for (Engine* e : {&plain, &longer}) {
            e->speed = s;
            e->releaseFactor = 0.5;
            e->lowRel = 0.25;
            e->midRel = 2.0;
            e->highRel = 8.0;
        }
        longer.longRelease = 1;
        plain.updateTimeConstants();
        longer.updateTimeConstants();
        EXPECT_NEAR(stepSamples(longer.releaseCoef) / stepSamples(plain.releaseCoef), 17.0, 1e-6);
        EXPECT_NEAR(stepSamples(longer.lowReleaseCoef) / stepSamples(plain.lowReleaseCoef), 17.0, 1e-6);
        EXPECT_NEAR(stepSamples(longer.midReleaseCoef) / stepSamples(plain.midReleaseCoef), 17.0, 1e-6);
        EXPECT_NEAR(stepSamples(longer.highReleaseCoef) / stepSamples(plain.highReleaseCoef), 17.0, 1e-6);
        // The band factor scales the release time of its band.
        EXPECT_NEAR(stepSamples(plain.highReleaseCoef) / stepSamples(plain.releaseCoef), 8.0, 1e-6);

        // The final limiter follows its own formula.
        const double rel = 0.5;
        const double expectedMs =
            std::pow(24.0, (s * (rel * 0.7139) + 1.0) * s * 2.0) * 0.65 + 1.35;
        EXPECT_NEAR(stepSamples(longer.finalReleaseCoef), expectedMs * 44.1, 1e-6 * expectedMs * 44.1);
        const double plainMs = std::pow(24.0, s) * 0.65 + 1.35;
        EXPECT_NEAR(stepSamples(plain.finalReleaseCoef), plainMs * 44.1, 1e-6 * plainMs * 44.1);
    }
}

TEST(EngineTimeConstants, LinkedReleaseScale) {
    Engine e(fullEdition());
    e.releaseValue = 0.5;
    e.updateTimeConstants();
    EXPECT_NEAR(e.linkedReleaseScale, 0.5 * std::pow(4.0, 0.25), 1e-12);
    e.longRelease = 1;
    e.updateTimeConstants();
    EXPECT_NEAR(e.linkedReleaseScale, 0.5 * std::pow(4.0 * 16.0, 0.25), 1e-12);
}

TEST(EngineTimeConstants, ReadIndicesKeepThePathLength) {
    Engine e(fullEdition());
    for (int multiBand : {0, 1}) {
        e.multiBand = multiBand;
        e.speed = 0.3;
        restart(e, 44100);
        const int n = e.delayLength, m = e.lookAheadLength;
        EXPECT_EQ(e.ringWrite, n - 1);
        EXPECT_EQ((e.lookWrite - e.lookRead + m) % m, e.attackSamples + 1);
        EXPECT_EQ((e.lookWrite - e.finalRead + m) % m, e.finalSamples + 1);
        const int wetOffset = (e.wetRead - e.ringWrite + n) % n;
        EXPECT_EQ(wetOffset, multiBand ? e.finalSamples + e.attackSamples + 3 : e.attackSamples + 2);
    }
}

TEST(EngineCurve, KneeInverseUndoesTheCurve) {
    struct Row {
        int shape;
        double k;
    };
    for (const Row r : {Row{0, 0.0}, Row{0, 0.3}, Row{0, 1.0}, Row{1, 0.0}, Row{1, 0.5}, Row{1, 1.0}}) {
        Engine e(fullEdition());
        e.kneeShape = r.shape;
        e.kneeAmount = r.k;
        double previous = -1.0;
        for (double u : {0.0, 0.05, 0.3, 0.7, 0.95, 0.999}) {
            const double x = e.kneeInverse(u);
            EXPECT_NEAR(e.saturate(x), u, 1e-12) << r.shape << " " << r.k << " " << u;
            EXPECT_GT(x, previous);
            previous = x;
        }
        EXPECT_DOUBLE_EQ(e.kneeInverse(1.5), 1.5);
        EXPECT_DOUBLE_EQ(e.saturate(1.0), 1.0);
        EXPECT_DOUBLE_EQ(e.saturate(0.0), 0.0);
        EXPECT_DOUBLE_EQ(e.saturate(50.0), 1.0);
    }
}

TEST(EngineCurve, HardKneeAndParabola) {
    Engine e(fullEdition());
    e.kneeShape = 0;
    e.kneeAmount = 0.0;
    EXPECT_DOUBLE_EQ(e.saturate(0.4), 0.4);
    EXPECT_DOUBLE_EQ(e.saturate(1.7), 1.0);
    e.kneeAmount = 1.0;
    EXPECT_DOUBLE_EQ(e.saturate(0.5), 0.75);
    EXPECT_DOUBLE_EQ(Engine::kneeAOf(1.0), 1.4);
    EXPECT_DOUBLE_EQ(Engine::kneeAOf(0.0), 42.0);
}

TEST(EngineKneeGains, KneeInputScaleAroundZeroDecibelCeiling) {
    for (double kneeValue : {0.0, 0.1, 0.6}) {
        Engine e(fullEdition());
        setKnee(e, kneeValue);
        for (double ceilingValue : {0.3, 0.5}) {  // below and at 0 dB
            e.ceilingGain = ceilingFor(ceilingValue);
            e.updateKneeGains();
            EXPECT_DOUBLE_EQ(e.kneeInputScale, 1.0 / e.ceilingGain);
            EXPECT_DOUBLE_EQ(e.ceilingOut, e.ceilingGain);
        }
        e.ceilingGain = ceilingFor(0.8);  // above 0 dB: the curve reaches 1 / ceiling
        e.updateKneeGains();
        if (kneeValue == 0.0) {
            EXPECT_DOUBLE_EQ(e.kneeInputScale, 1.0 / e.ceilingGain);
        } else {
            EXPECT_LT(e.kneeInputScale, 1.0 / e.ceilingGain);
        }
        EXPECT_NEAR(e.saturate(e.kneeInputScale), 1.0 / e.ceilingGain, 1e-12);
    }
}

TEST(EngineKneeGains, SmallSignalGainIsTheSlopeAtSilence) {
    for (double kneeValue : {0.0, 0.2, 0.5, 1.0}) {
        Engine e(fullEdition());
        setKnee(e, kneeValue);
        e.driveGain = driveFor(0.7);
        e.ceilingGain = ceilingFor(0.7);
        e.updateKneeGains();
        const double x = 1e-7;
        const double slope = e.saturate(x * e.kneeInputScale) / x;
        EXPECT_NEAR(e.smallSignalGain, slope * e.driveGain * e.ceilingOut, 1e-5 * e.smallSignalGain) << kneeValue;
        // Drive alone only needs the last step.
        const double before = e.smallSignalGain;
        e.driveGain = e.driveGain * 2.0;
        e.updateSmallSignalGain();
        EXPECT_NEAR(e.smallSignalGain, 2.0 * before, 1e-12 * before);
    }
}

TEST(FilterSectionTest, UnityAtDcAndLimitedCutOff) {
    FilterSection f(44100.0, 30000.0, 0.5);
    EXPECT_DOUBLE_EQ(f.frequency, 0.499 * 44100.0);
    f.setRate(48000.0);
    f.setFrequency(200.0);
    double y = 0.0;
    for (int i = 0; i < 20000; ++i) y = f.tick(1.0);
    EXPECT_NEAR(y, 1.0, 1e-12);
    // The offset flips sign on every tick.
    const double before = f.antiDenormal;
    f.tick(0.0);
    EXPECT_EQ(f.antiDenormal, -before);
    f.reset();
    EXPECT_EQ(f.y1, 0.0);
    EXPECT_EQ(f.x1, 0.0);
}

TEST(FilterSectionTest, AttenuatesAboveCutOff) {
    FilterSection f(44100.0, 20.0, 0.5);
    double peak = 0.0;
    for (int i = 0; i < 44100; ++i) {
        const double y = f.tick(std::sin(6.283185307179586 * 2000.0 * i / 44100.0));
        if (i > 22050) peak = std::max(peak, std::fabs(y));
    }
    EXPECT_LT(peak, 1e-3);  // two poles, 100 times the cut-off
}

TEST(EngineReset, ClearDelayLinesClearsOverFlagsAndResetDetectorsTheEnvelopes) {
    auto e = makeEngine(fullEdition());
    e->overFlagLeft = 1.0f;
    e->overFlagRight = 1.0f;
    e->dryRing[0][5] = 3.0;
    e->peakTracker[2][1][7] = 2.0;
    e->envelope[1][1] = 0.7;
    e->protectState[1].y1 = 0.3;
    e->fastSection[0][0].y1 = 0.2;
    e->clearDelayLines();
    EXPECT_EQ(e->overFlagLeft.load(), 0.0f);
    EXPECT_EQ(e->overFlagRight.load(), 0.0f);
    EXPECT_EQ(e->dryRing[0][5], 0.0);
    EXPECT_EQ(e->peakTracker[2][1][7], 0.0);
    e->resetDetectors();
    EXPECT_EQ(e->envelope[1][1], 1e-4);
    EXPECT_EQ(e->protectState[1].y1, 0.0);
    EXPECT_EQ(e->fastSection[0][0].y1, 0.0);
}
