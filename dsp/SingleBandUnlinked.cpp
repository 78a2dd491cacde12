// Single-band kernel on both channels with independent gains.

#include "dsp/Engine.h"
#include "dsp/KernelSetup.h"
#include "dsp/SlidingMaximum.h"

namespace ambrel {

namespace {

// One channel's look-ahead detector, envelope and gain computer.
struct ChannelLimiter {
    kernel::SlidingMaximum peakWindow;
    FilterSection fast;
    FilterSection slow;
    double env;
    double autoSlope;  // the automatic release grows faster on the left channel

    double gainFor(double e, const kernel::Setup& k, const kernel::Indices& ix, double dn) {
        using namespace kernel;
        const double peak = peakWindow.push(ix.lookWrite, std::fabs(e * kDetectorFactor));
        const double level = peak + kLevelFloor + dn;
        const double f = fast.tick(level);
        const double s = slow.tick(level);
        const double release = k.releaseCoef[Engine::kStageFinal];
        if (level > env)
            env += (level - env) * k.attackCoef;
        else if (k.autoRelease)
            env += (level - env) * release * autoFactor(f, s, 0.18, autoSlope, 1.4);
        else
            env += (level - env) * release;
        if (env < kEnvelopeFloor) env = kEnvelopeFloor;
        return k.curve(env * k.driveKnee) / env;
    }
};

}  // namespace

template <bool Meters>
void Engine::runSingleBandUnlinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    using namespace kernel;
    const Setup k = prepare(*this);
    Indices ix = Indices::load(*this, k, false);
    double* dryL = dryRing[kLeft];
    double* dryR = dryRing[kRight];
    double* wetL = wetRing[kLeft];
    double* wetR = wetRing[kRight];
    double* lookL = lookAhead[kLeft];
    double* lookR = lookAhead[kRight];

    DirectForm1State hpL = protectState[kLeft], hpR = protectState[kRight];
    DirectForm2State lowXL = lowCrossoverState[kLeft], lowXR = lowCrossoverState[kRight];
    DirectForm2State highXL = highCrossoverState[kLeft], highXR = highCrossoverState[kRight];
    ChannelLimiter left{{}, fastSection[kStageFinal][kLeft],
                        slowSection[kStageFinal][kLeft], envelope[kStageFinal][kLeft], 4.0};
    ChannelLimiter right{{}, fastSection[kStageFinal][kRight],
                         slowSection[kStageFinal][kRight], envelope[kStageFinal][kRight], 3.0};
    left.peakWindow.attach(*this, kStageFinal, kLeft, k.maskM, k.attackSamples + 2, ix.lookWrite);
    right.peakWindow.attach(*this, kStageFinal, kRight, k.maskM, k.attackSamples + 2, ix.lookWrite);
    double dn = antiDenormal;
    const double lowAdjustMinusOne = k.lowAdjust - 1.0;
    const double highAdjustMinusOne = k.highAdjust - 1.0;

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

        const double gainL = left.gainFor(eL, k, ix, dn);
        const double gainR = right.gainFor(eR, k, ix, dn);
        double outValueL = lookL[ix.lookRead] * gainL;
        double outValueR = lookR[ix.lookRead] * gainR;
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
            meters[kLeft].step(ms, rawL, yL, gainL);
            meters[kRight].step(ms, rawR, yR, gainR);
        }
        ix.advanceLook(k);
    }

    ix.store(*this);
    left.peakWindow.store();
    right.peakWindow.store();
    protectState[kLeft] = hpL;
    protectState[kRight] = hpR;
    lowCrossoverState[kLeft] = lowXL;
    lowCrossoverState[kRight] = lowXR;
    highCrossoverState[kLeft] = highXL;
    highCrossoverState[kRight] = highXR;
    fastSection[kStageFinal][kLeft] = left.fast;
    slowSection[kStageFinal][kLeft] = left.slow;
    envelope[kStageFinal][kLeft] = left.env;
    fastSection[kStageFinal][kRight] = right.fast;
    slowSection[kStageFinal][kRight] = right.slow;
    envelope[kStageFinal][kRight] = right.env;
    antiDenormal = dn;
    if constexpr (Meters) storeMeters(*this, meters);
}

void Engine::processSingleBandUnlinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    enforceOversamplingLimit();
    if (editorOpen.load(std::memory_order_relaxed))
        runSingleBandUnlinked<true>(inL, inR, outL, outR, count);
    else
        runSingleBandUnlinked<false>(inL, inR, outL, outR, count);
}

}  // namespace ambrel
