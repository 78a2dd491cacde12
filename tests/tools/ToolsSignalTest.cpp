// The demo signal, level measurement, audio file formats and the render plot.

#include <cairo.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <numbers>

#include "tests/tools/ToolsTestSupport.h"
#include "tools/AudioFile.h"
#include "tools/DemoSignal.h"
#include "tools/LevelStats.h"
#include "tools/RenderPlot.h"

namespace ambrel::tools {
namespace {

using testing::quote;
using testing::runCommand;
using testing::TempDirectory;
using testing::testSignal;

TEST(DemoSignal, IsDeterministicStereoAndPeaksAboveFullScale) {
    const AudioData a = makeDemoSignal(), b = makeDemoSignal();
    EXPECT_EQ(a.channels, b.channels);
    ASSERT_EQ(a.channelCount(), 2);
    EXPECT_EQ(a.frames(), 8 * 44100);
    const Levels levels = measureLevels(a.channels);
    EXPECT_NEAR(levels.peakDb(), 3.0, 1e-9);
    // Mix-like: loud but with a crest factor a limiter has work on.
    EXPECT_GT(levels.rmsDb(), -20.0);
    EXPECT_LT(levels.rmsDb(), -6.0);
    EXPECT_NE(a.channels[0], a.channels[1]);
    // Many separate overs (drum hits), not one.
    int overs = 0;
    for (long i = 1; i < a.frames(); ++i) overs += std::fabs(a.channels[0][i]) > 1.0 && std::fabs(a.channels[0][i - 1]) <= 1.0;
    EXPECT_GT(overs, 8);
}

TEST(DemoSignal, HasBassDrumsAndChordInTheirBands) {
    const AudioData demo = makeDemoSignal({48000, 4.0, 3.0});
    EXPECT_EQ(demo.sampleRate, 48000);
    // Energy per band by correlating with a few probe frequencies over the whole signal.
    auto level = [&](double f) {
        double re = 0, im = 0;
        const auto& x = demo.channels[0];
        for (std::size_t n = 0; n < x.size(); ++n) {
            re += x[n] * std::cos(2 * std::numbers::pi * f * n / 48000);
            im += x[n] * std::sin(2 * std::numbers::pi * f * n / 48000);
        }
        return std::hypot(re, im) / x.size();
    };
    EXPECT_GT(level(55.0), 10 * level(37.0));    // the bass root against a note not played
    EXPECT_GT(level(220.0), 10 * level(233.08)); // a chord tone against its neighbour
    // High band: the hats and the snare's noise (first difference energy).
    double diff = 0;
    for (long i = 1; i < demo.frames(); ++i) diff += std::pow(demo.channels[1][i] - demo.channels[1][i - 1], 2);
    EXPECT_GT(std::sqrt(diff / demo.frames()), 0.01);
}

TEST(LevelStats, SineAndSilenceInDbfs) {
    AudioData a = testSignal(48000, 48000);
    for (auto& c : a.channels)
        for (std::size_t i = 0; i < c.size(); ++i) c[i] = std::sin(2 * std::numbers::pi * 1000.0 * i / 48000);
    const Levels l = measureLevels(a.channels);
    EXPECT_NEAR(l.peakDb(), 0.0, 1e-6);
    EXPECT_NEAR(l.rmsDb(), -3.0103, 1e-3);
    EXPECT_EQ(formatDb(l.peakDb()), "0.00");
    EXPECT_EQ(formatDb(measureLevels({{0.0, 0.0}}).peakDb()), "-inf");
    EXPECT_EQ(formatDb(toDb(2.0)), "+6.02");
    EXPECT_EQ(formatDb(toDb(0.5)), "-6.02");
}

TEST(AudioFile, FloatRoundTripKeepsPeaksAboveFullScaleAndPcmClips) {
    TempDirectory dir;
    AudioData hot = testSignal(44100, 100);
    hot.channels[0][10] = 1.7;
    std::string error;
    ASSERT_TRUE(writeAudioFile(dir.file("hot.wav"), hot, 0, error)) << error;
    AudioData back;
    ASSERT_TRUE(readAudioFile(dir.file("hot.wav"), back, error));
    EXPECT_EQ(back.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_FLOAT_EQ(static_cast<float>(back.channels[0][10]), 1.7f);
    ASSERT_TRUE(writeAudioFile(dir.file("pcm.wav"), hot, SF_FORMAT_WAV | SF_FORMAT_PCM_16, error));
    ASSERT_TRUE(readAudioFile(dir.file("pcm.wav"), back, error));
    EXPECT_NEAR(back.channels[0][10], 1.0, 1e-4);  // clipped, not wrapped to a negative value
}

TEST(RenderPlot, GainReductionIsTheOutputAgainstTheInputLevel) {
    const AudioData in = testSignal(44100, 44100);
    AudioData out = in;
    for (long i = 22050; i < out.frames(); ++i)
        for (auto& c : out.channels) c[i] *= 0.5;
    const auto gr = gainReductionDb(in, out, 0, 441);
    ASSERT_EQ(gr.size(), 100u);
    EXPECT_NEAR(gr[10], 0.0, 1e-9);
    EXPECT_NEAR(gr[80], -6.0206, 1e-3);
    // A latency shifts where the output is read.
    AudioData late = in;
    for (auto& c : late.channels) c.insert(c.begin(), 100, 0.0);
    EXPECT_NEAR(gainReductionDb(in, late, 100, 441)[30], 0.0, 1e-9);
    AudioData silent = in;
    for (auto& c : silent.channels) std::fill(c.begin(), c.end(), 0.0);
    EXPECT_TRUE(std::isnan(gainReductionDb(silent, silent, 0, 441)[5]));
}

TEST(RenderPlot, WritesAPictureOfTheRequestedSizeFromTheCommandLine) {
    TempDirectory dir;
    const std::string in = dir.file("in.wav"), png = dir.file("plot.png");
    ASSERT_EQ(runCommand(quote(AMBREL_DEMO_EXE) + " " + quote(in) + " --seconds 2").exitCode, 0);
    const auto r = runCommand(quote(AMBREL_PLOT_EXE) + " " + quote(in) + " " + quote(in) + " " + quote(png) +
                              " --title Demo");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    cairo_surface_t* image = cairo_image_surface_create_from_png(png.c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(image), 1200);
    EXPECT_EQ(cairo_image_surface_get_height(image), 760);
    // Something was drawn: the waveform colours appear, not only white.
    cairo_surface_flush(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    long coloured = 0;
    for (int y = 0; y < 760; ++y)
        for (int x = 0; x < 1200; ++x) {
            const unsigned char* px = data + y * stride + 4 * x;  // B, G, R
            coloured += px[0] > px[2] + 60;                        // blue-ish: the left channel
        }
    EXPECT_GT(coloured, 5000);
    cairo_surface_destroy(image);
    EXPECT_EQ(runCommand(quote(AMBREL_PLOT_EXE) + " " + quote(in) + " " + quote(png)).exitCode, 2);
}

}  // namespace
}  // namespace ambrel::tools
