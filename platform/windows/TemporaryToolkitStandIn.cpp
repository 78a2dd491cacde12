// TEMPORARY: keeps the Windows build linking until the toolkit's Win32/GDI
// backend is in place; it is then deleted. No window, no bitmaps, no fonts:
// the editor opens nothing, as on a machine without a display.

#include "toolkit/PlatformSeam.h"

namespace VSTGUI::platform {

std::unique_ptr<Bitmap> createBitmap(int, int, const std::function<void(int, std::uint32_t*)>&) { return nullptr; }

std::string resolvedFontFamily(const FontRequest& font) { return font.face ? font.face : ""; }

std::unique_ptr<Offscreen> createOffscreen(int, int) { return nullptr; }

std::unique_ptr<NativeWindow> createWindow(void*, int, int) { return nullptr; }

}  // namespace VSTGUI::platform
