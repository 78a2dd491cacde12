#include "tools/HostedPlugin.h"

#include <cstring>

#include "tools/ModuleLoader.h"

namespace ambrel::tools {

namespace {

using EntryPoint = AEffect* (*)(audioMasterCallback);

// Plug-ins ask for the host during their entry call, before the descriptor can
// carry our pointer; the host being loaded answers those requests.
thread_local HostedPlugin* loadingHost = nullptr;

constexpr std::size_t kTextBuffer = 512;  // far beyond the interface limits: plug-ins overrun them

}  // namespace

HostedPlugin::~HostedPlugin() { close(); }

bool HostedPlugin::load(const std::string& path, double sampleRate, int blockSize) {
    close();
    sampleRate_ = sampleRate;
    blockSize_ = blockSize;
    library_ = module::open(path);
    if (!library_) {
        error_ = "cannot load '" + path + "': " + module::lastError();
        return false;
    }
    auto entry = reinterpret_cast<EntryPoint>(module::symbol(library_, "VSTPluginMain"));
    if (!entry) entry = reinterpret_cast<EntryPoint>(module::symbol(library_, "main"));
    if (!entry) {
        error_ = "'" + path + "' is not a VST 2.4 plug-in: it exports neither VSTPluginMain nor main";
        close();
        return false;
    }
    loadingHost = this;
    AEffect* effect = entry(&HostedPlugin::hostCallback);
    loadingHost = nullptr;
    if (!effect) {
        error_ = "'" + path + "': the entry point returned no effect";
        close();
        return false;
    }
    if (effect->magic != kEffectMagic) {
        error_ = "'" + path + "': the entry point returned something that is not a VST 2.4 effect (bad magic)";
        close();
        return false;
    }
    if (!effect->dispatcher) {
        error_ = "'" + path + "': the effect has no dispatcher";
        close();
        return false;
    }
    effect_ = effect;
    effect_->resvd1 = reinterpret_cast<VstIntPtr>(this);  // the host's field of the descriptor
    dispatch(effOpen);
    configure(sampleRate, blockSize, false);
    return true;
}

void HostedPlugin::close() {
    if (effect_) {
        suspend();
        dispatch(effClose);
        effect_ = nullptr;
    }
    if (library_) {
        module::close(library_);
        library_ = nullptr;
    }
}

void HostedPlugin::configure(double sampleRate, int blockSize, bool doublePrecision) {
    if (!effect_) return;
    const bool wasRunning = running_;
    if (wasRunning) suspend();
    sampleRate_ = sampleRate;
    blockSize_ = blockSize;
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    dispatch(effSetBlockSize, 0, blockSize);
    dispatch(effSetProcessPrecision, 0, doublePrecision ? 1 : 0);
    if (wasRunning) resume();
}

void HostedPlugin::resume() {
    if (!effect_ || running_) return;
    dispatch(effMainsChanged, 0, 1);
    dispatch(effStartProcess);
    running_ = true;
}

void HostedPlugin::suspend() {
    if (!effect_ || !running_) return;
    dispatch(effStopProcess);
    dispatch(effMainsChanged, 0, 0);
    running_ = false;
}

bool HostedPlugin::canReplacing() const {
    return effect_ && (effect_->flags & effFlagsCanReplacing) && effect_->processReplacing;
}

bool HostedPlugin::canDoubleReplacing() const {
    return effect_ && (effect_->flags & effFlagsCanDoubleReplacing) && effect_->processDoubleReplacing;
}

void HostedPlugin::setParameter(int index, float value) {
    if (effect_ && effect_->setParameter) effect_->setParameter(effect_, index, value);
}

ParameterInfo HostedPlugin::parameter(int index) const {
    ParameterInfo info;
    info.index = index;
    if (!effect_) return info;
    info.name = text(effGetParamName, index);
    info.label = text(effGetParamLabel, index);
    info.display = text(effGetParamDisplay, index);
    info.value = effect_->getParameter ? effect_->getParameter(effect_, index) : 0.0f;
    info.automatable = dispatch(effCanBeAutomated, index) != 0;
    info.hasProperties = dispatch(effGetParameterProperties, index, 0, &info.properties) != 0;
    info.properties.label[sizeof(info.properties.label) - 1] = '\0';
    info.properties.shortLabel[sizeof(info.properties.shortLabel) - 1] = '\0';
    info.properties.categoryLabel[sizeof(info.properties.categoryLabel) - 1] = '\0';
    return info;
}

VstIntPtr HostedPlugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) const {
    if (!effect_) return 0;
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string HostedPlugin::text(VstInt32 opcode, VstInt32 index) const {
    char buffer[kTextBuffer] = {};
    dispatch(opcode, index, 0, buffer);
    buffer[kTextBuffer - 1] = '\0';
    return buffer;
}

VstIntPtr HostedPlugin::hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                     float opt) {
    HostedPlugin* host = loadingHost;
    if (effect && effect->resvd1) host = reinterpret_cast<HostedPlugin*>(effect->resvd1);
    if (opcode == audioMasterVersion) return kVstVersion;
    if (!host) return 0;
    return host->answer(opcode, index, value, ptr, opt);
}

VstIntPtr HostedPlugin::answer(VstInt32 opcode, VstInt32 index, VstIntPtr /*value*/, void* ptr, float opt) {
    auto copyText = [ptr](const char* text, std::size_t limit) -> VstIntPtr {
        if (!ptr) return 0;
        std::strncpy(static_cast<char*>(ptr), text, limit - 1);
        static_cast<char*>(ptr)[limit - 1] = '\0';
        return 1;
    };
    switch (opcode) {
        case audioMasterAutomate:
            automation_.push_back({index, opt});
            return 0;
        case audioMasterCurrentId:
            return effect_ ? effect_->uniqueID : 0;
        case audioMasterPinConnected:
            return 0;  // 0 means connected: the host feeds every pin
        case audioMasterGetSampleRate:
            return static_cast<VstIntPtr>(sampleRate_);
        case audioMasterGetBlockSize:
            return blockSize_;
        case audioMasterGetInputLatency:
        case audioMasterGetOutputLatency:
            return 0;
        case audioMasterIOChanged:
            ++ioChanged_;  // the plug-in changed its latency or its pins
            return 1;
        case audioMasterGetVendorString:
            return copyText("Zemtone", kVstMaxVendorStrLen);
        case audioMasterGetProductString:
            return copyText("ambrel-host", kVstMaxProductStrLen);
        case audioMasterGetVendorVersion:
            return 1000;
        case audioMasterGetLanguage:
            return 1;  // English
        case audioMasterCanDo: {
            const char* what = static_cast<const char*>(ptr);
            return what && std::strcmp(what, "startStopProcess") == 0 ? 1 : 0;
        }
        case audioMasterBeginEdit:
        case audioMasterEndEdit:
            return 1;
        default:
            return 0;  // no time info, no MIDI, no windows
    }
}

std::string fourCharacterCode(VstInt32 id) {
    std::string code;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((static_cast<std::uint32_t>(id) >> shift) & 0xFF);
        code += (c >= 32 && c < 127) ? c : '.';
    }
    return code;
}

}  // namespace ambrel::tools
