// Cost of each processing kernel on stereo noise at 44100 Hz in 64-frame
// blocks, with the editor closed (no meters) and open (meters computed:
// " GainRed " under VU ballistics, and " Post " under PPM). The three-band
// kernels run their AVX2 build where the processor has it; the _Plain
// variants time the plain x86-64 build on the same processor.
// The "frame" counter reads as time per stereo frame.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "core/Edition.h"
#include "dsp/Engine.h"
#include "dsp/KernelIsa.h"

namespace {

using namespace ambrel;
using Kernel = void (Engine::*)(const double*, const double*, double*, double*, int);

constexpr int kBlock = 64;
constexpr int kBlocks = 256;  // a few seconds of varied noise, cycled

struct Signal {
    std::vector<double> left, right;
    Signal() : left(kBlock * kBlocks), right(kBlock * kBlocks) {
        std::mt19937 gen(42);
        std::uniform_real_distribution<double> dist(-0.7, 0.7);
        for (int i = 0; i < kBlock * kBlocks; ++i) {
            left[i] = dist(gen);
            right[i] = dist(gen);
        }
    }
};

void runKernelBench(benchmark::State& state, Kernel kernel, bool threeBands, bool metersOn, int meterMode = 1,
                    double meterType = 0.0) {
    static const Signal signal;
    auto engine = std::make_unique<Engine>(fullEdition());
    Engine& e = *engine;
    e.multiBand = threeBands ? 1 : 0;
    e.driveGain = 2.0;  // +6 dB: the limiter works on most peaks
    e.autoRelease = 1;
    e.brickwall = 1;
    e.setHostRate(44100.0);
    e.updateFilters();
    e.updateTimeConstants();
    e.updateKneeGains();
    e.resetRingGeometry();
    e.clearDelayLines();
    e.resetDetectors();
    e.editorOpen = metersOn ? 1 : 0;
    e.meterMode = meterMode;
    e.meterTypeValue = meterType;

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
