#pragma once
// Loads a built plug-in binary the way a host does (dlopen or LoadLibraryA,
// the entry point, the descriptor) and records what the plug-in asks of the host.

#include <cstdlib>
#include <string>
#include <vector>

#include "core/vst/VstInterface.h"
#include "tools/ModuleLoader.h"

namespace plugintest {

struct HostRequest {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
};

// One host for all tests of a process; the plug-in passes its descriptor back.
struct Host {
    static Host& instance() {
        static Host host;
        return host;
    }
    std::vector<HostRequest> requests;
    VstIntPtr version = 2400;
    VstIntPtr sampleRate = 44100;
    VstIntPtr blockSize = 512;
    VstIntPtr outputPinAnswer = 0;  // 0: connected
    VstIntPtr inputPinAnswer = 0;

    static VstIntPtr callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*, float opt) {
        Host& h = instance();
        h.requests.push_back({opcode, index, value, opt});
        switch (opcode) {
        case audioMasterVersion: return h.version;
        case audioMasterGetSampleRate: return h.sampleRate;
        case audioMasterGetBlockSize: return h.blockSize;
        case audioMasterPinConnected: return value == 0 ? h.inputPinAnswer : h.outputPinAnswer;
        default: return 0;
        }
    }
    int count(VstInt32 opcode) const {
        int n = 0;
        for (const HostRequest& r : requests) n += r.opcode == opcode;
        return n;
    }
};

namespace module = ambrel::module;

class LoadedPlugin {
public:
    explicit LoadedPlugin(const char* path) {
        handle_ = module::open(path);
        if (!handle_) {
            error_ = std::string(path) + ": " + module::lastError();
            return;
        }
        entry_ = reinterpret_cast<Entry>(module::symbol(handle_, "VSTPluginMain"));
        legacyEntry_ = reinterpret_cast<Entry>(module::symbol(handle_, "main"));
        if (!entry_) error_ = std::string(path) + ": no VSTPluginMain";
    }
    ~LoadedPlugin() {
        if (handle_) module::close(handle_);
    }
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    bool loaded() const { return handle_ && entry_; }
    // Why loading failed (empty when it did not).
    const std::string& error() const { return error_; }
    void* handle() const { return handle_; }
    void* symbol(const char* name) const { return handle_ ? module::symbol(handle_, name) : nullptr; }

    AEffect* create() { return entry_ ? entry_(&Host::callback) : nullptr; }
    AEffect* createThroughLegacyEntry() { return legacyEntry_ ? legacyEntry_(&Host::callback) : nullptr; }
    AEffect* createWith(audioMasterCallback callback) { return entry_ ? entry_(callback) : nullptr; }

private:
    using Entry = AEffect* (*)(audioMasterCallback);
    void* handle_ = nullptr;
    Entry entry_ = nullptr;
    Entry legacyEntry_ = nullptr;
    std::string error_;
};

inline VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                          float opt = 0.0f) {
    return e->dispatcher(e, opcode, index, value, ptr, opt);
}

// The plug-in keeps machine-wide settings; tests use a private folder. On
// Windows the store is the registry of the throw-away Wine prefix the Windows
// test set runs in, so there is nothing to redirect.
inline void useTemporarySettingsFolder() {
#ifdef _WIN32
    return;
#else
    static std::string folder;
    if (folder.empty()) {
        char pattern[] = "/tmp/ambrel-plugin-test-XXXXXX";
        if (const char* made = mkdtemp(pattern)) folder = made;
        setenv("AMBREL_SETTINGS_DIR", folder.c_str(), 1);
    }
#endif
}

}  // namespace plugintest
