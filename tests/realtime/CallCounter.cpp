#include "CallCounter.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define REALTIME_COUNTER_AVAILABLE 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define REALTIME_COUNTER_AVAILABLE 0
#endif
#endif
#ifndef REALTIME_COUNTER_AVAILABLE
#define REALTIME_COUNTER_AVAILABLE 1
#endif

namespace realtime {
namespace {
thread_local bool tCounting = false;
thread_local CallCounts tCounts;
}  // namespace

bool callCounterAvailable() { return REALTIME_COUNTER_AVAILABLE != 0; }
void startCounting() {
    tCounts = {};
    tCounting = true;
}
CallCounts stopCounting() {
    tCounting = false;
    return tCounts;
}

// Called by the interposers below.
void countAllocation() {
    if (tCounting) ++tCounts.allocations;
}
void countLock() {
    if (tCounting) ++tCounts.locks;
}

}  // namespace realtime

#if REALTIME_COUNTER_AVAILABLE

#include <dlfcn.h>
#include <pthread.h>
#include <semaphore.h>

#include <atomic>
#include <cstddef>

// glibc's own entry points, which the interposers forward to without going
// through the dynamic linker (dlsym itself may allocate).
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void __libc_free(void*);
void* __libc_memalign(std::size_t, std::size_t);

void* malloc(std::size_t size) {
    realtime::countAllocation();
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    realtime::countAllocation();
    return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) {
    realtime::countAllocation();
    return __libc_realloc(p, size);
}
void free(void* p) {
    if (p) realtime::countAllocation();
    __libc_free(p);
}
void* memalign(std::size_t alignment, std::size_t size) {
    realtime::countAllocation();
    return __libc_memalign(alignment, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) {
    realtime::countAllocation();
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** out, std::size_t alignment, std::size_t size) {
    realtime::countAllocation();
    void* p = __libc_memalign(alignment, size);
    if (!p) return 12;  // ENOMEM
    *out = p;
    return 0;
}
}

namespace {
template <typename Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}
}  // namespace

// The real function is looked up on first use, without a guarded static
// (whose guard could itself take a lock).
#define REALTIME_INTERPOSE(result, name, params, args)                      \
    namespace {                                                              \
    std::atomic<result(*) params> real_##name{nullptr};                      \
    }                                                                        \
    extern "C" result name params {                                          \
        auto real = real_##name.load(std::memory_order_relaxed);             \
        if (!real) {                                                         \
            real = next<result(*) params>(#name);                            \
            real_##name.store(real, std::memory_order_relaxed);              \
        }                                                                    \
        realtime::countLock();                                               \
        return real args;                                                    \
    }

REALTIME_INTERPOSE(int, pthread_mutex_lock, (pthread_mutex_t * m), (m))
REALTIME_INTERPOSE(int, pthread_mutex_trylock, (pthread_mutex_t * m), (m))
REALTIME_INTERPOSE(int, pthread_rwlock_rdlock, (pthread_rwlock_t * l), (l))
REALTIME_INTERPOSE(int, pthread_rwlock_wrlock, (pthread_rwlock_t * l), (l))
REALTIME_INTERPOSE(int, pthread_spin_lock, (pthread_spinlock_t * l), (l))
REALTIME_INTERPOSE(int, sem_wait, (sem_t * s), (s))
REALTIME_INTERPOSE(int, pthread_cond_wait, (pthread_cond_t * c, pthread_mutex_t* m), (c, m))

#endif
