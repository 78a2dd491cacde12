#include "dsp/KernelIsa.h"

#include <atomic>

namespace ambrel::kernel {

namespace {

bool processorHasAvx2() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
#else
    return false;
#endif
}

// Asked when the module loads, so the first audio call never waits on a
// guarded initialisation.
const bool avx2Available = processorHasAvx2();
std::atomic<bool> wideAllowed{true};

}  // namespace

bool wideKernelsAvailable() { return avx2Available; }

void setWideKernelsAllowed(bool allowedNow) { wideAllowed.store(allowedNow, std::memory_order_relaxed); }

bool wideKernelsSelected() { return avx2Available && wideAllowed.load(std::memory_order_relaxed); }

}  // namespace ambrel::kernel
