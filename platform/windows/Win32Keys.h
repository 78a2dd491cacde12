#pragma once
// Keys and mouse state on Windows: virtual keys as the host interface's key
// codes, and the toolkit's button and modifier bits (the left and right bits
// follow the system's swapped-buttons setting).

#include <windows.h>

#include "core/vst/VstInterface.h"

namespace VSTGUI::platform::win32 {

// A key message's virtual key (wParam) with the modifiers held now.
VstKeyCode translateKey(WPARAM virtualKey);
// The modifier bits (Shift, Control, Alt) held now.
int heldModifiers();
// Buttons held now (logical, after swapping) and the modifiers.
int heldButtons();

}  // namespace VSTGUI::platform::win32
