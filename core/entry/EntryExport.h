#pragma once
// How the entry point is made visible outside the binary. On Windows the
// module definition file (windows/Plugin.def) names the exports instead.

#include "core/vst/VstInterface.h"

#if defined(_WIN32)
#define AMBREL_EXPORT extern "C"
#else
#define AMBREL_EXPORT extern "C" __attribute__((visibility("default")))
#endif

AMBREL_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster);
