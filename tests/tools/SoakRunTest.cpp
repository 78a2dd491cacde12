// The host's soak: long runs with random automation, judged by what they must
// never show. The test gain's Gain is continuous and its Invert a switch. On the test gain a short run passes and counts what it did;
// on a faulty build of it that outputs NaN when loud the run fails.

#include <gtest/gtest.h>

#include "tools/DemoSignal.h"
#include "tools/HostArguments.h"
#include "tools/HostedPlugin.h"
#include "tools/SoakRun.h"
#include "tools/ToolsTestSupport.h"

namespace ambrel::tools {
namespace {

testing::CommandResult runHost(const std::string& args) {
    return testing::runCommand(testing::quote(AMBREL_HOST_EXE) + " " + args);
}

AudioData shortSignal() {
    DemoSignalOptions demo;
    demo.seconds = 0.5;
    return makeDemoSignal(demo);
}

TEST(SoakRun, CountsBlocksAndChangesAndPassesOnASoundPlugin) {
    HostedPlugin plugin;
    ASSERT_TRUE(plugin.load(TEST_GAIN_PLUGIN, 44100.0, 256)) << plugin.error();
    SoakOptions options;
    options.frames = 100'000;  // several loops of the signal, the last block short
    options.blockSize = 256;
    SoakReport report;
    std::string error;
    ASSERT_TRUE(soakThroughPlugin(plugin, shortSignal(), options, report, error)) << error;
    EXPECT_EQ(report.frames, 100'000);
    EXPECT_EQ(report.blocks, (100'000 + 255) / 256);
    EXPECT_EQ(report.parameterChanges, 2 * report.blocks + 1);  // and the Invert switch once, in one segment
    EXPECT_EQ(report.nonFiniteSamples, 0);
    EXPECT_GT(report.peakOutput, 0.1);
    EXPECT_LE(report.peakOutput, 2.0 * 1.42);  // at most twice the demo's +3 dBFS peak
    EXPECT_GT(report.medianBlockNs, 0.0);
    EXPECT_LE(report.medianBlockNs, report.maxBlockNs);
    EXPECT_GE(report.worstRatio, 1.0);
    EXPECT_GT(report.residentEndKb, 0);
    EXPECT_FALSE(plugin.running());
}

TEST(SoakRun, ANonFiniteSampleFailsTheRun) {
    HostedPlugin plugin;
    ASSERT_TRUE(plugin.load(TEST_NAN_WHEN_LOUD_PLUGIN, 44100.0, 512)) << plugin.error();
    SoakOptions options;
    options.frames = 50'000;
    SoakReport report;
    std::string error;
    ASSERT_TRUE(soakThroughPlugin(plugin, shortSignal(), options, report, error)) << error;
    EXPECT_GT(report.nonFiniteSamples, 0);
    EXPECT_FALSE(soakPassed(report));
}

TEST(SoakRun, TheCommandPrintsItsFiguresAndExitsByTheResult) {
    const testing::CommandResult good =
        runHost("soak " + testing::quote(TEST_GAIN_PLUGIN) + " --frames 44100 --seed 7 --block 128");
    ASSERT_EQ(good.exitCode, 0) << good.output;
    for (const char* line : {"Audio:             44100 frames (1.00 s) in 345 blocks of at most 128",
                             "Automation:        691 random parameter changes (seed 7)",
                             "Non-finite output: 0 samples", "Block CPU time:    median ", "Resident memory:   ",
                             "Result:            passed"})
        EXPECT_NE(good.output.find(line), std::string::npos) << line << "\n" << good.output;
    const testing::CommandResult bad = runHost("soak " + testing::quote(TEST_NAN_WHEN_LOUD_PLUGIN) + " --frames 44100");
    EXPECT_EQ(bad.exitCode, 1) << bad.output;
    EXPECT_NE(bad.output.find("Result:            FAILED"), std::string::npos) << bad.output;
}

TEST(SoakRun, ArgumentsOfTheCommand) {
    HostArguments a;
    std::string error;
    ASSERT_TRUE(parseHostArguments({"soak", "p.so"}, a, error)) << error;
    EXPECT_EQ(a.frames, 160'000'000);
    EXPECT_EQ(a.seed, 1u);
    ASSERT_TRUE(parseHostArguments({"soak", "p.so", "--frames", "1000", "--seed", "42", "--double"}, a, error))
        << error;
    EXPECT_EQ(a.frames, 1000);
    EXPECT_EQ(a.seed, 42u);
    EXPECT_TRUE(a.doublePrecision);
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"soak", "p.so", "--frames", "0"},
             {"soak", "p.so", "--seed", "-1"},
             {"soak", "p.so", "--seconds", "2"},
             {"bench", "p.so", "--frames", "1000"},
             {"soak"}}) {
        EXPECT_FALSE(parseHostArguments(bad, a, error)) << bad.back();
    }
}

}  // namespace
}  // namespace ambrel::tools
