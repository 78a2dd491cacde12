#pragma once
// X key events in the plug-in interface's key code: character for printable
// keys (lower case), virt for the named keys, modifier bits.

#include <X11/Xlib.h>

#include "core/vst/VstInterface.h"

namespace VSTGUI::platform::x11 {

VstKeyCode translateKey(XKeyEvent& event);
// Pointer and modifier state bits in the toolkit's button bits.
int toolkitButtons(unsigned int state);

}  // namespace VSTGUI::platform::x11
