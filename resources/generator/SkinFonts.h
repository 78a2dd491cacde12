#pragma once
// The skin's typefaces: the DejaVu families (package fonts-dejavu-core),
// loaded straight from their files so that no font configuration rule and no
// earlier text drawn in the process can change how a legend renders; the same
// pictures come out on every run.

#include <cairo.h>

#include <string>

namespace ambrel::skin {

enum class Face { Sans, SansBold, Condensed, CondensedBold, MonoBold };

// The face for drawing, or nullptr when its font file cannot be found or
// loaded. Faces live as long as the process.
cairo_font_face_t* skinFontFace(Face face);

// Empty when every face loads; otherwise which ones do not.
std::string missingSkinFonts();

}  // namespace ambrel::skin
