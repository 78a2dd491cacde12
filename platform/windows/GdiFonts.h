#pragma once
// Toolkit fonts on Windows: GDI fonts of the requested face, pixel size per em
// and weight, created once and kept for the life of the process.

#include <windows.h>

#include "toolkit/PlatformSeam.h"

namespace VSTGUI::platform::win32 {

HFONT gdiFont(const FontRequest& font);

}  // namespace VSTGUI::platform::win32
