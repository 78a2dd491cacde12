// The two-channel meter path (both channels in the lanes of one register)
// against the one-channel steps it stands in for: every reading, over count
// and VU state must come out the same bit for bit, for every measured value
// under both ballistics, including after a vanishing gain holds one
// channel's VU reading and the tape finishes one channel at a time.

#include <gtest/gtest.h>

#include <random>

#include "dsp/KernelSetup.h"

using namespace ambrel;

namespace {

MeterSetup testSetup() {
    MeterSetup s;
    s.attack = 0.35;
    s.release = 0.0021;
    s.level = 1.27;
    s.vuInputScale = 1.55;
    s.gainScale = 1.12;
    s.vuGuard = 0.01;
    s.overCountLimit = 3.0;
    return s;
}

struct Samples {
    // [sample][channel]: input, output and gain as a kernel would record them.
    double in[kMeterChunk][2], out[kMeterChunk][2], gain[kMeterChunk][2];
};

// Noise around full scale (so over counts start, grow and hold) and gains
// that now and then, in one channel, drop below the VU guard.
Samples samples(unsigned seed, bool vanishingGains) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> level(-1.3, 1.3), gain(0.05, 1.0), pick(0.0, 1.0);
    Samples s;
    for (int i = 0; i < kMeterChunk; ++i) {
        for (int c = 0; c < 2; ++c) {
            s.in[i][c] = level(gen);
            s.out[i][c] = pick(gen) < 0.3 ? 1.0 : level(gen);
            s.gain[i][c] = vanishingGains && c == 1 && pick(gen) < 0.05 ? 0.001 : gain(gen);
        }
    }
    return s;
}

struct Meters {
    FilterSection vu[2] = {FilterSection(44100.0 / Engine::kVuDecimation, 2.3, 0.6),
                           FilterSection(44100.0 / Engine::kVuDecimation, 2.3, 0.6)};
    MeterChannel m[2];
    Meters(int startPhase) {
        for (int c = 0; c < 2; ++c) {
            m[c].vu = &vu[c];
            m[c].meter = 0.25 + 0.5 * c;
            m[c].overCount = c;
            m[c].vuSum = 0.125 * c;
            m[c].vuPhase = startPhase;
        }
    }
};

void expectSame(const Meters& a, const Meters& b, const char* what) {
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(a.m[c].meter, b.m[c].meter) << what << " channel " << c;
        EXPECT_EQ(a.m[c].overCount, b.m[c].overCount) << what << " channel " << c;
        EXPECT_EQ(a.m[c].vuSum, b.m[c].vuSum) << what << " channel " << c;
        EXPECT_EQ(a.m[c].vuPhase, b.m[c].vuPhase) << what << " channel " << c;
        EXPECT_EQ(a.vu[c].y1, b.vu[c].y1) << what << " channel " << c;
        EXPECT_EQ(a.vu[c].x1, b.vu[c].x1) << what << " channel " << c;
    }
}

template <int Kind>
void checkKind(unsigned seed, bool vanishingGains, int startPhase, int count) {
    const MeterSetup setup = testSetup();
    const Samples s = samples(seed, vanishingGains);

    Meters one(startPhase);
    for (int i = 0; i < count; ++i)
        for (int c = 0; c < 2; ++c) one.m[c].template step<Kind>(setup, s.in[i][c], s.out[i][c], s.gain[i][c]);

    Meters paired(startPhase);
    MeterTape<Kind> tape;
    tape.bind(setup, paired.m);
    for (int i = 0; i < count; ++i)
        tape.recordPair(i, lanes::V2{s.in[i][0], s.in[i][1]}, lanes::V2{s.out[i][0], s.out[i][1]},
                        lanes::V2{s.gain[i][0], s.gain[i][1]});
    tape.playPair(setup, paired.m, count);

    Meters recorded(startPhase);
    MeterTape<Kind> tape2;
    tape2.bind(setup, recorded.m);
    for (int i = 0; i < count; ++i)
        for (int c = 0; c < 2; ++c) tape2.record(c, i, s.in[i][c], s.out[i][c], s.gain[i][c]);
    tape2.playBoth(setup, recorded.m, count);

    const std::string what = "kind " + std::to_string(Kind) + " seed " + std::to_string(seed);
    expectSame(one, paired, (what + " paired").c_str());
    expectSame(one, recorded, (what + " recorded").c_str());
}

template <int... Kinds>
void checkKinds(unsigned seed, bool vanishingGains, int startPhase, int count) {
    (checkKind<Kinds>(seed, vanishingGains, startPhase, count), ...);
}

}  // namespace

TEST(MeterPair, BothChannelsTogetherMatchOneChannelAtATime) {
    struct Row {
        unsigned seed;
        bool vanishingGains;
        int startPhase;
        int count;
    };
    const Row rows[] = {{1, false, 0, kMeterChunk}, {2, false, 5, kMeterChunk}, {3, true, 0, kMeterChunk},
                        {4, true, 7, 77},           {5, false, 3, 1},           {6, true, 2, kMeterChunk}};
    for (const Row& r : rows) checkKinds<1, 2, 3, 4, 5, 6>(r.seed, r.vanishingGains, r.startPhase, r.count);
}

TEST(MeterPair, ChannelsOutOfStepRunOneAtATime) {
    // After a vanishing gain held one channel's VU phase, the phases differ;
    // the tape must still give each channel its own correct readings.
    const MeterSetup setup = testSetup();
    const Samples s = samples(9, false);
    Meters one(0), taped(0);
    one.m[1].vuPhase = taped.m[1].vuPhase = 3;
    constexpr int kGainRedVu = 1 + 2 * Engine::kMeterGainRed;
    MeterTape<kGainRedVu> tape;
    tape.bind(setup, taped.m);
    for (int i = 0; i < kMeterChunk; ++i) {
        for (int c = 0; c < 2; ++c) {
            one.m[c].step<kGainRedVu>(setup, 0.0, s.out[i][c], s.gain[i][c]);
            tape.record(c, i, 0.0, s.out[i][c], s.gain[i][c]);
        }
    }
    tape.playBoth(setup, taped.m, kMeterChunk);
    expectSame(one, taped, "out of step");
    EXPECT_NE(taped.m[0].vuPhase, taped.m[1].vuPhase);
}
