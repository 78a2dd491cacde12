// Single-band kernel on both channels with one common gain: the louder
// channel drives the detector, so the stereo image never shifts.

#include <algorithm>

#include "dsp/Engine.h"
#include "dsp/KernelSetup.h"
#include "dsp/SlidingMaximum.h"

namespace ambrel {

template <bool Meters>
void Engine::runSingleBandLinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    using namespace kernel;
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

    DirectForm1State hpL = protectState[kLeft], hpR = protectState[kRight];
    DirectForm2State lowXL = lowCrossoverState[kLeft], lowXR = lowCrossoverState[kRight];
    DirectForm2State highXL = highCrossoverState[kLeft], highXR = highCrossoverState[kRight];
    FilterSection fast = fastSection[kStageFinal][kLeft];
    FilterSection slow = slowSection[kStageFinal][kLeft];
    double env = envelope[kStageFinal][kLeft];
    double dn = antiDenormal;
    const double lowAdjustMinusOne = k.lowAdjust - 1.0;
    const double highAdjustMinusOne = k.highAdjust - 1.0;
    const double releaseCoefficient = k.releaseCoef[kStageFinal];
    const double autoReleaseCoefficient = releaseCoefficient * k.linkedReleaseScale;

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

        const double vL = protect(k.protect, hpL, l, dn);
        const double vR = protect(k.protect, hpR, r, dn);
        const double hpOutL = crossover(k.lowCrossover, lowXL, vL, dn);
        const double hpOutR = crossover(k.lowCrossover, lowXR, vR, dn);
        const double lpOutL = crossover(k.highCrossover, highXL, vL, dn);
        const double lpOutR = crossover(k.highCrossover, highXR, vR, dn);
        const double eL = vL + (vL - hpOutL) * lowAdjustMinusOne + (vL - lpOutL) * highAdjustMinusOne;
        const double eR = vR + (vR - hpOutR) * lowAdjustMinusOne + (vR - lpOutR) * highAdjustMinusOne;
        lookL[ix.lookWrite] = eL;
        lookR[ix.lookWrite] = eR;

        const double a = std::max(std::fabs(eL * kDetectorFactor), std::fabs(eR * kDetectorFactor));
        const double peak = peakWindow.push(ix.lookWrite, a);
        const double level = peak + kLevelFloor + dn;
        const double delayedL = lookL[ix.lookRead];
        const double delayedR = lookR[ix.lookRead];

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
        double outValueL = delayedL * gain;
        double outValueR = delayedR * gain;
        if (k.brickwall) {
            outValueL = clampUnit(outValueL);
            outValueR = clampUnit(outValueR);
        }
        wetL[ix.ringWrite] = outValueL * k.ceilingOut;
        wetR[ix.ringWrite] = outValueR * k.ceilingOut;

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
    peakWindow.store();
    protectState[kLeft] = hpL;
    protectState[kRight] = hpR;
    lowCrossoverState[kLeft] = lowXL;
    lowCrossoverState[kRight] = lowXR;
    highCrossoverState[kLeft] = highXL;
    highCrossoverState[kRight] = highXR;
    fastSection[kStageFinal][kLeft] = fast;
    slowSection[kStageFinal][kLeft] = slow;
    envelope[kStageFinal][kLeft] = env;
    antiDenormal = dn;
    if constexpr (Meters) storeMeters(*this, meters);
}

void Engine::processSingleBandLinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    enforceOversamplingLimit();
    if (editorOpen.load(std::memory_order_relaxed))
        runSingleBandLinked<true>(inL, inR, outL, outR, count);
    else
        runSingleBandLinked<false>(inL, inR, outL, outR, count);
}

}  // namespace ambrel
