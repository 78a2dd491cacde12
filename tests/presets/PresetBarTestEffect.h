#pragma once
// A preset-system effect for the preset strip's tests: it remembers the values
// it is given (as the product effect does), keeps its settings in a private
// folder, and counts what it reports to a host.

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/Edition.h"
#include "platform/linux/RegistryFileStore.h"
#include "presets/CPresetSystemEffect.h"

namespace ambrel::testing {

// A fresh folder below the system's temporary folder, removed again at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix) {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data())) folder = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return folder; }
    std::string file(const std::string& name) const { return folder + "/" + name; }

private:
    std::string folder;
};

struct HostLog {
    std::vector<int> automatedIndices;
    int displayUpdates = 0;
    std::function<void()> onIdle;  // the host's idle pass (controls ask for it while the mouse is held)
};

inline VstIntPtr recordingHost(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float) {
    if (!effect || !effect->user) return opcode == audioMasterVersion ? 2400 : 0;
    auto* log = static_cast<HostLog*>(effect->user);
    if (opcode == audioMasterAutomate) log->automatedIndices.push_back(index);
    if (opcode == audioMasterUpdateDisplay) ++log->displayUpdates;
    if (opcode == audioMasterIdle && log->onIdle) log->onIdle();
    return opcode == audioMasterVersion ? 2400 : 0;
}

class PresetBarTestEffect : public CPresetSystemEffect {
public:
    explicit PresetBarTestEffect(const Edition& edition, const std::string& settingsFolder)
        : PresetBarTestEffect(edition, std::make_unique<RegistryFileStore>(settingsFolder)) {}

    void processReplacing(float**, float**, VstInt32) override {}
    void setParameter(VstInt32 index, float value) override {
        if (static_cast<unsigned>(index) < values.size()) values[static_cast<unsigned>(index)] = value;
        CPresetSystemEffect::setParameter(index, value);
        recordGlobalParameter(index, value);
    }
    float getParameter(VstInt32 index) override {
        return static_cast<unsigned>(index) < values.size() ? values[static_cast<unsigned>(index)] : 0.0f;
    }
    HostLog& hostLog() { return log; }

private:
    PresetBarTestEffect(const Edition& edition, std::unique_ptr<RegistryFileStore> ownStore)
        : CPresetSystemEffect(recordingHost, edition, *ownStore), store(std::move(ownStore)) {
        getAeffect()->user = &log;
        for (int i = 0; i < edition.numParams; ++i) values[static_cast<unsigned>(i)] = program(0)->getParameterValue(i);
    }

    std::unique_ptr<RegistryFileStore> store;
    std::array<float, kMaxParameterIndices> values{};
    HostLog log;
};

}  // namespace ambrel::testing
