#include "resources/generator/SkinFonts.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cstring>

namespace ambrel::skin {

namespace {

struct FaceSpec {
    Face face;
    const char* family;
    int weight;        // fontconfig weight
    int width;         // fontconfig width
    const char* file;  // the file that must answer
};

constexpr FaceSpec kFaces[] = {
    {Face::Sans, "DejaVu Sans", FC_WEIGHT_REGULAR, FC_WIDTH_NORMAL, "DejaVuSans.ttf"},
    {Face::SansBold, "DejaVu Sans", FC_WEIGHT_BOLD, FC_WIDTH_NORMAL, "DejaVuSans-Bold.ttf"},
    {Face::Condensed, "DejaVu Sans", FC_WEIGHT_REGULAR, FC_WIDTH_SEMICONDENSED, "DejaVuSansCondensed.ttf"},
    {Face::CondensedBold, "DejaVu Sans", FC_WEIGHT_BOLD, FC_WIDTH_SEMICONDENSED, "DejaVuSansCondensed-Bold.ttf"},
    {Face::MonoBold, "DejaVu Sans Mono", FC_WEIGHT_BOLD, FC_WIDTH_NORMAL, "DejaVuSansMono-Bold.ttf"},
};

bool endsWithFile(const char* path, const char* file) {
    const std::size_t n = std::strlen(path);
    const std::size_t m = std::strlen(file);
    return n > m && path[n - m - 1] == '/' && std::strcmp(path + n - m, file) == 0;
}

FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0) l = nullptr;
        return l;
    }();
    return lib;
}

// The font file fontconfig names for the family, weight and width, accepted
// only if it is the expected DejaVu file (no substitute).
cairo_font_face_t* load(const FaceSpec& spec) {
    if (library() == nullptr) return nullptr;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(spec.family));
    FcPatternAddInteger(pattern, FC_WEIGHT, spec.weight);
    FcPatternAddInteger(pattern, FC_WIDTH, spec.width);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return nullptr;
    FcChar8* file = nullptr;
    int index = 0;
    cairo_font_face_t* face = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
        endsWithFile(reinterpret_cast<const char*>(file), spec.file)) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FT_Face ft = nullptr;
        if (FT_New_Face(library(), reinterpret_cast<const char*>(file), index, &ft) == 0) {
            face = cairo_ft_font_face_create_for_ft_face(ft, 0);
            if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
                cairo_font_face_destroy(face);
                face = nullptr;
                FT_Done_Face(ft);
            }
        }
    }
    FcPatternDestroy(match);
    return face;
}

}  // namespace

cairo_font_face_t* skinFontFace(Face face) {
    static const std::array<cairo_font_face_t*, std::size(kFaces)> faces = [] {
        std::array<cairo_font_face_t*, std::size(kFaces)> all{};
        for (std::size_t i = 0; i < std::size(kFaces); ++i) all[i] = load(kFaces[i]);
        return all;
    }();
    for (std::size_t i = 0; i < std::size(kFaces); ++i)
        if (kFaces[i].face == face) return faces[i];
    return nullptr;
}

std::string missingSkinFonts() {
    std::string missing;
    for (const FaceSpec& spec : kFaces)
        if (skinFontFace(spec.face) == nullptr) missing += (missing.empty() ? "" : ", ") + std::string(spec.file);
    return missing;
}

}  // namespace ambrel::skin
