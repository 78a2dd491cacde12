#pragma once
// Toolkit fonts on Linux: a face name resolved through fontconfig ("Arial" to a
// metric-compatible face, "Symbol" to a symbol face), kept as cairo font faces
// for the life of the process; and the text helpers the cairo code shares.

#include <cairo.h>

#include <string>

#include "toolkit/PlatformSeam.h"

namespace VSTGUI::platform::cairo_backend {

// Sets the cairo context's font to the request (face, weight, pixel size).
void selectFont(cairo_t* cr, const FontRequest& font);
// The toolkit's 8-bit texts are Latin-1; cairo takes UTF-8.
std::string latin1ToUtf8(const char* text, std::size_t length = std::string::npos);
double textAdvance(cairo_t* cr, const char* latin1, std::size_t length = std::string::npos);
void setSourceColor(cairo_t* cr, CColor color);

}  // namespace VSTGUI::platform::cairo_backend
