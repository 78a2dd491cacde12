// Up- and down-sampling of a stereo 64-frame block, as the audio callback runs
// it with oversampling on. Reported per stereo host frame.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "dsp/HalfbandResampler.h"
#include "dsp/HalfbandSum.h"

namespace {

template <bool Plain>
void BM_ResamplerUpDownStereo(benchmark::State& state) {
    ambrel::useOnlyPlainHalfbandSum(Plain);
    ambrel::HalfbandResampler left, right;
    alignas(32) double l[512], r[512], sourceL[64], sourceR[64];
    for (int i = 0; i < 64; ++i) {
        sourceL[i] = std::sin(0.1 * i);
        sourceR[i] = std::cos(0.13 * i);
    }
    for (auto _ : state) {
        std::copy(sourceL, sourceL + 64, l);
        std::copy(sourceR, sourceR + 64, r);
        left.upsample(l, 64);
        right.upsample(r, 64);
        left.downsample(l, 128);
        right.downsample(r, 128);
        benchmark::DoNotOptimize(l);
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations() * 64);
    state.counters["ns_per_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations() * 64), benchmark::Counter::kIsRate |
                                                                             benchmark::Counter::kInvert);
    state.SetLabel(ambrel::halfbandSumUsesAvx2() ? "AVX2/FMA" : "plain x86-64");
    ambrel::useOnlyPlainHalfbandSum(false);
}
BENCHMARK_TEMPLATE(BM_ResamplerUpDownStereo, false)->Name("BM_ResamplerUpDownStereo/selected");
BENCHMARK_TEMPLATE(BM_ResamplerUpDownStereo, true)->Name("BM_ResamplerUpDownStereo/plain");

// The tap sum alone, four 64-output sums (what one stereo block of 64 frames
// needs), with the plain x86-64 variant and with the one chosen at run time.
template <bool Plain>
void BM_HalfbandSumPerStereoFrame(benchmark::State& state) {
    ambrel::HalfbandResampler design;
    alignas(32) double taps[64], x[192], out[64];
    for (int k = 0; k < 64; ++k) taps[k] = design.interpolatorTaps()[128 + 2 * k];
    for (int i = 0; i < 192; ++i) x[i] = std::sin(0.07 * i);
    for (auto _ : state) {
        for (int pass = 0; pass < 4; ++pass) {
            if (Plain)
                ambrel::halfbandSumPlain(x, taps, out, 64);
            else
                ambrel::halfbandSum(x, taps, out, 64);
            benchmark::DoNotOptimize(out);
        }
    }
    state.counters["ns_per_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations() * 64), benchmark::Counter::kIsRate |
                                                                             benchmark::Counter::kInvert);
}
BENCHMARK_TEMPLATE(BM_HalfbandSumPerStereoFrame, true)->Name("BM_HalfbandSumPerStereoFrame/plain");
BENCHMARK_TEMPLATE(BM_HalfbandSumPerStereoFrame, false)->Name("BM_HalfbandSumPerStereoFrame/selected");

}  // namespace
