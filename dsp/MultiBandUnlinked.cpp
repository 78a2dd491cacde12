// Three-band kernel on both channels, every gain independent.

#include "dsp/Engine.h"
#include "dsp/ThreeBandParts.h"

namespace ambrel {

template <bool Meters>
void Engine::runMultiBandUnlinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    using namespace kernel;
    const Setup k = prepare(*this);
    Indices ix = Indices::load(*this, k, true);
    double* dryL = dryRing[kLeft];
    double* dryR = dryRing[kRight];
    double* wetL = wetRing[kLeft];
    double* wetR = wetRing[kRight];
    ThreeBandChannel left;
    ThreeBandChannel right;
    left.load(*this, kLeft, k, ix);
    right.load(*this, kRight, k, ix);
    double dn = antiDenormal;

    MeterSetup ms{};
    MeterChannel meters[2];
    if constexpr (Meters) {
        ms = prepareMeters(*this);
        loadMeters(*this, meters);
    }

    for (int i = 0; i < count; ++i) {
        dn = -dn;
        const double rawL = inL[i];
        const double rawR = inR[i];
        const double l = rawL + dn;
        const double r = rawR + dn;
        dryL[ix.ringWrite] = l;
        dryR[ix.ringWrite] = r;

        double gainL = 0.0;
        double gainR = 0.0;
        wetL[ix.ringWrite] = left.process(k, ix, l, dn, gainL) * k.ceilingOut;
        wetR[ix.ringWrite] = right.process(k, ix, r, dn, gainR) * k.ceilingOut;

        const double wL = wetL[ix.wetRead];
        const double wR = wetR[ix.wetRead];
        ix.advanceRing(k);
        const double dL = dryL[ix.ringWrite];
        const double dR = dryR[ix.ringWrite];
        const double yL = ((wL - dL) * k.mix + dL) * k.outputGain;
        const double yR = ((wR - dR) * k.mix + dR) * k.outputGain;
        outL[i] = yL;
        outR[i] = yR;

        if constexpr (Meters) {
            meters[kLeft].step(ms, rawL, yL, gainL);
            meters[kRight].step(ms, rawR, yR, gainR);
        }
        ix.advanceLook(k);
    }

    ix.store(*this);
    left.store(*this);
    right.store(*this);
    antiDenormal = dn;
    if constexpr (Meters) storeMeters(*this, meters);
}

void Engine::processMultiBandUnlinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    enforceOversamplingLimit();
    if (editorOpen.load(std::memory_order_relaxed))
        runMultiBandUnlinked<true>(inL, inR, outL, outR, count);
    else
        runMultiBandUnlinked<false>(inL, inR, outL, outR, count);
}

}  // namespace ambrel
