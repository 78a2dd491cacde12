#pragma once
// The per-sample values a kernel hands to the meters. Under VU ballistics
// the kernel records them in its main loop (only what the measuring mode
// needs) and the meters run over them afterwards in a loop of their own,
// which keeps the meter work out of the kernel's registers; both channels run
// together in that loop (MeterPair). The PPM one-pole is a chain of dependent
// steps, so it runs inside the kernel loop, where the kernel's own work hides
// its latency; kernels that hold both channels in a register hand them over
// as a pair (recordPair) and close with playPair.

#include "dsp/MeterBallistics.h"
#include "dsp/MeterPair.h"
#include "dsp/TwoLanes.h"

namespace ambrel {

inline constexpr int kMeterChunk = 128;  // kernels run the meters for at most this many samples at a time

template <int Kind>
struct MeterTape {
    using K = MeterKind<Kind>;
    using V2 = lanes::V2;
    static constexpr bool direct = K::ppm;
    static constexpr bool wantsInput = K::mode == Engine::kMeterPre;
    static constexpr bool wantsGain = K::mode == Engine::kMeterGainRed;
    static constexpr int kLength = direct ? 1 : kMeterChunk;

    const MeterSetup* setup = nullptr;
    MeterChannel* channels = nullptr;
    V2 level[kLength];                    // the measured level (input or output), lanes left and right
    V2 gain[wantsGain ? kLength : 1];     // the gain, for " GainRed "
    MeterPair pair;                       // PPM: both channels, stepped by recordPair

    void bind(const MeterSetup& s, MeterChannel (&m)[2]) {
        setup = &s;
        channels = m;
        if constexpr (direct) pair.load(m);
    }

    // One channel's sample (kernels that close with play or playBoth).
    void record(int c, int i, double x, double y, double g) {
        if constexpr (direct) {
            channels[c].template step<Kind>(*setup, x, y, g);
        } else {
            level[i][c] = wantsInput ? x : y;
            if constexpr (wantsGain) gain[i][c] = g;
        }
    }
    // Both channels' sample (kernels that close with playPair).
    void recordPair(int i, V2 x, V2 y, V2 g) {
        if constexpr (direct) {
            pair.template stepPpm<Kind>(*setup, x, y, g);
        } else {
            level[i] = wantsInput ? x : y;
            if constexpr (wantsGain) gain[i] = g;
        }
    }
    void recordWithoutGain(int c, int i, double x, double y) {
        if constexpr (direct)
            channels[c].template stepWithoutGain<Kind>(*setup, x, y);
        else
            record(c, i, x, y, 0.0);
    }

    void play(const MeterSetup& s, MeterChannel& m, int c, int count) const {
        if constexpr (!direct)
            for (int i = 0; i < count; ++i) stepOne(s, m, c, i);
    }
    // Both channels together while their VU phases are in step, then (after
    // a vanishing gain held one of them) one at a time.
    void playBoth(const MeterSetup& s, MeterChannel (&m)[2], int count) const {
        if constexpr (!direct) {
            int i = 0;
            if (MeterPair::canPair(m)) {
                MeterPair p;
                p.load(m);
                while (i < count && p.template stepVu<Kind>(s, level[i], wantsGain ? gain[i] : V2{})) ++i;
                p.store(m);
            }
            for (; i < count; ++i) {
                stepOne(s, m[0], 0, i);
                stepOne(s, m[1], 1, i);
            }
        }
    }
    void playPair(const MeterSetup& s, MeterChannel (&m)[2], int count) const {
        if constexpr (direct)
            pair.store(m);
        else
            playBoth(s, m, count);
    }
    void playWithoutGain(const MeterSetup& s, MeterChannel& m, int c, int count) const {
        if constexpr (!direct) {
            for (int i = 0; i < count; ++i) {
                if constexpr (wantsInput)
                    m.template stepWithoutGain<Kind>(s, level[i][c], 0.0);
                else
                    m.template stepWithoutGain<Kind>(s, 0.0, level[i][c]);
            }
        }
    }

private:
    void stepOne(const MeterSetup& s, MeterChannel& m, int c, int i) const {
        if constexpr (wantsInput)
            m.template step<Kind>(s, level[i][c], 0.0, 0.0);
        else if constexpr (wantsGain)
            m.template step<Kind>(s, 0.0, level[i][c], gain[i][c]);
        else
            m.template step<Kind>(s, 0.0, level[i][c], 0.0);
    }
};

// Runs a kernel over count samples in pieces the meter tape can hold.
template <class F>
void inMeterChunks(int count, F&& f) {
    for (int done = 0; done < count; done += kMeterChunk) f(done, count - done < kMeterChunk ? count - done : kMeterChunk);
}

}  // namespace ambrel
