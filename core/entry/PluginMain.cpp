// The plug-in's exported entry point. Everything else in the binary is hidden;
// the legacy alias `main` is made per binary format (elf/, windows/).

#include <new>

#include "core/Ambrel.h"
#include "core/Edition.h"
#include "core/entry/EntryExport.h"

AMBREL_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
    // No effect for a host that does not answer the version request.
    if (!audioMaster || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    auto* effect = new (std::nothrow) ambrel::Ambrel(audioMaster, ambrel::activeEdition());
    return effect ? effect->getAeffect() : nullptr;
}
