#pragma once
// Encodes a drawn surface as the skin's picture format: an uncompressed 24-bit
// device-independent bitmap file (14-byte file header, 40-byte info header,
// bottom-up rows of blue, green, red, each padded to four bytes). Every header
// field is fixed, so the same picture always gives the same bytes.

#include <cairo.h>

#include <cstdint>
#include <vector>

namespace ambrel::skin {

std::vector<std::uint8_t> encodeBmp(cairo_surface_t* surface);

}  // namespace ambrel::skin
