// The host side of the binary interface, in process: loading, the entry
// points, the answers of the host callback, and rendering through the test
// gain plug-in (37 samples of latency, gain 2 x parameter 0).

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "tests/tools/ToolsTestSupport.h"
#include "tests/tools/plugins/TestPluginProbe.h"
#include "tools/HostedPlugin.h"
#include "tools/PluginRender.h"

namespace ambrel::tools {
namespace {

using testing::TempDirectory;
using testing::testSignal;

VstIntPtr probe(const HostedPlugin& p, int what, VstIntPtr value = 0, float opt = 0.0f) {
    return p.dispatch(effVendorSpecific, what, value, nullptr, opt);
}

TEST(HostedPlugin, LoadsThroughEitherEntryPoint) {
    for (const char* path : {TEST_GAIN_PLUGIN, TEST_MAIN_ONLY_PLUGIN}) {
        HostedPlugin plugin;
        ASSERT_TRUE(plugin.load(path, 48000, 256)) << plugin.error();
        EXPECT_EQ(plugin.effect()->numParams, 2);
        EXPECT_EQ(plugin.latency(), 37);
        EXPECT_EQ(fourCharacterCode(plugin.effect()->uniqueID), "TgAn");
        EXPECT_EQ(plugin.text(effGetEffectName), "Test Gain");
        // Rate and block size were told to the plug-in on load.
        EXPECT_EQ(probe(plugin, kProbeSampleRate), 48000);
        EXPECT_EQ(probe(plugin, kProbeBlockSize), 256);
    }
}

TEST(HostedPlugin, RefusesWhatIsNotALoadablePlugin) {
    TempDirectory dir;
    const std::string text = dir.file("not-a-library.so");
    std::ofstream(text) << "hello\n";
    struct Case {
        std::string path;
        std::string expected;
    };
    for (const Case& c : {Case{dir.file("missing.so"), "cannot load"}, Case{text, "cannot load"},
                          Case{TEST_NO_ENTRY_PLUGIN, "neither VSTPluginMain nor main"}}) {
        HostedPlugin plugin;
        EXPECT_FALSE(plugin.load(c.path, 44100, 512));
        EXPECT_NE(plugin.error().find(c.expected), std::string::npos) << plugin.error();
        EXPECT_EQ(plugin.effect(), nullptr);
    }
}

TEST(HostedPlugin, AnswersThePluginsRequests) {
    HostedPlugin plugin;
    ASSERT_TRUE(plugin.load(TEST_GAIN_PLUGIN, 96000, 128));
    struct Case {
        VstInt32 opcode;
        VstIntPtr expected;
    };
    for (const Case c : {Case{audioMasterVersion, 2400}, Case{audioMasterGetSampleRate, 96000},
                         Case{audioMasterGetBlockSize, 128}, Case{audioMasterPinConnected, 0},
                         Case{audioMasterIdle, 0}, Case{audioMasterGetTime, 0}})
        EXPECT_EQ(probe(plugin, kProbeAskHost, c.opcode), c.expected) << "opcode " << c.opcode;
    plugin.configure(44100, 64, false);
    EXPECT_EQ(probe(plugin, kProbeAskHost, audioMasterGetSampleRate), 44100);
    EXPECT_EQ(probe(plugin, kProbeAskHost, audioMasterGetBlockSize), 64);

    probe(plugin, kProbeAutomate, 1, 0.75f);
    probe(plugin, kProbeAutomate, 0, 0.25f);
    ASSERT_EQ(plugin.automation().size(), 2u);
    EXPECT_EQ(plugin.automation()[0].index, 1);
    EXPECT_EQ(plugin.automation()[0].value, 0.75f);
    EXPECT_EQ(plugin.automation()[1].index, 0);
    EXPECT_EQ(plugin.automation()[1].value, 0.25f);
}

TEST(HostedPlugin, ReadsParameterTextsAndProperties) {
    HostedPlugin plugin;
    ASSERT_TRUE(plugin.load(TEST_GAIN_PLUGIN, 44100, 512));
    plugin.setParameter(0, 0.25f);
    const ParameterInfo gain = plugin.parameter(0);
    EXPECT_EQ(gain.name, "Gain");
    EXPECT_EQ(gain.label, "dB");
    EXPECT_EQ(gain.display, "-6.02");
    EXPECT_EQ(gain.value, 0.25f);
    EXPECT_TRUE(gain.automatable);
    const ParameterInfo invert = plugin.parameter(1);
    EXPECT_TRUE(invert.hasProperties);
    EXPECT_TRUE(invert.properties.flags & kVstParameterIsSwitch);
    EXPECT_STREQ(invert.properties.shortLabel, "Inv");
}

// Renders the test signal and returns the output.
AudioData render(const AudioData& input, RenderOptions options, HostedPlugin* keep = nullptr, float gain = 0.5f) {
    HostedPlugin local;
    HostedPlugin& plugin = keep ? *keep : local;
    EXPECT_TRUE(plugin.load(TEST_GAIN_PLUGIN, input.sampleRate, options.blockSize));
    plugin.setParameter(0, gain);
    RenderResult result;
    std::string error;
    EXPECT_TRUE(renderThroughPlugin(plugin, input, options, result, error)) << error;
    EXPECT_EQ(result.latency, 37);
    return result.output;
}

TEST(PluginRender, CompensateLinesTheOutputUpWithTheInput) {
    const AudioData input = testSignal(44100, 5000, 1000);
    for (bool compensate : {false, true}) {
        const AudioData out = render(input, {512, false, compensate}, nullptr, 0.25f);
        ASSERT_EQ(out.frames(), input.frames());
        const long shift = compensate ? 0 : 37;
        for (long i = 0; i < input.frames(); ++i) {
            for (int c = 0; c < 2; ++c) {
                const double expected = i - shift >= 0 ? 0.5 * input.channels[c][i - shift] : 0.0;
                ASSERT_NEAR(out.channels[c][i], expected, 1e-7) << "frame " << i << (compensate ? " trimmed" : "");
            }
        }
    }
}

TEST(PluginRender, BlockSizeLimitsEachCallAndNotTheResult) {
    const AudioData input = testSignal(44100, 9000, 123);
    const AudioData reference = render(input, {512, false, true});
    for (int block : {1, 37, 64, 100, 4096}) {
        HostedPlugin plugin;
        const AudioData out = render(input, {block, false, true}, &plugin);
        EXPECT_EQ(out.channels, reference.channels) << block;
        EXPECT_EQ(probe(plugin, kProbeMaxFrames), block);
        EXPECT_EQ(probe(plugin, kProbeBlockSize), block);
    }
}

TEST(PluginRender, DoubleUsesTheDoubleCallAndAgreesWithFloat) {
    const AudioData input = testSignal(48000, 3000, 10);
    HostedPlugin floatPlugin, doublePlugin;
    const AudioData f = render(input, {256, false, true}, &floatPlugin);
    const AudioData d = render(input, {256, true, true}, &doublePlugin);
    EXPECT_GT(probe(floatPlugin, kProbeFloatCalls), 0);
    EXPECT_EQ(probe(floatPlugin, kProbeDoubleCalls), 0);
    EXPECT_EQ(probe(floatPlugin, kProbePrecision), 0);
    EXPECT_GT(probe(doublePlugin, kProbeDoubleCalls), 0);
    EXPECT_EQ(probe(doublePlugin, kProbeFloatCalls), 0);
    EXPECT_EQ(probe(doublePlugin, kProbePrecision), 1);
    for (int c = 0; c < 2; ++c)
        for (long i = 0; i < input.frames(); ++i) {
            EXPECT_NEAR(f.channels[c][i], d.channels[c][i], 1e-7);
            // The double path carries the input exactly (gain 1).
            EXPECT_EQ(d.channels[c][i], input.channels[c][i]);
        }
}

TEST(PluginRender, MonoInputFeedsBothInputs) {
    AudioData mono = testSignal(44100, 1000);
    mono.channels.resize(1);
    const AudioData out = render(mono, {512, true, true});
    ASSERT_EQ(out.channelCount(), 2);
    EXPECT_EQ(out.channels[0], mono.channels[0]);
    EXPECT_EQ(out.channels[1], mono.channels[0]);
}

TEST(PluginRender, EachRenderStartsFromAResumedPlugin) {
    HostedPlugin plugin;
    const AudioData input = testSignal(44100, 2000, 5);
    const AudioData first = render(input, {128, false, false}, &plugin);
    RenderResult again;
    std::string error;
    ASSERT_TRUE(renderThroughPlugin(plugin, input, {128, false, false}, again, error));
    EXPECT_EQ(again.output.channels, first.channels);  // no tail of the first render leaks in
    EXPECT_EQ(probe(plugin, kProbeResumes), 2);
    EXPECT_FALSE(plugin.running());
}

}  // namespace
}  // namespace ambrel::tools
