#pragma once
// What a kernel copies out of the engine once per call. The parameter code may
// change engine quantities on another thread at any time; a kernel works on
// these copies for the whole block, so a change takes effect on the next one.

#include <cmath>

#include "dsp/KernelParts.h"
#include "dsp/MeterTape.h"

namespace ambrel::kernel {

enum ChannelMode : int { kMono = 0, kLeftOnly = 1, kRightOnly = 2 };

struct Setup {
    int maskN, maskM;
    int attackSamples, finalSamples;
    double attackCoef, finalAttackCoef, finalReleaseCoef;
    double releaseCoef[Engine::kStageCount];  // single band / final slot, then low, mid, high
    double linkedReleaseScale;
    double driveKnee;  // driveGain x kneeInputScale
    double bandDriveKnee[Engine::kStageCount];  // driveGain / sat_b x kneeInputScale (bands only)
    double sat[Engine::kStageCount];
    Curve curve;
    double ceilingOut, outputGain, mix;
    double lowAdjust, highAdjust;
    bool brickwall, autoRelease;
    int channelMode;
    BiquadCoefficients protect, lowCrossover, highCrossover;
};

inline Setup prepare(Engine& e) {
    Engine::KernelCache& cache = e.kernelCache;
    if (e.kneeAmount != cache.kneeAmount) {
        cache.kneeAmount = e.kneeAmount;
        cache.kneeA = Engine::kneeAOf(e.kneeAmount);
    }
    Setup s;
    s.maskN = e.delayLength - 1;
    s.maskM = e.lookAheadLength - 1;
    // The windows must fit the look-ahead buffers of the current rate band,
    // even if the rate changed without a coefficient update.
    const int maxWindow = e.lookAheadLength - 2;
    s.attackSamples = e.attackSamples < 1 ? 1 : (e.attackSamples > maxWindow ? maxWindow : e.attackSamples);
    s.finalSamples = e.finalSamples < 1 ? 1 : (e.finalSamples > maxWindow ? maxWindow : e.finalSamples);
    s.attackCoef = e.attackCoef;
    s.finalAttackCoef = e.finalAttackCoef;
    s.finalReleaseCoef = e.finalReleaseCoef;
    s.releaseCoef[Engine::kStageFinal] = e.releaseCoef;
    s.releaseCoef[Engine::kStageLow] = e.lowReleaseCoef;
    s.releaseCoef[Engine::kStageMid] = e.midReleaseCoef;
    s.releaseCoef[Engine::kStageHigh] = e.highReleaseCoef;
    s.linkedReleaseScale = e.linkedReleaseScale;
    const double drive = e.driveGain;
    const double kis = e.kneeInputScale;
    s.driveKnee = drive * kis;
    s.sat[Engine::kStageFinal] = 1.0;
    s.sat[Engine::kStageLow] = e.lowSat;
    s.sat[Engine::kStageMid] = e.midSat;
    s.sat[Engine::kStageHigh] = e.highSat;
    s.bandDriveKnee[Engine::kStageFinal] = s.driveKnee;
    s.bandDriveKnee[Engine::kStageLow] = drive * e.lowSatInverse * kis;
    s.bandDriveKnee[Engine::kStageMid] = drive * e.midSatInverse * kis;
    s.bandDriveKnee[Engine::kStageHigh] = drive * e.highSatInverse * kis;
    s.curve = Curve::of(e, cache.kneeA);
    s.ceilingOut = e.ceilingOut;
    s.outputGain = e.outputGain;
    s.mix = e.mixAmount;
    s.lowAdjust = e.lowAdjustGain;
    s.highAdjust = e.highAdjustGain;
    s.brickwall = e.brickwall != 0;
    s.autoRelease = e.autoRelease != 0;
    const double lr = e.leftRightValue;
    s.channelMode = lr < 0.333 ? kMono : (lr < 0.66 ? kLeftOnly : kRightOnly);
    s.protect = e.protectCoefficients;
    s.lowCrossover = e.lowCrossoverCoefficients;
    s.highCrossover = e.highCrossoverCoefficients;
    return s;
}

// Ring positions for one call. The read positions follow from the write
// positions and the current windows, so every path stays exactly N - 1
// samples long even when the windows changed since the last block.
struct Indices {
    int ringWrite, wetRead, lookWrite, lookRead, finalRead;

    static Indices load(const Engine& e, const Setup& s, bool threeBands) {
        Indices ix;
        ix.ringWrite = e.ringWrite & s.maskN;
        ix.lookWrite = e.lookWrite & s.maskM;
        ix.lookRead = (ix.lookWrite - s.attackSamples - 1) & s.maskM;
        ix.finalRead = (ix.lookWrite - s.finalSamples - 1) & s.maskM;
        ix.wetRead = threeBands ? (ix.ringWrite + s.finalSamples + s.attackSamples + 3) & s.maskN
                                : (ix.ringWrite + s.attackSamples + 2) & s.maskN;
        return ix;
    }
    void store(Engine& e) const {
        e.ringWrite = ringWrite;
        e.wetRead = wetRead;
        e.lookWrite = lookWrite;
        e.lookRead = lookRead;
        e.finalRead = finalRead;
    }
    void advanceRing(const Setup& s) {
        wetRead = (wetRead + 1) & s.maskN;
        ringWrite = (ringWrite + 1) & s.maskN;
    }
    void advanceLook(const Setup& s) {
        lookWrite = (lookWrite + 1) & s.maskM;
        lookRead = (lookRead + 1) & s.maskM;
        finalRead = (finalRead + 1) & s.maskM;
    }
};

inline MeterSetup prepareMeters(Engine& e) {
    Engine::KernelCache& c = e.kernelCache;
    const double rate = e.processRate;
    if (e.ppmIntegrationMs != c.ppmIntegrationMs || e.ppmReturnMs != c.ppmReturnMs || e.ppmRatio != c.ppmRatio ||
        rate != c.rate) {
        c.ppmIntegrationMs = e.ppmIntegrationMs;
        c.ppmReturnMs = e.ppmReturnMs;
        c.ppmRatio = e.ppmRatio;
        c.rate = rate;
        c.ppmAttack = c.ppmIntegrationMs <= 0.05 ? 1.0 : 1.0 - std::pow(0.01, 1.0 / (c.ppmIntegrationMs * 0.001 * rate));
        c.ppmRelease = 1.0 - std::pow(0.01, 1.0 / (c.ppmReturnMs * 0.001 * rate));
        c.ppmLevel = std::pow(10.0, 0.19 * std::pow(c.ppmRatio, 0.6));
    }
    MeterSetup m;
    m.attack = c.ppmAttack;
    m.release = c.ppmRelease;
    m.level = c.ppmLevel;
    m.vuInputScale = 1.4142136 * 1.096 * e.vuReferenceGainInverse;
    m.vuGuard = 0.01 / e.ceilingGain;
    m.gainScale = e.ceilingGain / e.smallSignalGain;
    m.overCountLimit = e.overCountLimit;
    return m;
}

// Starts from the full-precision state unless someone else wrote the
// published value since (a reset to 0, for example).
inline double meterStart(const std::atomic<float>& published, double state) {
    const float shown = published.load(std::memory_order_relaxed);
    return shown == static_cast<float>(state) ? state : static_cast<double>(shown);
}

inline void loadMeters(Engine& e, MeterChannel (&m)[2]) {
    m[0].meter = meterStart(e.meterLeft, e.meterState[0]);
    m[1].meter = meterStart(e.meterRight, e.meterState[1]);
    m[0].overCount = e.overCountLeft.load(std::memory_order_relaxed);
    m[1].overCount = e.overCountRight.load(std::memory_order_relaxed);
    for (int c = 0; c < 2; ++c) {
        m[c].vu = &e.vuSection[c];
        m[c].vuSum = e.vuAccumulator[c];
        m[c].vuPhase = e.vuPhase[c];
    }
}

inline void storeMeters(Engine& e, const MeterChannel (&m)[2]) {
    e.meterState[0] = m[0].meter;
    e.meterState[1] = m[1].meter;
    e.meterLeft.store(static_cast<float>(m[0].meter), std::memory_order_relaxed);
    e.meterRight.store(static_cast<float>(m[1].meter), std::memory_order_relaxed);
    e.overCountLeft.store(static_cast<float>(m[0].overCount), std::memory_order_relaxed);
    e.overCountRight.store(static_cast<float>(m[1].overCount), std::memory_order_relaxed);
    for (int c = 0; c < 2; ++c) {
        e.vuAccumulator[c] = m[c].vuSum;
        e.vuPhase[c] = m[c].vuPhase;
    }
}

}  // namespace ambrel::kernel
