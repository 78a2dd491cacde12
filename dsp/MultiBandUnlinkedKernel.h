#pragma once
// Three-band kernel on both channels, every gain independent. The two
// channels run side by side in the two lanes of a vector register.
// The body is built twice: with the plain x86-64 band detectors
// (MultiBandUnlinked.cpp) and with those of the AVX2 build (MultiBandWide.cpp).

#include "dsp/Engine.h"
#include "dsp/ThreeBandLanes.h"

namespace ambrel {

template <int Kind, class Bands>
void Engine::runMultiBandUnlinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
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
    ThreeBandLanes<Bands> path;
    path.load(*this, k, ix);
    double dn = antiDenormal;

    MeterSetup ms{};
    MeterChannel meters[2];
    MeterTape<Kind> tape;
    if constexpr (Meters) {
        ms = prepareMeters(*this);
        loadMeters(*this, meters);
        tape.bind(ms, meters);
    }

    V2 x[kMeterChunk], limited[kMeterChunk], gains[kMeterChunk];
    double dns[kMeterChunk];
    for (int i = 0; i < count; ++i) {
        dn = -dn;
        dns[i] = dn;
        x[i] = lanes::load(inL, inR, i) + lanes::splat(dn);
    }
    path.processBlock(k, ix, x, dns, count, limited, gains);

    for (int i = 0; i < count; ++i) {
        const V2 raw = lanes::load(inL, inR, i);
        lanes::store(dryL, dryR, ix.ringWrite, x[i]);
        const V2 gain = gains[i];
        lanes::store(wetL, wetR, ix.ringWrite, limited[i] * k.ceilingOut);

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
    path.store(*this);
    antiDenormal = dn;
    if constexpr (Meters) {
        tape.playPair(ms, meters, count);
        storeMeters(*this, meters);
    }
}

}  // namespace ambrel
