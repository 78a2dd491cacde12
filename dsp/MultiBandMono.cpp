// Three-band kernel on one channel: mono, left only or right only.

#include "dsp/Engine.h"
#include "dsp/ThreeBandParts.h"

namespace ambrel {

template <int Kind>
void Engine::runMultiBandMono(const double* inL, const double* inR, double* outL, double* outR, int count) {
    using namespace kernel;
    constexpr bool Meters = MeterKind<Kind>::on;
    const Setup k = prepare(*this);
    Indices ix = Indices::load(*this, k, true);
    const int mode = k.channelMode;
    const int mainCh = mode == kRightOnly ? kRight : kLeft;
    const int otherCh = 1 - mainCh;
    const double* inMain = mainCh == kLeft ? inL : inR;
    const double* inOther = mainCh == kLeft ? inR : inL;
    double* dryMain = dryRing[mainCh];
    double* dryOther = dryRing[otherCh];
    double* wet = wetRing[mainCh];

    // The main channel's filters and buffers, the left channel's detectors.
    ThreeBandChannel path;
    path.load(*this, kLeft, k, ix);
    path.hp = protectState[mainCh];
    path.lowX = lowCrossoverState[mainCh];
    path.highX = highCrossoverState[mainCh];
    double dn = antiDenormal;

    MeterSetup ms{};
    MeterChannel meters[2];
    MeterTape<Kind> tape;
    double quietGain = 0.0;
    if constexpr (Meters) {
        ms = prepareMeters(*this);
        loadMeters(*this, meters);
        tape.bind(ms, meters);
        quietGain = smallSignalGain;
    }

    for (int i = 0; i < count; ++i) {
        dn = -dn;
        const double mainIn = inMain[i];
        const double otherIn = inOther[i];
        const double main = mainIn + dn;
        dryMain[ix.ringWrite] = main;  // the dry signal stays unfiltered here
        dryOther[ix.ringWrite] = otherIn + dn;

        double gain = 0.0;
        const double limited = path.process(k, ix, main, dn, gain);
        wet[ix.ringWrite] = limited * k.ceilingOut;

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
                // As in the single-band kernel: each side measures its own input.
                tape.record(mainCh, i, mainIn, y, gain);
                tape.record(otherCh, i, otherIn, yOther, quietGain);
            }
        }
        ix.advanceLook(k);
    }

    ix.store(*this);
    path.store(*this);
    protectState[mainCh] = path.hp;
    lowCrossoverState[mainCh] = path.lowX;
    highCrossoverState[mainCh] = path.highX;
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

void Engine::processMultiBandMono(const double* inL, const double* inR, double* outL, double* outR, int count) {
    enforceOversamplingLimit();
    withMeterKind(meterKindOf(*this),
                   [&]<int Kind>() {
                      inMeterChunks(count, [&](int at, int n) {
                          runMultiBandMono<Kind>(inL + at, inR + at, outL + at, outR + at, n);
                      });
                  });
}

}  // namespace ambrel
