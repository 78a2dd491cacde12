#pragma once
// The meters of both channels side by side in the two lanes of a vector
// register, for the kernels that process both channels: the same steps as
// MeterChannel, the same IEEE operations in the same order in each lane, so
// either form gives the same readings bit for bit. The VU sections are
// ticked one channel at a time, every kVuDecimation samples.

#include "dsp/MeterBallistics.h"
#include "dsp/TwoLanes.h"

namespace ambrel {

struct MeterPair {
    using V2 = lanes::V2;

    V2 meter;
    V2 overCount;
    V2 vuSum;
    int vuPhase;
    FilterSection* vu[2];

    // The channels' VU phases are the same unless a vanishing gain held one
    // of them still (see MeterChannel::step); the pair needs them in step.
    static bool canPair(const MeterChannel (&m)[2]) { return m[0].vuPhase == m[1].vuPhase; }

    void load(const MeterChannel (&m)[2]) {
        meter = V2{m[0].meter, m[1].meter};
        overCount = V2{m[0].overCount, m[1].overCount};
        vuSum = V2{m[0].vuSum, m[1].vuSum};
        vuPhase = m[0].vuPhase;
        vu[0] = m[0].vu;
        vu[1] = m[1].vu;
    }
    void store(MeterChannel (&m)[2]) const {
        for (int c = 0; c < 2; ++c) {
            m[c].meter = meter[c];
            m[c].overCount = overCount[c];
            m[c].vuSum = vuSum[c];
            m[c].vuPhase = vuPhase;
        }
    }

    // PPM ballistics, one sample of both channels: in, y and gain as for
    // MeterChannel::step.
    template <int Kind>
    void stepPpm(const MeterSetup& s, V2 in, V2 y, V2 gain) {
        using K = MeterKind<Kind>;
        static_assert(K::ppm);
        const V2 tested = lanes::abs(K::mode == Engine::kMeterPre ? in : y);
        if constexpr (K::mode == Engine::kMeterGainRed) {
            const V2 x = lanes::abs(gain) * s.gainScale;
            meter += (x - meter) * (meter > x ? lanes::splat(s.attack) : lanes::splat(s.release));
        } else {
            const V2 v = tested * s.level;
            meter += (v - meter) * (v > meter ? lanes::splat(s.attack) : lanes::splat(s.release));
        }
        countOver(s, tested);
    }

    // VU ballistics, one sample of both channels from the level the mode
    // measures (input or output) and, for " GainRed ", the gain. Returns
    // false, having changed nothing, where a vanishing gain must hold a VU
    // reading at 1: the caller finishes the block one channel at a time.
    template <int Kind>
    bool stepVu(const MeterSetup& s, V2 level, V2 gain) {
        using K = MeterKind<Kind>;
        static_assert(K::on && !K::ppm);
        const V2 tested = lanes::abs(level);
        if constexpr (K::mode == Engine::kMeterGainRed) {
            const V2 g = lanes::abs(gain);
            if (lanes::anyBelow(g, s.vuGuard)) return false;
            vuInput(g * s.gainScale);
        } else {
            vuInput(tested * s.vuInputScale);
        }
        countOver(s, tested);
        return true;
    }

private:
    void vuInput(V2 x) {
        vuSum += x;
        if (++vuPhase == Engine::kVuDecimation) {
            const V2 mean = vuSum * (1.0 / Engine::kVuDecimation);
            meter = V2{vu[0]->tick(mean[0]), vu[1]->tick(mean[1])};
            vuSum = lanes::splat(0.0);
            vuPhase = 0;
        }
    }

    void countOver(const MeterSetup& s, V2 tested) {
        const V2 kept = overCount < s.overCountLimit ? lanes::splat(0.0) : overCount;
        overCount = tested >= 1.0 ? overCount + 1.0 : kept;
    }
};

}  // namespace ambrel
