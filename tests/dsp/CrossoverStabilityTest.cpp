// The high crossover is designed at HighFreq, up to 16 kHz; at host rates
// below 32 kHz that lies at or above half the rate, where the Q 0.5 design
// puts its double pole outside the unit circle and the section runs away
// (found by the parameter-calls fuzz target: the default program at
// 22050 Hz turns silence into NaN within 900 frames).
//
// The engine designs at min(highFreqHz, 16000 / 44100 x R'), the angle 16 kHz
// has at 44.1 kHz, so every rate from 44.1 kHz up keeps its design exactly.

#include <gtest/gtest.h>

#include <cmath>

#include "EngineFixture.h"

using namespace ambrel;
using namespace ambrel::test;

namespace {

// A second-order section with a0 = 1 is stable inside the triangle
// |a2| < 1, |a1| < 1 + a2.
bool isStable(const BiquadCoefficients& c) { return std::fabs(c.a2) < 1.0 && std::fabs(c.a1) < 1.0 + c.a2; }

}  // namespace

TEST(CrossoverStability, HighCrossoverIsStableAtEveryRateAndFrequency) {
    for (const Edition* edition : {&fullEdition(), &siblingEdition()})
        for (double rate : {22050.0, 24000.0, 32000.0, 44100.0, 48000.0, 96000.0, 192000.0})
            for (int fat : {0, 1})
                for (double highFreq : {1000.0, 9190.0, 12126.0, 16000.0}) {
                    auto engine = std::make_unique<Engine>(*edition);
                    restart(*engine, rate, fat);
                    engine->highFreqHz = highFreq;
                    engine->updateFilters();
                    EXPECT_TRUE(isStable(engine->highCrossoverCoefficients))
                        << edition->effectName << " at " << rate << " Hz, FAT " << engine->oversample << ", HighFreq "
                        << highFreq << " Hz: a1 " << engine->highCrossoverCoefficients.a1 << ", a2 "
                        << engine->highCrossoverCoefficients.a2;
                }
}

TEST(CrossoverStability, RatesFromCdUpKeepTheirDesign) {
    // What the mend must not change: at 44.1 kHz and above every HighFreq is
    // designed where it is set, and stable.
    auto engine = std::make_unique<Engine>(fullEdition());
    for (double rate : {44100.0, 48000.0, 96000.0})
        for (double highFreq : {1000.0, 16000.0}) {
            restart(*engine, rate, 0);
            engine->highFreqHz = highFreq;
            engine->updateFilters();
            const BiquadCoefficients& c = engine->highCrossoverCoefficients;
            EXPECT_TRUE(isStable(c)) << rate << " " << highFreq;
            const double w = 2.0 * M_PI * highFreq / rate;
            EXPECT_NEAR(c.a1, -2.0 * std::cos(w) / (1.0 + std::sin(w)), 1e-12) << rate << " " << highFreq;
        }
}
