#pragma once
// The band detectors of the three-band kernels with the bands side by side in
// the lanes of one register, for the AVX2 build. Each lane is one detector
// (a band of a channel) with its own tracker, sections and envelope in the
// engine, so the plain and the AVX2 build hand the same state to each other
// at every call and compute the same results bit for bit:
//  - mono and linked kernels: low, mid and high of one channel in four lanes
//    (the fourth repeats the high band: it computes and stores the same);
//  - unlinked kernel: low and mid of both channels in four lanes, high of
//    both in two.
// Compiled for AVX2 only (see WideLanes.h).

#include "dsp/WideLanes.h"

namespace ambrel::avx2 {

// Which engine detector each lane is.
template <int N> struct LaneMap {
    int stage[N];
    int ch[N];
};

// Sliding maxima (SlidingMaximum.h) of several trackers with the same window,
// their block positions kept in step. Trackers out of step (after a kernel
// that ran only some of them) are rebuilt from their histories, which is
// exact: the maximum of a window does not depend on where blocks start.
template <class V> class SlidingMaximumLanes {
public:
    static constexpr int N = Lanes<V>::count;

    void attach(Engine& e, const LaneMap<N>& map, int mask, int window, int write) {
        bool inStep = true;
        for (int l = 0; l < N; ++l) {
            history_[l] = e.peakTracker[map.stage[l]][map.ch[l]];
            suffix_[l] = e.peakSuffix[map.stage[l]][map.ch[l]];
            state_[l] = &e.peakWindow[map.stage[l]][map.ch[l]];
            inStep = inStep && state_[l]->window == window && state_[l]->position == state_[0]->position;
        }
        mask_ = mask;
        window_ = window;
        if (!inStep) {
            rebuild((write - 1) & mask);
        } else {
            position_ = state_[0]->position;
            for (int l = 0; l < N; ++l) running_[l] = state_[l]->running;
        }
    }

    V push(int write, V a) {
        for (int l = 0; l < N; ++l) history_[l][write] = a[l];
        running_ = a > running_ ? a : running_;
        V older;
        for (int l = 0; l < N; ++l) older[l] = suffix_[l][position_ + 1];
        const V peak = older > running_ ? older : running_;
        if (++position_ == window_) rebuild(write);
        return peak;
    }

    void store() const {
        for (int l = 0; l < N; ++l) {
            state_[l]->window = window_;
            state_[l]->position = position_;
            state_[l]->running = running_[l];
        }
    }

private:
    void rebuild(int last) {
        V m = V{};
        for (int l = 0; l < N; ++l) suffix_[l][window_] = 0.0;
        int index = last;
        for (int k = window_ - 1; k >= 0; --k) {
            V v;
            for (int l = 0; l < N; ++l) v[l] = history_[l][index];
            m = v > m ? v : m;
            for (int l = 0; l < N; ++l) suffix_[l][k] = m[l];
            index = (index - 1) & mask_;
        }
        position_ = 0;
        running_ = V{};
    }

    double* history_[N] = {};
    double* suffix_[N] = {};
    Engine::PeakWindowState* state_[N] = {};
    int mask_ = 0;
    int window_ = 1;
    int position_ = 0;
    V running_ = {};
};

// Which plain code a lane set matches: the one-channel detector
// (BandDetector, FilterSection::tick) or the two-lane one (Section2, which
// shares the b0 product, and the lane maximum as envelope floor).
enum class PlainForm { OneChannel, TwoLanes };

// Detector sections (FilterSection) of several lanes, each with its own
// design and anti-denormal offset.
template <class V, PlainForm Form> struct SectionLanes {
    static constexpr int N = Lanes<V>::count;
    V b0, b1, b2, a1, a2;
    V x1, x2, y1, y2;
    V antiDenormal;

    void load(FilterSection* const (&s)[N]) {
        for (int l = 0; l < N; ++l) {
            b0[l] = s[l]->b0, b1[l] = s[l]->b1, b2[l] = s[l]->b2, a1[l] = s[l]->a1, a2[l] = s[l]->a2;
            x1[l] = s[l]->x1, x2[l] = s[l]->x2, y1[l] = s[l]->y1, y2[l] = s[l]->y2;
            antiDenormal[l] = s[l]->antiDenormal;
        }
    }
    void store(FilterSection* const (&s)[N]) const {
        for (int l = 0; l < N; ++l) {
            s[l]->x1 = x1[l], s[l]->x2 = x2[l], s[l]->y1 = y1[l], s[l]->y2 = y2[l];
            s[l]->antiDenormal = antiDenormal[l];
        }
    }
    V tick(V x) {
        antiDenormal = -antiDenormal;
        const V xd = x + antiDenormal;
        V y;
        if constexpr (Form == PlainForm::OneChannel)
            y = b0 * xd + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        else
            y = b0 * (xd + x2) + b1 * x1 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = xd;
        y2 = y1;
        y1 = y + antiDenormal;
        return y;
    }
};

// Band detectors and gain computers (BandDetector) in lanes.
template <class V, PlainForm Form> struct BandLanes {
    static constexpr int N = Lanes<V>::count;
    LaneMap<N> map;
    SlidingMaximumLanes<V> peak;
    SectionLanes<V, Form> fast, slow;
    V env, release, sat, driveKnee;

    void load(Engine& e, const LaneMap<N>& lanes, const kernel::Setup& k, const kernel::Indices& ix) {
        map = lanes;
        peak.attach(e, map, k.maskM, k.attackSamples + 2, ix.lookWrite);
        FilterSection* f[N];
        FilterSection* s[N];
        sections(e, f, s);
        fast.load(f);
        slow.load(s);
        for (int l = 0; l < N; ++l) {
            env[l] = e.envelope[map.stage[l]][map.ch[l]];
            release[l] = k.releaseCoef[map.stage[l]];
            sat[l] = k.sat[map.stage[l]];
            driveKnee[l] = k.bandDriveKnee[map.stage[l]];
        }
    }
    void store(Engine& e) const {
        peak.store();
        FilterSection* f[N];
        FilterSection* s[N];
        sections(e, f, s);
        fast.store(f);
        slow.store(s);
        for (int l = 0; l < N; ++l) e.envelope[map.stage[l]][map.ch[l]] = env[l];
    }

    // a: each lane's detector value; returns each lane's band gain.
    [[gnu::always_inline]] V gains(const kernel::Setup& k, int write, V a, V dn) {
        const V level = peak.push(write, a) + kernel::kLevelFloor + dn;
        const V f = fast.tick(level);
        const V s = slow.tick(level);
        V factor = splat<V>(1.0);  // x 1.0 is exact: the plain release without Auto
        if (k.autoRelease) {
            const V scaled = 0.15 * f;
            factor = (2.0 * scaled / (scaled + (s + 1e-6)) + 0.1) * 1.5;
        }
        const V diff = level - env;
        const V up = env + diff * k.attackCoef;
        const V down = env + diff * release * factor;
        env = level > env ? up : down;
        if constexpr (Form == PlainForm::OneChannel)
            env = env < kernel::kEnvelopeFloor ? splat<V>(kernel::kEnvelopeFloor) : env;
        else
            env = env > kernel::kEnvelopeFloor ? env : splat<V>(kernel::kEnvelopeFloor);
        return curve(k.curve, env * driveKnee) * sat / env;
    }

private:
    void sections(Engine& e, FilterSection* (&f)[N], FilterSection* (&s)[N]) const {
        for (int l = 0; l < N; ++l) {
            f[l] = &e.fastSection[map.stage[l]][map.ch[l]];
            s[l] = &e.slowSection[map.stage[l]][map.ch[l]];
        }
    }
};

// The low, mid and high detectors of one channel (mono and linked kernels),
// as kernel::BandDetectorTrio.
struct BandTrio {
    BandLanes<V4, PlainForm::OneChannel> bands;

    void load(Engine& e, int ch, const kernel::Setup& k, const kernel::Indices& ix) {
        const LaneMap<4> map{{Engine::kStageLow, Engine::kStageMid, Engine::kStageHigh, Engine::kStageHigh},
                             {ch, ch, ch, ch}};
        bands.load(e, map, k, ix);
    }
    void store(Engine& e, int) const { bands.store(e); }
    void gains(const kernel::Setup& k, const kernel::Indices& ix, const kernel::BandBlock& a, const double* dn,
               int count, kernel::BandBlock& g) {
        BandLanes<V4, PlainForm::OneChannel> lanes = bands;
        int write = ix.lookWrite;
        for (int i = 0; i < count; ++i) {
            const V4 gain = lanes.gains(k, write, V4{a.v[0][i], a.v[1][i], a.v[2][i], a.v[2][i]}, splat<V4>(dn[i]));
            g.v[0][i] = gain[0];
            g.v[1][i] = gain[1];
            g.v[2][i] = gain[2];
            write = (write + 1) & k.maskM;
        }
        bands = lanes;
    }
};

// The low, mid and high detectors of both channels (unlinked kernel), as
// kernel::PairedBandDetectors.
struct PairedBands {
    BandLanes<V4, PlainForm::TwoLanes> lowMid;  // low L, low R, mid L, mid R
    BandLanes<V2, PlainForm::TwoLanes> high;    // high L, high R

    void load(Engine& e, const kernel::Setup& k, const kernel::Indices& ix) {
        const int l = Engine::kLeft, r = Engine::kRight;
        lowMid.load(e, LaneMap<4>{{Engine::kStageLow, Engine::kStageLow, Engine::kStageMid, Engine::kStageMid}, {l, r, l, r}},
                    k, ix);
        high.load(e, LaneMap<2>{{Engine::kStageHigh, Engine::kStageHigh}, {l, r}}, k, ix);
    }
    void store(Engine& e) const {
        lowMid.store(e);
        high.store(e);
    }
    // Each lane set runs the whole block in turn.
    void gains(const kernel::Setup& k, const kernel::Indices& ix, const kernel::PairedBandBlock& a, const double* dn,
               int count, kernel::PairedBandBlock& g) {
        BandLanes<V4, PlainForm::TwoLanes> four = lowMid;
        int write = ix.lookWrite;
        for (int i = 0; i < count; ++i) {
            const V4 gain = four.gains(k, write, __builtin_shufflevector(a.v[0][i], a.v[1][i], 0, 1, 2, 3), splat<V4>(dn[i]));
            g.v[0][i] = __builtin_shufflevector(gain, gain, 0, 1);
            g.v[1][i] = __builtin_shufflevector(gain, gain, 2, 3);
            write = (write + 1) & k.maskM;
        }
        lowMid = four;
        BandLanes<V2, PlainForm::TwoLanes> two = high;
        write = ix.lookWrite;
        for (int i = 0; i < count; ++i) {
            g.v[2][i] = two.gains(k, write, a.v[2][i], splat<V2>(dn[i]));
            write = (write + 1) & k.maskM;
        }
        high = two;
    }
};

}  // namespace ambrel::avx2
