// Single-band kernel on one channel: mono (the left input to both outputs),
// left only or right only (the other channel passes delayed).

#include "dsp/Engine.h"
#include "dsp/KernelSetup.h"
#include "dsp/SlidingMaximum.h"

namespace ambrel {

template <int Kind>
void Engine::runSingleBandMono(const double* inL, const double* inR, double* outL, double* outR, int count) {
    using namespace kernel;
    constexpr bool Meters = MeterKind<Kind>::on;
    const Setup k = prepare(*this);
    Indices ix = Indices::load(*this, k, false);
    const int mode = k.channelMode;
    const int mainCh = mode == kRightOnly ? kRight : kLeft;
    const int otherCh = 1 - mainCh;
    const double* inMain = mainCh == kLeft ? inL : inR;
    const double* inOther = mainCh == kLeft ? inR : inL;
    double* dryMain = dryRing[mainCh];
    double* dryOther = dryRing[otherCh];
    double* wet = wetRing[mainCh];
    double* look = lookAhead[kLeft];
    SlidingMaximum peakWindow;
    peakWindow.attach(*this, kStageFinal, kLeft, k.maskM, k.attackSamples + 2, ix.lookWrite);

    DirectForm1State hp = protectState[mainCh];
    DirectForm2State lowX = lowCrossoverState[mainCh];
    DirectForm2State highX = highCrossoverState[mainCh];
    FilterSection fast = fastSection[kStageFinal][kLeft];
    FilterSection slow = slowSection[kStageFinal][kLeft];
    double env = envelope[kStageFinal][kLeft];
    double dn = antiDenormal;
    const double lowAdjustMinusOne = k.lowAdjust - 1.0;
    const double highAdjustMinusOne = k.highAdjust - 1.0;
    const double releaseCoefficient = k.releaseCoef[kStageFinal];

    MeterSetup ms{};
    MeterChannel meters[2];
    MeterTape<Kind> tape;
    double quietGain = 0.0;
    if constexpr (Meters) {
        ms = prepareMeters(*this);
        loadMeters(*this, meters);
        tape.bind(ms, meters);
        quietGain = smallSignalGain;  // the passed-through channel's gain reads as ceilingGain
    }

    for (int i = 0; i < count; ++i) {
        dn = -dn;
        const double mainIn = inMain[i];
        const double otherIn = inOther[i];
        dryOther[ix.ringWrite] = otherIn + dn;

        // The dry signal of the mix is the high-passed main channel too.
        const double v = protect(k.protect, hp, mainIn + dn, dn);
        dryMain[ix.ringWrite] = v;

        const double hpOut = crossover(k.lowCrossover, lowX, v, dn);
        const double lpOut = crossover(k.highCrossover, highX, v, dn);
        const double e = v + (v - hpOut) * lowAdjustMinusOne + (v - lpOut) * highAdjustMinusOne;
        look[ix.lookWrite] = e;

        const double peak = peakWindow.push(ix.lookWrite, std::fabs(e * kDetectorFactor));
        const double level = peak + kLevelFloor + dn;
        const double delayed = look[ix.lookRead];

        const double f = fast.tick(level);
        const double s = slow.tick(level);
        if (level > env)
            env += (level - env) * k.attackCoef;
        else if (k.autoRelease)
            env += (level - env) * releaseCoefficient * autoFactor(f, s, 0.18, 3.0, 1.4);
        else
            env += (level - env) * releaseCoefficient;
        if (env < kEnvelopeFloor) env = kEnvelopeFloor;

        const double gain = k.curve(env * k.driveKnee) / env;
        double out = delayed * gain;
        if (k.brickwall) out = clampUnit(out);
        wet[ix.ringWrite] = out * k.ceilingOut;

        const double w = wet[ix.wetRead];
        ix.advanceRing(k);
        const double dry = dryMain[ix.ringWrite];
        const double y = ((w - dry) * k.mix + dry) * k.outputGain;
        const double yOther = dryOther[ix.ringWrite] * k.outputGain;

        if (mode == kMono) {
            outL[i] = y;
            outR[i] = y;
        } else if (mode == kLeftOnly) {
            outL[i] = y;
            outR[i] = yOther;
        } else {
            outL[i] = yOther;
            outR[i] = y;
        }

        if constexpr (Meters) {
            if (mode == kMono) {
                tape.record(kLeft, i, mainIn, y, gain);  // the right meter shows the same
            } else {
                // Right only measures the right input like left only measures
                // the left one: " Pre " shows what enters the processed channel.
                tape.record(mainCh, i, mainIn, y, gain);
                tape.record(otherCh, i, otherIn, yOther, quietGain);
            }
        }
        ix.advanceLook(k);
    }

    ix.store(*this);
    peakWindow.store();
    protectState[mainCh] = hp;
    lowCrossoverState[mainCh] = lowX;
    highCrossoverState[mainCh] = highX;
    fastSection[kStageFinal][kLeft] = fast;
    slowSection[kStageFinal][kLeft] = slow;
    envelope[kStageFinal][kLeft] = env;
    antiDenormal = dn;
    if constexpr (Meters) {
        if (mode == kMono)
            tape.play(ms, meters[kLeft], kLeft, count);
        else
            tape.playBoth(ms, meters, count);
        if (mode == kMono) {
            meters[kRight] = meters[kLeft];
            meters[kRight].vu = &vuSection[kRight];
            vuSection[kRight] = vuSection[kLeft];
        }
        storeMeters(*this, meters);
    }
}

void Engine::processSingleBandMono(const double* inL, const double* inR, double* outL, double* outR, int count) {
    enforceOversamplingLimit();
    withMeterKind(meterKindOf(*this),
                   [&]<int Kind>() {
                      inMeterChunks(count, [&](int at, int n) {
                          runSingleBandMono<Kind>(inL + at, inR + at, outL + at, outR + at, n);
                      });
                  });
}

}  // namespace ambrel
