// The plug-in binaries as a host sees them: descriptor, identity, dispatcher
// answers, latency, block handling and robustness, for both editions.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "tests/plugin/LoadedPlugin.h"

using namespace plugintest;

namespace {

struct EditionFacts {
    const char* name;
    const char* path;
    const char* effectName;
    const char* productString;
    VstInt32 uniqueId;
    VstInt32 numParams;
    int fatIndex;  // -1: no oversampling
    int leftRightIndex;
    int latency44k, latency96k, latency192k;
};

const EditionFacts kEditions[] = {
    {"Full", AMBREL_FULL_PLUGIN, "ZEM Ambrel2", "ZEM Ambrel2 - analog saturation & compression emulator",
     0x424C4F51, 42, 26, 30, 639, 1151, 2175},
    {"Sibling", AMBREL_SIBLING_PLUGIN, "ZEM Ambrel", "ZEM Ambrel - analog saturation & compression emulator",
     0x426C4F51, 48, -1, 36, 127, 255, 511},
};

void PrintTo(const EditionFacts& facts, std::ostream* os) { *os << facts.name; }

class PluginTest : public ::testing::TestWithParam<EditionFacts> {
protected:
    void SetUp() override {
        useTemporarySettingsFolder();
        Host::instance() = Host{};
        plugin_ = std::make_unique<LoadedPlugin>(GetParam().path);
        ASSERT_TRUE(plugin_->loaded()) << plugin_->error();
        effect_ = plugin_->create();
        ASSERT_NE(effect_, nullptr);
    }
    void TearDown() override {
        if (effect_) dispatch(effect_, effClose);
        effect_ = nullptr;
    }

    void setRate(float rate) {
        dispatch(effect_, effSetSampleRate, 0, 0, nullptr, rate);
        dispatch(effect_, effMainsChanged, 0, 1);
    }
    void set(int index, float value) { effect_->setParameter(effect_, index, value); }

    // Runs a stereo signal through processReplacing in calls of `callFrames`.
    std::vector<float> run(const std::vector<float>& left, const std::vector<float>& right, int callFrames,
                           std::vector<float>* rightOut = nullptr) {
        const size_t n = left.size();
        std::vector<float> outL(n), outR(n);
        for (size_t done = 0; done < n;) {
            const int frames = static_cast<int>(std::min<size_t>(callFrames, n - done));
            float* in[2] = {const_cast<float*>(left.data() + done), const_cast<float*>(right.data() + done)};
            float* out[2] = {outL.data() + done, outR.data() + done};
            effect_->processReplacing(effect_, in, out, frames);
            done += static_cast<size_t>(frames);
        }
        if (rightOut) *rightOut = outR;
        return outL;
    }

    std::unique_ptr<LoadedPlugin> plugin_;
    AEffect* effect_ = nullptr;
};

size_t peakIndex(const std::vector<float>& x) {
    size_t best = 0;
    for (size_t i = 1; i < x.size(); ++i)
        if (std::fabs(x[i]) > std::fabs(x[best])) best = i;
    return best;
}

}  // namespace

TEST_P(PluginTest, DescriptorAndIdentity) {
    const EditionFacts& f = GetParam();
    EXPECT_EQ(effect_->magic, kEffectMagic);
    EXPECT_EQ(effect_->numPrograms, 1);
    EXPECT_EQ(effect_->numParams, f.numParams);
    EXPECT_EQ(effect_->numInputs, 2);
    EXPECT_EQ(effect_->numOutputs, 2);
    EXPECT_NE(effect_->flags & effFlagsCanReplacing, 0);
    EXPECT_NE(effect_->flags & effFlagsCanDoubleReplacing, 0);
    EXPECT_EQ(effect_->flags & effFlagsProgramChunks, 0);
    EXPECT_EQ(effect_->initialDelay, f.latency44k);
    EXPECT_FLOAT_EQ(effect_->ioRatio, 1.0f);
    EXPECT_EQ(effect_->uniqueID, f.uniqueId);
    EXPECT_EQ(effect_->version, 1);
    EXPECT_NE(effect_->process, nullptr);
    EXPECT_NE(plugin_->symbol("main"), nullptr);

    char text[256] = {};
    EXPECT_EQ(dispatch(effect_, effGetEffectName, 0, 0, text), 1);
    EXPECT_STREQ(text, f.effectName);
    EXPECT_EQ(dispatch(effect_, effGetProductString, 0, 0, text), 1);
    EXPECT_STREQ(text, f.productString);
    EXPECT_EQ(dispatch(effect_, effGetVendorString, 0, 0, text), 1);
    EXPECT_GT(std::strlen(text), 4u);
    EXPECT_EQ(dispatch(effect_, effGetVendorVersion), 2310);
    EXPECT_EQ(dispatch(effect_, effGetPlugCategory), kPlugCategMastering);
    EXPECT_EQ(dispatch(effect_, effGetVstVersion), 2400);
    EXPECT_EQ(dispatch(effect_, effIdentify), kEffectIdentify);
}

TEST_P(PluginTest, DispatcherAnswers) {
    char text[256] = {};
    char query[] = "receiveVstMidiEvent";
    EXPECT_EQ(dispatch(effect_, effCanDo, 0, 0, query), 0);
    char bypass[] = "bypass";
    EXPECT_EQ(dispatch(effect_, effCanDo, 0, 0, bypass), 0);
    EXPECT_EQ(dispatch(effect_, effGetTailSize), 0);
    EXPECT_EQ(dispatch(effect_, effCanBeAutomated, 5), 1);
    EXPECT_EQ(dispatch(effect_, effString2Parameter, 5, 0, text), 0);
    EXPECT_EQ(dispatch(effect_, effSetTotalSampleToProcess, 0, 12345), 12345);
    EXPECT_EQ(dispatch(effect_, effSetProcessPrecision, 0, 1), 1);
    EXPECT_EQ(dispatch(effect_, effGetCurrentMidiProgram), -1);
    EXPECT_EQ(dispatch(effect_, effGetNumMidiInputChannels), 0);
    EXPECT_EQ(dispatch(effect_, effProcessEvents), 0);
    void* chunk = &text;
    EXPECT_EQ(dispatch(effect_, effGetChunk, 0, 0, &chunk), 0);

    // One program for the host, always number 0, named after slot 0.
    dispatch(effect_, effSetProgram, 0, 7);
    EXPECT_EQ(dispatch(effect_, effGetProgram), 0);
    dispatch(effect_, effGetProgramName, 0, 0, text);
    EXPECT_STREQ(text, "Current");
    EXPECT_EQ(dispatch(effect_, effGetProgramNameIndexed, 0, 0, text), 1);
    EXPECT_STREQ(text, "Current");
    std::strcpy(text, "untouched");
    EXPECT_EQ(dispatch(effect_, effGetProgramNameIndexed, 1, 0, text), 0);
    EXPECT_STREQ(text, "untouched");
    char name[] = "My Mastering Chain";
    dispatch(effect_, effSetProgramName, 0, 0, name);
    dispatch(effect_, effGetProgramName, 0, 0, text);
    EXPECT_STREQ(text, name);

    // Pins: "My 1 In" stereo, "My 2 In", nothing for a third.
    VstPinProperties pin;
    std::memset(&pin, 0xAB, sizeof pin);
    EXPECT_EQ(dispatch(effect_, effGetInputProperties, 0, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "My 1 In");
    EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
    EXPECT_EQ(dispatch(effect_, effGetOutputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "My 2 Out");
    EXPECT_EQ(pin.flags, kVstPinIsActive);
    VstPinProperties untouched;
    std::memset(&untouched, 0xAB, sizeof untouched);
    pin = untouched;
    EXPECT_EQ(dispatch(effect_, effGetInputProperties, 2, 0, &pin), 0);
    EXPECT_EQ(std::memcmp(&pin, &untouched, sizeof pin), 0);

    VstSpeakerArrangement* arrangements[2] = {reinterpret_cast<VstSpeakerArrangement*>(&pin),
                                              reinterpret_cast<VstSpeakerArrangement*>(&pin)};
    EXPECT_EQ(dispatch(effect_, effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&arrangements[0]),
                       &arrangements[1]),
              0);
    EXPECT_EQ(arrangements[0], nullptr);
    EXPECT_EQ(arrangements[1], nullptr);

    // Without an editor object the editor requests answer 0.
    ERect* rect = nullptr;
    if (!(effect_->flags & effFlagsHasEditor)) {
        EXPECT_EQ(dispatch(effect_, effEditGetRect, 0, 0, &rect), 0);
        EXPECT_EQ(dispatch(effect_, effEditOpen), 0);
    }
}

TEST_P(PluginTest, MainsOnTwiceRunsSuspendFirst) {
    Host& host = Host::instance();
    host.requests.clear();  // the effect ends its construction suspended
    dispatch(effect_, effMainsChanged, 0, 1);
    const int first = host.count(audioMasterGetBlockSize);
    dispatch(effect_, effMainsChanged, 0, 1);
    const int second = host.count(audioMasterGetBlockSize) - first;
    EXPECT_EQ(first, 1);   // resume alone
    EXPECT_EQ(second, 3);  // suspend (with its own resume), then resume
}

TEST_P(PluginTest, ImpulseComesOutAtTheReportedLatencyInEveryKernel) {
    const EditionFacts& f = GetParam();
    struct Kernel { const char* name; float process, mode, monoStereo, link, leftRight; };
    const Kernel kernels[] = {
        {"off", 0, 0, 1, 1, 0},           {"single mono", 1, 0, 0, 1, 0},
        {"single left", 1, 0, 0, 1, 0.5f}, {"single right", 1, 0, 0, 1, 1},
        {"single linked", 1, 0, 1, 1, 0}, {"single unlinked", 1, 0, 1, 0, 0},
        {"multi mono", 1, 1, 0, 1, 0},    {"multi linked", 1, 1, 1, 1, 0},
        {"multi unlinked", 1, 1, 1, 0, 0},
    };
    struct Rate { float rate; int latency; };
    const Rate rates[] = {{44100, f.latency44k}, {96000, f.latency96k}, {192000, f.latency192k}};
    for (const Rate& r : rates) {
        for (int fat = 0; fat <= (f.fatIndex >= 0 ? 1 : 0); ++fat) {
            for (const Kernel& k : kernels) {
                if (f.fatIndex >= 0) set(f.fatIndex, static_cast<float>(fat));
                set(0, k.process);
                set(1, k.mode);
                set(2, k.monoStereo);
                set(3, k.link);
                set(f.leftRightIndex, k.leftRight);
                set(29, 0.0f);  // no clip; the sibling's 29 is a spare
                setRate(r.rate);
                ASSERT_EQ(effect_->initialDelay, r.latency);
                const size_t n = static_cast<size_t>(r.latency) + 2000;
                std::vector<float> in(n, 0.0f);
                in[300] = 0.25f;
                std::vector<float> right;
                std::vector<float> out = run(in, in, 512, &right);
                const size_t expected = 300 + static_cast<size_t>(r.latency);
                EXPECT_EQ(peakIndex(out), expected) << k.name << " at " << r.rate << " FAT " << fat;
                EXPECT_EQ(peakIndex(right), expected) << k.name << " at " << r.rate << " FAT " << fat;
                EXPECT_GT(std::fabs(out[expected]), 0.2f) << k.name;
            }
        }
    }
}

TEST_P(PluginTest, OutputDoesNotDependOnTheHostBlockSize) {
    set(1, 1.0f);  // three bands, the most state
    set(4, 0.8f);  // drive into limiting
    if (GetParam().fatIndex >= 0) set(GetParam().fatIndex, 1.0f);
    setRate(44100);
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> noise(-0.9f, 0.9f);
    std::vector<float> left(9000), right(9000);
    for (size_t i = 0; i < left.size(); ++i) {
        left[i] = noise(rng);
        right[i] = 0.5f * noise(rng);
    }
    std::vector<float> reference, referenceRight;
    for (int frames : {64, 1, 37, 100, 4096}) {
        dispatch(effect_, effMainsChanged, 0, 0);
        dispatch(effect_, effMainsChanged, 0, 1);
        std::vector<float> outRight;
        std::vector<float> out = run(left, right, frames, &outRight);
        if (reference.empty()) {
            reference = out;
            referenceRight = outRight;
            continue;
        }
        EXPECT_EQ(out, reference) << frames << " frames per call";
        EXPECT_EQ(outRight, referenceRight) << frames << " frames per call";
    }
}

TEST_P(PluginTest, DoublePrecisionAgreesWithSinglePrecision) {
    set(4, 0.7f);
    setRate(48000);
    const size_t n = 4000;
    std::vector<float> left(n), right(n);
    for (size_t i = 0; i < n; ++i) {
        left[i] = 0.8f * std::sin(0.01f * static_cast<float>(i));
        right[i] = 0.6f * std::sin(0.023f * static_cast<float>(i));
    }
    std::vector<float> single = run(left, right, 256);
    dispatch(effect_, effMainsChanged, 0, 0);
    dispatch(effect_, effMainsChanged, 0, 1);
    std::vector<double> dl(left.begin(), left.end()), dr(right.begin(), right.end()), ol(n), orr(n);
    double* in[2] = {dl.data(), dr.data()};
    double* out[2] = {ol.data(), orr.data()};
    effect_->processDoubleReplacing(effect_, in, out, static_cast<VstInt32>(n));
    for (size_t i = 0; i < n; ++i) ASSERT_NEAR(ol[i], single[i], 1e-6) << i;
}

TEST_P(PluginTest, ProcessOffIsAPureDelay) {
    set(0, 0.0f);
    setRate(44100);
    const int latency = effect_->initialDelay;
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    std::vector<float> in(5000);
    for (float& x : in) x = noise(rng);
    std::vector<float> out = run(in, in, 333);
    // With oversampling off the 64-sample delays through the resampler histories are exact copies.
    for (size_t i = static_cast<size_t>(latency); i < in.size(); ++i)
        ASSERT_FLOAT_EQ(out[i], in[i - static_cast<size_t>(latency)]) << i;
}

TEST_P(PluginTest, OneConnectedOutputCarriesTheRightChannel) {
    set(0, 0.0f);
    setRate(44100);
    Host::instance().outputPinAnswer = 1;  // second output not connected
    const size_t n = 2000;
    std::vector<float> left(n, 0.0f), right(n, 0.0f);
    left[10] = 0.5f;
    right[20] = -0.75f;
    std::vector<float> out = run(left, right, 512);
    const size_t latency = static_cast<size_t>(effect_->initialDelay);
    EXPECT_NEAR(out[20 + latency], -0.75f, 1e-6);
    EXPECT_NEAR(out[10 + latency], 0.0f, 1e-6);
}

TEST_P(PluginTest, MonoStereoAtExactlyHalfChoosesAMonoKernel) {
    set(2, 0.5f);
    set(GetParam().leftRightIndex, 0.0f);
    setRate(44100);
    const size_t n = 3000;
    std::vector<float> left(n), right(n, 0.0f);
    for (size_t i = 0; i < n; ++i) left[i] = 0.3f * std::sin(0.05f * static_cast<float>(i));
    std::vector<float> outRight;
    std::vector<float> out = run(left, right, 512, &outRight);
    // Mono writes the processed main channel to both outputs; stereo would keep the silent right.
    double energy = 0;
    for (size_t i = 0; i < n; ++i) {
        EXPECT_FLOAT_EQ(out[i], outRight[i]);
        energy += outRight[i] * outRight[i];
    }
    EXPECT_GT(energy, 1.0);
}

TEST_P(PluginTest, OversampledBrickwallNeverExceedsTheOutputGain) {
    if (GetParam().fatIndex < 0) GTEST_SKIP() << "the sibling edition has no oversampling";
    set(GetParam().fatIndex, 1.0f);
    set(29, 1.0f);
    set(4, 1.0f);    // +24 dB drive
    set(14, 0.45f);  // output below 0 dB
    setRate(44100);
    const double outputGain = std::pow(4.0, 2.0 * 0.45 - 1.0);
    const size_t n = 20000;
    std::vector<float> left(n), right(n);
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> noise(-4.0f, 4.0f);
    for (size_t i = 0; i < n; ++i) {
        left[i] = 4.0f * std::sin(0.3f * static_cast<float>(i)) + noise(rng);
        right[i] = noise(rng);
    }
    std::vector<float> outRight;
    std::vector<float> out = run(left, right, 512, &outRight);
    for (size_t i = 0; i < n; ++i) {
        ASSERT_LE(std::fabs(out[i]), outputGain * (1 + 1e-6)) << i;
        ASSERT_LE(std::fabs(outRight[i]), outputGain * (1 + 1e-6)) << i;
    }
}

TEST_P(PluginTest, BadInputNeverProducesBadOutput) {
    set(1, 1.0f);
    set(3, 0.0f);
    setRate(44100);
    const float specials[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(), 1e30f, -1e30f, 1e-40f, -1e-42f, 0.0f};
    std::mt19937 rng(5);
    const size_t n = 20000;
    std::vector<float> left(n), right(n);
    for (size_t i = 0; i < n; ++i) {
        left[i] = specials[rng() % 8];
        right[i] = (i % 3) ? specials[rng() % 8] : 0.5f;
    }
    std::vector<float> outRight;
    std::vector<float> out = run(left, right, 100, &outRight);
    for (size_t i = 0; i < n; ++i) {
        ASSERT_TRUE(std::isfinite(out[i])) << i;
        ASSERT_TRUE(std::isfinite(outRight[i])) << i;
    }
    // After the bad stretch the effect still processes normally.
    std::vector<float> clean(5000, 0.1f);
    out = run(clean, clean, 64);
    EXPECT_TRUE(std::isfinite(out.back()));
}

TEST_P(PluginTest, RandomDispatcherCallsNeverCrash) {
    std::mt19937 rng(1234);
    alignas(16) static char buffer[8192];
    for (int i = 0; i < 20000; ++i) {
        const VstInt32 opcode = static_cast<VstInt32>(rng() % 211) - 10;
        if (opcode == effClose || opcode == effEditOpen || opcode == effEditClose) continue;
        const VstInt32 index = static_cast<VstInt32>(rng() % 200) - 50;
        VstIntPtr value = static_cast<VstIntPtr>(rng() % 1000) - 100;
        std::memset(buffer, 0, sizeof buffer);
        void* ptr = (rng() % 4 == 0) ? nullptr : buffer;
        // Where the value carries a pointer, a host passes a real one.
        if (opcode == effSetSpeakerArrangement || opcode == effGetSpeakerArrangement)
            value = reinterpret_cast<VstIntPtr>(buffer + 4096);
        if (opcode == effSetSampleRate) {
            dispatch(effect_, opcode, index, value, ptr, static_cast<float>(rng() % 400000));
            continue;
        }
        if (opcode == effSetChunk) value = 0;
        dispatch(effect_, opcode, index, value, ptr, static_cast<float>(rng() % 3));
    }
    std::vector<float> in(1000, 0.1f);
    dispatch(effect_, effMainsChanged, 0, 1);
    std::vector<float> out = run(in, in, 64);
    EXPECT_TRUE(std::isfinite(out.back()));
}

INSTANTIATE_TEST_SUITE_P(BothEditions, PluginTest, ::testing::ValuesIn(kEditions),
                         [](const ::testing::TestParamInfo<EditionFacts>& info) { return info.param.name; });

TEST(PluginEntry, NoEffectWithoutAHostVersion) {
    useTemporarySettingsFolder();
    LoadedPlugin plugin(AMBREL_FULL_PLUGIN);
    ASSERT_TRUE(plugin.loaded());
    auto silentHost = [](AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) -> VstIntPtr { return 0; };
    EXPECT_EQ(plugin.createWith(silentHost), nullptr);
    EXPECT_EQ(plugin.createWith(nullptr), nullptr);
    AEffect* viaMain = plugin.createThroughLegacyEntry();
    ASSERT_NE(viaMain, nullptr);
    EXPECT_EQ(dispatch(viaMain, effClose), 1);
}
