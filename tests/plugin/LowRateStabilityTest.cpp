// Host rates from 22050 Hz up must give finite output with every program.
// Found by the parameter-calls fuzz target: at 22050 Hz the default program's
// HighFreq of 16 kHz lies above half the rate, the high crossover section
// runs away and silence turns into NaN within 900 frames (24 kHz: 1200).
// The engine now holds the crossover design below half the rate
// (see tests/dsp/CrossoverStabilityTest.cpp).

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/Ambrel.h"
#include "tests/plugin/LoadedPlugin.h"
#include "tests/support/TempFolder.h"

using namespace ambrel;
using plugintest::Host;

TEST(LowRateStability, EveryProgramStaysFiniteAtLowRates) {
    testsupport::TempSettingsStore settings;
    for (const Edition* edition : {&fullEdition(), &siblingEdition()})
        for (float rate : {22050.0f, 24000.0f, 32000.0f}) {
            Ambrel effect(&Host::callback, *edition);
            effect.setSampleRate(rate);
            effect.resume();
            for (int program = 1; program < kProgramSlots; ++program) {
                effect.selectProgram(program);
                effect.resume();  // from silence, so one program's fault does not carry into the next
                std::vector<float> l(4096), r(4096), ol(4096), orr(4096);
                for (std::size_t i = 0; i < l.size(); ++i) {
                    l[i] = static_cast<float>(0.5 * std::sin(0.05 * static_cast<double>(i)));
                    r[i] = -l[i];
                }
                float* in[2] = {l.data(), r.data()};
                float* out[2] = {ol.data(), orr.data()};
                effect.processReplacing(in, out, 4096);
                bool finite = true;
                for (std::size_t i = 0; i < ol.size(); ++i) finite = finite && std::isfinite(ol[i]) && std::isfinite(orr[i]);
                EXPECT_TRUE(finite) << edition->effectName << " at " << rate << " Hz, program " << program;
            }
        }
}
