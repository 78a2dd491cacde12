// The needle meter faces: ivory, backlit, a black scale up to 0 dB and a red
// one above it, the needle emerging from a dark shroud over its pivot. Every
// mark sits at the angle of the frame the meter shows for that level
// (MeterScale.h), so needle and scale always agree.
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "resources/generator/Art.h"
#include "resources/generator/Canvas.h"
#include "resources/generator/MeterScale.h"

namespace ambrel::skin {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr double kNumberRadius = kScaleRadius + 12.5;
constexpr double kShroudRadius = 30.0;

struct Mark {
    double dB;
    bool labelled;
};

std::vector<Mark> marksOf(int face) {
    if (face == 0)
        return {{-20, true}, {-15, false}, {-10, true}, {-7, false}, {-5, true}, {-4, false}, {-3, true},
                {-2, false}, {-1, true}, {0, true},    {1, true},  {2, true},  {3, true}};
    return {{-40, true}, {-30, false}, {-20, true}, {-15, false}, {-10, true}, {-6, true}, {-3, true},
            {-1, false}, {0, true},    {1, false},  {2, false},   {3, true},   {4, false}, {5, false}, {6, true}};
}

// A point at the given needle angle (degrees from vertical, clockwise) and radius.
double px(double angle, double r) { return kNeedlePivotX + r * std::sin(angle * kRadiansPerDegree); }
double py(double angle, double r) { return kNeedlePivotY - r * std::cos(angle * kRadiansPerDegree); }

void arcBetween(cairo_t* cr, double fromAngle, double toAngle, double r) {
    cairo_arc(cr, kNeedlePivotX, kNeedlePivotY, r, (fromAngle - 90.0) * kRadiansPerDegree, (toAngle - 90.0) * kRadiansPerDegree);
}

void drawFaceBackground(cairo_t* cr) {
    const double w = kMeterFaceWidth;
    const double h = kMeterFaceHeight;
    cairo_pattern_t* glow = cairo_pattern_create_radial(w / 2, h * 0.95, 8, w / 2, h * 0.8, w * 0.72);
    cairo_pattern_add_color_stop_rgb(glow, 0, 1.0, 0.96, 0.82);
    cairo_pattern_add_color_stop_rgb(glow, 0.55, palette::kFace.r, palette::kFace.g, palette::kFace.b);
    cairo_pattern_add_color_stop_rgb(glow, 1, palette::kFaceEdge.r, palette::kFaceEdge.g, palette::kFaceEdge.b);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    // The glass's inner shadow along the top and the sides.
    cairo_pattern_t* top = cairo_pattern_create_linear(0, 0, 0, 10);
    cairo_pattern_add_color_stop_rgba(top, 0, 0, 0, 0, 0.32);
    cairo_pattern_add_color_stop_rgba(top, 1, 0, 0, 0, 0);
    cairo_rectangle(cr, 0, 0, w, 10);
    cairo_set_source(cr, top);
    cairo_fill(cr);
    cairo_pattern_destroy(top);
    for (int side = 0; side < 2; ++side) {
        const double x0 = side == 0 ? 0 : w;
        const double x1 = side == 0 ? 6 : w - 6;
        cairo_pattern_t* g = cairo_pattern_create_linear(x0, 0, x1, 0);
        cairo_pattern_add_color_stop_rgba(g, 0, 0, 0, 0, 0.22);
        cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, 0);
        cairo_rectangle(cr, std::min(x0, x1), 0, 6, h);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
}

void drawScale(cairo_t* cr, int face) {
    const double zero = markAngle(0.0, face);
    const std::vector<Mark> marks = marksOf(face);
    const double first = markAngle(marks.front().dB, face);
    const double last = markAngle(marks.back().dB, face);

    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_new_path(cr);
    arcBetween(cr, first, zero, kScaleRadius);
    setColour(cr, palette::kFaceInk);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    // The red band above 0 dB.
    cairo_new_path(cr);
    arcBetween(cr, zero, last, kScaleRadius + 1.8);
    setColour(cr, palette::kFaceRed);
    cairo_set_line_width(cr, 4.6);
    cairo_stroke(cr);

    for (const Mark& m : marks) {
        const double a = markAngle(m.dB, face);
        const Rgb ink = m.dB > 0 ? palette::kFaceRed : palette::kFaceInk;
        const double outer = kScaleRadius + (m.labelled ? kMajorMarkLength : kMinorMarkLength);
        cairo_move_to(cr, px(a, kScaleRadius - (m.dB > 0 ? 0.0 : 0.5)), py(a, kScaleRadius - (m.dB > 0 ? 0.0 : 0.5)));
        cairo_line_to(cr, px(a, outer), py(a, outer));
        setColour(cr, m.dB > 0 ? palette::kFaceInk : ink);
        cairo_set_line_width(cr, m.labelled ? 1.15 : 0.8);
        cairo_stroke(cr);
        if (!m.labelled) continue;
        // As on classic meters the numbers carry no sign: red above 0, black below.
        char text[16];
        std::snprintf(text, sizeof text, "%d", static_cast<int>(std::abs(m.dB)));
        drawTextCentred(cr, text, px(a, kNumberRadius), py(a, kNumberRadius), 7.6, Face::CondensedBold, ink);
    }
    // The signs below the two ends of the scale.
    const double signRadius = kScaleRadius - 7.0;
    drawTextCentred(cr, "\xE2\x88\x92", px(first, signRadius) + 2.0, py(first, signRadius), 9.0, Face::SansBold,
                    palette::kFaceInk);
    drawTextCentred(cr, "+", px(last, signRadius) - 2.0, py(last, signRadius), 9.0, Face::SansBold, palette::kFaceRed);
    drawTextCentred(cr, "dB", kNeedlePivotX, 45.0, 8.0, Face::SansBold, palette::kFaceInk, 0.85);
}

void drawNeedle(cairo_t* cr, int frame) {
    const double a = needleAngleOfFrame(frame);
    const double from = kShroudRadius - 2.0;
    const double to = kScaleRadius + 7.5;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, px(a, from) + 1.6, py(a, from) + 1.2);
    cairo_line_to(cr, px(a, to) + 1.6, py(a, to) + 1.2);
    cairo_set_source_rgba(cr, 0.25, 0.18, 0.05, 0.18);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_move_to(cr, px(a, from), py(a, from));
    cairo_line_to(cr, px(a, to - 11.0), py(a, to - 11.0));
    setColour(cr, palette::kNeedle);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_move_to(cr, px(a, to - 11.0), py(a, to - 11.0));
    cairo_line_to(cr, px(a, to), py(a, to));
    cairo_set_line_width(cr, 0.95);
    cairo_stroke(cr);
}

void drawShroud(cairo_t* cr) {
    cairo_arc(cr, kNeedlePivotX, kNeedlePivotY, kShroudRadius, 0, 2 * std::numbers::pi);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, kNeedlePivotY - kShroudRadius, 0, kMeterFaceHeight);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.22, 0.21, 0.20);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.08, 0.08, 0.08);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_arc(cr, kNeedlePivotX, kNeedlePivotY, kShroudRadius - 0.5, 200 * kRadiansPerDegree, 340 * kRadiansPerDegree);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.22);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void paintFace(cairo_t* cr, int frame, int face) {
    drawFaceBackground(cr);
    drawScale(cr, face);
    drawNeedle(cr, frame);
    drawShroud(cr);
    // The bezel's lip along the bottom edge.
    cairo_rectangle(cr, 0, kMeterFaceHeight - 1, kMeterFaceWidth, 1);
    setColour(cr, rgb255(8, 8, 8));
    cairo_fill(cr);
    drawTextCentred(cr, face == 0 ? "-20 / +3" : "-40 / +6", kNeedlePivotX, 66.0, 5.6, Face::Condensed,
                    palette::kFace, 0.55);
}

}  // namespace

void paintMeterFaceNarrow(cairo_t* cr, int frame, const ArtContext&) { paintFace(cr, frame, 0); }

void paintMeterFaceWide(cairo_t* cr, int frame, const ArtContext&) { paintFace(cr, frame, 1); }

}  // namespace ambrel::skin
