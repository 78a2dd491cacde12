// Single-band kernel on both channels with one common gain: the louder
// channel drives the detector, so the stereo image never shifts. The two
// channels' filters run side by side in the lanes of a vector register.

#include <algorithm>

#include "dsp/Engine.h"
#include "dsp/KernelSetup.h"
#include "dsp/SlidingMaximum.h"
#include "dsp/TwoLanes.h"

namespace ambrel {

template <int Kind>
void Engine::runSingleBandLinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
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
    SlidingMaximum peakWindow;
    peakWindow.attach(*this, kStageFinal, kLeft, k.maskM, k.attackSamples + 2, ix.lookWrite);

    lanes::Protect2 hp;
    lanes::Crossover2 lowX, highX;
    hp.load(k.protect, protectState[kLeft], protectState[kRight]);
    lowX.load(k.lowCrossover, lowCrossoverState[kLeft], lowCrossoverState[kRight]);
    highX.load(k.highCrossover, highCrossoverState[kLeft], highCrossoverState[kRight]);
    FilterSection fast = fastSection[kStageFinal][kLeft];
    FilterSection slow = slowSection[kStageFinal][kLeft];
    double env = envelope[kStageFinal][kLeft];
    double dn = antiDenormal;
    const V2 lowAdjustMinusOne = lanes::splat(k.lowAdjust - 1.0);
    const V2 highAdjustMinusOne = lanes::splat(k.highAdjust - 1.0);
    const double releaseCoefficient = k.releaseCoef[kStageFinal];
    const double autoReleaseCoefficient = releaseCoefficient * k.linkedReleaseScale;

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
        const V2 ea = lanes::abs(e * kDetectorFactor);
        const double a = std::max(ea[0], ea[1]);
        const double peak = peakWindow.push(ix.lookWrite, a);
        const double level = peak + kLevelFloor + dn;

        const double f = fast.tick(level);
        const double s = slow.tick(level);
        if (level > env)
            env += (level - env) * k.attackCoef;
        else if (k.autoRelease)
            env += (level - env) * autoReleaseCoefficient * autoFactor(f, s, 0.18, 3.0, 1.4);
        else
            env += (level - env) * releaseCoefficient;
        if (env < kEnvelopeFloor) env = kEnvelopeFloor;

        const double gain = k.curve(env * k.driveKnee) / env;
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
            tape.recordPair(i, raw, y, lanes::splat(gain));
        }
        ix.advanceLook(k);
    }

    ix.store(*this);
    peakWindow.store();
    hp.store(protectState[kLeft], protectState[kRight]);
    lowX.store(lowCrossoverState[kLeft], lowCrossoverState[kRight]);
    highX.store(highCrossoverState[kLeft], highCrossoverState[kRight]);
    fastSection[kStageFinal][kLeft] = fast;
    slowSection[kStageFinal][kLeft] = slow;
    envelope[kStageFinal][kLeft] = env;
    antiDenormal = dn;
    if constexpr (Meters) {
        tape.playPair(ms, meters, count);
        storeMeters(*this, meters);
    }
}

void Engine::processSingleBandLinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    enforceOversamplingLimit();
    withMeterKind(meterKindOf(*this),
                   [&]<int Kind>() {
                      inMeterChunks(count, [&](int at, int n) {
                          runSingleBandLinked<Kind>(inL + at, inR + at, outL + at, outR + at, n);
                      });
                  });
}

}  // namespace ambrel
