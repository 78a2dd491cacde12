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
__attribute__((target("avx2,fma"))) inline void sumOneFused(const double* x, const double* taps, double* out,
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
    for (; n < count; ++n) sumOneFused(x, taps, out, n);
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

const SumFunction selectedSum = pickSum();

}  // namespace

void halfbandSumPlain(const double* x, const double* taps, double* out, int count) {
    int n = 0;
    // Eight outputs per pass: eight independent accumulators that the compiler
    // packs into SSE2 registers without changing any output's order of sums.
    for (; n + 8 <= count; n += 8) {
        double a0 = 0.0, a1 = 0.0, a2 = 0.0, a3 = 0.0, a4 = 0.0, a5 = 0.0, a6 = 0.0, a7 = 0.0;
        for (int k = 0; k < kPairs; ++k) {
            const double t = taps[k];
            const double* f = x + n + 64 + k;
            const double* b = x + n + 63 - k;
            a0 += t * (f[0] + b[0]);
            a1 += t * (f[1] + b[1]);
            a2 += t * (f[2] + b[2]);
            a3 += t * (f[3] + b[3]);
            a4 += t * (f[4] + b[4]);
            a5 += t * (f[5] + b[5]);
            a6 += t * (f[6] + b[6]);
            a7 += t * (f[7] + b[7]);
        }
        out[n] = a0;
        out[n + 1] = a1;
        out[n + 2] = a2;
        out[n + 3] = a3;
        out[n + 4] = a4;
        out[n + 5] = a5;
        out[n + 6] = a6;
        out[n + 7] = a7;
    }
    for (; n < count; ++n) sumOne(x, taps, out, n);
}

void halfbandSum(const double* x, const double* taps, double* out, int count) { selectedSum(x, taps, out, count); }

bool halfbandSumUsesAvx2() { return selectedSum != halfbandSumPlain; }

}  // namespace ambrel
