// The plug-in's only exported symbols: the VST 2.4 entry point and its legacy
// alias `main`. Everything else in the binary is hidden.

#include <new>

#include "core/Ambrel.h"
#include "core/Edition.h"

#define AMBREL_EXPORT extern "C" __attribute__((visibility("default")))

AMBREL_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
    // No effect for a host that does not answer the version request.
    if (!audioMaster || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    auto* effect = new (std::nothrow) ambrel::Ambrel(audioMaster, ambrel::activeEdition());
    return effect ? effect->getAeffect() : nullptr;
}

// Older hosts look the entry point up by this name.
AMBREL_EXPORT AEffect* legacyPluginMain(audioMasterCallback audioMaster) __asm__("main");
AMBREL_EXPORT AEffect* legacyPluginMain(audioMasterCallback audioMaster) { return VSTPluginMain(audioMaster); }
