#include "dsp/HalfbandSum.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace ambrel {

namespace {

constexpr int kPairs = 64;

// One output at a time, for the last few samples of a block.
inline void sumOne(const double* x, const double* taps, double* out, int n) {
    const double* forward = x + n + 64;
    const double* backward = x + n + 63;
    double acc = 0.0;
    for (int k = 0; k < kPairs; ++k) acc += taps[k] * (forward[k] + backward[-k]);
    out[n] = acc;
}

#if defined(__x86_64__)
// The tail of a block with the same fused multiply-adds as the vector passes,
// so an output does not depend on where the host's block boundaries fall.
__attribute__((target("avx2,fma"))) inline void sumOneFusedAvx2(const double* x, const double* taps, double* out,
                                                            int n) {
    const double* forward = x + n + 64;
    const double* backward = x + n + 63;
    double acc = 0.0;
    for (int k = 0; k < kPairs; ++k) acc = __builtin_fma(taps[k], forward[k] + backward[-k], acc);
    out[n] = acc;
}

__attribute__((target("avx2,fma"))) void halfbandSumAvx2(const double* x, const double* taps, double* out,
                                                         int count) {
    int n = 0;
    // Sixteen outputs per pass keep four independent FMA chains in flight.
    for (; n + 16 <= count; n += 16) {
        __m256d a0 = _mm256_setzero_pd(), a1 = _mm256_setzero_pd();
        __m256d a2 = _mm256_setzero_pd(), a3 = _mm256_setzero_pd();
        for (int k = 0; k < kPairs; ++k) {
            const __m256d t = _mm256_broadcast_sd(taps + k);
            const double* f = x + n + 64 + k;
            const double* b = x + n + 63 - k;
            a0 = _mm256_fmadd_pd(t, _mm256_add_pd(_mm256_loadu_pd(f), _mm256_loadu_pd(b)), a0);
            a1 = _mm256_fmadd_pd(t, _mm256_add_pd(_mm256_loadu_pd(f + 4), _mm256_loadu_pd(b + 4)), a1);
            a2 = _mm256_fmadd_pd(t, _mm256_add_pd(_mm256_loadu_pd(f + 8), _mm256_loadu_pd(b + 8)), a2);
            a3 = _mm256_fmadd_pd(t, _mm256_add_pd(_mm256_loadu_pd(f + 12), _mm256_loadu_pd(b + 12)), a3);
        }
        _mm256_storeu_pd(out + n, a0);
        _mm256_storeu_pd(out + n + 4, a1);
        _mm256_storeu_pd(out + n + 8, a2);
        _mm256_storeu_pd(out + n + 12, a3);
    }
    for (; n + 4 <= count; n += 4) {
        __m256d a = _mm256_setzero_pd();
        for (int k = 0; k < kPairs; ++k) {
            const __m256d t = _mm256_broadcast_sd(taps + k);
            a = _mm256_fmadd_pd(t, _mm256_add_pd(_mm256_loadu_pd(x + n + 64 + k), _mm256_loadu_pd(x + n + 63 - k)),
                                a);
        }
        _mm256_storeu_pd(out + n, a);
    }
    for (; n < count; ++n) sumOneFusedAvx2(x, taps, out, n);
}
#endif

using SumFunction = void (*)(const double*, const double*, double*, int);

SumFunction pickSum() {
#if defined(__x86_64__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")) return halfbandSumAvx2;
#endif
    return halfbandSumPlain;
}

SumFunction selectedSum = pickSum();

}  // namespace

void halfbandSumPlain(const double* x, const double* taps, double* out, int count) {
    int n = 0;
#if defined(__x86_64__)
    // Eight outputs per pass in four SSE2 registers (part of every x86-64 CPU):
    // independent accumulators, each output keeping its own order of sums.
    for (; n + 8 <= count; n += 8) {
        __m128d a0 = _mm_setzero_pd(), a1 = _mm_setzero_pd(), a2 = _mm_setzero_pd(), a3 = _mm_setzero_pd();
        for (int k = 0; k < kPairs; ++k) {
            const __m128d t = _mm_load1_pd(taps + k);
            const double* f = x + n + 64 + k;
            const double* b = x + n + 63 - k;
            a0 = _mm_add_pd(a0, _mm_mul_pd(t, _mm_add_pd(_mm_loadu_pd(f), _mm_loadu_pd(b))));
            a1 = _mm_add_pd(a1, _mm_mul_pd(t, _mm_add_pd(_mm_loadu_pd(f + 2), _mm_loadu_pd(b + 2))));
            a2 = _mm_add_pd(a2, _mm_mul_pd(t, _mm_add_pd(_mm_loadu_pd(f + 4), _mm_loadu_pd(b + 4))));
            a3 = _mm_add_pd(a3, _mm_mul_pd(t, _mm_add_pd(_mm_loadu_pd(f + 6), _mm_loadu_pd(b + 6))));
        }
        _mm_storeu_pd(out + n, a0);
        _mm_storeu_pd(out + n + 2, a1);
        _mm_storeu_pd(out + n + 4, a2);
        _mm_storeu_pd(out + n + 6, a3);
    }
#endif
    for (; n < count; ++n) sumOne(x, taps, out, n);
}

void halfbandSum(const double* x, const double* taps, double* out, int count) { selectedSum(x, taps, out, count); }

bool halfbandSumUsesAvx2() { return selectedSum != halfbandSumPlain; }

void useOnlyPlainHalfbandSum(bool plain) { selectedSum = plain ? halfbandSumPlain : pickSum(); }

}  // namespace ambrel
