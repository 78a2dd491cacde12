#pragma once
// A scalar shared between threads that orders nothing else: every load and
// store is a relaxed atomic one, which costs what a plain one does on x86-64,
// and the race detector sees it for the atomic it is. It reads and assigns
// like the plain value, so code that copies it into a local is unchanged.

#include <atomic>

namespace ambrel {

template <typename T>
class Relaxed {
public:
    constexpr Relaxed(T value = T{}) noexcept : value_(value) {}  // NOLINT: stands in for a plain T
    Relaxed(const Relaxed& other) noexcept : value_(other.load()) {}
    Relaxed& operator=(const Relaxed& other) noexcept {
        store(other.load());
        return *this;
    }
    Relaxed& operator=(T value) noexcept {
        store(value);
        return *this;
    }
    operator T() const noexcept { return load(); }  // NOLINT: reads as a plain T

    T load() const noexcept { return value_.load(std::memory_order_relaxed); }
    void store(T value) noexcept { value_.store(value, std::memory_order_relaxed); }

private:
    static_assert(std::atomic<T>::is_always_lock_free, "a relaxed scalar must not hide a lock");
    std::atomic<T> value_;
};

}  // namespace ambrel
