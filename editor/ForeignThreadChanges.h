#pragma once
// What the effect tells the editor on a thread other than the editor's own
// (host automation on the audio thread, a memory recalled by the host): such a
// call must not touch the controls the editor's thread draws, opens and
// closes, so it only notes the parameter index (or that the program name
// changed) here, with atomics and no lock, and the next idle shows it.

#include <atomic>
#include <bit>
#include <cstdint>
#include <thread>

namespace ambrel {

class ForeignThreadChanges {
public:
    static constexpr int kIndexCapacity = 128;

    // The thread that opens the window is the one that idles and closes it.
    void adoptCallingThread() {
        owner_.store(std::this_thread::get_id(), std::memory_order_release);
        for (auto& word : stale_) word.store(0u, std::memory_order_relaxed);
        nameStale_.store(false, std::memory_order_relaxed);
    }
    bool onOwnerThread() const { return std::this_thread::get_id() == owner_.load(std::memory_order_acquire); }

    void noteIndex(int index) {
        if (index < 0 || index >= kIndexCapacity) return;
        stale_[index >> 6].fetch_or(std::uint64_t{1} << (index & 63), std::memory_order_acq_rel);
    }
    void noteName() { nameStale_.store(true, std::memory_order_release); }

    // On the owner thread: every noted index once, lowest first; then whether the name changed.
    template <typename Show>
    void takeIndices(Show&& show) {
        for (int word = 0; word < kIndexCapacity / 64; ++word) {
            std::uint64_t bits = stale_[word].exchange(0u, std::memory_order_acq_rel);
            while (bits) {
                show(word * 64 + std::countr_zero(bits));
                bits &= bits - 1;
            }
        }
    }
    bool takeName() { return nameStale_.exchange(false, std::memory_order_acq_rel); }

private:
    std::atomic<std::thread::id> owner_{};
    std::atomic<std::uint64_t> stale_[kIndexCapacity / 64] = {};
    std::atomic<bool> nameStale_{false};
};

}  // namespace ambrel
