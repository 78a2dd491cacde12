// The audio callback never allocates: every operator new of the process is
// counted while the plug-in processes.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "tests/plugin/LoadedPlugin.h"

namespace {
std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};
}  // namespace

namespace {
void* acquire(std::size_t size) {
    if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void release(void* p) noexcept {
    if (p && gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
    std::free(p);
}
}  // namespace

void* operator new(std::size_t size) { return acquire(size); }
void* operator new[](std::size_t size) { return acquire(size); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
// The nothrow forms too (the program bank is allocated with one), so that no
// allocation of this executable bypasses the pair above: under
// AddressSanitizer its own nothrow new would be paired with our free.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }

using namespace plugintest;

TEST(NoAllocation, ProcessingCallsAllocateNothing) {
    useTemporarySettingsFolder();
    for (const char* path : {AMBREL_FULL_PLUGIN, AMBREL_SIBLING_PLUGIN}) {
        LoadedPlugin plugin(path);
        ASSERT_TRUE(plugin.loaded());
        AEffect* e = plugin.create();
        ASSERT_NE(e, nullptr);
        dispatch(e, effMainsChanged, 0, 1);
        std::vector<float> l(4096, 0.3f), r(4096, -0.2f), ol(4096), orr(4096);
        std::vector<double> dl(4096, 0.3), dr(4096, -0.2), dol(4096), dor(4096);
        float* in[2] = {l.data(), r.data()};
        float* out[2] = {ol.data(), orr.data()};
        double* din[2] = {dl.data(), dr.data()};
        double* dout[2] = {dol.data(), dor.data()};
        const float settings[][4] = {{0, 0, 1, 1}, {1, 0, 0, 1}, {1, 1, 1, 0}, {1, 1, 1, 1}, {1, 0, 1, 0}};
        for (const auto& s : settings) {
            e->setParameter(e, 0, s[0]);
            e->setParameter(e, 1, s[1]);
            e->setParameter(e, 2, s[2]);
            e->setParameter(e, 3, s[3]);
            gAllocations = 0;
            gCounting = true;
            e->processReplacing(e, in, out, 4096);
            e->processDoubleReplacing(e, din, dout, 1000);
            e->processReplacing(e, in, out, 37);
            gCounting = false;
            EXPECT_EQ(gAllocations.load(), 0) << path;
        }
        dispatch(e, effClose);
    }
}
