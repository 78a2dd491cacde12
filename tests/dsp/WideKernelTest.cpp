// The AVX2 build of the three-band kernels against the plain x86-64 build:
// the same input and settings must give the same output and meter values bit
// for bit, in every setting, block size and kernel sequence, since a host may
// run the plug-in on both kinds of processor and the kernels hand their state
// to each other at every call.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "EngineFixture.h"
#include "dsp/KernelIsa.h"

using namespace ambrel;
using namespace ambrel::test;

namespace {

struct Settings {
    const char* name;
    double knee;  // knob value: below 0.25 the blended curve, above it the rational one
    bool autoRelease;
    bool brickwall;
    double leftRight;
    bool meters;
    int meterMode;
    double meterType;
    double rate;
    int oversample;
};

const Settings kSettings[] = {
    {"HardKneeAutoBrickwall", 0.0, true, true, kLeftRightMono, false, 1, 0.0, 44100.0, 0},
    {"SoftBlendNoAuto", 0.2, false, true, kLeftRightMono, false, 1, 0.0, 44100.0, 0},
    {"RationalCurveAuto", 0.7, true, true, kLeftRightMono, true, Engine::kMeterGainRed, 0.0, 44100.0, 0},
    {"BrickwallOff", 0.4, true, false, kLeftRightMono, true, Engine::kMeterPost, 1.0, 44100.0, 0},
    {"LeftOnlyMeters", 0.1, true, true, kLeftRightLeft, true, Engine::kMeterPre, 1.0, 48000.0, 0},
    {"RightOnlyNoAuto", 0.9, false, false, kLeftRightRight, true, Engine::kMeterGainRed, 0.0, 44100.0, 0},
    {"Oversampled96k", 0.3, true, true, kLeftRightMono, false, 1, 0.0, 96000.0, 0},
    {"Doubled44k", 0.0, true, true, kLeftRightMono, true, Engine::kMeterGainRed, 1.0, 44100.0, 1},
};

const NamedKernel kThreeBand[] = {
    {"MultiBandMono", &Engine::processMultiBandMono, false, true},
    {"MultiBandLinked", &Engine::processMultiBandLinked, true, true},
    {"MultiBandUnlinked", &Engine::processMultiBandUnlinked, true, true},
};

std::unique_ptr<Engine> engineFor(const Settings& s) {
    auto e = makeEngine(fullEdition(), s.rate, s.oversample);
    e->multiBand = 1;
    e->driveGain = driveFor(0.8);  // about +11 dB: every band limits
    e->lowSat = dbToGain(6.0), e->lowSatInverse = 1.0 / e->lowSat;
    e->highSat = dbToGain(-4.0), e->highSatInverse = 1.0 / e->highSat;
    e->lowAdjustGain = dbToGain(3.0);
    e->highAdjustGain = dbToGain(-2.0);
    e->mixAmount = 0.8;
    e->autoRelease = s.autoRelease ? 1 : 0;
    e->brickwall = s.brickwall ? 1 : 0;
    e->leftRightValue = s.leftRight;
    e->editorOpen = s.meters ? 1 : 0;
    e->meterMode = s.meterMode;
    e->meterTypeValue = s.meterType;
    e->overCountLimit = 1.0;
    setKnee(*e, s.knee);
    restart(*e, s.rate, s.oversample);
    return e;
}

// Quiet noise with loud bursts, a passage on the left channel alone and a
// stretch of silence, so envelopes attack, release and rest on their floor.
Stereo programme(std::size_t n) {
    Stereo s = noise(n, 1.0, 7);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t phase = (i / 1500) % 4;
        const double level = phase == 0 ? 0.05 : (phase == 1 ? 1.4 : (phase == 2 ? 0.3 : 0.0));
        s.left[i] *= level;
        s.right[i] *= (i / 6000) % 2 == 1 ? 0.0 : level;
    }
    return s;
}

struct Capture {
    Stereo out;
    std::vector<float> meters;  // left, right, over counts after every block
};

// Runs blocks of varying length; before each block `between` may change the
// engine (kernel, windows) and names the kernel to run.
Capture runBlocks(Engine& e, const Stereo& in, const std::function<Kernel(Engine&, int)>& between) {
    static const int kSizes[] = {64, 1, 37, 64, 100, 7, 64, 13};
    Capture c{Stereo(in.size()), {}};
    std::size_t pos = 0;
    for (int block = 0; pos < in.size(); ++block) {
        const Kernel kernel = between(e, block);
        const int n = static_cast<int>(std::min<std::size_t>(kSizes[block % 8], in.size() - pos));
        (e.*kernel)(&in.left[pos], &in.right[pos], &c.out.left[pos], &c.out.right[pos], n);
        c.meters.insert(c.meters.end(), {e.meterLeft.load(), e.meterRight.load(), e.overCountLeft.load(),
                                         e.overCountRight.load()});
        pos += static_cast<std::size_t>(n);
    }
    return c;
}

// Runs the same schedule on two fresh engines, with the plain build and with
// the AVX2 build, and expects identical bits.
void expectSameBits(const Settings& s, const std::function<Kernel(Engine&, int)>& between, const char* what) {
    const Stereo in = programme(s.oversample ? 24000 : 16000);
    auto plainEngine = engineFor(s);
    auto wideEngine = engineFor(s);
    kernel::setWideKernelsAllowed(false);
    const Capture plain = runBlocks(*plainEngine, in, between);
    kernel::setWideKernelsAllowed(true);
    const Capture wide = runBlocks(*wideEngine, in, between);
    ASSERT_EQ(plain.out.size(), wide.out.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (std::memcmp(&plain.out.left[i], &wide.out.left[i], sizeof(double)) != 0 ||
            std::memcmp(&plain.out.right[i], &wide.out.right[i], sizeof(double)) != 0) {
            ADD_FAILURE() << what << " / " << s.name << ": first difference at frame " << i << ": "
                          << plain.out.left[i] << " " << plain.out.right[i] << " vs " << wide.out.left[i] << " "
                          << wide.out.right[i];
            return;
        }
    }
    EXPECT_EQ(0, std::memcmp(plain.meters.data(), wide.meters.data(), plain.meters.size() * sizeof(float)))
        << what << " / " << s.name << ": meter values differ";
    // The programme must have made the limiter work, or the comparison says little.
    EXPECT_LT(peakOf(plain.out.left), peakOf(in.left) * plainEngine->driveGain * 0.9) << s.name;
}

class WideKernels : public ::testing::Test {
protected:
    void SetUp() override {
        if (!kernel::wideKernelsAvailable()) GTEST_SKIP() << "this processor has no AVX2: only the plain build runs";
    }
    void TearDown() override { kernel::setWideKernelsAllowed(true); }
};

}  // namespace

TEST_F(WideKernels, EachKernelMatchesThePlainBuildBitForBit) {
    for (const NamedKernel& k : kThreeBand) {
        for (const Settings& s : kSettings) {
            expectSameBits(s, [&](Engine&, int) { return k.kernel; }, k.name);
        }
    }
}

// Switching kernels between blocks hands the detector state from one build's
// layout to the other's: single-band blocks leave the band trackers stale,
// mono and linked blocks use only the left channel's band detectors.
TEST_F(WideKernels, KernelSwitchesAndWindowChangesMidStreamMatchThePlainBuild) {
    const Kernel sequence[] = {&Engine::processMultiBandUnlinked, &Engine::processMultiBandMono,
                               &Engine::processMultiBandUnlinked, &Engine::processSingleBandLinked,
                               &Engine::processMultiBandLinked,   &Engine::processMultiBandUnlinked,
                               &Engine::processSingleBandUnlinked, &Engine::processMultiBandMono};
    for (const Settings& s : kSettings) {
        expectSameBits(
            s,
            [&](Engine& e, int block) {
                if (block % 11 == 5) {  // a new attack window and release
                    e.speed = 0.2 + 0.1 * static_cast<double>(block % 7);
                    e.releaseFactor = 0.5 + 0.25 * static_cast<double>(block % 3);
                    e.updateTimeConstants();
                }
                return sequence[(block / 3) % 8];
            },
            "switching");
    }
}
