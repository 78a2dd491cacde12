#pragma once
// Building blocks of the three-band kernels: the per-band detector and gain
// computer, the final look-ahead limiter on the summed bands, and one whole
// channel of the three-band path.

#include <algorithm>

#include "dsp/KernelSetup.h"
#include "dsp/SlidingMaximum.h"

namespace ambrel::kernel {

// The look-ahead detector, envelope and gain computer of one band.
struct BandDetector {
    SlidingMaximum peakWindow;
    FilterSection fast;
    FilterSection slow;
    double env;
    int stage;

    void load(Engine& e, int stage_, int ch, const Setup& k, const Indices& ix) {
        stage = stage_;
        peakWindow.attach(e, stage, ch, k.maskM, k.attackSamples + 2, ix.lookWrite);
        fast = e.fastSection[stage][ch];
        slow = e.slowSection[stage][ch];
        env = e.envelope[stage][ch];
    }
    void store(Engine& e, int ch) const {
        peakWindow.store();
        e.fastSection[stage][ch] = fast;
        e.slowSection[stage][ch] = slow;
        e.envelope[stage][ch] = env;
    }

    // a is the band's detector value (no 0.1 dB offset here). The band's
    // saturation level moves the top of its curve to sat_b.
    double gain(const Setup& k, const Indices& ix, double a, double dn) {
        const double peak = peakWindow.push(ix.lookWrite, a);
        const double level = peak + kLevelFloor + dn;
        const double f = fast.tick(level);
        const double s = slow.tick(level);
        const double release = k.releaseCoef[stage];
        if (level > env)
            env += (level - env) * k.attackCoef;
        else if (k.autoRelease)
            env += (level - env) * release * autoFactor(f, s, 0.15, 2.0, 1.5);
        else
            env += (level - env) * release;
        if (env < kEnvelopeFloor) env = kEnvelopeFloor;
        return k.curve(env * k.bandDriveKnee[stage]) * k.sat[stage] / env;
    }
};

// The final limiter on the summed bands. Its tracker is kept up to date even
// while Brickwall is off, so switching it on starts from the right peak.
struct FinalDetector {
    SlidingMaximum peakWindow;
    FilterSection fast;
    FilterSection slow;
    double env;

    void load(Engine& e, int ch, const Setup& k, const Indices& ix) {
        peakWindow.attach(e, Engine::kStageFinal, ch, k.maskM, k.finalSamples + 2, ix.lookWrite);
        fast = e.fastSection[Engine::kStageFinal][ch];
        slow = e.slowSection[Engine::kStageFinal][ch];
        env = e.envelope[Engine::kStageFinal][ch];
    }
    void store(Engine& e, int ch) const {
        peakWindow.store();
        e.fastSection[Engine::kStageFinal][ch] = fast;
        e.slowSection[Engine::kStageFinal][ch] = slow;
        e.envelope[Engine::kStageFinal][ch] = env;
    }

    // a = |sum| x 1.0115795; returns the final gain (1 with Brickwall off).
    double gain(const Setup& k, const Indices& ix, double a, double dn) {
        const double peak = peakWindow.push(ix.lookWrite, a);
        if (!k.brickwall) return 1.0;
        const double level = peak + kLevelFloor + dn;
        const double f = fast.tick(level);
        const double s = slow.tick(level);
        if (level > env)
            env += (level - env) * k.finalAttackCoef;
        else if (k.autoRelease)
            env += (level - env) * k.finalReleaseCoef * autoFactor(f, s, 0.2, 4.0, 1.3);
        else
            env += (level - env) * k.finalReleaseCoef;
        return env < 1.0 ? 1.0 : 1.0 / env;
    }
};

// The whole three-band path of one channel, from the protected input to the
// wet sample before the ceiling.
struct ThreeBandChannel {
    int ch;
    DirectForm1State hp;
    DirectForm2State lowX, highX;
    double* band[3];
    double* look;
    BandDetector detector[3];
    FinalDetector finalDetector;

    void load(Engine& e, int ch_, const Setup& k, const Indices& ix) {
        ch = ch_;
        hp = e.protectState[ch];
        lowX = e.lowCrossoverState[ch];
        highX = e.highCrossoverState[ch];
        for (int b = 0; b < 3; ++b) {
            band[b] = e.bandBuffer[b][ch];
            detector[b].load(e, Engine::kStageLow + b, ch, k, ix);
        }
        look = e.lookAhead[ch];
        finalDetector.load(e, ch, k, ix);
    }
    void store(Engine& e) const {
        e.protectState[ch] = hp;
        e.lowCrossoverState[ch] = lowX;
        e.highCrossoverState[ch] = highX;
        for (const BandDetector& d : detector) d.store(e, ch);
        finalDetector.store(e, ch);
    }

    // Splits the protected input into low, mid and high bands that add back
    // to it exactly (with both adjust gains at 0 dB) and writes them to the
    // band buffers.
    void split(const Setup& k, const Indices& ix, double x, double dn) {
        const double v = protect(k.protect, hp, x, dn);
        const double hpOut = crossover(k.lowCrossover, lowX, v, dn);
        const double lpOut = crossover(k.highCrossover, highX, v, dn);
        band[0][ix.lookWrite] = (v - hpOut) * k.lowAdjust;
        band[1][ix.lookWrite] = hpOut - (v - lpOut);
        band[2][ix.lookWrite] = (v - lpOut) * k.highAdjust;
    }

    // One sample of x (input + dn): returns the limited wet sample and the
    // channel's gain for the meters.
    double process(const Setup& k, const Indices& ix, double x, double dn, double& meterGain) {
        split(k, ix, x, dn);
        double sum = 0.0;
        double minGain = 0.0;
        for (int b = 0; b < 3; ++b) {
            const double g = detector[b].gain(k, ix, std::fabs(band[b][ix.lookWrite]), dn);
            sum += band[b][ix.lookRead] * g;
            minGain = b == 0 ? g : std::min(minGain, g);
        }
        look[ix.lookWrite] = sum;
        const double finalGain = finalDetector.gain(k, ix, std::fabs(sum * kDetectorFactor), dn);
        double delayed = look[ix.finalRead];
        if (k.brickwall) delayed = clampUnit(delayed * finalGain);
        meterGain = minGain * finalGain;
        return delayed;
    }
};

}  // namespace ambrel::kernel
