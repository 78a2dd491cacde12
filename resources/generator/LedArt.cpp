// The over indicator: a red lens in a chrome bezel, dark in frame 0 and fully
// lit in the last frame, each frame brighter than the one before. It sits on
// the meter bezel, so its cell starts as the main background under the LEDs.
#include <cmath>
#include <numbers>

#include "resources/generator/Art.h"
#include "resources/generator/Canvas.h"
#include "resources/generator/SkinLayout.h"

namespace ambrel::skin {

void paintOverLed(cairo_t* cr, int frame, const ArtContext& ctx) {
    const double w = ctx.shape.frameWidth();
    const double h = ctx.shape.frameHeight();
    if (ctx.mainBackground != nullptr) {
        cairo_set_source_surface(cr, ctx.mainBackground, -main_page::kLeftLed.left, -main_page::kLeftLed.top);
        cairo_paint(cr);
    }
    const double cx = w / 2.0;
    const double cy = h / 2.0;
    const double level = static_cast<double>(frame) / (ctx.shape.frames - 1);
    const double full = 2 * std::numbers::pi;

    // Chrome bezel.
    cairo_arc(cr, cx, cy + 0.6, 8.6, 0, full);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_fill(cr);
    cairo_pattern_t* ring = cairo_pattern_create_linear(cx - 8, cy - 8, cx + 8, cy + 8);
    cairo_pattern_add_color_stop_rgb(ring, 0, 0.93, 0.93, 0.92);
    cairo_pattern_add_color_stop_rgb(ring, 1, 0.36, 0.36, 0.37);
    cairo_arc(cr, cx, cy, 8.2, 0, full);
    cairo_set_source(cr, ring);
    cairo_fill(cr);
    cairo_pattern_destroy(ring);

    // Lens: the colour runs from dark glass to a hot red-orange centre.
    const Rgb body = mix(palette::kLedOff, palette::kLedOn, level);
    const Rgb hot = mix(palette::kLedOff, rgb255(255, 196, 150), level);
    cairo_pattern_t* lens = cairo_pattern_create_radial(cx - 1.2, cy - 1.2, 0.5, cx, cy, 6.3);
    cairo_pattern_add_color_stop_rgb(lens, 0, hot.r, hot.g, hot.b);
    cairo_pattern_add_color_stop_rgb(lens, 0.55, body.r, body.g, body.b);
    const Rgb rim = mix(body, rgb255(0, 0, 0), 0.45);
    cairo_pattern_add_color_stop_rgb(lens, 1, rim.r, rim.g, rim.b);
    cairo_arc(cr, cx, cy, 6.3, 0, full);
    cairo_set_source(cr, lens);
    cairo_fill(cr);
    cairo_pattern_destroy(lens);

    // Glow spilling over the bezel once lit.
    if (level > 0) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 3, cx, cy, 10.5);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.35, 0.2, 0.55 * level);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.25, 0.1, 0);
        cairo_arc(cr, cx, cy, 10.5, 0, full);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    // Reflection on the glass.
    cairo_save(cr);
    cairo_translate(cr, cx - 2.2, cy - 2.6);
    cairo_scale(cr, 1.0, 0.6);
    cairo_arc(cr, 0, 0, 2.4, 0, full);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.45);
    cairo_fill(cr);
}

}  // namespace ambrel::skin
