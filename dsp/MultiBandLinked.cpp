// Three-band kernel on both channels: each band gain and the final gain are
// common to both, driven by the louder channel. The two channels' filters
// run side by side in the lanes of a vector register; the detectors are
// shared and run once.

#include <algorithm>

#include "dsp/Engine.h"
#include "dsp/ThreeBandParts.h"
#include "dsp/TwoLanes.h"

namespace ambrel {

template <int Kind>
void Engine::runMultiBandLinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    using namespace kernel;
    using lanes::V2;
    constexpr bool Meters = MeterKind<Kind>::on;
    const Setup k = prepare(*this);
    Indices ix = Indices::load(*this, k, true);
    double* dryL = dryRing[kLeft];
    double* dryR = dryRing[kRight];
    double* wetL = wetRing[kLeft];
    double* wetR = wetRing[kRight];
    double* lookL = lookAhead[kLeft];
    double* lookR = lookAhead[kRight];
    double* bandL[3] = {bandBuffer[0][kLeft], bandBuffer[1][kLeft], bandBuffer[2][kLeft]};
    double* bandR[3] = {bandBuffer[0][kRight], bandBuffer[1][kRight], bandBuffer[2][kRight]};

    lanes::Protect2 hp;
    lanes::Crossover2 lowX, highX;
    hp.load(k.protect, protectState[kLeft], protectState[kRight]);
    lowX.load(k.lowCrossover, lowCrossoverState[kLeft], lowCrossoverState[kRight]);
    highX.load(k.highCrossover, highCrossoverState[kLeft], highCrossoverState[kRight]);
    // The left channel's detectors serve both channels.
    BandDetector detector[3];
    for (int b = 0; b < 3; ++b) detector[b].load(*this, kStageLow + b, kLeft, k, ix);
    FinalDetector finalDetector;
    finalDetector.load(*this, kLeft, k, ix);
    double dn = antiDenormal;

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
        const V2 parts[3] = {(v - hpOut) * k.lowAdjust, hpOut - (v - lpOut), (v - lpOut) * k.highAdjust};

        V2 sum = lanes::splat(0.0);
        double minGain = 0.0;
        for (int b = 0; b < 3; ++b) {
            lanes::store(bandL[b], bandR[b], ix.lookWrite, parts[b]);
            const V2 a = lanes::abs(parts[b]);
            const double g = detector[b].gain(k, ix, std::max(a[0], a[1]), dn);
            sum += lanes::load(bandL[b], bandR[b], ix.lookRead) * g;
            minGain = b == 0 ? g : std::min(minGain, g);
        }
        lanes::store(lookL, lookR, ix.lookWrite, sum);
        const V2 a = lanes::abs(sum * kDetectorFactor);
        const double finalGain = finalDetector.gain(k, ix, std::max(a[0], a[1]), dn);
        V2 limited = lanes::load(lookL, lookR, ix.finalRead);
        if (k.brickwall) limited = lanes::clampUnit(limited * finalGain);
        const double gain = minGain * finalGain;
        lanes::store(wetL, wetR, ix.ringWrite, limited * k.ceilingOut);

        const V2 w = lanes::load(wetL, wetR, ix.wetRead);
        ix.advanceRing(k);
        const V2 d = lanes::load(dryL, dryR, ix.ringWrite);
        const V2 y = ((w - d) * k.mix + d) * k.outputGain;
        outL[i] = y[0];
        outR[i] = y[1];

        if constexpr (Meters) {
            tape.record(kLeft, i, raw[0], y[0], gain);
            tape.record(kRight, i, raw[1], y[1], gain);
        }
        ix.advanceLook(k);
    }

    ix.store(*this);
    hp.store(protectState[kLeft], protectState[kRight]);
    lowX.store(lowCrossoverState[kLeft], lowCrossoverState[kRight]);
    highX.store(highCrossoverState[kLeft], highCrossoverState[kRight]);
    for (const BandDetector& d : detector) d.store(*this, kLeft);
    finalDetector.store(*this, kLeft);
    antiDenormal = dn;
    if constexpr (Meters) {
        tape.playBoth(ms, meters, count);
        storeMeters(*this, meters);
    }
}

void Engine::processMultiBandLinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    enforceOversamplingLimit();
    withMeterKind(meterKindOf(*this),
                  [&]<int Kind>() {
                      inMeterChunks(count, [&](int at, int n) {
                          runMultiBandLinked<Kind>(inL + at, inR + at, outL + at, outR + at, n);
                      });
                  });
}

}  // namespace ambrel
