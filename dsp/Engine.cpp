#include "dsp/Engine.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ambrel {

namespace {

// Detector section cut-offs [stage][channel]: the left channel's bands have
// their own pairs, everything else runs at 200 / 20 Hz.
constexpr double kFastHz[Engine::kStageCount][2] = {{200.0, 200.0}, {50.0, 200.0}, {200.0, 200.0}, {1000.0, 200.0}};
constexpr double kSlowHz[Engine::kStageCount][2] = {{20.0, 20.0}, {5.0, 20.0}, {20.0, 20.0}, {100.0, 20.0}};
constexpr double kDetectorQ = 0.5;
constexpr double kVuQ = 0.583;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kHighestCrossoverShare = 16000.0 / 44100.0;  // of the processing rate

// Coefficient of a one-pole step that reaches 95 % of a step in n samples.
double stepCoefficient(double n) { return 1.0 - std::pow(0.05, 1.0 / n); }

}  // namespace

Engine::Engine(const Edition& edition) : edition_(&edition) {
    for (int stage = 0; stage < kStageCount; ++stage)
        for (int ch = 0; ch < 2; ++ch) {
            fastSection[stage][ch] = FilterSection(44100.0, kFastHz[stage][ch], kDetectorQ);
            slowSection[stage][ch] = FilterSection(44100.0, kSlowHz[stage][ch], kDetectorQ);
        }
    for (FilterSection& vu : vuSection) vu = FilterSection(44100.0 / kVuDecimation, 700.0 / vuIntegrationMs, kVuQ);
    for (auto& stage : envelope) stage[0] = stage[1] = 1e-4;

    setHostRate(44100.0);
    updateFilters();
    updateTimeConstants();
    updateKneeGains();
    resetRingGeometry();
    clearDelayLines();
    resetDetectors();
    clearMeters();
}

void Engine::enforceOversamplingLimit() {
    // oversample is written only where the limit applies: the parameter code
    // may set it on another thread meanwhile, and its change must not be lost.
    const double rate = hostRate;
    if ((rate > kOversamplingRateLimit || !edition_->hasOversampling) && oversample != 0) oversample = 0;
    processRate = rate * (oversample != 0 ? 2 : 1);
}

void Engine::setHostRate(double rate) {
    hostRate = rate;
    delayLength = edition_->delayLength(rate);
    lookAheadLength = edition_->lookAheadLength(rate);
    enforceOversamplingLimit();
}

void Engine::updateFilters() {
    enforceOversamplingLimit();
    const double host = hostRate;
    const double baseRate = (host >= 22000.0 && host <= 200000.0) ? host : 44100.0;
    const double rate = baseRate * (processRate > host ? 2 : 1);  // the factor the path runs at

    for (int stage = 0; stage < kStageCount; ++stage)
        for (int ch = 0; ch < 2; ++ch) {
            fastSection[stage][ch].setRate(rate);
            slowSection[stage][ch].setRate(rate);
        }
    // The VU sections follow the rate the kernels run at (they see every
    // kernel sample, averaged in groups), so the VU integration time the user
    // set stays the same whether FAT is on or off.
    for (FilterSection& vu : vuSection) {
        vu.setRate(rate / kVuDecimation);
        vu.reset();
    }
    vuAccumulator[0] = vuAccumulator[1] = 0.0;
    vuPhase[0] = vuPhase[1] = 0;

    {  // 15 Hz protection high-pass
        const double w = 94.24777960769379 / rate;
        const double alpha = std::sin(w) / 1.4142;
        const double cw = std::cos(w);
        const double a0 = 1.0 + alpha;
        protectCoefficients.b0 = (1.0 + cw) / 2.0 / a0;
        protectCoefficients.b1 = -(1.0 + cw) / a0;
        protectCoefficients.b2 = protectCoefficients.b0;
        protectCoefficients.a1 = -2.0 * cw / a0;
        protectCoefficients.a2 = (1.0 - alpha) / a0;
    }
    {  // high crossover: low-pass at highFreqHz, two coincident poles
        // HighFreq reaches 16 kHz, at or above half of the lowest host rates,
        // where this design puts its poles outside the unit circle and the
        // section runs away. It is held to the angle 16 kHz has at 44.1 kHz, so
        // every rate from 44.1 kHz up keeps its design exactly.
        const double frequency = std::min(highFreqHz.load(), kHighestCrossoverShare * rate);
        const double w = kTwoPi * frequency / rate;
        const double alpha = std::sin(w);
        const double cw = std::cos(w);
        const double a0 = 1.0 + alpha;
        highCrossoverCoefficients.b0 = (1.0 - cw) / 2.0 / a0;
        highCrossoverCoefficients.b1 = (1.0 - cw) / a0;
        highCrossoverCoefficients.b2 = highCrossoverCoefficients.b0;
        highCrossoverCoefficients.a1 = -2.0 * cw / a0;
        highCrossoverCoefficients.a2 = (1.0 - alpha) / a0;
    }
    {  // low crossover: high-pass at lowFreqHz
        const double w = kTwoPi * lowFreqHz / rate;
        const double alpha = std::sin(w);
        const double cw = std::cos(w);
        const double a0 = 1.0 + alpha;
        lowCrossoverCoefficients.b0 = (1.0 + cw) / 2.0 / a0;
        lowCrossoverCoefficients.b1 = -(1.0 + cw) / a0;
        lowCrossoverCoefficients.b2 = lowCrossoverCoefficients.b0;
        lowCrossoverCoefficients.a1 = -2.0 * cw / a0;
        lowCrossoverCoefficients.a2 = (1.0 - alpha) / a0;
    }
}

void Engine::updateTimeConstants() {
    enforceOversamplingLimit();
    const double rate = processRate;
    const double s = speed;
    const double rel = releaseFactor;
    const int L = longRelease ? 1 : 0;

    linkedReleaseScale = 0.5 * std::pow(std::pow(16.0, releaseValue) * (15 * L + 1), 0.25);

    // The look-ahead window must fit the buffers of the current rate band.
    const int maxWindow = lookAheadLength - 2;
    attackSamples = std::clamp(static_cast<int>(std::pow(16.0, s) * 0.075 * 0.001 * rate), 1, maxWindow);
    attackCoef = stepCoefficient(attackSamples);
    finalSamples = std::clamp(static_cast<int>((std::pow(14.0, s) * 0.075 + 0.15) * 0.001 * rate), 1, maxWindow);
    finalAttackCoef = stepCoefficient(finalSamples);

    const double F = std::pow(48.0, s) * rel * ((15 * L + 1) * L + 1);  // Long: x17
    const double samplesPerMs = 0.001 * rate;
    releaseCoef = stepCoefficient(F * 0.65 * samplesPerMs);
    lowReleaseCoef = stepCoefficient(F * lowRel * 0.65 * samplesPerMs);
    midReleaseCoef = stepCoefficient(F * midRel * 0.65 * samplesPerMs);
    highReleaseCoef = stepCoefficient(F * highRel * 0.65 * samplesPerMs);
    const double finalMs = std::pow(24.0, (s * (rel * L * 0.7139) + 1.0) * s * (L + 1)) * 0.65 + 1.35;
    finalReleaseCoef = stepCoefficient(finalMs * samplesPerMs);

    const int maskM = lookAheadLength - 1;
    const int maskN = delayLength - 1;
    lookRead = (lookWrite - attackSamples - 1) & maskM;
    finalRead = (lookWrite - finalSamples - 1) & maskM;
    wetRead = multiBand ? (ringWrite + finalSamples + attackSamples + 3) & maskN
                        : (ringWrite + attackSamples + 2) & maskN;
}

double Engine::kneeAOf(double k) {
    const double eighthRoot = std::sqrt(std::sqrt(std::sqrt(k)));
    return 1.4 * std::pow(30.0, 1.0 - eighthRoot);
}

double Engine::saturate(double x) const {
    const double k = kneeAmount;
    if (kneeShape == 0) {
        const double hard = x < 1.0 ? x : 1.0;
        const double parabola = x < 1.0 ? 2.0 * x - x * x : 1.0;
        return (1.0 - k) * hard + k * parabola;
    }
    const double a = kneeAOf(k);
    const double y = x * a / (x + a - 1.0);
    return y < 1.0 ? 2.0 * y - y * y : 1.0;
}

double Engine::kneeInverse(double u) const {
    if (u >= 1.0) return u;
    const double k = kneeAmount;
    if (kneeShape == 0) {
        if (k <= 0.0) return u;
        return ((1.0 + k) - std::sqrt((1.0 + k) * (1.0 + k) - 4.0 * k * u)) / (2.0 * k);
    }
    const double a = kneeAOf(k);
    const double g = std::sqrt(1.0 - u);
    return (a - 1.0) * (1.0 - g) / (a - (1.0 - g));
}

void Engine::updateKneeGains() {
    ceilingOut = ceilingGain;
    kneeA = kneeAOf(kneeAmount);
    kneeInputScale = kneeInverse(1.0 / ceilingGain);
    updateSmallSignalGain();
}

void Engine::updateSmallSignalGain() {
    const double k = kneeAmount;
    const double d = kneeInputScale * 1e-6;
    double g;
    if (kneeShape == 0) {
        g = (1.0 - k) * (d < 1.0 ? d / 1e-6 : 1e6) + k * (d < 1.0 ? (2.0 * d - d * d) / 1e-6 : 1e6);
    } else {
        const double a = kneeAOf(k);
        const double y = d * a / (a - 1.0 + d);
        g = y < 1.0 ? (2.0 * y - y * y) / 1e-6 : 1e6;
    }
    smallSignalGain = g * driveGain * ceilingOut;
}

void Engine::clearDelayLines() {
    std::memset(dryRing, 0, sizeof dryRing);
    std::memset(wetRing, 0, sizeof wetRing);
    std::memset(lookAhead, 0, sizeof lookAhead);
    std::memset(bandBuffer, 0, sizeof bandBuffer);
    std::memset(peakTracker, 0, sizeof peakTracker);
    std::memset(peakSuffix, 0, sizeof peakSuffix);
    for (auto& stage : peakWindow) stage[0] = stage[1] = PeakWindowState{};
    overFlagLeft.store(0.0f, std::memory_order_relaxed);
    overFlagRight.store(0.0f, std::memory_order_relaxed);
}

void Engine::resetDetectors() {
    for (auto& stage : envelope) stage[0] = stage[1] = 1e-4;
    for (int ch = 0; ch < 2; ++ch) {
        protectState[ch] = DirectForm1State{};
        lowCrossoverState[ch] = DirectForm2State{};
        highCrossoverState[ch] = DirectForm2State{};
    }
    for (int stage = 0; stage < kStageCount; ++stage)
        for (int ch = 0; ch < 2; ++ch) {
            fastSection[stage][ch].design();
            fastSection[stage][ch].reset();
            slowSection[stage][ch].design();
            slowSection[stage][ch].reset();
        }
}

void Engine::resetRingGeometry() {
    const int maskN = delayLength - 1;
    const int maskM = lookAheadLength - 1;
    ringWrite = (delayLength - 1) & maskN;
    lookWrite = (delayLength - 1) & maskM;
    lookRead = (lookWrite - attackSamples - 1) & maskM;
    finalRead = (lookWrite - finalSamples - 1) & maskM;
    wetRead = multiBand ? (ringWrite + finalSamples + attackSamples + 3) & maskN
                        : (ringWrite + attackSamples + 2) & maskN;
}

void Engine::retuneVuSections() {
    for (FilterSection& vu : vuSection) {
        vu.setFrequency(700.0 / vuIntegrationMs);
        vu.reset();
    }
    vuAccumulator[0] = vuAccumulator[1] = 0.0;
    vuPhase[0] = vuPhase[1] = 0;
}

void Engine::clearMeters() {
    meterState[0] = meterState[1] = 0.0;
    meterLeft.store(0.0f, std::memory_order_relaxed);
    meterRight.store(0.0f, std::memory_order_relaxed);
    overCountLeft.store(0.0f, std::memory_order_relaxed);
    overCountRight.store(0.0f, std::memory_order_relaxed);
}

void Engine::latchOvers() {
    const float limit = static_cast<float>(overCountLimit);
    if (overCountLeft.load(std::memory_order_relaxed) >= limit) {
        overFlagLeft.store(1.0f, std::memory_order_relaxed);
        overCountLeft.store(0.0f, std::memory_order_relaxed);
    }
    if (overCountRight.load(std::memory_order_relaxed) >= limit) {
        overFlagRight.store(1.0f, std::memory_order_relaxed);
        overCountRight.store(0.0f, std::memory_order_relaxed);
    }
}

void Engine::runKernel(double monoStereoValue, const double* inL, const double* inR, double* outL, double* outR,
                       int count) {
    if (!processOn) {
        processOff(inL, inR, outL, outR, count);
    } else if (monoStereoValue > 0.5) {
        if (stereoLink) {
            if (multiBand)
                processMultiBandLinked(inL, inR, outL, outR, count);
            else
                processSingleBandLinked(inL, inR, outL, outR, count);
        } else {
            if (multiBand)
                processMultiBandUnlinked(inL, inR, outL, outR, count);
            else
                processSingleBandUnlinked(inL, inR, outL, outR, count);
        }
    } else {
        if (multiBand)
            processMultiBandMono(inL, inR, outL, outR, count);
        else
            processSingleBandMono(inL, inR, outL, outR, count);
    }
}

}  // namespace ambrel
