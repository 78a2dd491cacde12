// A tiny VST 2.4 effect for testing our host through the binary interface: a
// stereo gain with a fixed latency of 37 samples and two parameters ("Gain",
// 0..2 linear, and the "Invert" switch). Through effVendorSpecific the tests
// can ask it what it saw of the host (see the Probe numbers).
//
// Built three ways: with VSTPluginMain and main (the default), with main only
// (TEST_PLUGIN_MAIN_ONLY) and with no entry point at all (TEST_PLUGIN_NO_ENTRY).
// TEST_PLUGIN_NAN_WHEN_LOUD builds a faulty one that outputs NaN while its gain
// is set above 0.95, for the tests of the host's soak.

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <cmath>

#include "core/vst/VstInterface.h"
#include "tests/tools/plugins/TestPluginProbe.h"

namespace {

constexpr int kLatency = 37;

struct TestGain {
    AEffect effect{};
    audioMasterCallback host = nullptr;
    float gain = 0.5f;    // normalized: 0.5 is unity
    float invert = 0.0f;
    float sampleRate = 0.0f;
    VstIntPtr blockSize = 0;
    VstIntPtr precision = -1;
    int maxFrames = 0;
    int floatCalls = 0, doubleCalls = 0;
    int resumes = 0;
    std::array<std::array<double, kLatency>, 2> ring{};
    int ringPos = 0;

    double factor() const {
#if defined(TEST_PLUGIN_NAN_WHEN_LOUD)
        if (gain > 0.95f) return std::nan("");
#endif
        return 2.0 * gain * (invert >= 0.5f ? -1.0 : 1.0);
    }

    template <typename Sample>
    void process(Sample** in, Sample** out, VstInt32 frames) {
        if (frames <= 0) return;
        maxFrames = std::max(maxFrames, static_cast<int>(frames));
        const double f = factor();
        for (VstInt32 i = 0; i < frames; ++i) {
            for (int c = 0; c < 2; ++c) {
                const double delayed = ring[c][ringPos];
                ring[c][ringPos] = in[c][i];
                out[c][i] = static_cast<Sample>(delayed * f);
            }
            ringPos = (ringPos + 1) % kLatency;
        }
    }
};

TestGain* self(AEffect* e) { return static_cast<TestGain*>(e->object); }

void copy(void* ptr, const char* text) {
    if (ptr) std::strcpy(static_cast<char*>(ptr), text);
}

VstIntPtr dispatcher(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    TestGain* t = self(e);
    switch (opcode) {
        case effClose:
            delete t;
            return 1;
        case effSetSampleRate:
            t->sampleRate = opt;
            return 1;
        case effSetBlockSize:
            t->blockSize = value;
            return 1;
        case effSetProcessPrecision:
            t->precision = value;
            return 1;
        case effMainsChanged:
            if (value) {
                t->ring = {};
                t->ringPos = 0;
                ++t->resumes;
            }
            return 0;
        case effGetParamName:
            copy(ptr, index == 0 ? "Gain" : "Invert");
            return 0;
        case effGetParamLabel:
            copy(ptr, index == 0 ? "dB" : "");
            return 0;
        case effGetParamDisplay:
            if (!ptr) return 0;
            if (index == 0)
                std::snprintf(static_cast<char*>(ptr), 9, "%.2f", 20.0 * std::log10(std::max(1e-6, 2.0 * t->gain)));
            else
                copy(ptr, t->invert >= 0.5f ? "on" : "off");
            return 0;
        case effGetParameterProperties: {
            if (!ptr || index < 0 || index > 1) return 0;
            auto* p = static_cast<VstParameterProperties*>(ptr);
            std::memset(p, 0, sizeof *p);
            std::strcpy(p->label, index == 0 ? "Gain" : "Invert");
            std::strcpy(p->shortLabel, index == 0 ? "Gain" : "Inv");
            if (index == 1) p->flags = kVstParameterIsSwitch;
            return 1;
        }
        case effCanBeAutomated:
            return index >= 0 && index < 2;
        case effGetInputProperties:
        case effGetOutputProperties: {
            if (!ptr || index < 0 || index > 1) return 0;
            auto* pin = static_cast<VstPinProperties*>(ptr);
            std::snprintf(pin->label, sizeof pin->label, "Test %d %s", index + 1,
                          opcode == effGetInputProperties ? "In" : "Out");
            pin->flags = kVstPinIsActive | kVstPinIsStereo;
            return 1;
        }
        case effGetEffectName:
            copy(ptr, "Test Gain");
            return 1;
        case effGetVendorString:
            copy(ptr, "Zemtone Test");
            return 1;
        case effGetProductString:
            copy(ptr, "Test Gain Plug-in");
            return 1;
        case effGetProgramName:
            copy(ptr, "Default");
            return 0;
        case effGetProgramNameIndexed:
            if (index != 0) return 0;
            copy(ptr, "Default");
            return 1;
        case effGetVendorVersion:
            return 1000;
        case effGetVstVersion:
            return kVstVersion;
        case effGetPlugCategory:
            return kPlugCategEffect;
        case effVendorSpecific:
            switch (index) {
                case kProbeAskHost:
                    return t->host(e, static_cast<VstInt32>(value), 0, 0, nullptr, 0.0f);
                case kProbeAutomate:
                    return t->host(e, audioMasterAutomate, static_cast<VstInt32>(value), 0, nullptr, opt);
                case kProbeMaxFrames:
                    return t->maxFrames;
                case kProbeFloatCalls:
                    return t->floatCalls;
                case kProbeDoubleCalls:
                    return t->doubleCalls;
                case kProbeSampleRate:
                    return static_cast<VstIntPtr>(t->sampleRate);
                case kProbeBlockSize:
                    return t->blockSize;
                case kProbePrecision:
                    return t->precision;
                case kProbeResumes:
                    return t->resumes;
                default:
                    return 0;
            }
        default:
            return 0;
    }
}

void processReplacing(AEffect* e, float** in, float** out, VstInt32 frames) {
    ++self(e)->floatCalls;
    self(e)->process(in, out, frames);
}

void processDoubleReplacing(AEffect* e, double** in, double** out, VstInt32 frames) {
    ++self(e)->doubleCalls;
    self(e)->process(in, out, frames);
}

void setParameter(AEffect* e, VstInt32 index, float value) {
    if (index == 0) self(e)->gain = value;
    if (index == 1) self(e)->invert = value;
}

float getParameter(AEffect* e, VstInt32 index) {
    return index == 0 ? self(e)->gain : index == 1 ? self(e)->invert : 0.0f;
}

[[maybe_unused]] AEffect* create(audioMasterCallback host) {
    if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    auto* t = new TestGain;
    t->host = host;
    AEffect& e = t->effect;
    e.magic = kEffectMagic;
    e.dispatcher = dispatcher;
    e.process = processReplacing;
    e.setParameter = setParameter;
    e.getParameter = getParameter;
    e.numPrograms = 1;
    e.numParams = 2;
    e.numInputs = 2;
    e.numOutputs = 2;
    e.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
    e.initialDelay = kLatency;
    e.ioRatio = 1.0f;
    e.object = t;
    e.uniqueID = ('T' << 24) | ('g' << 16) | ('A' << 8) | 'n';
    e.version = 1;
    e.processReplacing = processReplacing;
    e.processDoubleReplacing = processDoubleReplacing;
    return &e;
}

}  // namespace

#if !defined(TEST_PLUGIN_NO_ENTRY)
#if !defined(TEST_PLUGIN_MAIN_ONLY)
extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback host) {
    return create(host);
}
#endif
// The old entry name; a C++ function may not be called main, so it gets the symbol by label.
extern "C" __attribute__((visibility("default"))) AEffect* legacyMain(audioMasterCallback host) __asm__("main");
extern "C" AEffect* legacyMain(audioMasterCallback host) { return create(host); }
#else
// Something to export, so the library is otherwise a normal shared object.
extern "C" __attribute__((visibility("default"))) int notAPlugin() { return 0; }
#endif
