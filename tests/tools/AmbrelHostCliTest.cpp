// ambrel-host as a user runs it: its printed info and summaries, the files it
// writes, its options, and its errors and exit codes. Also run, where the
// package is installed, on a third-party VST 2.4 limiter.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "tests/tools/ToolsTestSupport.h"
#include "tools/AudioFile.h"
#include "tools/LevelStats.h"

namespace ambrel::tools {
namespace {

using testing::CommandResult;
using testing::quote;
using testing::runCommand;
using testing::TempDirectory;
using testing::testSignal;

const std::string kHost = AMBREL_HOST_EXE;
const std::string kGain = TEST_GAIN_PLUGIN;
const std::string kThirdPartyLimiter = "/usr/lib/vst/lsp-plugins/limiter-stereo.so";

CommandResult host(const std::string& args) { return runCommand(quote(kHost) + " " + args); }

void writeSignal(const std::string& path, const AudioData& audio, int format) {
    std::string error;
    ASSERT_TRUE(writeAudioFile(path, audio, format, error)) << error;
}

AudioData readBack(const std::string& path) {
    AudioData audio;
    std::string error;
    EXPECT_TRUE(readAudioFile(path, audio, error)) << error;
    return audio;
}

TEST(AmbrelHostInfo, ShowsIdentityDescriptorLatencyAndParameters) {
    const CommandResult r = host("info " + quote(kGain) + " --rate 48000");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    for (const char* expected :
         {"Effect name:     Test Gain", "Vendor:          Zemtone Test", "Product:         Test Gain Plug-in",
          "Vendor version:  1000", "VST version:     2400", "Category:        1 (effect)",
          "Unique ID:       'TgAn' (0x5467416e)", "Parameters:      2", "Inputs:          2",
          "Flags:           0x00001010 (canReplacing, canDoubleReplacing)",
          "Latency:         37 samples (0.771 ms at 48000 Hz)", "Program 0:       \"Default\"", "Input 0:         \"Test 1 In\" active stereo",
          "0: \"Gain\" = 0.500000, \"0.00\" \"dB\"; automatable; label \"Gain\", short \"Gain\"",
          "1: \"Invert\" = 0.000000, \"off\" \"\"; automatable; switch, label \"Invert\", short \"Inv\""})
        EXPECT_NE(r.output.find(expected), std::string::npos) << "missing: " << expected << "\n" << r.output;
}

TEST(AmbrelHostRender, AppliesSettingsAndKeepsTheInputFormat) {
    TempDirectory dir;
    const std::string in = dir.file("in.wav"), out = dir.file("out.wav");
    writeSignal(in, testSignal(44100, 20000, 500), SF_FORMAT_WAV | SF_FORMAT_PCM_24);
    const CommandResult r =
        host("render " + quote(kGain) + " " + quote(in) + " " + quote(out) + " --set 0=0.25 --set 1=1");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const AudioData input = readBack(in), output = readBack(out);
    EXPECT_EQ(output.format, SF_FORMAT_WAV | SF_FORMAT_PCM_24);
    ASSERT_EQ(output.frames(), input.frames());
    for (long i = 37; i < input.frames(); ++i)
        ASSERT_NEAR(output.channels[1][i], -0.5 * input.channels[1][i - 37], 2e-7) << i;  // half gain, inverted
    // The summary: levels in dBFS (peak 0.9 in, 0.45 out) and the latency, not trimmed.
    for (const char* expected : {"Input level:  peak -0.92 dBFS", "Output level: peak -6.94 dBFS",
                                 "Latency: 37 samples (0.839 ms), left in the output", "(2 parameters set)"})
        EXPECT_NE(r.output.find(expected), std::string::npos) << "missing: " << expected << "\n" << r.output;
    // Not a terminal: no progress bar.
    EXPECT_EQ(r.output.find("Rendering ["), std::string::npos);
}

TEST(AmbrelHostRender, ShowsAProgressBarOnATerminal) {
    if (runCommand("command -v script").exitCode != 0) GTEST_SKIP() << "'script' (bsdutils) is needed for a terminal";
    TempDirectory dir;
    const std::string in = dir.file("in.wav"), out = dir.file("out.wav");
    writeSignal(in, testSignal(44100, 20000), 0);
    // script runs the host with its stdout on a pseudo-terminal.
    const std::string command = quote(kHost) + " render " + quote(kGain) + " " + quote(in) + " " + quote(out);
    const CommandResult r = runCommand("script -qec " + quote(command) + " /dev/null");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("\rRendering [####"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("100%"), std::string::npos);
    EXPECT_NE(r.output.find("Output level: "), std::string::npos);
}

TEST(AmbrelHostRender, CompensateDoubleAndBlockSizeGiveTheAlignedSameResult) {
    TempDirectory dir;
    const std::string in = dir.file("in.wav");
    writeSignal(in, testSignal(96000, 30000, 777), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    const AudioData input = readBack(in);
    for (const std::string options : {"--compensate", "--compensate --double", "--compensate --block 1",
                                      "--compensate --block 4096 --double", "--compensate --block 100"}) {
        const std::string out = dir.file("out.wav");
        const CommandResult r = host("render " + quote(kGain) + " " + quote(in) + " " + quote(out) + " " + options);
        ASSERT_EQ(r.exitCode, 0) << options << "\n" << r.output;
        EXPECT_NE(r.output.find("trimmed from the output"), std::string::npos) << r.output;
        const AudioData output = readBack(out);
        EXPECT_EQ(output.sampleRate, 96000);
        EXPECT_EQ(output.channels, input.channels) << options;  // unity gain, lined up, float exact
    }
}

TEST(AmbrelHostRender, WritesFloatWavWhenTheOutputTypeCannotTakeTheInputFormat) {
    TempDirectory dir;
    const std::string in = dir.file("in.flac"), out = dir.file("out.wav"), outFlac = dir.file("out.flac");
    writeSignal(in, testSignal(44100, 4000), SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    ASSERT_EQ(host("render " + quote(kGain) + " " + quote(in) + " " + quote(out)).exitCode, 0);
    EXPECT_EQ(readBack(out).format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    ASSERT_EQ(host("render " + quote(kGain) + " " + quote(in) + " " + quote(outFlac)).exitCode, 0);
    EXPECT_EQ(readBack(outFlac).format, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    const std::string noType = dir.file("out.unknowntype");
    ASSERT_EQ(host("render " + quote(kGain) + " " + quote(in) + " " + quote(noType)).exitCode, 0);
    EXPECT_EQ(readBack(noType).format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
}

TEST(AmbrelHostBench, ReportsRealTimeFactorAndNanosecondsPerFrame) {
    const CommandResult r = host("bench " + quote(kGain) + " --seconds 0.5 --rate 48000 --block 256");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("Audio:            0.50 s (24000 frames)"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Real-time factor: "), std::string::npos);
    EXPECT_NE(r.output.find("ns per frame:     "), std::string::npos);
    EXPECT_NE(r.output.find("blocks of 256 frames at 48000 Hz"), std::string::npos);
}

TEST(AmbrelHostErrors, ClearMessagesAndNonZeroExits) {
    TempDirectory dir;
    const std::string in = dir.file("in.wav");
    writeSignal(in, testSignal(44100, 1000), 0);
    const std::string notAudio = dir.file("text.wav");
    std::ofstream(notAudio) << "not audio\n";
    struct Case {
        std::string args;
        int exitCode;
        std::string message;
    };
    const Case cases[] = {
        {"info " + quote(dir.file("missing.so")), 1, "cannot load '" + dir.file("missing.so") + "'"},
        {"info " + quote(TEST_NO_ENTRY_PLUGIN), 1, "exports neither VSTPluginMain nor main"},
        {"render " + quote(TEST_NO_ENTRY_PLUGIN) + " " + quote(in) + " " + quote(dir.file("o.wav")), 1,
         "is not a VST 2.4 plug-in"},
        {"render " + quote(kGain) + " " + quote(dir.file("nothing.wav")) + " " + quote(dir.file("o.wav")), 1,
         "cannot read"},
        {"render " + quote(kGain) + " " + quote(notAudio) + " " + quote(dir.file("o.wav")), 1, "cannot read"},
        {"render " + quote(kGain) + " " + quote(in) + " " + quote(dir.file("no/such/dir/o.wav")), 1,
         "cannot write"},
        {"render " + quote(kGain) + " " + quote(in) + " " + quote(dir.file("o.wav")) + " --set 7=0.5", 1,
         "the plug-in has 2 parameters"},
        {"render " + quote(kGain) + " " + quote(in) + " " + quote(dir.file("o.wav")) + " --set 0=1.5", 2,
         "normalized, 0 to 1"},
        {"render " + quote(kGain) + " " + quote(in) + " --set 0=0.5", 2, "render expects PLUGIN IN OUT"},
        {"info " + quote(kGain) + " --block 0", 2, "--block expects"},
        {"info " + quote(kGain) + " --compensate", 2, "unknown option '--compensate'"},
        {"mix " + quote(kGain), 2, "unknown command 'mix'"},
        {"", 2, "no command given"},
    };
    for (const Case& c : cases) {
        const CommandResult r = host(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args << "\n" << r.output;
        EXPECT_NE(r.output.find(c.message), std::string::npos) << c.args << "\n" << r.output;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.wav")));
}

TEST(AmbrelHostThirdParty, LimitsTheDemoThroughAStereoLimiterWeDidNotWrite) {
    if (!std::filesystem::exists(kThirdPartyLimiter))
        GTEST_SKIP() << kThirdPartyLimiter << " not found: install the Debian package lsp-plugins-vst "
                     << "(scripts/install-deps.sh) to test ambrel-host on a third-party VST 2.4 limiter";
    TempDirectory dir;
    const CommandResult info = host("info " + quote(kThirdPartyLimiter));
    ASSERT_EQ(info.exitCode, 0) << info.output;
    EXPECT_NE(info.output.find("Inputs:          2"), std::string::npos) << info.output;

    const std::string in = dir.file("demo.wav"), out = dir.file("limited.wav");
    ASSERT_EQ(runCommand(quote(AMBREL_DEMO_EXE) + " " + quote(in) + " --seconds 3").exitCode, 0);
    const CommandResult r = host("render " + quote(kThirdPartyLimiter) + " " + quote(in) + " " + quote(out) +
                                 " --compensate --block 300");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const AudioData input = readBack(in), output = readBack(out);
    ASSERT_EQ(output.frames(), input.frames());
    EXPECT_GT(measureLevels(input.channels).peakDb(), 2.9);  // the demo goes above full scale
    const Levels limited = measureLevels(output.channels);
    EXPECT_LT(limited.peakDb(), 0.1) << r.output;  // its default threshold is 0 dBFS
    EXPECT_GT(limited.rmsDb(), measureLevels(input.channels).rmsDb() - 6.0);
    for (const auto& c : output.channels)
        for (double v : c) ASSERT_TRUE(std::isfinite(v));
}

}  // namespace
}  // namespace ambrel::tools
