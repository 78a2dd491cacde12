#pragma once
// Writing 24-bit pictures as PNG files without a compression library: the
// image data goes into stored (uncompressed) deflate blocks.

#include <cstdint>
#include <functional>
#include <string>

namespace VSTGUI::platform::win32 {

// pixel(x, y) gives 0x00RRGGBB. False when the file cannot be written.
bool writePng(const std::string& path, int width, int height, const std::function<std::uint32_t(int, int)>& pixel);

}  // namespace VSTGUI::platform::win32
