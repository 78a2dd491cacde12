#include "resources/generator/FontCheck.h"

#include <cairo-ft.h>
#include <cairo.h>

#include <cstring>

#include "resources/generator/Canvas.h"

namespace ambrel::skin {

std::string fontProblems() {
    std::string problems;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 4, 4);
    cairo_t* cr = cairo_create(surface);
    for (Face face : {Face::Sans, Face::SansBold, Face::Condensed, Face::CondensedBold, Face::MonoBold}) {
        textWidth(cr, "x", 10, face);  // selects the face
        cairo_scaled_font_t* font = cairo_get_scaled_font(cr);
        std::string family = "(not a FreeType font)";
        if (cairo_scaled_font_get_type(font) == CAIRO_FONT_TYPE_FT) {
            FT_Face ft = cairo_ft_scaled_font_lock_face(font);
            family = ft && ft->family_name ? ft->family_name : "(unnamed)";
            if (ft && ft->style_name) family += std::string(" ") + ft->style_name;
            cairo_ft_scaled_font_unlock_face(font);
        }
        if (family.rfind("DejaVu Sans", 0) != 0) problems += (problems.empty() ? "" : ", ") + family;
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return problems;
}

}  // namespace ambrel::skin
