// What the command line of ambrel-host turns into, and the progress bar.

#include <gtest/gtest.h>

#include <sstream>

#include "tools/HostArguments.h"
#include "tools/ProgressBar.h"

namespace ambrel::tools {
namespace {

TEST(HostArguments, RenderWithEveryOption) {
    HostArguments a;
    std::string error;
    ASSERT_TRUE(parseHostArguments({"render", "p.so", "in.flac", "out.wav", "--set", "4=0.75", "--rate", "96000",
                                    "--set", "0=1", "--block", "37", "--double", "--compensate"},
                                   a, error))
        << error;
    EXPECT_EQ(a.command, "render");
    EXPECT_EQ(a.plugin, "p.so");
    EXPECT_EQ(a.input, "in.flac");
    EXPECT_EQ(a.output, "out.wav");
    ASSERT_EQ(a.settings.size(), 2u);
    EXPECT_EQ(a.settings[0].index, 4);
    EXPECT_EQ(a.settings[0].value, 0.75f);
    EXPECT_EQ(a.settings[1].index, 0);
    EXPECT_EQ(a.settings[1].value, 1.0f);
    EXPECT_EQ(a.rate, 96000.0);
    EXPECT_EQ(a.blockSize, 37);
    EXPECT_TRUE(a.doublePrecision);
    EXPECT_TRUE(a.compensate);
}

TEST(HostArguments, DefaultsOfInfoAndBench) {
    HostArguments a;
    std::string error;
    ASSERT_TRUE(parseHostArguments({"bench", "p.so", "--seconds", "2.5"}, a, error)) << error;
    EXPECT_EQ(a.seconds, 2.5);
    EXPECT_EQ(a.rate, 0.0);
    EXPECT_EQ(a.blockSize, 512);
    EXPECT_FALSE(a.doublePrecision);
    ASSERT_TRUE(parseHostArguments({"info", "p.so"}, a, error)) << error;
    EXPECT_EQ(a.plugin, "p.so");
    EXPECT_TRUE(a.settings.empty());
}

TEST(HostArguments, RejectsMalformedValues) {
    const std::vector<std::vector<std::string>> bad = {
        {"render", "p.so", "i.wav", "o.wav", "--set", "4"},
        {"render", "p.so", "i.wav", "o.wav", "--set", "x=0.5"},
        {"render", "p.so", "i.wav", "o.wav", "--set", "4=0.5x"},
        {"render", "p.so", "i.wav", "o.wav", "--set", "-1=0.5"},
        {"render", "p.so", "i.wav", "o.wav", "--set", "1=-0.1"},
        {"render", "p.so", "i.wav", "o.wav", "--set", "1=nan"},
        {"render", "p.so", "i.wav", "o.wav", "--rate", "0"},
        {"render", "p.so", "i.wav", "o.wav", "--rate"},
        {"render", "p.so", "i.wav", "o.wav", "--block", "65537"},
        {"render", "p.so", "i.wav", "o.wav", "--block", "12.5"},
        {"render", "p.so", "i.wav", "o.wav", "--seconds", "3"},
        {"bench", "p.so", "--seconds", "0"},
        {"bench", "p.so", "--compensate"},
        {"bench", "p.so", "extra"},
        {"info"},
    };
    for (const auto& args : bad) {
        HostArguments a;
        std::string error;
        EXPECT_FALSE(parseHostArguments(args, a, error)) << args.back();
        EXPECT_FALSE(error.empty());
    }
}

TEST(ProgressBar, DrawsInPlaceOnlyWhenThePercentageMoves) {
    std::ostringstream out;
    ProgressBar bar(out, "Rendering", 10);
    bar.update(0, 200);
    bar.update(1, 200);  // still 0 %: nothing new
    bar.update(100, 200);
    bar.update(200, 200);
    EXPECT_EQ(out.str(), "\rRendering [..........] 0%\rRendering [#####.....] 50%\rRendering [##########] 100%");
    bar.finish();
    EXPECT_EQ(out.str().back(), '\r');
}

}  // namespace
}  // namespace ambrel::tools
