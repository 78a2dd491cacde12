// Film-strip knobs: black knurled knobs with a cream pointer line, the drive
// knob larger with a brushed metal cap and a red pointer. The scale ticks are
// printed around each knob in every frame; the knurling turns with the
// pointer, the light falls from the upper left and stays put.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "resources/generator/Art.h"
#include "resources/generator/Canvas.h"
#include "resources/generator/KnobSweep.h"

namespace ambrel::skin {

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

enum class Ticks { Unipolar, Bipolar };

struct KnobStyle {
    Rgb panel;
    Rgb tick;
    Ticks ticks;
    int tickCount;       // evenly over the travel, both ends included
    double tickInner;    // radii relative to the knob's own radius
    double tickOuter;
    bool metalCap;
    Rgb pointer;
    int knurls;
    const char* low = nullptr;  // legends at the two ends of the scale
    const char* high = nullptr;
    bool signEnds = false;  // the ends are signs, printed bolder
};

// Direction of a knob angle (counter-clockwise degrees) in cairo's y-down space.
double dx(double degrees) { return std::cos(degrees * kDeg); }
double dy(double degrees) { return -std::sin(degrees * kDeg); }

void drawTicks(cairo_t* cr, double cx, double cy, double r, const KnobStyle& s) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < s.tickCount; ++i) {
        const double a = knobPointerDegreesOfValue(static_cast<double>(i) / (s.tickCount - 1));
        const bool end = i == 0 || i == s.tickCount - 1;
        const bool centre = s.ticks == Ticks::Bipolar && 2 * i == s.tickCount - 1;
        const double outer = r * ((end || centre) ? s.tickOuter + 0.08 : s.tickOuter);
        const double inner = r * s.tickInner;
        cairo_move_to(cr, cx + dx(a) * inner, cy + dy(a) * inner);
        cairo_line_to(cr, cx + dx(a) * outer, cy + dy(a) * outer);
        cairo_set_line_width(cr, (end || centre) ? 1.3 : 0.9);
        setColour(cr, s.tick, (end || centre) ? 1.0 : 0.8);
        cairo_stroke(cr);
    }
}

void drawScaleEnds(cairo_t* cr, double cellWidth, double cx, double cy, double r, const KnobStyle& s) {
    if (s.low == nullptr || s.high == nullptr) return;
    const double rl = r * (s.tickOuter + 0.08) + 7.0;
    const double a = kKnobStartDegrees;
    const double y = cy + dy(a) * rl;
    const double size = r > 30 ? 9.0 : 6.8;
    const Face face = s.signEnds ? Face::SansBold : Face::Condensed;
    // Wide legends move inward rather than leave the cell.
    const double lowHalf = textWidth(cr, s.low, size, face) / 2.0 + 1.0;
    const double highHalf = textWidth(cr, s.high, size, face) / 2.0 + 1.0;
    drawTextCentred(cr, s.low, std::max(cx + dx(a) * rl, lowHalf), y, size, face, s.tick);
    drawTextCentred(cr, s.high, std::min(cx - dx(a) * rl, cellWidth - highHalf), y, size, face, s.tick);
}

void drawShadow(cairo_t* cr, double cx, double cy, double r) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx + r * 0.08, cy + r * 0.14, r * 0.7, cx + r * 0.08,
                                                     cy + r * 0.14, r * 1.22);
    cairo_pattern_add_color_stop_rgba(g, 0, 0, 0, 0, 0.45);
    cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, 0);
    cairo_arc(cr, cx + r * 0.08, cy + r * 0.14, r * 1.22, 0, 2 * std::numbers::pi);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void drawSkirt(cairo_t* cr, double cx, double cy, double r, double angle, const KnobStyle& s) {
    // Body with the light from the upper left.
    cairo_pattern_t* g = cairo_pattern_create_linear(cx - r, cy - r, cx + r, cy + r);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.30, 0.30, 0.32);
    cairo_pattern_add_color_stop_rgb(g, 0.5, 0.13, 0.13, 0.14);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.06, 0.06, 0.07);
    cairo_arc(cr, cx, cy, r, 0, 2 * std::numbers::pi);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);

    // Knurls around the rim, turning with the knob.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_width(cr, std::max(0.7, r * 0.06));
    for (int i = 0; i < s.knurls; ++i) {
        const double a = angle + 360.0 * i / s.knurls;
        const double lit = 0.5 + 0.5 * std::cos((a - 135.0) * kDeg);
        cairo_move_to(cr, cx + dx(a) * r * 0.86, cy + dy(a) * r * 0.86);
        cairo_line_to(cr, cx + dx(a) * r * 0.995, cy + dy(a) * r * 0.995);
        cairo_set_source_rgba(cr, 0.55, 0.55, 0.58, 0.18 + 0.42 * lit);
        cairo_stroke(cr);
    }
    cairo_arc(cr, cx, cy, r - 0.4, 0, 2 * std::numbers::pi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

void drawKnobCap(cairo_t* cr, double cx, double cy, double r, const KnobStyle& s) {
    const double rc = r * (s.metalCap ? 0.80 : 0.74);
    cairo_pattern_t* g = cairo_pattern_create_linear(cx - rc, cy - rc, cx + rc, cy + rc);
    if (s.metalCap) {
        cairo_pattern_add_color_stop_rgb(g, 0, 0.90, 0.90, 0.91);
        cairo_pattern_add_color_stop_rgb(g, 0.55, 0.66, 0.67, 0.69);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.42, 0.42, 0.44);
    } else {
        cairo_pattern_add_color_stop_rgb(g, 0, 0.26, 0.26, 0.28);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.08, 0.08, 0.09);
    }
    cairo_arc(cr, cx, cy, rc, 0, 2 * std::numbers::pi);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    if (s.metalCap) {
        // Concentric brushing.
        for (double k = 0.15; k < 1.0; k += 0.085) {
            cairo_arc(cr, cx, cy, rc * k, 0, 2 * std::numbers::pi);
            cairo_set_source_rgba(cr, 1, 1, 1, 0.10);
            cairo_set_line_width(cr, 0.5);
            cairo_stroke(cr);
        }
    }
    // Bevel: light upper-left edge, dark lower-right edge.
    cairo_arc(cr, cx, cy, rc - 0.5, 200 * kDeg, 290 * kDeg);
    cairo_set_source_rgba(cr, 1, 1, 1, s.metalCap ? 0.65 : 0.28);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, rc - 0.5, 20 * kDeg, 110 * kDeg);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_stroke(cr);
}

void drawPointer(cairo_t* cr, double cx, double cy, double r, double angle, const KnobStyle& s) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const double from = s.metalCap ? 0.35 : 0.28;
    const double to = s.metalCap ? 0.74 : 0.93;
    const double width = std::max(1.6, r * (s.metalCap ? 0.09 : 0.11));
    // A dark groove under the line gives it depth.
    cairo_move_to(cr, cx + dx(angle) * r * from, cy + dy(angle) * r * from + 0.5);
    cairo_line_to(cr, cx + dx(angle) * r * to, cy + dy(angle) * r * to + 0.5);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
    cairo_set_line_width(cr, width + 1.0);
    cairo_stroke(cr);
    cairo_move_to(cr, cx + dx(angle) * r * from, cy + dy(angle) * r * from);
    cairo_line_to(cr, cx + dx(angle) * r * to, cy + dy(angle) * r * to);
    setColour(cr, s.pointer);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
    if (s.metalCap) {
        // A cream dot on the skirt repeats the pointer for a glance from afar.
        cairo_arc(cr, cx + dx(angle) * r * 0.90, cy + dy(angle) * r * 0.90, r * 0.045 + 0.6, 0,
                  2 * std::numbers::pi);
        setColour(cr, palette::kKnobPointer);
        cairo_fill(cr);
    }
}

void drawGloss(cairo_t* cr, double cx, double cy, double r) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.45, 0, cx - r * 0.35, cy - r * 0.45,
                                                     r * 0.75);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0.22);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 1, 0);
    cairo_arc(cr, cx, cy, r * 0.98, 0, 2 * std::numbers::pi);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void drawKnob(cairo_t* cr, int frame, const ArtContext& ctx, double cx, double cy, double r, const KnobStyle& s) {
    const double w = ctx.shape.frameWidth();
    const double h = ctx.shape.frameHeight();
    setColour(cr, s.panel);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    const double angle = knobPointerDegrees(frame, ctx.shape.frames);
    drawTicks(cr, cx, cy, r, s);
    drawScaleEnds(cr, w, cx, cy, r, s);
    drawShadow(cr, cx, cy, r);
    drawSkirt(cr, cx, cy, r, angle, s);
    drawKnobCap(cr, cx, cy, r, s);
    drawPointer(cr, cx, cy, r, angle, s);
    drawGloss(cr, cx, cy, r);
}

constexpr const char* kMinus = "\xE2\x88\x92";  // U+2212
constexpr const char* kPlus = "+";

KnobStyle frontKnob(Ticks ticks, const char* low, const char* high) {
    KnobStyle s{palette::kPanel, palette::kLegend, ticks, 11, 1.14, 1.30, false, palette::kKnobPointer, 24};
    s.low = low;
    s.high = high;
    s.signEnds = ticks == Ticks::Bipolar;
    return s;
}

void drawTallKnob(cairo_t* cr, int frame, const ArtContext& ctx, const char* low, const char* high) {
    drawKnob(cr, frame, ctx, 30.0, 25.5, 17.0, frontKnob(Ticks::Unipolar, low, high));
}

}  // namespace

void paintSmallKnob(cairo_t* cr, int frame, const ArtContext& ctx) {
    drawKnob(cr, frame, ctx, 30.0, 23.5, 16.0, frontKnob(Ticks::Unipolar, "0", "100"));
}

void paintBipolarKnob(cairo_t* cr, int frame, const ArtContext& ctx) {
    drawKnob(cr, frame, ctx, 30.0, 23.5, 16.0, frontKnob(Ticks::Bipolar, kMinus, kPlus));
}

void paintHighFreqKnob(cairo_t* cr, int frame, const ArtContext& ctx) { drawTallKnob(cr, frame, ctx, "1k", "16k"); }

void paintLowFreqKnob(cairo_t* cr, int frame, const ArtContext& ctx) { drawTallKnob(cr, frame, ctx, "25", "400"); }

void paintReleaseKnob(cairo_t* cr, int frame, const ArtContext& ctx) {
    drawTallKnob(cr, frame, ctx, "x0.25", "x4");
}

void paintDriveKnob(cairo_t* cr, int frame, const ArtContext& ctx) {
    KnobStyle s{palette::kPanel, palette::kLegend, Ticks::Bipolar, 21, 1.12, 1.22, true, palette::kAccent, 40};
    s.low = kMinus;
    s.high = kPlus;
    s.signEnds = true;
    drawKnob(cr, frame, ctx, 56.5, 45.0, 34.0, s);
}

void paintSettingsKnob(cairo_t* cr, int frame, const ArtContext& ctx) {
    // Small metal knobs with the drive knob's red pointer stand out on the dark page.
    KnobStyle s{palette::kRearPanel, palette::kRearLegendSoft, Ticks::Unipolar, 2, 1.10, 1.30, true,
                palette::kAccent, 16};
    drawKnob(cr, frame, ctx, 15.0, 15.0, 10.5, s);
}

}  // namespace ambrel::skin
