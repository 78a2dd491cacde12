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

}  // namespace ambrel::kernel
