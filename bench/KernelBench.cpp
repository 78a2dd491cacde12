// Cost of each processing kernel on stereo noise at 44100 Hz in 64-frame
// blocks, with the editor closed (no meters) and open (meters computed:
// " GainRed " under VU ballistics, and " Post " under PPM). The three-band
// kernels run their AVX2 build where the processor has it; the _Plain
// variants time the plain x86-64 build on the same processor.
// The "frame" counter reads as time per stereo frame.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "bench/KernelBenchSetup.h"
#include "dsp/KernelIsa.h"

namespace {

using namespace ambrel;
using namespace ambrel::bench;

void runKernelBench(benchmark::State& state, Kernel kernel, bool threeBands, bool metersOn,
                    int meterMode = Engine::kMeterGainRed, double meterType = 0.0) {
    const Signal& signal = Signal::shared();
    auto engine = benchEngine(threeBands, metersOn, meterMode, meterType);
    Engine& e = *engine;

    std::vector<double> outL(kBlock), outR(kBlock);
    int block = 0;
    for (auto _ : state) {
        const int offset = block * kBlock;
        (e.*kernel)(&signal.left[offset], &signal.right[offset], outL.data(), outR.data(), kBlock);
        benchmark::DoNotOptimize(outL.data());
        benchmark::DoNotOptimize(outR.data());
        block = (block + 1) % kBlocks;
    }
    state.counters["frame"] = benchmark::Counter(static_cast<double>(state.iterations()) * kBlock,
                                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The machine is shared: the fastest of several repetitions is the figure
// least disturbed by other work.
double minimum(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

#define AMBREL_KERNEL_BENCH(name, threeBands)                                                           \
    void BM_##name(benchmark::State& s) { runKernelBench(s, &Engine::process##name, threeBands, false); } \
    void BM_##name##_Meters(benchmark::State& s) {                                                      \
        runKernelBench(s, &Engine::process##name, threeBands, true);                                    \
    }                                                                                                   \
    void BM_##name##_MetersPostPpm(benchmark::State& s) {                                               \
        runKernelBench(s, &Engine::process##name, threeBands, true, Engine::kMeterPost, 1.0);           \
    }                                                                                                   \
    BENCHMARK(BM_##name)->ComputeStatistics("min", minimum);                                             \
    BENCHMARK(BM_##name##_Meters)->ComputeStatistics("min", minimum);                                    \
    BENCHMARK(BM_##name##_MetersPostPpm)->ComputeStatistics("min", minimum)

AMBREL_KERNEL_BENCH(Off, false);
AMBREL_KERNEL_BENCH(SingleBandMono, false);
AMBREL_KERNEL_BENCH(SingleBandLinked, false);
AMBREL_KERNEL_BENCH(SingleBandUnlinked, false);
AMBREL_KERNEL_BENCH(MultiBandMono, true);
AMBREL_KERNEL_BENCH(MultiBandLinked, true);
AMBREL_KERNEL_BENCH(MultiBandUnlinked, true);

// The plain x86-64 build of a three-band kernel, as a processor without AVX2
// runs it.
template <Kernel kernel>
void plainBuild(benchmark::State& s, bool metersOn) {
    kernel::setWideKernelsAllowed(false);
    runKernelBench(s, kernel, true, metersOn);
    kernel::setWideKernelsAllowed(true);
}

#define AMBREL_PLAIN_KERNEL_BENCH(name)                                                                        \
    void BM_##name##_Plain(benchmark::State& s) { plainBuild<&Engine::process##name>(s, false); }              \
    void BM_##name##_Meters_Plain(benchmark::State& s) { plainBuild<&Engine::process##name>(s, true); }        \
    BENCHMARK(BM_##name##_Plain)->ComputeStatistics("min", minimum);                                         \
    BENCHMARK(BM_##name##_Meters_Plain)->ComputeStatistics("min", minimum)

AMBREL_PLAIN_KERNEL_BENCH(MultiBandMono);
AMBREL_PLAIN_KERNEL_BENCH(MultiBandLinked);
AMBREL_PLAIN_KERNEL_BENCH(MultiBandUnlinked);

}  // namespace
