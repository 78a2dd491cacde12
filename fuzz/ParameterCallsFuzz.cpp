// Parameter calls as a host and the editor make them, on the real effect: a
// byte stream decoded into setParameter, getParameter and the text and
// property queries with any index and any float (NaN, infinities and
// denormals included), program selection, rate changes and suspend/resume,
// interleaved with short processing calls of both precisions. Through all of
// it the host's parameters read back as normalized values, every text fits
// its buffer, and the audio stays finite and bounded by the settings.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "FuzzAudio.h"
#include "FuzzPresetEffect.h"
#include "core/Ambrel.h"

using namespace ambrel;

namespace {

// AMBREL_FUZZ_TRACE=1 prints every call, to turn a finding into a regression test.
const bool kTrace = std::getenv("AMBREL_FUZZ_TRACE") != nullptr;
#define TRACE(...) \
    do { \
        if (kTrace) std::fprintf(stderr, __VA_ARGS__); \
    } while (0)

// Texts are written into buffers exactly as large as the longest text plus
// its terminator, so a longer write is an overflow the sanitizer sees.
constexpr std::size_t kParameterTextBuffer = 13;

VstInt32 anyIndex(FuzzedDataProvider& input, const Edition& edition) {
    if (input.ConsumeIntegralInRange(0, 7) == 0) return input.ConsumeIntegral<VstInt32>();
    return input.ConsumeIntegralInRange<VstInt32>(-2, edition.numIndices + 2);
}

float anyFloat(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0: {
        const std::uint32_t bits = input.ConsumeIntegral<std::uint32_t>();  // NaN, infinities, denormals
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    case 1: return input.ConsumeFloatingPointInRange(-2.0f, 3.0f);
    default: return input.ConsumeIntegral<std::uint8_t>() / 255.0f;
    }
}

void checkText(const char* text) { FUZZ_CHECK(std::memchr(text, 0, kParameterTextBuffer) != nullptr); }

void queryTexts(Ambrel& effect, VstInt32 index) {
    std::vector<char> text(kParameterTextBuffer, '#');
    effect.getParameterDisplay(index, text.data());
    checkText(text.data());
    std::fill(text.begin(), text.end(), '#');
    effect.getParameterLabel(index, text.data());
    checkText(text.data());
    std::fill(text.begin(), text.end(), '#');
    effect.getParameterName(index, text.data());
    checkText(text.data());
}


template <typename Sample>
void process(Ambrel& effect, FuzzedDataProvider& input) {
    const int frames = input.ConsumeIntegralInRange(0, 300);
    const double peak = input.ConsumeIntegralInRange(0, 64) / 16.0;  // silence to +12 dBFS
    fuzzing::StereoBuffers<Sample> buffers(frames);
    const std::uint32_t seed = input.ConsumeIntegral<std::uint32_t>();
    buffers.fill(seed, peak);
    TRACE("process%s frames=%d peak=%g seed=%u\n", sizeof(Sample) == 4 ? "Replacing" : "DoubleReplacing", frames, peak,
          seed);
    if constexpr (sizeof(Sample) == sizeof(float))
        effect.processReplacing(buffers.inputs, buffers.outputs, frames);
    else
        effect.processDoubleReplacing(buffers.inputs, buffers.outputs, frames);
    buffers.check(peak);
}

void checkParameters(Ambrel& effect, const Edition& edition) {
    for (int index = 0; index < edition.numParams; ++index) {
        const float value = effect.getParameter(index);
        FUZZ_CHECK(value >= 0.0f && value <= 1.0f);
    }
}

const float kRates[] = {44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f, 22050.0f, 8000.0f};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const Edition& edition = input.ConsumeBool() ? fullEdition() : siblingEdition();
    fuzzing::MemorySettingsStore store;
    auto effect = std::make_unique<Ambrel>(fuzzing::silentHost, edition, store);
    const float rate = kRates[input.ConsumeIntegralInRange(0, 7)];
    TRACE("%s edition, setSampleRate(%g); resume()\n", edition.effectName, rate);
    effect->setSampleRate(rate);
    effect->resume();

    for (int call = 0; call < 400 && input.remaining_bytes() > 0; ++call) {
        switch (input.ConsumeIntegralInRange(0, 13)) {
        case 0:
        case 1: {
            const VstInt32 index = anyIndex(input, edition);
            const float value = anyFloat(input);
            TRACE("setParameter(%d, %a /* %g */)\n", index, value, value);
            effect->setParameter(index, value);
            break;
        }
        case 2: {
            const VstInt32 index = anyIndex(input, edition);
            const float value = anyFloat(input);
            TRACE("setParameterAutomated(%d, %a /* %g */)\n", index, value, value);
            effect->setParameterAutomated(index, value);
            break;
        }
        case 3: {
            const VstInt32 index = anyIndex(input, edition);
            const float value = effect->getParameter(index);
            if (index >= 0 && index < edition.numParams) FUZZ_CHECK(value >= 0.0f && value <= 1.0f);
            break;
        }
        case 4: queryTexts(*effect, anyIndex(input, edition)); break;
        case 5: {
            VstParameterProperties properties;
            std::memset(&properties, 0, sizeof properties);
            effect->getParameterProperties(anyIndex(input, edition), &properties);
            effect->canParameterBeAutomated(anyIndex(input, edition));
            break;
        }
        case 6: {
            std::string text = input.ConsumeRandomLengthString(40);
            effect->string2parameter(anyIndex(input, edition), text.data());
            break;
        }
        case 7:
        case 8: process<float>(*effect, input); break;
        case 9: process<double>(*effect, input); break;
        case 10: {
            const int program = input.ConsumeIntegralInRange(-1, kProgramSlots);
            TRACE("selectProgram(%d)\n", program);
            effect->selectProgram(program);
            break;
        }
        case 11: {
            const bool suspend = input.ConsumeBool();
            TRACE("%s\n", suspend ? "suspend()" : "resume()");
            if (suspend) effect->suspend();
            else effect->resume();
            break;
        }
        case 12: {
            const float rate = input.ConsumeBool() ? anyFloat(input) * 200000.0f : kRates[input.ConsumeIntegralInRange(0, 7)];
            TRACE("setSampleRate(%g); resume()\n", rate);
            effect->setSampleRate(rate);
            effect->resume();
            break;
        }
        case 13: {
            effect->getDisplayValue(anyIndex(input, edition));
            FUZZ_CHECK(effect->getLatencySamples() > 0);
            FUZZ_CHECK(std::isfinite(effect->getLatencyMs()));
            break;
        }
        }
    }
    checkParameters(*effect, edition);
    process<float>(*effect, input);
    return 0;
}
