// The whole audio callback (block loop, resampling, kernel, conversion) of the
// full edition on stereo noise, as the host calls it: ns per stereo frame and
// the real-time factor at the given rate.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "core/Ambrel.h"

namespace {

// The effect reads and writes machine-wide preferences; benchmarks keep theirs apart.
void useBenchSettingsFolder() {
    static bool done = false;
    if (done) return;
    char pattern[] = "/tmp/ambrel-bench-XXXXXX";
    if (const char* folder = mkdtemp(pattern)) setenv("AMBREL_SETTINGS_DIR", folder, 1);
    done = true;
}

struct Setting {
    float mode, link, fat;
};

void BM_Callback(benchmark::State& state, Setting setting, float rate) {
    useBenchSettingsFolder();
    ambrel::Ambrel effect(nullptr, ambrel::fullEdition());
    effect.setParameter(1, setting.mode);
    effect.setParameter(2, 1.0f);
    effect.setParameter(3, setting.link);
    effect.setParameter(4, 0.7f);
    effect.setParameter(26, setting.fat);
    effect.setSampleRate(rate);
    effect.resume();
    constexpr int kFrames = 512;
    std::vector<float> l(kFrames), r(kFrames), ol(kFrames), orr(kFrames);
    std::mt19937 rng(1);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    for (int i = 0; i < kFrames; ++i) {
        l[i] = noise(rng);
        r[i] = noise(rng);
    }
    float* in[2] = {l.data(), r.data()};
    float* out[2] = {ol.data(), orr.data()};
    for (auto _ : state) {
        effect.processReplacing(in, out, kFrames);
        benchmark::DoNotOptimize(ol.data());
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
    state.counters["ns_per_frame"] = benchmark::Counter(static_cast<double>(state.iterations()) * kFrames,
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    // Real-time factor: host frames processed per second of CPU over the rate.
    state.counters["realtime_x"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kFrames / rate, benchmark::Counter::kIsRate);
}

const Setting kSingleLinked{0, 1, 0};
const Setting kMultiUnlinked{1, 0, 0};
const Setting kSingleLinkedFat{0, 1, 1};
const Setting kMultiUnlinkedFat{1, 0, 1};

BENCHMARK_CAPTURE(BM_Callback, single_linked_44k, kSingleLinked, 44100.0f);
BENCHMARK_CAPTURE(BM_Callback, multi_unlinked_44k, kMultiUnlinked, 44100.0f);
BENCHMARK_CAPTURE(BM_Callback, single_linked_fat_44k, kSingleLinkedFat, 44100.0f);
BENCHMARK_CAPTURE(BM_Callback, multi_unlinked_fat_44k, kMultiUnlinkedFat, 44100.0f);
BENCHMARK_CAPTURE(BM_Callback, single_linked_96k, kSingleLinked, 96000.0f);
BENCHMARK_CAPTURE(BM_Callback, multi_unlinked_96k, kMultiUnlinked, 96000.0f);
BENCHMARK_CAPTURE(BM_Callback, single_linked_fat_96k, kSingleLinkedFat, 96000.0f);
BENCHMARK_CAPTURE(BM_Callback, multi_unlinked_fat_96k, kMultiUnlinkedFat, 96000.0f);

}  // namespace
