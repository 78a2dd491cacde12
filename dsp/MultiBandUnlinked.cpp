// Three-band kernel on both channels, every gain independent. The two
// channels run side by side in the two lanes of a vector register.

#include "dsp/Engine.h"
#include "dsp/ThreeBandLanes.h"

namespace ambrel {

template <int Kind>
void Engine::runMultiBandUnlinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    using namespace kernel;
    using lanes::V2;
    constexpr bool Meters = MeterKind<Kind>::on;
    const Setup k = prepare(*this);
    Indices ix = Indices::load(*this, k, true);
    double* dryL = dryRing[kLeft];
    double* dryR = dryRing[kRight];
    double* wetL = wetRing[kLeft];
    double* wetR = wetRing[kRight];
    ThreeBandLanes path;
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

    for (int i = 0; i < count; ++i) {
        dn = -dn;
        const V2 dn2 = lanes::splat(dn);
        const V2 raw = lanes::load(inL, inR, i);
        const V2 x = raw + dn2;
        lanes::store(dryL, dryR, ix.ringWrite, x);

        V2 gain;
        const V2 limited = path.process(k, ix, x, dn2, gain);
        lanes::store(wetL, wetR, ix.ringWrite, limited * k.ceilingOut);

        const V2 w = lanes::load(wetL, wetR, ix.wetRead);
        ix.advanceRing(k);
        const V2 d = lanes::load(dryL, dryR, ix.ringWrite);
        const V2 y = ((w - d) * k.mix + d) * k.outputGain;
        outL[i] = y[0];
        outR[i] = y[1];

        if constexpr (Meters) {
            tape.record(kLeft, i, raw[0], y[0], gain[0]);
            tape.record(kRight, i, raw[1], y[1], gain[1]);
        }
        ix.advanceLook(k);
    }

    ix.store(*this);
    path.store(*this);
    antiDenormal = dn;
    if constexpr (Meters) {
        tape.playBoth(ms, meters, count);
        storeMeters(*this, meters);
    }
}

void Engine::processMultiBandUnlinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    enforceOversamplingLimit();
    withMeterKind(meterKindOf(*this),
                  [&]<int Kind>() {
                      inMeterChunks(count, [&](int at, int n) {
                          runMultiBandUnlinked<Kind>(inL + at, inR + at, outL + at, outR + at, n);
                      });
                  });
}

}  // namespace ambrel
