// What the meters add to each kernel while the editor is open, for every
// measured value under both ballistics. Two engines, one with the editor
// closed and one with it open, take turns on the same blocks inside one
// benchmark, each turn timed on its own; the fastest turn of each is its
// figure, so a shared machine's slow moments fall on neither side alone.
// Counters: closed and open in ns per stereo frame, overhead in percent.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "bench/KernelBenchSetup.h"

namespace {

using namespace ambrel;
using namespace ambrel::bench;

struct KernelCase {
    const char* name;
    Kernel kernel;
    bool threeBands;
};

const KernelCase kKernels[] = {
    {"single_mono", &Engine::processSingleBandMono, false},
    {"single_linked", &Engine::processSingleBandLinked, false},
    {"single_unlinked", &Engine::processSingleBandUnlinked, false},
    {"multi_mono", &Engine::processMultiBandMono, true},
    {"multi_linked", &Engine::processMultiBandLinked, true},
    {"multi_unlinked", &Engine::processMultiBandUnlinked, true},
};
const char* const kModeNames[] = {"pre", "gainred", "post"};

constexpr int kBlocksPerTurn = 16;

// Runs one turn of kBlocksPerTurn blocks from block on; returns ns per frame.
double timedTurn(Engine& e, Kernel kernel, int block, std::vector<double>& outL, std::vector<double>& outR) {
    const Signal& signal = Signal::shared();
    const auto start = std::chrono::steady_clock::now();
    for (int b = 0; b < kBlocksPerTurn; ++b) {
        const int offset = ((block + b) % kBlocks) * kBlock;
        (e.*kernel)(&signal.left[offset], &signal.right[offset], outL.data(), outR.data(), kBlock);
        benchmark::DoNotOptimize(outL.data());
        benchmark::DoNotOptimize(outR.data());
    }
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::nano>(end - start).count() / (kBlocksPerTurn * kBlock);
}

// range(0): kernel, range(1): measured value (Pre, GainRed, Post), range(2): PPM.
void BM_MeterOverhead(benchmark::State& state) {
    const KernelCase& c = kKernels[state.range(0)];
    const int mode = static_cast<int>(state.range(1));
    const double type = static_cast<double>(state.range(2));
    auto closed = benchEngine(c.threeBands, false, mode, type);
    auto open = benchEngine(c.threeBands, true, mode, type);
    std::vector<double> outL(kBlock), outR(kBlock);
    double best[2] = {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
    int block = 0;
    for (auto _ : state) {
        best[0] = std::min(best[0], timedTurn(*closed, c.kernel, block, outL, outR));
        best[1] = std::min(best[1], timedTurn(*open, c.kernel, block, outL, outR));
        block = (block + kBlocksPerTurn) % kBlocks;
    }
    state.counters["closed_ns"] = best[0];
    state.counters["open_ns"] = best[1];
    state.counters["overhead_pct"] = 100.0 * (best[1] / best[0] - 1.0);
    state.SetLabel(std::string(c.name) + " " + kModeNames[mode] + (type > 0.5 ? " PPM" : " VU"));
}

void meterCases(benchmark::internal::Benchmark* b) {
    for (int k = 0; k < static_cast<int>(std::size(kKernels)); ++k)
        for (int mode = 0; mode < 3; ++mode)
            for (int ppm = 0; ppm < 2; ++ppm) b->Args({k, mode, ppm});
}

BENCHMARK(BM_MeterOverhead)->Apply(meterCases)->Iterations(600);

}  // namespace
