// Older hosts look the entry point up by the name `main`; in a shared object
// the alias is a second function under that assembler name.

#include "core/entry/EntryExport.h"

AMBREL_EXPORT AEffect* legacyPluginMain(audioMasterCallback audioMaster) __asm__("main");
AMBREL_EXPORT AEffect* legacyPluginMain(audioMasterCallback audioMaster) { return VSTPluginMain(audioMaster); }
