// Three-band kernel on both channels: each band gain and the final gain are
// common to both, driven by the louder channel.

#include <algorithm>

#include "dsp/Engine.h"
#include "dsp/ThreeBandParts.h"

namespace ambrel {

template <bool Meters>
void Engine::runMultiBandLinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    using namespace kernel;
    const Setup k = prepare(*this);
    Indices ix = Indices::load(*this, k, true);
    double* dryL = dryRing[kLeft];
    double* dryR = dryRing[kRight];
    double* wetL = wetRing[kLeft];
    double* wetR = wetRing[kRight];
    // Both channels split and wait in their own buffers; the left channel's
    // detectors serve both.
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

        left.split(k, ix, l, dn);
        right.split(k, ix, r, dn);
        double sumL = 0.0;
        double sumR = 0.0;
        double minGain = 0.0;
        for (int b = 0; b < 3; ++b) {
            const double a = std::max(std::fabs(left.band[b][ix.lookWrite]), std::fabs(right.band[b][ix.lookWrite]));
            const double g = left.detector[b].gain(k, ix, a, dn);
            sumL += left.band[b][ix.lookRead] * g;
            sumR += right.band[b][ix.lookRead] * g;
            minGain = b == 0 ? g : std::min(minGain, g);
        }
        left.look[ix.lookWrite] = sumL;
        right.look[ix.lookWrite] = sumR;
        const double a = std::max(std::fabs(sumL * kDetectorFactor), std::fabs(sumR * kDetectorFactor));
        const double finalGain = left.finalDetector.gain(k, ix, a, dn);
        double limitedL = left.look[ix.finalRead];
        double limitedR = right.look[ix.finalRead];
        if (k.brickwall) {
            limitedL = clampUnit(limitedL * finalGain);
            limitedR = clampUnit(limitedR * finalGain);
        }
        const double gain = minGain * finalGain;
        wetL[ix.ringWrite] = limitedL * k.ceilingOut;
        wetR[ix.ringWrite] = limitedR * k.ceilingOut;

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
            meters[kLeft].step(ms, rawL, yL, gain);
            meters[kRight].step(ms, rawR, yR, gain);
        }
        ix.advanceLook(k);
    }

    ix.store(*this);
    // Only the left detectors ran; storing the right channel's untouched
    // copies back is harmless and keeps the two paths symmetric.
    left.store(*this);
    right.store(*this);
    antiDenormal = dn;
    if constexpr (Meters) storeMeters(*this, meters);
}

void Engine::processMultiBandLinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    enforceOversamplingLimit();
    if (editorOpen.load(std::memory_order_relaxed))
        runMultiBandLinked<true>(inL, inR, outL, outR, count);
    else
        runMultiBandLinked<false>(inL, inR, outL, outR, count);
}

}  // namespace ambrel
