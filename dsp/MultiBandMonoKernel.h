#pragma once
// Three-band kernel on one channel: mono, left only or right only.
// The body is built twice: with the plain x86-64 band detectors
// (MultiBandMono.cpp) and with those of the AVX2 build (MultiBandWide.cpp).

#include "dsp/Engine.h"
#include "dsp/ThreeBandChannel.h"

namespace ambrel {

template <int Kind, class Bands>
void Engine::runMultiBandMono(const double* inL, const double* inR, double* outL, double* outR, int count) {
    using namespace kernel;
    if (count <= 0) return;  // the stages below fill their blocks before reading them
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
    ThreeBandChannel<Bands> path;
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

    double x[kMeterChunk], dns[kMeterChunk], limited[kMeterChunk], gains[kMeterChunk];
    for (int i = 0; i < count; ++i) {
        dn = -dn;
        dns[i] = dn;
        x[i] = inMain[i] + dn;
    }
    path.processBlock(k, ix, x, dns, count, limited, gains);

    for (int i = 0; i < count; ++i) {
        const double mainIn = inMain[i];
        const double otherIn = inOther[i];
        dryMain[ix.ringWrite] = x[i];  // the dry signal stays unfiltered here
        dryOther[ix.ringWrite] = otherIn + dns[i];

        const double gain = gains[i];
        wet[ix.ringWrite] = limited[i] * k.ceilingOut;

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

}  // namespace ambrel
