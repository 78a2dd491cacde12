#include "platform/linux/CairoFonts.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <map>
#include <utility>

namespace VSTGUI::platform {
namespace cairo_backend {
namespace {

FcPattern* matchPattern(const FontRequest& font) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.face ? font.face : "Arial"));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(font.weight));
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, font.size);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    return match;
}

cairo_font_face_t* fontFace(const FontRequest& font) {
    // One face per family and weight; sizes are applied per drawing.
    static std::map<std::pair<std::string, int>, cairo_font_face_t*> cache;
    auto key = std::make_pair(std::string(font.face ? font.face : "Arial"), font.weight);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    cairo_font_face_t* face = nullptr;
    if (FcPattern* match = matchPattern(font)) {
        face = cairo_ft_font_face_create_for_pattern(match);
        FcPatternDestroy(match);
    }
    if (!face || cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
        if (face) cairo_font_face_destroy(face);
        face = cairo_toy_font_face_create("sans-serif", CAIRO_FONT_SLANT_NORMAL,
                                          font.weight >= 600 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    }
    cache[key] = face;
    return face;
}

}  // namespace

void selectFont(cairo_t* cr, const FontRequest& font) {
    cairo_set_font_face(cr, fontFace(font));
    cairo_set_font_size(cr, font.size);
}

std::string latin1ToUtf8(const char* text, std::size_t length) {
    std::string out;
    if (!text) return out;
    for (std::size_t i = 0; i < length && text[i]; ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

double textAdvance(cairo_t* cr, const char* latin1, std::size_t length) {
    std::string utf8 = latin1ToUtf8(latin1, length);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, utf8.c_str(), &extents);
    return extents.x_advance;
}

void setSourceColor(cairo_t* cr, CColor color) {
    cairo_set_source_rgba(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0, color.alpha / 255.0);
}

}  // namespace cairo_backend

std::string resolvedFontFamily(const FontRequest& font) {
    std::string family;
    if (FcPattern* match = cairo_backend::matchPattern(font)) {
        FcChar8* name = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch && name) {
            family = reinterpret_cast<const char*>(name);
        }
        FcPatternDestroy(match);
    }
    return family;
}

}  // namespace VSTGUI::platform
