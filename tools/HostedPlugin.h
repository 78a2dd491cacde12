#pragma once
// One VST 2.4 plug-in loaded from a Linux shared object and driven through the
// binary interface only: dlopen, the entry point ("VSTPluginMain", or the old
// "main"), the descriptor and its dispatcher. The host side answers the
// plug-in's requests (version 2400, sample rate, block size, every pin
// connected) and records the automation it sends.
//
// Errors never throw: load() returns false and error() tells why.

#include <string>
#include <vector>

#include "core/vst/VstInterface.h"

namespace ambrel::tools {

struct AutomationEvent {
    int index;
    float value;
};

struct ParameterInfo {
    int index = 0;
    std::string name, label, display;
    float value = 0.0f;
    bool automatable = false;
    bool hasProperties = false;
    VstParameterProperties properties{};
};

class HostedPlugin {
public:
    HostedPlugin() = default;
    ~HostedPlugin();
    HostedPlugin(const HostedPlugin&) = delete;
    HostedPlugin& operator=(const HostedPlugin&) = delete;

    // Loads the library, calls its entry point and opens the effect.
    bool load(const std::string& path, double sampleRate, int blockSize);
    const std::string& error() const { return error_; }

    AEffect* effect() const { return effect_; }
    double sampleRate() const { return sampleRate_; }
    int blockSize() const { return blockSize_; }

    // Sample rate and largest block, told to the plug-in while suspended.
    void configure(double sampleRate, int blockSize, bool doublePrecision);
    void resume();   // mains on, start of processing
    void suspend();  // end of processing, mains off
    bool running() const { return running_; }

    bool canReplacing() const;
    bool canDoubleReplacing() const;
    int latency() const { return effect_ ? effect_->initialDelay : 0; }

    void setParameter(int index, float value);
    ParameterInfo parameter(int index) const;

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f) const;
    // A text the plug-in writes into a buffer (effGetEffectName, effGetParamName, ...).
    std::string text(VstInt32 opcode, VstInt32 index = 0) const;

    // What the plug-in asked of the host.
    const std::vector<AutomationEvent>& automation() const { return automation_; }
    int ioChangedCount() const { return ioChanged_; }

    // The host callback handed to every plug-in this class loads.
    static VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt);

private:
    VstIntPtr answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    void close();

    void* library_ = nullptr;
    AEffect* effect_ = nullptr;
    double sampleRate_ = 44100.0;
    int blockSize_ = 512;
    bool running_ = false;
    bool startStopSent_ = false;
    std::string error_;
    std::vector<AutomationEvent> automation_;
    int ioChanged_ = 0;
};

// The four-character form of a unique identifier ("BLOQ"), unprintable bytes as '.'.
std::string fourCharacterCode(VstInt32 id);

}  // namespace ambrel::tools
