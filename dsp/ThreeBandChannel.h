#pragma once
// The whole three-band path of one channel, from the protected input to the
// wet sample before the ceiling. `Bands` holds the channel's three band
// detectors (BandDetectorSets.h, WideBandDetectors.h).

#include <cmath>

#include "dsp/ThreeBandParts.h"

namespace ambrel::kernel {

template <class Bands>
struct ThreeBandChannel {
    int ch;
    DirectForm1State hp;
    DirectForm2State lowX, highX;
    double* band[3];
    double* look;
    Bands bands;
    FinalDetector finalDetector;

    void load(Engine& e, int ch_, const Setup& k, const Indices& ix) {
        ch = ch_;
        hp = e.protectState[ch];
        lowX = e.lowCrossoverState[ch];
        highX = e.highCrossoverState[ch];
        for (int b = 0; b < 3; ++b) band[b] = e.bandBuffer[b][ch];
        bands.load(e, ch, k, ix);
        look = e.lookAhead[ch];
        finalDetector.load(e, ch, k, ix);
    }
    void store(Engine& e) const {
        e.protectState[ch] = hp;
        e.lowCrossoverState[ch] = lowX;
        e.highCrossoverState[ch] = highX;
        bands.store(e, ch);
        finalDetector.store(e, ch);
    }

    // One block of x (input + dn) from ix on: the limited wet samples before
    // the ceiling and the channel's gain for the meters. The bands add back
    // to the protected input exactly (with both adjust gains at 0 dB).
    void processBlock(const Setup& k, Indices ix, const double* x, const double* dn, int count, double* limited,
                      double* meterGain) {
        BandBlock parts, a, g;
        DirectForm1State h = hp;
        DirectForm2State lo = lowX, hi = highX;
        for (int i = 0; i < count; ++i) {
            const double v = protect(k.protect, h, x[i], dn[i]);
            const double hpOut = crossover(k.lowCrossover, lo, v, dn[i]);
            const double lpOut = crossover(k.highCrossover, hi, v, dn[i]);
            parts.v[0][i] = (v - hpOut) * k.lowAdjust;
            parts.v[1][i] = hpOut - (v - lpOut);
            parts.v[2][i] = (v - lpOut) * k.highAdjust;
            for (int b = 0; b < 3; ++b) a.v[b][i] = std::fabs(parts.v[b][i]);
        }
        hp = h, lowX = lo, highX = hi;

        bands.gains(k, ix, a, dn, count, g);

        FinalDetector fin = finalDetector;
        for (int i = 0; i < count; ++i) {
            double sum = 0.0;
            double minGain = g.v[0][i];
            for (int b = 0; b < 3; ++b) {
                band[b][ix.lookWrite] = parts.v[b][i];
                sum += band[b][ix.lookRead] * g.v[b][i];
                if (b > 0) minGain = std::min(minGain, g.v[b][i]);
            }
            look[ix.lookWrite] = sum;
            const double finalGain = fin.gain(k, ix, std::fabs(sum * kDetectorFactor), dn[i]);
            double delayed = look[ix.finalRead];
            if (k.brickwall) delayed = clampUnit(delayed * finalGain);
            meterGain[i] = minGain * finalGain;
            limited[i] = delayed;
            ix.advanceLook(k);
        }
        finalDetector = fin;
    }
};

}  // namespace ambrel::kernel
