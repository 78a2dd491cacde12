// Single-band kernel on both channels with independent gains. The two
// channels run side by side in the two lanes of a vector register.

#include "dsp/Engine.h"
#include "dsp/KernelSetup.h"
#include "dsp/SlidingMaximum.h"
#include "dsp/TwoLanes.h"

namespace ambrel {

template <int Kind>
void Engine::runSingleBandUnlinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    using namespace kernel;
    using lanes::V2;
    constexpr bool Meters = MeterKind<Kind>::on;
    const Setup k = prepare(*this);
    Indices ix = Indices::load(*this, k, false);
    double* dryL = dryRing[kLeft];
    double* dryR = dryRing[kRight];
    double* wetL = wetRing[kLeft];
    double* wetR = wetRing[kRight];
    double* lookL = lookAhead[kLeft];
    double* lookR = lookAhead[kRight];

    lanes::Protect2 hp;
    lanes::Crossover2 lowX, highX;
    lanes::Section2 fast, slow;
    hp.load(k.protect, protectState[kLeft], protectState[kRight]);
    lowX.load(k.lowCrossover, lowCrossoverState[kLeft], lowCrossoverState[kRight]);
    highX.load(k.highCrossover, highCrossoverState[kLeft], highCrossoverState[kRight]);
    fast.load(fastSection[kStageFinal][kLeft], fastSection[kStageFinal][kRight]);
    slow.load(slowSection[kStageFinal][kLeft], slowSection[kStageFinal][kRight]);
    SlidingMaximum2 peakWindow;
    peakWindow.attach(*this, kStageFinal, k.maskM, k.attackSamples + 2, ix.lookWrite);
    V2 env = V2{envelope[kStageFinal][kLeft], envelope[kStageFinal][kRight]};
    double dn = antiDenormal;

    const V2 lowAdjustMinusOne = lanes::splat(k.lowAdjust - 1.0);
    const V2 highAdjustMinusOne = lanes::splat(k.highAdjust - 1.0);
    const V2 attackCoef = lanes::splat(k.attackCoef);
    const V2 releaseCoef = lanes::splat(k.releaseCoef[kStageFinal]);
    const V2 autoSlope = V2{4.0, 3.0};  // the automatic release grows faster on the left
    const V2 driveKnee = lanes::splat(k.driveKnee);

    MeterSetup ms{};
    MeterChannel meters[2];
    MeterTape<Kind> tape;
    if constexpr (Meters) {
        ms = prepareMeters(*this);
        loadMeters(*this, meters);
        tape.bind(ms, meters);
    }

    for (int i = 0; i < count; ++i) {
        dn = -dn;
        const V2 dn2 = lanes::splat(dn);
        const V2 raw = lanes::load(inL, inR, i);
        const V2 x = raw + dn2;
        lanes::store(dryL, dryR, ix.ringWrite, x);

        const V2 v = hp.tick(x, dn2);
        const V2 hpOut = lowX.tick(v, dn2);
        const V2 lpOut = highX.tick(v, dn2);
        const V2 e = v + (v - hpOut) * lowAdjustMinusOne + (v - lpOut) * highAdjustMinusOne;
        lanes::store(lookL, lookR, ix.lookWrite, e);

        const V2 a = lanes::abs(e * kDetectorFactor);
        const V2 peak = peakWindow.push(ix.lookWrite, a);
        const V2 level = peak + kLevelFloor + dn2;
        const V2 f = fast.tick(level);
        const V2 s = slow.tick(level);
        const V2 factor = k.autoRelease ? lanes::autoFactor(f, s, 0.18, autoSlope, 1.4) : lanes::splat(1.0);
        env = lanes::follow(env, level, attackCoef, releaseCoef, factor);
        env = lanes::max(env, lanes::splat(kEnvelopeFloor));

        const V2 gain = lanes::curve(k.curve, env * driveKnee) / env;
        V2 out = lanes::load(lookL, lookR, ix.lookRead) * gain;
        if (k.brickwall) out = lanes::clampUnit(out);
        lanes::store(wetL, wetR, ix.ringWrite, out * k.ceilingOut);

        const V2 w = lanes::load(wetL, wetR, ix.wetRead);
        ix.advanceRing(k);
        const V2 d = lanes::load(dryL, dryR, ix.ringWrite);
        const V2 y = ((w - d) * k.mix + d) * k.outputGain;
        outL[i] = y[0];
        outR[i] = y[1];

        if constexpr (Meters) {
            tape.recordPair(i, raw, y, gain);
        }
        ix.advanceLook(k);
    }

    ix.store(*this);
    peakWindow.store();
    hp.store(protectState[kLeft], protectState[kRight]);
    lowX.store(lowCrossoverState[kLeft], lowCrossoverState[kRight]);
    highX.store(highCrossoverState[kLeft], highCrossoverState[kRight]);
    fast.store(fastSection[kStageFinal][kLeft], fastSection[kStageFinal][kRight]);
    slow.store(slowSection[kStageFinal][kLeft], slowSection[kStageFinal][kRight]);
    envelope[kStageFinal][kLeft] = env[0];
    envelope[kStageFinal][kRight] = env[1];
    antiDenormal = dn;
    if constexpr (Meters) {
        tape.playPair(ms, meters, count);
        storeMeters(*this, meters);
    }
}

void Engine::processSingleBandUnlinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    enforceOversamplingLimit();
    withMeterKind(meterKindOf(*this),
                  [&]<int Kind>() {
                      inMeterChunks(count, [&](int at, int n) {
                          runSingleBandUnlinked<Kind>(inL + at, inR + at, outL + at, outR + at, n);
                      });
                  });
}

}  // namespace ambrel
