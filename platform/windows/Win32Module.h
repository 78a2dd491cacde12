#pragma once
// The module (DLL or program) this code is linked into: its instance handle,
// which owns the skin's bitmap resources and names the frame's window class.

#include <windows.h>

#include <string>

namespace VSTGUI::platform::win32 {

HMODULE thisModule();
// "Plugin%p" of the module handle: the frame window's registered class.
std::string frameWindowClassName();

}  // namespace VSTGUI::platform::win32
