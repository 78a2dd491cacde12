#pragma once
// Building blocks of the three-band kernels: the per-band detector and gain
// computer, the final look-ahead limiter on the summed bands, and the
// per-sample values of one block that pass from one stage to the next.
//
// The kernels run a block (at most kMeterChunk samples) stage by stage: the
// band split for every sample, then the band detectors, then the sum and the
// final limiter. Each stage carries only its own short recursion from sample
// to sample, so the processor overlaps many samples of it; one long chain per
// sample would leave it waiting on each division and filter in turn.

#include <algorithm>

#include "dsp/KernelSetup.h"
#include "dsp/SlidingMaximum.h"
#include "dsp/TwoLanes.h"

namespace ambrel::kernel {

// One value per band and sample of a block.
struct BandBlock {
    double v[3][kMeterChunk];
};

// Both channels' values per band and sample of a block (lanes left, right).
struct PairedBandBlock {
    lanes::V2 v[3][kMeterChunk];
};

// The look-ahead detector, envelope and gain computer of one band.
struct BandDetector {
    SlidingMaximum peakWindow;
    FilterSection fast;
    FilterSection slow;
    double env;
    int stage;

    void load(Engine& e, int stage_, int ch, const Setup& k, const Indices& ix) {
        stage = stage_;
        peakWindow.attach(e, stage, ch, k.maskM, k.attackSamples + 2, ix.lookWrite);
        fast = e.fastSection[stage][ch];
        slow = e.slowSection[stage][ch];
        env = e.envelope[stage][ch];
    }
    void store(Engine& e, int ch) const {
        peakWindow.store();
        e.fastSection[stage][ch] = fast;
        e.slowSection[stage][ch] = slow;
        e.envelope[stage][ch] = env;
    }

    // a is the band's detector value (no 0.1 dB offset here). The band's
    // saturation level moves the top of its curve to sat_b.
    // `write` is the look-ahead write position of the sample.
    double gain(const Setup& k, int write, double a, double dn) {
        const double peak = peakWindow.push(write, a);
        const double level = peak + kLevelFloor + dn;
        const double f = fast.tick(level);
        const double s = slow.tick(level);
        const double release = k.releaseCoef[stage];
        if (level > env)
            env += (level - env) * k.attackCoef;
        else if (k.autoRelease)
            env += (level - env) * release * autoFactor(f, s, 0.15, 2.0, 1.5);
        else
            env += (level - env) * release;
        if (env < kEnvelopeFloor) env = kEnvelopeFloor;
        return k.curve(env * k.bandDriveKnee[stage]) * k.sat[stage] / env;
    }
};

// The final limiter on the summed bands. Its tracker is kept up to date even
// while Brickwall is off, so switching it on starts from the right peak.
struct FinalDetector {
    SlidingMaximum peakWindow;
    FilterSection fast;
    FilterSection slow;
    double env;

    void load(Engine& e, int ch, const Setup& k, const Indices& ix) {
        peakWindow.attach(e, Engine::kStageFinal, ch, k.maskM, k.finalSamples + 2, ix.lookWrite);
        fast = e.fastSection[Engine::kStageFinal][ch];
        slow = e.slowSection[Engine::kStageFinal][ch];
        env = e.envelope[Engine::kStageFinal][ch];
    }
    void store(Engine& e, int ch) const {
        peakWindow.store();
        e.fastSection[Engine::kStageFinal][ch] = fast;
        e.slowSection[Engine::kStageFinal][ch] = slow;
        e.envelope[Engine::kStageFinal][ch] = env;
    }

    // a = |sum| x 1.0115795; returns the final gain (1 with Brickwall off).
    double gain(const Setup& k, const Indices& ix, double a, double dn) {
        const double peak = peakWindow.push(ix.lookWrite, a);
        if (!k.brickwall) return 1.0;
        const double level = peak + kLevelFloor + dn;
        const double f = fast.tick(level);
        const double s = slow.tick(level);
        if (level > env)
            env += (level - env) * k.finalAttackCoef;
        else if (k.autoRelease)
            env += (level - env) * k.finalReleaseCoef * autoFactor(f, s, 0.2, 4.0, 1.3);
        else
            env += (level - env) * k.finalReleaseCoef;
        return env < 1.0 ? 1.0 : 1.0 / env;
    }
};

}  // namespace ambrel::kernel
