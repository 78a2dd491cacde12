#pragma once
// The signal-processing engine: every quantity the kernels read, the
// coefficients derived from them, the delay lines, envelopes and filter states,
// and the seven processing kernels. Nothing is allocated after construction:
// every buffer is a fixed array sized for the highest rate band and all
// indices wrap with power-of-two masks.
//
// Threads: the parameter code writes the engine quantities on its own thread,
// possibly while the audio thread is inside a kernel; they are relaxed atomics
// (Relaxed), and each kernel copies what it needs into locals once per call.
// The recomputations and resets that rewrite what the kernels work on
// (coefficients, time constants, delay lines, filter states) are requested
// through `requests` and run on the audio thread, before its next block, while
// processing runs. The meter outputs are atomics because the editor reads (and
// clears) them on its own thread.

#include <atomic>

#include "core/Edition.h"
#include "core/Relaxed.h"
#include "dsp/ChangeRequests.h"
#include "dsp/FilterSection.h"

namespace ambrel {

// Coefficients of the second-order protection and crossover filters, a0 = 1.
struct BiquadCoefficients {
    double b0 = 1.0, b1 = 0.0, b2 = 0.0;
    double a1 = 0.0, a2 = 0.0;
};

struct DirectForm1State {  // protection high-pass
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
};

struct DirectForm2State {  // crossover sections
    double w1 = 0.0, w2 = 0.0;
};

class Engine {
public:
    static constexpr int kMaxDelayLength = 2048;      // N of the highest rate band
    static constexpr int kMaxLookAheadLength = 1024;  // M of the highest rate band
    static constexpr double kOversamplingRateLimit = 100000.0;

    // Detector stages: the single-band/final stage and the three bands. They
    // index the peak trackers, envelopes and detector sections.
    enum Stage : int { kStageFinal = 0, kStageLow = 1, kStageMid = 2, kStageHigh = 3, kStageCount = 4 };
    enum Channel : int { kLeft = 0, kRight = 1 };
    enum MeterMode : int { kMeterPre = 0, kMeterGainRed = 1, kMeterPost = 2 };

    explicit Engine(const Edition& edition);

    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // ---- Rates and geometry -------------------------------------------------
    Relaxed<double> hostRate = 44100.0;
    Relaxed<int> oversample = 0;          // 2x oversampling on (never above 100000 Hz or without FAT)
    Relaxed<double> processRate = 44100.0;  // hostRate x (oversample + 1)
    int delayLength = 512;       // N, follows the host rate
    int lookAheadLength = 256;   // M, follows the host rate

    // ---- Parameter-derived quantities (set by the parameter code) ----------
    Relaxed<int> processOn = 1;
    Relaxed<double> modeAmount = 0.0;
    Relaxed<int> multiBand = 0;
    Relaxed<double> linkAmount = 1.0;
    Relaxed<int> stereoLink = 1;
    Relaxed<double> driveGain = 1.0;
    Relaxed<double> kneeAmount = 0.0;  // k
    Relaxed<int> kneeShape = 0;        // 0: blend of hard knee and parabola, 1: rational curve
    Relaxed<double> speed = 1.0;
    Relaxed<double> releaseFactor = 1.0;
    Relaxed<double> releaseValue = 0.5;  // normalized Release, for linkedReleaseScale
    Relaxed<double> highAdjustGain = 1.0;
    Relaxed<double> lowAdjustGain = 1.0;
    Relaxed<double> highFreqHz = 2000.0;
    Relaxed<double> lowFreqHz = 100.0;
    Relaxed<double> mixAmount = 1.0;
    Relaxed<double> ceilingGain = 1.0;
    Relaxed<double> outputGain = 1.0;
    Relaxed<double> lowSat = 1.0, midSat = 1.0, highSat = 1.0;
    Relaxed<double> lowSatInverse = 1.0, midSatInverse = 1.0, highSatInverse = 1.0;
    Relaxed<double> lowRel = 1.0, midRel = 1.0, highRel = 1.0;
    Relaxed<double> fineRange = 1.0;
    Relaxed<int> longRelease = 0;
    Relaxed<int> autoRelease = 0;
    Relaxed<int> brickwall = 1;
    Relaxed<double> leftRightValue = 0.0;  // stored L R value: <0.333 mono, <0.66 left only, else right only

    // ---- Meter preferences and selection ------------------------------------
    Relaxed<int> meterMode = kMeterGainRed;  // 0 Pre, 1 GainRed, 2 Post
    Relaxed<double> meterTypeValue = 0.0;    // below 0.5 VU, else PPM
    Relaxed<double> vuIntegrationMs = 300.0;
    Relaxed<double> vuReferenceGain = 0.24748737341529164;  // 0.06125^(1 - 0.5)
    Relaxed<double> vuReferenceGainInverse = 4.040610178208843;
    Relaxed<double> ppmIntegrationMs = 9.04987562112089;  // 101^0.5 - 1
    Relaxed<double> ppmReturnMs = 1000.0;
    Relaxed<double> ppmRatio = 9.04987562112089 / 1000.0;
    Relaxed<double> overCountLimit = 3.0;
    std::atomic<int> editorOpen{0};  // meters are computed only while set

    // ---- Meter outputs (audio thread writes, editor reads) -----------------
    std::atomic<float> meterLeft{0.0f};
    std::atomic<float> meterRight{0.0f};
    std::atomic<float> overCountLeft{0.0f};
    std::atomic<float> overCountRight{0.0f};
    std::atomic<float> overFlagLeft{0.0f};
    std::atomic<float> overFlagRight{0.0f};

    // Full-precision meter states behind meterLeft / meterRight: a slow
    // return would stall if every block restarted from the 32-bit value.
    double meterState[2] = {0.0, 0.0};
    // The VU sections integrate over hundreds of milliseconds: they run on
    // the mean of every kVuDecimation samples, designed for that rate.
    static constexpr int kVuDecimation = 8;
    double vuAccumulator[2] = {0.0, 0.0};
    int vuPhase[2] = {0, 0};

    // ---- Derived quantities -------------------------------------------------
    // Read by the editor's queries as well as by the kernels.
    Relaxed<double> kneeA = 42.0;  // 1.4 x 30^(1 - k^(1/8))
    Relaxed<double> kneeInputScale = 1.0;
    Relaxed<double> smallSignalGain = 1.0;
    Relaxed<double> ceilingOut = 1.0;

    // What parameter changes asked to be recomputed or reset (see above).
    ChangeRequests requests;

    double linkedReleaseScale = 0.5;
    int attackSamples = 1;
    double attackCoef = 1.0;
    int finalSamples = 1;
    double finalAttackCoef = 1.0;
    double releaseCoef = 1.0;
    double lowReleaseCoef = 1.0, midReleaseCoef = 1.0, highReleaseCoef = 1.0;
    double finalReleaseCoef = 1.0;

    // ---- Ring indices ---------------------------------------------------------
    int ringWrite = 0;  // dry and wet rings, wraps at N
    int wetRead = 0;    // wraps at N
    int lookWrite = 0;  // look-ahead, band buffers and peak trackers, wraps at M
    int lookRead = 0;   // lookWrite - attackSamples - 1
    int finalRead = 0;  // lookWrite - finalSamples - 1

    // ---- Filters --------------------------------------------------------------
    BiquadCoefficients protectCoefficients;      // 15 Hz high-pass
    BiquadCoefficients lowCrossoverCoefficients;   // high-pass at lowFreqHz
    BiquadCoefficients highCrossoverCoefficients;  // low-pass at highFreqHz
    DirectForm1State protectState[2];
    DirectForm2State lowCrossoverState[2];
    DirectForm2State highCrossoverState[2];
    FilterSection fastSection[kStageCount][2];  // detector smoothing, 200 Hz (50, 1000 for left bands)
    FilterSection slowSection[kStageCount][2];  // 20 Hz (5, 100 for left bands)
    FilterSection vuSection[2];

    // ---- Envelopes and delay lines --------------------------------------------
    double envelope[kStageCount][2];
    double antiDenormal = 1e-16;  // engine-wide offset, sign flipped once per sample
    alignas(64) double dryRing[2][kMaxDelayLength];
    alignas(64) double wetRing[2][kMaxDelayLength];
    alignas(64) double lookAhead[2][kMaxLookAheadLength];
    alignas(64) double bandBuffer[3][2][kMaxLookAheadLength];  // low, mid, high
    // Peak trackers: the history of detector values (wraps at M) and the
    // block state of the sliding maximum over the newest window of them.
    struct PeakWindowState {
        int window = 0;  // 0: rebuild from the history on the next call
        int position = 0;
        double running = 0.0;
    };
    alignas(64) double peakTracker[kStageCount][2][kMaxLookAheadLength];
    alignas(64) double peakSuffix[kStageCount][2][kMaxLookAheadLength + 1];
    PeakWindowState peakWindow[kStageCount][2];

    // ---- Operations -------------------------------------------------------------
    // Stores the host rate and recomputes N, M, oversample and processRate.
    void setHostRate(double rate);
    void updateFilters();
    void updateTimeConstants();
    void updateKneeGains();
    void updateSmallSignalGain();  // the last step of updateKneeGains alone (Drive)
    void clearDelayLines();        // every ring, buffer and tracker, and the over flags
    void resetDetectors();         // envelopes, filter states, detector sections
    void resetRingGeometry();      // write indices to N - 1, read indices at their offsets
    void retuneVuSections();       // VU sections to 700 / vuIntegrationMs Hz, reset
    void clearMeters();            // meter values and over counts to 0

    double saturate(double x) const;
    double kneeInverse(double u) const;
    static double kneeAOf(double k);

    // The seven kernels: count samples at processRate.
    void processOff(const double* inL, const double* inR, double* outL, double* outR, int count);
    void processSingleBandMono(const double* inL, const double* inR, double* outL, double* outR, int count);
    void processSingleBandLinked(const double* inL, const double* inR, double* outL, double* outR, int count);
    void processSingleBandUnlinked(const double* inL, const double* inR, double* outL, double* outR, int count);
    void processMultiBandMono(const double* inL, const double* inR, double* outL, double* outR, int count);
    void processMultiBandLinked(const double* inL, const double* inR, double* outL, double* outR, int count);
    void processMultiBandUnlinked(const double* inL, const double* inR, double* outL, double* outR, int count);

    // The per-block kernel choice of the audio callback.
    void runKernel(double monoStereoValue, const double* inL, const double* inR, double* outL, double* outR,
                   int count);

    // Once per audio callback: a channel whose over count reached the limit
    // latches its over flag and restarts its count.
    void latchOvers();
    // For the editor: read an over flag and clear it in one step.
    float takeOverFlagLeft() { return overFlagLeft.exchange(0.0f, std::memory_order_relaxed); }
    float takeOverFlagRight() { return overFlagRight.exchange(0.0f, std::memory_order_relaxed); }

    const Edition& edition() const { return *edition_; }

    // Per-call constants the kernels derive with transcendental functions,
    // recomputed only when their inputs change (audio thread only).
    struct KernelCache {
        double kneeAmount = -1.0;
        double kneeA = 42.0;
        double ppmIntegrationMs = -1.0, ppmReturnMs = -1.0, ppmRatio = -1.0, rate = -1.0;
        double ppmAttack = 1.0, ppmRelease = 1.0, ppmLevel = 1.0;
    } kernelCache;

private:
    void enforceOversamplingLimit();
    template <int Kind> void runOff(const double* inL, const double* inR, double* outL, double* outR, int count);
    template <int Kind>
    void runSingleBandMono(const double* inL, const double* inR, double* outL, double* outR, int count);
    template <int Kind>
    void runSingleBandLinked(const double* inL, const double* inR, double* outL, double* outR, int count);
    template <int Kind>
    void runSingleBandUnlinked(const double* inL, const double* inR, double* outL, double* outR, int count);
    template <int Kind, class Bands>
    void runMultiBandMono(const double* inL, const double* inR, double* outL, double* outR, int count);
    template <int Kind, class Bands>
    void runMultiBandLinked(const double* inL, const double* inR, double* outL, double* outR, int count);
    template <int Kind, class Bands>
    void runMultiBandUnlinked(const double* inL, const double* inR, double* outL, double* outR, int count);

    // The three-band kernels built for processors with AVX2 (MultiBandWide.cpp),
    // chosen by the kernels above when the processor has it.
    void processMultiBandMonoWide(const double* inL, const double* inR, double* outL, double* outR, int count);
    void processMultiBandLinkedWide(const double* inL, const double* inR, double* outL, double* outR, int count);
    void processMultiBandUnlinkedWide(const double* inL, const double* inR, double* outL, double* outR, int count);

    const Edition* edition_;
};

}  // namespace ambrel
