// Process off: both channels delayed by exactly N - 1 samples, nothing else,
// so the latency the host was told holds in every state.

#include "dsp/Engine.h"
#include "dsp/KernelSetup.h"

namespace ambrel {

template <int Kind>
void Engine::runOff(const double* inL, const double* inR, double* outL, double* outR, int count) {
    using namespace kernel;
    constexpr bool Meters = MeterKind<Kind>::on;
    const int maskN = delayLength - 1;
    int rw = ringWrite & maskN;
    int wr = wetRead & maskN;
    double dn = antiDenormal;
    double* dryL = dryRing[kLeft];
    double* dryR = dryRing[kRight];

    MeterSetup ms{};
    MeterChannel meters[2];
    MeterTape<Kind> tape;
    if constexpr (Meters) {
        ms = prepareMeters(*this);
        loadMeters(*this, meters);
        tape.bind(ms, meters);
    }

    for (int i = 0; i < count; ++i) {
        dn = -dn;
        const double l = inL[i];
        const double r = inR[i];
        dryL[rw] = l + dn;
        dryR[rw] = r + dn;
        rw = (rw + 1) & maskN;
        wr = (wr + 1) & maskN;
        const double yL = dryL[rw];
        const double yR = dryR[rw];
        outL[i] = yL;
        outR[i] = yR;
        if constexpr (Meters) {
            tape.recordWithoutGain(kLeft, i, l, yL);
            tape.recordWithoutGain(kRight, i, r, yR);
        }
    }

    ringWrite = rw;
    wetRead = wr;
    antiDenormal = dn;
    if constexpr (Meters) {
        tape.playWithoutGain(ms, meters[kLeft], kLeft, count);
        tape.playWithoutGain(ms, meters[kRight], kRight, count);
        storeMeters(*this, meters);
    }
}

void Engine::processOff(const double* inL, const double* inR, double* outL, double* outR, int count) {
    enforceOversamplingLimit();
    withMeterKind(meterKindOf(*this),
                   [&]<int Kind>() {
                      inMeterChunks(count, [&](int at, int n) {
                          runOff<Kind>(inL + at, inR + at, outL + at, outR + at, n);
                      });
                  });
}

}  // namespace ambrel
