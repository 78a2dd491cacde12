// The effect object's own life: what construction leaves, suspend and resume
// at any rate, the latency queries, and the over latch of the callback.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/Ambrel.h"
#include "tests/plugin/LoadedPlugin.h"
#include "tests/support/TempFolder.h"

using namespace ambrel;
using plugintest::Host;

namespace {

class AmbrelLifecycle : public ::testing::Test {
protected:
    void SetUp() override { Host::instance() = Host{}; }
    testsupport::TempSettingsStore settings;
};

void processSilenceWithPeak(Ambrel& effect, int frames, int loudFrames) {
    std::vector<float> l(static_cast<size_t>(frames), 0.0f), r(static_cast<size_t>(frames), 0.0f), ol(l), orr(l);
    for (int i = 0; i < loudFrames; ++i) l[static_cast<size_t>(i)] = 1.0f;
    float* in[2] = {l.data(), r.data()};
    float* out[2] = {ol.data(), orr.data()};
    effect.processReplacing(in, out, frames);
}

}  // namespace

TEST_F(AmbrelLifecycle, ConstructionLeavesProgramZeroAppliedAndTheEffectSuspended) {
    Ambrel effect(&Host::callback, fullEdition());
    EXPECT_TRUE(effect.isSuspended());
    char name[32] = {};
    effect.getProgramName(name);
    EXPECT_STREQ(name, "Current");
    EXPECT_EQ(effect.getCurrentProgramIndex(), 0);
    EXPECT_FLOAT_EQ(effect.getParameter(12), 1.0f);  // Mix of "Default"
    EXPECT_FLOAT_EQ(effect.getParameter(14), 0.5f);
    EXPECT_EQ(effect.engine().oversample, 0);
    // FAT off is reported to the host before the programs are applied.
    const auto& requests = Host::instance().requests;
    auto firstAutomate = std::find_if(requests.begin(), requests.end(),
                                      [](const plugintest::HostRequest& r) { return r.opcode == audioMasterAutomate; });
    ASSERT_NE(firstAutomate, requests.end());
    EXPECT_EQ(firstAutomate->index, 26);
    EXPECT_FLOAT_EQ(firstAutomate->opt, 0.0f);
}

TEST_F(AmbrelLifecycle, SiblingClearsOversamplingWithoutTellingTheHost) {
    Ambrel effect(&Host::callback, siblingEdition());
    const auto& requests = Host::instance().requests;
    // Its first automation is program 0's parameter 0, inside begin/end edit.
    auto firstAutomate = std::find_if(requests.begin(), requests.end(),
                                      [](const plugintest::HostRequest& r) { return r.opcode == audioMasterAutomate; });
    ASSERT_NE(firstAutomate, requests.end());
    EXPECT_EQ(firstAutomate->index, 0);
    effect.setParameter(31, 1.0f);
    EXPECT_EQ(effect.engine().oversample, 0);
    EXPECT_FLOAT_EQ(effect.getParameter(31), 0.0f);
}

TEST_F(AmbrelLifecycle, SampleRatesAndLatency) {
    struct Row { float set; float taken; int latencyFull; int latencySibling; int delay; int lookAhead; };
    const Row rows[] = {
        {44100, 44100, 639, 127, 512, 256},   {48000, 48000, 639, 127, 512, 256},
        {88200, 88200, 1151, 255, 1024, 512}, {96000, 96000, 1151, 255, 1024, 512},
        {176400, 176400, 2175, 511, 2048, 1024}, {192000, 192000, 2175, 511, 2048, 1024},
        {8000, 22050, 639, 127, 512, 256},   {400000, 192000, 2175, 511, 2048, 1024},
    };
    Ambrel full(nullptr, fullEdition());
    Ambrel sibling(nullptr, siblingEdition());
    for (const Row& r : rows) {
        full.setSampleRate(r.set);
        sibling.setSampleRate(r.set);
        EXPECT_FLOAT_EQ(full.getSampleRate(), r.taken) << r.set;
        EXPECT_EQ(full.getLatencySamples(), r.latencyFull) << r.set;
        EXPECT_EQ(full.getAeffect()->initialDelay, r.latencyFull) << r.set;
        EXPECT_EQ(sibling.getLatencySamples(), r.latencySibling) << r.set;
        EXPECT_EQ(full.delayLength(), r.delay) << r.set;
        EXPECT_EQ(full.lookAheadLength(), r.lookAhead) << r.set;
        EXPECT_NEAR(full.getLatencyMs(), r.latencyFull * 1000.0 / r.taken, 1e-9) << r.set;
    }
}

TEST_F(AmbrelLifecycle, FatIsUnavailableAboveOneHundredKilohertz) {
    Ambrel effect(nullptr, fullEdition());
    effect.setSampleRate(96000);
    effect.setParameter(26, 1.0f);
    EXPECT_EQ(effect.engine().oversample, 1);
    effect.setSampleRate(176400);
    EXPECT_EQ(effect.engine().oversample, 0);
    effect.setParameter(26, 1.0f);
    EXPECT_EQ(effect.engine().oversample, 0);
    EXPECT_FLOAT_EQ(effect.getParameter(26), 1.0f);  // the stored value still reads back
    EXPECT_EQ(effect.getLatencySamples(), 2175);
}

TEST_F(AmbrelLifecycle, OverLatchRespectsTheCountLimit) {
    Ambrel effect(nullptr, fullEdition());
    effect.setParameter(0, 0.0f);  // processOff: the over count reads the input
    effect.setParameter(21, 0.0f); // " Pre "
    effect.resume();
    effect.engine().editorOpen = 1;
    // The full edition's input stage delays by 64 samples: calls of 256 frames
    // hold each burst whole.
    effect.setParameter(47, 0.0f);  // one sample is enough
    processSilenceWithPeak(effect, 256, 1);
    EXPECT_FLOAT_EQ(effect.engine().takeOverFlagLeft(), 1.0f);
    effect.setParameter(47, 1.0f);  // ten in a row
    processSilenceWithPeak(effect, 256, 9);
    EXPECT_FLOAT_EQ(effect.engine().takeOverFlagLeft(), 0.0f);
    processSilenceWithPeak(effect, 256, 10);
    EXPECT_FLOAT_EQ(effect.engine().takeOverFlagLeft(), 1.0f);
}

TEST_F(AmbrelLifecycle, PreferencesSurviveTheInstance) {
    {
        Ambrel effect(nullptr, fullEdition());
        effect.setParameter(47, 0.3f);
        effect.setParameter(43, 0.25f);
    }
    Ambrel next(nullptr, fullEdition());
    EXPECT_NEAR(next.getParameter(47), 3.0f / 9.0f, 1e-6);
    EXPECT_FLOAT_EQ(next.getParameter(43), 0.25f);
    EXPECT_DOUBLE_EQ(next.engine().overCountLimit, 4.0);
}

TEST_F(AmbrelLifecycle, ZeroFramesStillLatchesOvers) {
    Ambrel effect(nullptr, fullEdition());
    effect.resume();
    effect.setParameter(47, 0.5f);  // six samples
    effect.engine().overCountLeft = 6.0f;
    float* none[2] = {nullptr, nullptr};
    effect.processReplacing(none, none, 0);
    effect.processReplacing(none, none, -3);
    EXPECT_FLOAT_EQ(effect.engine().takeOverFlagLeft(), 1.0f);
}
