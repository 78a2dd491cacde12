#pragma once
// Three-band kernel on both channels: each band gain and the final gain are
// common to both, driven by the louder channel. The two channels' filters
// run side by side in the lanes of a vector register; the detectors are
// shared and run once.
// The body is built twice: with the plain x86-64 band detectors
// (MultiBandLinked.cpp) and with those of the AVX2 build (MultiBandWide.cpp).

#include <algorithm>

#include "dsp/Engine.h"
#include "dsp/ThreeBandParts.h"
#include "dsp/TwoLanes.h"

namespace ambrel {

template <int Kind, class Bands>
void Engine::runMultiBandLinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    using namespace kernel;
    if (count <= 0) return;  // the stages below fill their blocks before reading them
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
    Bands detectors;
    detectors.load(*this, kLeft, k, ix);
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

    // The block stage by stage (see ThreeBandParts.h): the band split of both
    // channels, the shared band detectors on the louder channel, then the sum,
    // the final limiter and the output.
    V2 x[kMeterChunk];
    double dns[kMeterChunk];
    PairedBandBlock parts;
    BandBlock louder, g;
    for (int i = 0; i < count; ++i) {
        dn = -dn;
        dns[i] = dn;
        const V2 d = lanes::splat(dn);
        x[i] = lanes::load(inL, inR, i) + d;
        const V2 v = hp.tick(x[i], d);
        const V2 hpOut = lowX.tick(v, d);
        const V2 lpOut = highX.tick(v, d);
        parts.v[0][i] = (v - hpOut) * k.lowAdjust;
        parts.v[1][i] = hpOut - (v - lpOut);
        parts.v[2][i] = (v - lpOut) * k.highAdjust;
        for (int b = 0; b < 3; ++b) {
            const V2 a = lanes::abs(parts.v[b][i]);
            louder.v[b][i] = std::max(a[0], a[1]);
        }
    }
    detectors.gains(k, ix, louder, dns, count, g);

    for (int i = 0; i < count; ++i) {
        const V2 raw = lanes::load(inL, inR, i);
        lanes::store(dryL, dryR, ix.ringWrite, x[i]);
        V2 sum = lanes::splat(0.0);
        double minGain = g.v[0][i];
        for (int b = 0; b < 3; ++b) {
            lanes::store(bandL[b], bandR[b], ix.lookWrite, parts.v[b][i]);
            sum += lanes::load(bandL[b], bandR[b], ix.lookRead) * g.v[b][i];
            if (b > 0) minGain = std::min(minGain, g.v[b][i]);
        }
        lanes::store(lookL, lookR, ix.lookWrite, sum);
        const V2 a = lanes::abs(sum * kDetectorFactor);
        const double finalGain = finalDetector.gain(k, ix, std::max(a[0], a[1]), dns[i]);
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
            tape.recordPair(i, raw, y, lanes::splat(gain));
        }
        ix.advanceLook(k);
    }

    ix.store(*this);
    hp.store(protectState[kLeft], protectState[kRight]);
    lowX.store(lowCrossoverState[kLeft], lowCrossoverState[kRight]);
    highX.store(highCrossoverState[kLeft], highCrossoverState[kRight]);
    detectors.store(*this, kLeft);
    finalDetector.store(*this, kLeft);
    antiDenormal = dn;
    if constexpr (Meters) {
        tape.playPair(ms, meters, count);
        storeMeters(*this, meters);
    }
}

}  // namespace ambrel
