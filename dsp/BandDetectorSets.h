#pragma once
// The three band detectors of the three-band kernels, as the plain x86-64
// build runs them: one after another for one channel (mono and linked
// kernels), and each band's two channels side by side in the lanes of a
// vector register (unlinked kernel). The AVX2 build has the same two sets
// with the bands themselves side by side (WideBandDetectors.h); both give the
// same results bit for bit.

#include "dsp/SlidingMaximum.h"
#include "dsp/ThreeBandParts.h"
#include "dsp/TwoLanes.h"

namespace ambrel::kernel {

// The low, mid and high detectors of one channel.
struct BandDetectorTrio {
    BandDetector detector[3];

    void load(Engine& e, int ch, const Setup& k, const Indices& ix) {
        for (int b = 0; b < 3; ++b) detector[b].load(e, Engine::kStageLow + b, ch, k, ix);
    }
    void store(Engine& e, int ch) const {
        for (const BandDetector& d : detector) d.store(e, ch);
    }
    // a: each band's detector values over the block from ix on; g: the band
    // gains. The bands are independent: each runs the whole block in turn.
    void gains(const Setup& k, const Indices& ix, const BandBlock& a, const double* dn, int count, BandBlock& g) {
        for (int b = 0; b < 3; ++b) {
            BandDetector d = detector[b];
            int write = ix.lookWrite;
            for (int i = 0; i < count; ++i) {
                g.v[b][i] = d.gain(k, write, a.v[b][i], dn[i]);
                write = (write + 1) & k.maskM;
            }
            detector[b] = d;
        }
    }
};

// The low, mid and high detectors of both channels, each band's left and
// right detector in the two lanes.
struct PairedBandDetectors {
    using V2 = lanes::V2;

    struct Band {
        SlidingMaximum2 peak;
        lanes::Section2 fast, slow;
        V2 env;
        V2 release;
        V2 sat;
        V2 driveKnee;
    };
    Band band[3];

    void load(Engine& e, const Setup& k, const Indices& ix) {
        for (int b = 0; b < 3; ++b) {
            const int stage = Engine::kStageLow + b;
            Band& d = band[b];
            d.peak.attach(e, stage, k.maskM, k.attackSamples + 2, ix.lookWrite);
            d.fast.load(e.fastSection[stage][Engine::kLeft], e.fastSection[stage][Engine::kRight]);
            d.slow.load(e.slowSection[stage][Engine::kLeft], e.slowSection[stage][Engine::kRight]);
            d.env = V2{e.envelope[stage][Engine::kLeft], e.envelope[stage][Engine::kRight]};
            d.release = lanes::splat(k.releaseCoef[stage]);
            d.sat = lanes::splat(k.sat[stage]);
            d.driveKnee = lanes::splat(k.bandDriveKnee[stage]);
        }
    }
    void store(Engine& e) const {
        for (int b = 0; b < 3; ++b) {
            const int stage = Engine::kStageLow + b;
            const Band& d = band[b];
            d.peak.store();
            d.fast.store(e.fastSection[stage][Engine::kLeft], e.fastSection[stage][Engine::kRight]);
            d.slow.store(e.slowSection[stage][Engine::kLeft], e.slowSection[stage][Engine::kRight]);
            e.envelope[stage][Engine::kLeft] = d.env[0];
            e.envelope[stage][Engine::kRight] = d.env[1];
        }
    }
    void gains(const Setup& k, const Indices& ix, const PairedBandBlock& a, const double* dn, int count,
               PairedBandBlock& g) {
        const V2 attack = lanes::splat(k.attackCoef);
        for (int b = 0; b < 3; ++b) {
            Band d = band[b];
            int write = ix.lookWrite;
            for (int i = 0; i < count; ++i) {
                const V2 peak = d.peak.push(write, a.v[b][i]);
                const V2 level = peak + kLevelFloor + lanes::splat(dn[i]);
                const V2 f = d.fast.tick(level);
                const V2 s = d.slow.tick(level);
                const V2 factor =
                    k.autoRelease ? lanes::autoFactor(f, s, 0.15, lanes::splat(2.0), 1.5) : lanes::splat(1.0);
                d.env = lanes::max(lanes::follow(d.env, level, attack, d.release, factor), lanes::splat(kEnvelopeFloor));
                g.v[b][i] = lanes::curve(k.curve, d.env * d.driveKnee) * d.sat / d.env;
                write = (write + 1) & k.maskM;
            }
            band[b] = d;
        }
    }
};

}  // namespace ambrel::kernel
