// The dispatcher as hosts drive it: any opcode (the published ones, a few
// beyond, and negative ones) with any index, value and opt, and for each
// opcode the kind of pointer a host passes there: a text buffer of the size
// the interface guarantees, a text of any length, a structure, a place for
// the plug-in's own pointer, a chunk of any bytes, or null. Processing calls
// through the descriptor come in between, and effClose ends one instance and
// starts the next. Never a wild pointer; the editor is not opened (that needs
// a display and a parent window).

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "FuzzAudio.h"
#include "FuzzPresetEffect.h"
#include "core/Ambrel.h"

using namespace ambrel;

namespace {

// What the host passes in ptr for each opcode.
enum PointerKind {
    kNull,
    kOutText,       // a buffer of `size` bytes the plug-in writes a text into
    kInText,        // a NUL-terminated text of any length
    kOptionalText,  // kInText, or null (effString2Parameter asks whether conversion works)
    kPointerPlace,  // a void* the plug-in stores its own pointer into
    kChunk,         // any bytes, value = their count
    kZeroedStruct,  // a structure of `size` bytes the plug-in may fill or read
    kSpeakers,      // value and ptr: a speaker arrangement each
    kSpeakerPlaces, // value and ptr: a place for a pointer to the plug-in's arrangement
};

struct OpcodeArguments {
    PointerKind kind;
    std::size_t size;
};

OpcodeArguments argumentsOf(VstInt32 opcode) {
    switch (opcode) {
    case effSetProgramName: return {kInText, 0};
    case effGetProgramName: return {kOutText, kVstMaxProgNameLen + 1};
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName: return {kOutText, 13};  // the longest text of ours and its terminator
    case effEditGetRect: return {kPointerPlace, 0};
    case effEditDraw: return {kZeroedStruct, sizeof(ERect)};
    case effGetChunk: return {kPointerPlace, 0};
    case effSetChunk: return {kChunk, 0};
    case effProcessEvents: return {kZeroedStruct, 64};  // an event list holding no events
    case effString2Parameter: return {kOptionalText, 0};
    case effGetProgramNameIndexed: return {kOutText, kVstMaxProgNameLen + 1};
    case effGetInputProperties:
    case effGetOutputProperties: return {kZeroedStruct, sizeof(VstPinProperties)};
    case effOfflineNotify:
    case effOfflinePrepare:
    case effOfflineRun:
    case effProcessVarIo:
    case effGetMidiProgramName:
    case effGetCurrentMidiProgram:
    case effGetMidiProgramCategory:
    case effGetMidiKeyName:
    case effBeginLoadBank:
    case effBeginLoadProgram: return {kZeroedStruct, 1024};  // more than any of those structures
    case effSetSpeakerArrangement: return {kSpeakers, 0};
    case effGetEffectName: return {kOutText, kVstMaxEffectNameLen + 1};
    case effGetErrorText: return {kOutText, 256};
    case effGetVendorString: return {kOutText, kVstMaxVendorStrLen + 1};
    case effGetProductString: return {kOutText, kVstMaxProductStrLen + 1};
    case effCanDo: return {kInText, 0};
    case effGetParameterProperties: return {kZeroedStruct, sizeof(VstParameterProperties)};
    case effGetSpeakerArrangement: return {kSpeakerPlaces, 0};
    case effShellGetNextPlugin: return {kOutText, kVstMaxProductStrLen + 1};
    default: return {kNull, 0};
    }
}

VstInt32 anyOpcode(FuzzedDataProvider& input) {
    VstInt32 opcode = input.ConsumeIntegralInRange<VstInt32>(-2, 82);
    if (opcode == effEditOpen) opcode = effEditIdle;  // no window without a display
    return opcode;
}

VstIntPtr anyValue(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0: return input.ConsumeIntegral<VstIntPtr>();
    case 1: return input.ConsumeIntegralInRange<VstIntPtr>(-1, 3);
    default: return input.ConsumeIntegralInRange<VstIntPtr>(-2, 300);
    }
}

float anyOpt(FuzzedDataProvider& input) {
    if (input.ConsumeBool()) {
        const float rates[] = {44100.0f, 48000.0f, 96000.0f, 192000.0f};
        return rates[input.ConsumeIntegralInRange(0, 3)];
    }
    const std::uint32_t bits = input.ConsumeIntegral<std::uint32_t>();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// True when the call was effClose, which deletes the instance.
bool dispatchOne(AEffect* e, FuzzedDataProvider& input) {
    const VstInt32 opcode = anyOpcode(input);
    const VstInt32 index = input.ConsumeBool() ? input.ConsumeIntegral<VstInt32>()
                                               : input.ConsumeIntegralInRange<VstInt32>(-2, 70);
    VstIntPtr value = anyValue(input);
    const float opt = anyOpt(input);
    const OpcodeArguments arguments = argumentsOf(opcode);
    void* ptr = nullptr;

    std::vector<char> buffer;
    std::string text;
    void* place = nullptr;
    // A speaker arrangement: type, channel count, then eight 112-byte speaker records.
    alignas(8) std::int32_t speakers[2][256] = {};
    void* speakerPlaces[2] = {};

    switch (arguments.kind) {
    case kNull: break;
    case kOutText:
    case kZeroedStruct:
        buffer.assign(arguments.size, arguments.kind == kOutText ? '#' : 0);
        ptr = buffer.data();
        break;
    case kOptionalText:
        if (input.ConsumeBool()) break;
        [[fallthrough]];
    case kInText:
        text = input.ConsumeRandomLengthString(80);
        ptr = text.data();
        break;
    case kPointerPlace: ptr = &place; break;
    case kChunk: {
        buffer = input.ConsumeBytes<char>(input.ConsumeIntegralInRange(0, 8000));
        if (buffer.empty()) buffer.push_back(0);
        ptr = buffer.data();
        value = static_cast<VstIntPtr>(buffer.size());
        break;
    }
    case kSpeakers:
        for (auto& arrangement : speakers) {
            arrangement[0] = input.ConsumeIntegralInRange(-2, 30);
            arrangement[1] = input.ConsumeIntegralInRange(0, 8);
        }
        value = reinterpret_cast<VstIntPtr>(&speakers[0]);
        ptr = &speakers[1];
        break;
    case kSpeakerPlaces:
        value = reinterpret_cast<VstIntPtr>(&speakerPlaces[0]);
        ptr = &speakerPlaces[1];
        break;
    }

    const VstIntPtr answer = e->dispatcher(e, opcode, index, value, ptr, opt);
    if (opcode == effClose) return true;

    if (arguments.kind == kOutText) {
        const bool untouched = std::all_of(buffer.begin(), buffer.end(), [](char c) { return c == '#'; });
        FUZZ_CHECK(untouched || std::memchr(buffer.data(), 0, buffer.size()) != nullptr);
    }
    if (opcode == effEditGetRect && answer) {
        FUZZ_CHECK(place != nullptr);
        const ERect* rect = static_cast<const ERect*>(place);
        FUZZ_CHECK(rect->right >= rect->left && rect->bottom >= rect->top);
    }
    if (opcode == effGetChunk && answer > 0) {
        FUZZ_CHECK(place != nullptr);
        std::vector<char> copy(static_cast<const char*>(place), static_cast<const char*>(place) + answer);
    }
    if (opcode == effGetSpeakerArrangement && answer)
        for (const void* place : speakerPlaces)
            if (place) FUZZ_CHECK(static_cast<const std::int32_t*>(place)[1] >= 0 && static_cast<const std::int32_t*>(place)[1] <= 8);
    return false;
}

template <typename Sample>
void process(AEffect* e, FuzzedDataProvider& input) {
    const int frames = input.ConsumeIntegralInRange(0, 200);
    const double peak = input.ConsumeIntegralInRange(0, 64) / 16.0;
    fuzzing::StereoBuffers<Sample> buffers(frames);
    buffers.fill(input.ConsumeIntegral<std::uint32_t>(), peak);
    if constexpr (sizeof(Sample) == sizeof(float))
        e->processReplacing(e, buffers.inputs, buffers.outputs, frames);
    else
        e->processDoubleReplacing(e, buffers.inputs, buffers.outputs, frames);
    buffers.check(peak);
}

AEffect* newInstance(const Edition& edition, ambrel::SettingsStore& store) {
    // Owned by its descriptor from here on: effClose deletes it.
    return (new Ambrel(fuzzing::silentHost, edition, store))->getAeffect();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const Edition& edition = input.ConsumeBool() ? fullEdition() : siblingEdition();
    fuzzing::MemorySettingsStore store;
    AEffect* e = newInstance(edition, store);
    e->dispatcher(e, effOpen, 0, 0, nullptr, 0.0f);
    for (int call = 0; call < 300 && input.remaining_bytes() > 0; ++call) {
        const int what = input.ConsumeIntegralInRange(0, 9);
        if (what < 6) {
            if (dispatchOne(e, input)) {
                e = newInstance(edition, store);
                e->dispatcher(e, effOpen, 0, 0, nullptr, 0.0f);
            }
        } else if (what < 8) {
            process<float>(e, input);
        } else if (what == 8) {
            process<double>(e, input);
        } else {
            e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);  // deletes the instance
            e = newInstance(edition, store);
            e->dispatcher(e, effOpen, 0, 0, nullptr, 0.0f);
        }
    }
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
    process<float>(e, input);
    e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
    return 0;
}
