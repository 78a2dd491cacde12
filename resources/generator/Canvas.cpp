#include "resources/generator/Canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace ambrel::skin {

namespace {
void selectFace(cairo_t* cr, Face face, double size) {
    cairo_set_font_face(cr, skinFontFace(face));
    cairo_set_font_size(cr, size);
}
}  // namespace

void setColour(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void useSkinFontOptions(cairo_t* cr) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

void roundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r) {
    const double k = std::numbers::pi / 180.0;
    r = std::min(r, std::min(w, h) / 2.0);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -90 * k, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, 90 * k);
    cairo_arc(cr, x + r, y + h - r, r, 90 * k, 180 * k);
    cairo_arc(cr, x + r, y + r, r, 180 * k, 270 * k);
    cairo_close_path(cr);
}

void fillRoundedRect(cairo_t* cr, double x, double y, double w, double h, double r, Rgb c, double alpha) {
    roundedRectPath(cr, x, y, w, h, r);
    setColour(cr, c, alpha);
    cairo_fill(cr);
}

void fillRoundedRectGradient(cairo_t* cr, double x, double y, double w, double h, double r, Rgb top, Rgb bottom) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
    roundedRectPath(cr, x, y, w, h, r);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void sunkenWindow(cairo_t* cr, double x, double y, double w, double h, double r, Rgb inside, Rgb shadow, Rgb light) {
    fillRoundedRect(cr, x, y, w, h, r, light);
    fillRoundedRect(cr, x, y, w - 1, h - 1, r, shadow);
    fillRoundedRect(cr, x + 1, y + 1, w - 2, h - 2, std::max(0.0, r - 1), inside);
}

double textWidth(cairo_t* cr, std::string_view text, double size, Face face) {
    const std::string s(text);
    selectFace(cr, face, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, s.c_str(), &ext);
    return ext.x_advance;
}

void drawText(cairo_t* cr, std::string_view text, double x, double y, double size, Face face, Align align, Rgb c,
              double alpha) {
    const std::string s(text);
    selectFace(cr, face, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, s.c_str(), &ext);
    double left = x;
    if (align == Align::Centre) left = x - ext.x_advance / 2.0;
    if (align == Align::Right) left = x - ext.x_advance;
    setColour(cr, c, alpha);
    cairo_move_to(cr, left, y);
    cairo_show_text(cr, s.c_str());
    cairo_new_path(cr);
}

void drawTextCentred(cairo_t* cr, std::string_view text, double cx, double cy, double size, Face face, Rgb c,
                     double alpha) {
    selectFace(cr, face, size);
    cairo_text_extents_t cap;
    cairo_text_extents(cr, "H", &cap);
    drawText(cr, text, cx, cy - cap.y_bearing / 2.0, size, face, Align::Centre, c, alpha);
}

void drawEngraved(cairo_t* cr, std::string_view text, double cx, double cy, double size, Face face, Rgb ink,
                  Rgb highlight) {
    drawTextCentred(cr, text, cx, cy + 0.8, size, face, highlight, 0.7);
    drawTextCentred(cr, text, cx, cy, size, face, ink);
}

void drawScrew(cairo_t* cr, double cx, double cy, double r, double slotDegrees) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - r * 0.4, cy - r * 0.4, r * 0.1, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.92, 0.92, 0.90);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.52, 0.52, 0.50);
    cairo_arc(cr, cx, cy, r, 0, 2 * std::numbers::pi);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    const double a = slotDegrees * std::numbers::pi / 180.0;
    cairo_move_to(cr, cx - std::cos(a) * r * 0.75, cy - std::sin(a) * r * 0.75);
    cairo_line_to(cr, cx + std::cos(a) * r * 0.75, cy + std::sin(a) * r * 0.75);
    cairo_set_source_rgba(cr, 0.15, 0.15, 0.15, 0.85);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

}  // namespace ambrel::skin
