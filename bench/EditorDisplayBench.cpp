// What one editor idle pass spends turning values into pictures and text:
// the readout's glyphs, a formatted readout text, and the meter frames.

#include <benchmark/benchmark.h>

#include "editor/CounterGlyphs.h"
#include "editor/MeterFrames.h"
#include "editor/ValueFormatters.h"

namespace {

constexpr float kValues[8] = {15.32f, -0.004f, -12.345f, 1234.5f, 12.5f, 0.25f, 999.97f, 6.005f};

void BM_EditorCounterGlyphs(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) {
        const float v = kValues[i & 7];
        benchmark::DoNotOptimize(ambrel::counterGlyphs(v, 1 + (i & 3)));
        ++i;
    }
}
BENCHMARK(BM_EditorCounterGlyphs);

void BM_EditorFormatters(benchmark::State& state) {
    static constexpr ambrel::ValueFormatter kFormatters[7] = {
        ambrel::formatMilliseconds, ambrel::formatSamples, ambrel::formatDecibels, ambrel::formatDecibelsFullScale,
        ambrel::formatInteger,      ambrel::formatFactor,  ambrel::formatPercent};
    char text[ambrel::kFormattedTextSize];
    int i = 0;
    for (auto _ : state) {
        kFormatters[i % 7](kValues[i & 7] * 0.1f, text);
        benchmark::DoNotOptimize(text);
        ++i;
    }
}
BENCHMARK(BM_EditorFormatters);

// Two needles and two LEDs, as every idle call of the main page draws them.
void BM_EditorMeterFrames(benchmark::State& state) {
    float level = 0.0f;
    float shown = 1.0f;
    for (auto _ : state) {
        level = level > 1.5f ? 0.0f : level + 0.01f;
        int sum = ambrel::needleFrame(level, 0, 101) + ambrel::needleFrame(level * 0.9f, 1, 101);
        shown = ambrel::ledLevelAfterRedraw(shown, level > 1.0f ? 1.0f : 0.0f, 0.2f);
        sum += 2 * ambrel::ledFrame(shown, 6);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_EditorMeterFrames);

}  // namespace
