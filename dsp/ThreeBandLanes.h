#pragma once
// The three-band path of both channels side by side, each channel with its
// own detectors and gains (the unlinked three-band kernel).

#include "dsp/SlidingMaximum.h"
#include "dsp/ThreeBandParts.h"
#include "dsp/TwoLanes.h"

namespace ambrel::kernel {

struct ThreeBandLanes {
    using V2 = lanes::V2;

    struct Band {
        SlidingMaximum2 peak;
        lanes::Section2 fast, slow;
        V2 env;
        V2 release;
        V2 sat;
        V2 driveKnee;
    };

    lanes::Protect2 hp;
    lanes::Crossover2 lowX, highX;
    Band band[3];
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
        for (int b = 0; b < 3; ++b) {
            const int stage = Engine::kStageLow + b;
            const Band& d = band[b];
            d.peak.store();
            d.fast.store(e.fastSection[stage][Engine::kLeft], e.fastSection[stage][Engine::kRight]);
            d.slow.store(e.slowSection[stage][Engine::kLeft], e.slowSection[stage][Engine::kRight]);
            e.envelope[stage][Engine::kLeft] = d.env[0];
            e.envelope[stage][Engine::kRight] = d.env[1];
        }
        const int f = Engine::kStageFinal;
        finalPeak.store();
        finalFast.store(e.fastSection[f][Engine::kLeft], e.fastSection[f][Engine::kRight]);
        finalSlow.store(e.slowSection[f][Engine::kLeft], e.slowSection[f][Engine::kRight]);
        e.envelope[f][Engine::kLeft] = finalEnv[0];
        e.envelope[f][Engine::kRight] = finalEnv[1];
    }

    // One sample of x (input + dn) on both channels: the limited wet samples
    // before the ceiling, and each channel's gain for the meters.
    V2 process(const Setup& k, const Indices& ix, V2 x, V2 dn, V2& meterGain) {
        const V2 v = hp.tick(x, dn);
        const V2 hpOut = lowX.tick(v, dn);
        const V2 lpOut = highX.tick(v, dn);
        const V2 parts[3] = {(v - hpOut) * k.lowAdjust, hpOut - (v - lpOut), (v - lpOut) * k.highAdjust};
        const V2 attack = lanes::splat(k.attackCoef);
        V2 sum = lanes::splat(0.0);
        V2 minGain = lanes::splat(0.0);
        for (int b = 0; b < 3; ++b) {
            Band& d = band[b];
            lanes::store(bandL[b], bandR[b], ix.lookWrite, parts[b]);
            const V2 a = lanes::abs(parts[b]);
            const V2 peak = d.peak.push(ix.lookWrite, a);
            const V2 level = peak + kLevelFloor + dn;
            const V2 f = d.fast.tick(level);
            const V2 s = d.slow.tick(level);
            const V2 factor = k.autoRelease ? lanes::autoFactor(f, s, 0.15, lanes::splat(2.0), 1.5) : lanes::splat(1.0);
            d.env = lanes::max(lanes::follow(d.env, level, attack, d.release, factor), lanes::splat(kEnvelopeFloor));
            const V2 g = lanes::curve(k.curve, d.env * d.driveKnee) * d.sat / d.env;
            sum += lanes::load(bandL[b], bandR[b], ix.lookRead) * g;
            minGain = b == 0 ? g : lanes::min(minGain, g);
        }
        lanes::store(lookL, lookR, ix.lookWrite, sum);
        const V2 a = lanes::abs(sum * kDetectorFactor);
        // The final tracker is kept up to date even while Brickwall is off.
        const V2 peak = finalPeak.push(ix.lookWrite, a);
        V2 delayed = lanes::load(lookL, lookR, ix.finalRead);
        if (!k.brickwall) {
            meterGain = minGain;
            return delayed;
        }
        const V2 level = peak + kLevelFloor + dn;
        const V2 f = finalFast.tick(level);
        const V2 s = finalSlow.tick(level);
        const V2 factor = k.autoRelease ? lanes::autoFactor(f, s, 0.2, lanes::splat(4.0), 1.3) : lanes::splat(1.0);
        finalEnv = lanes::follow(finalEnv, level, lanes::splat(k.finalAttackCoef), lanes::splat(k.finalReleaseCoef),
                                 factor);
        const V2 finalGain = finalEnv < 1.0 ? lanes::splat(1.0) : 1.0 / finalEnv;
        meterGain = minGain * finalGain;
        return lanes::clampUnit(delayed * finalGain);
    }
};

}  // namespace ambrel::kernel
