#pragma once
// The recomputations and resets a parameter change asks of the engine and the
// oversampling stages. They rewrite coefficients, delay lines and filter
// states the audio callback works on, so while the callback may run (between
// resume and suspend) the thread that changes a parameter only raises their
// bits here, and the callback performs them at the start of its next call: the
// same reset, at most one host block later. While processing is suspended
// nothing runs the callback, and the caller performs them at once.

#include <atomic>

namespace ambrel {

enum ChangeRequest : unsigned {
    kRequestFilters = 1u << 0,          // updateFilters
    kRequestTimeConstants = 1u << 1,    // updateTimeConstants
    kRequestKneeGains = 1u << 2,        // updateKneeGains (includes the small-signal gain)
    kRequestSmallSignalGain = 1u << 3,  // updateSmallSignalGain alone
    kRequestClearDelayLines = 1u << 4,  // the engine's delay lines and the alignment lines
    kRequestResetDetectors = 1u << 5,   // resetDetectors
    kRequestResetResamplers = 1u << 6,  // both channels' oversampling filters
    kRequestRetuneVu = 1u << 7,         // retuneVuSections
};

class ChangeRequests {
public:
    // Set while the audio callback may run: requests wait for it.
    void setDeferred(bool deferred) { deferred_.store(deferred, std::memory_order_release); }
    bool deferred() const { return deferred_.load(std::memory_order_acquire); }

    // The quantities a request reads are stored before it is raised; the
    // release here and the acquire in take() make them visible together.
    void raise(unsigned bits) { pending_.fetch_or(bits, std::memory_order_acq_rel); }
    unsigned take() {
        if (pending_.load(std::memory_order_relaxed) == 0u) return 0u;  // the usual case costs no locked step
        return pending_.exchange(0u, std::memory_order_acq_rel);
    }
    unsigned pending() const { return pending_.load(std::memory_order_acquire); }

private:
    std::atomic<unsigned> pending_{0u};
    std::atomic<bool> deferred_{false};
};

}  // namespace ambrel
