#pragma once
// Sliding maximum over the newest `window` detector values, in constant time
// per sample and without data-dependent branches (a walk over smaller
// entries would mispredict on almost every noisy sample).
//
// The stream is cut into blocks of `window` samples. For the block before the
// current one the suffix maxima are kept (suffix[k]: the largest value from
// offset k to the block's end); within the current block a running maximum.
// A window ending at offset p of the current block covers offsets p + 1 ..
// window - 1 of the previous block and 0 .. p of the current one, so its
// maximum is max(suffix[p + 1], running). suffix[window] is 0, the smallest
// detector value. When a block is complete its suffix maxima are computed
// from the history ring: amortized one step per sample.

#include "dsp/Engine.h"
#include "dsp/TwoLanes.h"

namespace ambrel::kernel {

class SlidingMaximum {
public:
    // Attaches to the tracker of one stage and channel; rebuilds the block
    // state from the history when the window changed since the last call.
    // `write` is where the next value goes.
    void attach(Engine& e, int stage, int ch, int mask, int window, int write) {
        history_ = e.peakTracker[stage][ch];
        suffix_ = e.peakSuffix[stage][ch];
        state_ = &e.peakWindow[stage][ch];
        const Engine::PeakWindowState& state = *state_;
        mask_ = mask;
        window_ = window;
        if (state.window != window) {
            rebuild((write - 1) & mask);
        } else {
            position_ = state.position;
            running_ = state.running;
        }
    }

    // Adds the newest value (written at `write`) and returns the maximum of
    // the window that ends with it.
    double push(int write, double a) {
        history_[write] = a;
        running_ = a > running_ ? a : running_;
        const double older = suffix_[position_ + 1];
        const double peak = older > running_ ? older : running_;
        if (++position_ == window_) rebuild(write);
        return peak;
    }

    void store() const {
        state_->window = window_;
        state_->position = position_;
        state_->running = running_;
    }

private:
    // Starts a new block after the sample at `last`: suffix maxima of the
    // window_ samples ending there.
    void rebuild(int last) {
        double m = 0.0;
        suffix_[window_] = 0.0;
        int index = last;
        for (int k = window_ - 1; k >= 0; --k) {
            const double v = history_[index];
            m = v > m ? v : m;
            suffix_[k] = m;
            index = (index - 1) & mask_;
        }
        position_ = 0;
        running_ = 0.0;
    }

    double* history_ = nullptr;
    double* suffix_ = nullptr;
    Engine::PeakWindowState* state_ = nullptr;
    int mask_ = 0;
    int window_ = 1;
    int position_ = 0;
    double running_ = 0.0;
};

// The same sliding maximum for the left and right trackers of one stage at
// once, their block positions kept in step.
class SlidingMaximum2 {
public:
    using V2 = lanes::V2;

    void attach(Engine& e, int stage, int mask, int window, int write) {
        for (int c = 0; c < 2; ++c) {
            history_[c] = e.peakTracker[stage][c];
            suffix_[c] = e.peakSuffix[stage][c];
            state_[c] = &e.peakWindow[stage][c];
        }
        mask_ = mask;
        window_ = window;
        const Engine::PeakWindowState& l = *state_[0];
        const Engine::PeakWindowState& r = *state_[1];
        // Rebuilding from the history is always exact, so two trackers out of
        // step (after a kernel that used only one of them) are simply rebuilt.
        if (l.window != window || r.window != window || l.position != r.position) {
            rebuild((write - 1) & mask);
        } else {
            position_ = l.position;
            running_ = V2{l.running, r.running};
        }
    }

    V2 push(int write, V2 a) {
        lanes::store(history_[0], history_[1], write, a);
        running_ = a > running_ ? a : running_;
        const V2 older = lanes::load(suffix_[0], suffix_[1], position_ + 1);
        const V2 peak = older > running_ ? older : running_;
        if (++position_ == window_) rebuild(write);
        return peak;
    }

    void store() const {
        for (int c = 0; c < 2; ++c) {
            state_[c]->window = window_;
            state_[c]->position = position_;
            state_[c]->running = running_[c];
        }
    }

private:
    void rebuild(int last) {
        V2 m = lanes::splat(0.0);
        suffix_[0][window_] = suffix_[1][window_] = 0.0;
        int index = last;
        for (int k = window_ - 1; k >= 0; --k) {
            const V2 v = lanes::load(history_[0], history_[1], index);
            m = v > m ? v : m;
            lanes::store(suffix_[0], suffix_[1], k, m);
            index = (index - 1) & mask_;
        }
        position_ = 0;
        running_ = lanes::splat(0.0);
    }

    double* history_[2] = {nullptr, nullptr};
    double* suffix_[2] = {nullptr, nullptr};
    Engine::PeakWindowState* state_[2] = {nullptr, nullptr};
    int mask_ = 0;
    int window_ = 1;
    int position_ = 0;
    V2 running_ = {0.0, 0.0};
};

}  // namespace ambrel::kernel
