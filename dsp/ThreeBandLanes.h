#pragma once
// The three-band path of both channels side by side, each channel with its
// own detectors and gains (the unlinked three-band kernel). `Bands` holds the
// six band detectors (BandDetectorSets.h, WideBandDetectors.h).

#include "dsp/SlidingMaximum.h"
#include "dsp/ThreeBandParts.h"
#include "dsp/TwoLanes.h"

namespace ambrel::kernel {

template <class Bands>
struct ThreeBandLanes {
    using V2 = lanes::V2;

    lanes::Protect2 hp;
    lanes::Crossover2 lowX, highX;
    Bands bands;
    SlidingMaximum2 finalPeak;
    lanes::Section2 finalFast, finalSlow;
    V2 finalEnv;
    double* bandL[3];
    double* bandR[3];
    double* lookL;
    double* lookR;

    void load(Engine& e, const Setup& k, const Indices& ix) {
        hp.load(k.protect, e.protectState[Engine::kLeft], e.protectState[Engine::kRight]);
        lowX.load(k.lowCrossover, e.lowCrossoverState[Engine::kLeft], e.lowCrossoverState[Engine::kRight]);
        highX.load(k.highCrossover, e.highCrossoverState[Engine::kLeft], e.highCrossoverState[Engine::kRight]);
        bands.load(e, k, ix);
        for (int b = 0; b < 3; ++b) {
            bandL[b] = e.bandBuffer[b][Engine::kLeft];
            bandR[b] = e.bandBuffer[b][Engine::kRight];
        }
        const int f = Engine::kStageFinal;
        finalPeak.attach(e, f, k.maskM, k.finalSamples + 2, ix.lookWrite);
        finalFast.load(e.fastSection[f][Engine::kLeft], e.fastSection[f][Engine::kRight]);
        finalSlow.load(e.slowSection[f][Engine::kLeft], e.slowSection[f][Engine::kRight]);
        finalEnv = V2{e.envelope[f][Engine::kLeft], e.envelope[f][Engine::kRight]};
        lookL = e.lookAhead[Engine::kLeft];
        lookR = e.lookAhead[Engine::kRight];
    }

    void store(Engine& e) const {
        hp.store(e.protectState[Engine::kLeft], e.protectState[Engine::kRight]);
        lowX.store(e.lowCrossoverState[Engine::kLeft], e.lowCrossoverState[Engine::kRight]);
        highX.store(e.highCrossoverState[Engine::kLeft], e.highCrossoverState[Engine::kRight]);
        bands.store(e);
        const int f = Engine::kStageFinal;
        finalPeak.store();
        finalFast.store(e.fastSection[f][Engine::kLeft], e.fastSection[f][Engine::kRight]);
        finalSlow.store(e.slowSection[f][Engine::kLeft], e.slowSection[f][Engine::kRight]);
        e.envelope[f][Engine::kLeft] = finalEnv[0];
        e.envelope[f][Engine::kRight] = finalEnv[1];
    }

    // One block of x (input + dn) on both channels from ix on: the limited
    // wet samples before the ceiling, and each channel's gain for the meters.
    void processBlock(const Setup& k, Indices ix, const V2* x, const double* dn, int count, V2* limited,
                      V2* meterGain) {
        PairedBandBlock parts, a, g;
        lanes::Protect2 h = hp;
        lanes::Crossover2 lo = lowX, hi = highX;
        for (int i = 0; i < count; ++i) {
            const V2 d = lanes::splat(dn[i]);
            const V2 v = h.tick(x[i], d);
            const V2 hpOut = lo.tick(v, d);
            const V2 lpOut = hi.tick(v, d);
            parts.v[0][i] = (v - hpOut) * k.lowAdjust;
            parts.v[1][i] = hpOut - (v - lpOut);
            parts.v[2][i] = (v - lpOut) * k.highAdjust;
            for (int b = 0; b < 3; ++b) a.v[b][i] = lanes::abs(parts.v[b][i]);
        }
        hp = h, lowX = lo, highX = hi;

        bands.gains(k, ix, a, dn, count, g);

        SlidingMaximum2 peakWindow = finalPeak;
        lanes::Section2 fast = finalFast, slow = finalSlow;
        V2 env = finalEnv;
        const V2 attack = lanes::splat(k.finalAttackCoef), release = lanes::splat(k.finalReleaseCoef);
        for (int i = 0; i < count; ++i) {
            V2 sum = lanes::splat(0.0);
            V2 minGain = g.v[0][i];
            for (int b = 0; b < 3; ++b) {
                lanes::store(bandL[b], bandR[b], ix.lookWrite, parts.v[b][i]);
                sum += lanes::load(bandL[b], bandR[b], ix.lookRead) * g.v[b][i];
                if (b > 0) minGain = lanes::min(minGain, g.v[b][i]);
            }
            lanes::store(lookL, lookR, ix.lookWrite, sum);
            // The final tracker is kept up to date even while Brickwall is off.
            const V2 peak = peakWindow.push(ix.lookWrite, lanes::abs(sum * kDetectorFactor));
            const V2 delayed = lanes::load(lookL, lookR, ix.finalRead);
            if (!k.brickwall) {
                meterGain[i] = minGain;
                limited[i] = delayed;
            } else {
                const V2 level = peak + kLevelFloor + lanes::splat(dn[i]);
                const V2 f = fast.tick(level);
                const V2 s = slow.tick(level);
                const V2 factor =
                    k.autoRelease ? lanes::autoFactor(f, s, 0.2, lanes::splat(4.0), 1.3) : lanes::splat(1.0);
                env = lanes::follow(env, level, attack, release, factor);
                const V2 finalGain = env < 1.0 ? lanes::splat(1.0) : 1.0 / env;
                meterGain[i] = minGain * finalGain;
                limited[i] = lanes::clampUnit(delayed * finalGain);
            }
            ix.advanceLook(k);
        }
        finalPeak = peakWindow;
        finalFast = fast, finalSlow = slow;
        finalEnv = env;
    }
};

}  // namespace ambrel::kernel
