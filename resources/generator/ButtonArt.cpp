// The front panel's buttons and switches: illuminated push buttons whose
// legend names the state and whose lamp glows amber when on, small lamp keys,
// stacked legend switches with the chosen legend lit, the four-way channel
// button and the knob-mode toggle of the settings page.
#include <cmath>
#include <numbers>
#include <string_view>
#include <vector>

#include "resources/generator/Art.h"
#include "resources/generator/Canvas.h"

namespace ambrel::skin {

namespace {

constexpr double kFullTurn = 2 * std::numbers::pi;

void fillCell(cairo_t* cr, const ArtContext& ctx, Rgb c) {
    setColour(cr, c);
    cairo_rectangle(cr, 0, 0, ctx.shape.frameWidth(), ctx.shape.frameHeight());
    cairo_fill(cr);
}

// A dark key cap with a drop shadow; pressed keys sit lower and darker.
void drawButtonCap(cairo_t* cr, double x, double y, double w, double h, double r, bool pressed) {
    fillRoundedRect(cr, x + 0.5, y + 1.5, w, h, r, rgb255(0, 0, 0), pressed ? 0.25 : 0.4);
    const double dy = pressed ? 0.8 : 0.0;
    fillRoundedRect(cr, x - 0.5, y - 0.5 + dy, w + 1, h + 1, r + 0.5, rgb255(12, 12, 13));
    fillRoundedRectGradient(cr, x, y + dy, w, h, r, pressed ? rgb255(52, 52, 56) : rgb255(78, 78, 83),
                            pressed ? rgb255(32, 32, 35) : rgb255(40, 40, 43));
    roundedRectPath(cr, x + 0.5, y + 0.5 + dy, w - 1, h - 1, r);
    cairo_set_source_rgba(cr, 1, 1, 1, pressed ? 0.08 : 0.16);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

// A horizontal lamp lens, dark or glowing.
void drawLampStrip(cairo_t* cr, double x, double y, double w, double h, bool on) {
    if (on) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(x + w / 2, y + h / 2, 1, x + w / 2, y + h / 2, w * 0.7);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.70, 0.25, 0.55);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.55, 0.1, 0);
        cairo_rectangle(cr, x - 5, y - 4, w + 10, h + 8);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    fillRoundedRect(cr, x - 0.5, y - 0.5, w + 1, h + 1, 1.5, rgb255(10, 10, 10));
    const Rgb a = on ? palette::kLampGlow : rgb255(88, 76, 62);
    const Rgb b = on ? palette::kLampOn : palette::kLampOff;
    fillRoundedRectGradient(cr, x, y, w, h, 1.2, a, b);
    fillRoundedRect(cr, x + 1, y + 0.6, w - 2, h * 0.35, 0.8, rgb255(255, 255, 255), on ? 0.35 : 0.12);
}

void drawPushButton(cairo_t* cr, int frame, const ArtContext& ctx, const char* offLegend, const char* onLegend) {
    const double w = ctx.shape.frameWidth();
    const double h = ctx.shape.frameHeight();
    const bool on = frame == 1;
    fillCell(cr, ctx, palette::kPanel);
    const double cw = w - 8;
    const double ch = h - 9;
    const double x = (w - cw) / 2;
    const double y = 3;
    drawButtonCap(cr, x, y, cw, ch, 3.0, on);
    const double dy = on ? 0.8 : 0.0;
    drawLampStrip(cr, x + 5, y + 5 + dy, cw - 10, 4.5, on);
    const char* legend = on ? onLegend : offLegend;
    double size = 7.0;
    while (size > 5.0 && textWidth(cr, legend, size, Face::CondensedBold) > cw - 4) size -= 0.25;
    drawTextCentred(cr, legend, w / 2, y + 21.5 + dy, size, Face::CondensedBold,
                    on ? rgb255(250, 236, 206) : rgb255(196, 196, 192));
}

}  // namespace

void paintProcessButton(cairo_t* cr, int frame, const ArtContext& ctx) {
    drawPushButton(cr, frame, ctx, ctx.edition.processLegendOff, ctx.edition.processLegendOn);
}
void paintModeButton(cairo_t* cr, int frame, const ArtContext& ctx) {
    drawPushButton(cr, frame, ctx, "SINGLE", "MULTI");
}
void paintLinkButton(cairo_t* cr, int frame, const ArtContext& ctx) {
    drawPushButton(cr, frame, ctx, "UNLINK", "LINKED");
}
void paintFatButton(cairo_t* cr, int frame, const ArtContext& ctx) { drawPushButton(cr, frame, ctx, "1x", "2x FAT"); }

void paintLampKey(cairo_t* cr, int frame, const ArtContext& ctx) {
    const double w = ctx.shape.frameWidth();
    const double h = ctx.shape.frameHeight();
    const bool on = frame == 1;
    fillCell(cr, ctx, palette::kPanel);
    drawButtonCap(cr, 3, 3, w - 6, h - 7, 3.0, on);
    const double dy = on ? 0.8 : 0.0;
    drawLampStrip(cr, 7, 8 + dy, w - 14, h - 17, on);
}

namespace {
void drawLegendStack(cairo_t* cr, int frame, const ArtContext& ctx, const std::vector<std::string_view>& legends) {
    const double w = ctx.shape.frameWidth();
    const double h = ctx.shape.frameHeight();
    fillCell(cr, ctx, palette::kPanel);
    const int n = static_cast<int>(legends.size());
    fillRoundedRect(cr, 1.5, 1.5, w - 3, h - 3, 3.5, rgb255(14, 14, 15));
    const double slot = (h - 5) / n;
    for (int i = 0; i < n; ++i) {
        const double y = 2.5 + i * slot;
        const bool lit = i == frame;
        if (lit) {
            fillRoundedRectGradient(cr, 3, y + 0.8, w - 6, slot - 1.6, 2.0, palette::kLampGlow, palette::kLampOn);
            fillRoundedRect(cr, 4, y + 1.4, w - 8, (slot - 2) * 0.3, 1.2, rgb255(255, 255, 255), 0.3);
        } else {
            fillRoundedRectGradient(cr, 3, y + 0.8, w - 6, slot - 1.6, 2.0, rgb255(66, 66, 70), rgb255(40, 40, 43));
        }
        drawTextCentred(cr, legends[static_cast<std::size_t>(i)], w / 2, y + slot / 2, 7.5, Face::CondensedBold,
                        lit ? rgb255(46, 26, 6) : rgb255(170, 170, 166));
    }
}
}  // namespace

void paintMeterSourceSwitch(cairo_t* cr, int frame, const ArtContext& ctx) {
    drawLegendStack(cr, frame, ctx, {"PRE", "GR", "POST"});
}

void paintMeterTypeButton(cairo_t* cr, int frame, const ArtContext& ctx) {
    drawLegendStack(cr, frame, ctx, {"VU", "PPM"});
}

void paintChannelButton(cairo_t* cr, int frame, const ArtContext& ctx) {
    // Frames: 0 mono (top zone), 1 left only, 2 right only, 3 stereo (bottom).
    // The link button covers this button's right 6 pixels; the art keeps clear of them.
    const double w = 45.0;
    const double h = ctx.shape.frameHeight();
    fillCell(cr, ctx, palette::kPanel);
    fillRoundedRect(cr, 1.5, 1.5, w - 3, h - 3, 5, rgb255(18, 18, 19));
    fillRoundedRectGradient(cr, 2.5, 2.5, w - 5, h - 5, 4.5, rgb255(60, 60, 64), rgb255(34, 34, 37));
    struct Zone {
        const char* legend;
        double x;
        double y;
    };
    const Zone zones[4] = {{"MONO", w / 2, 9.5}, {"L", 8.5, h / 2}, {"R", w - 8.5, h / 2}, {"STEREO", w / 2, h - 9.5}};
    const double cx = w / 2;
    const double cy = h / 2;
    // The stick leans toward the chosen zone.
    const Zone& chosen = zones[frame];
    const double lx = cx + (chosen.x - cx) * 0.28;
    const double ly = cy + (chosen.y - cy) * 0.28;
    cairo_arc(cr, cx, cy, 6.0, 0, kFullTurn);
    setColour(cr, rgb255(14, 14, 15));
    cairo_fill(cr);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, lx, ly);
    cairo_set_source_rgb(cr, 0.7, 0.7, 0.72);
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
    cairo_pattern_t* ball = cairo_pattern_create_radial(lx - 1, ly - 1, 0.3, lx, ly, 3.6);
    cairo_pattern_add_color_stop_rgb(ball, 0, 0.98, 0.98, 0.97);
    cairo_pattern_add_color_stop_rgb(ball, 1, 0.45, 0.45, 0.47);
    cairo_arc(cr, lx, ly, 3.6, 0, kFullTurn);
    cairo_set_source(cr, ball);
    cairo_fill(cr);
    cairo_pattern_destroy(ball);
    for (int i = 0; i < 4; ++i) {
        const bool lit = i == frame;
        const Zone& z = zones[i];
        if (lit) drawTextCentred(cr, z.legend, z.x, z.y, 7.0, Face::CondensedBold, palette::kLampOn, 0.45);
        drawTextCentred(cr, z.legend, z.x, z.y, 6.6, Face::CondensedBold,
                        lit ? palette::kLampGlow : rgb255(150, 150, 146));
    }
}

void paintToggleSwitch(cairo_t* cr, int frame, const ArtContext& ctx) {
    // Frame 0 lever up (circular), frame 1 lever down (linear).
    const double w = ctx.shape.frameWidth();
    const double h = ctx.shape.frameHeight();
    fillCell(cr, ctx, palette::kRearPanel);
    const double cx = w / 2;
    const double cy = h / 2;
    cairo_arc(cr, cx, cy, 6.4, 0, kFullTurn);
    cairo_pattern_t* nut = cairo_pattern_create_linear(cx - 6, cy - 6, cx + 6, cy + 6);
    cairo_pattern_add_color_stop_rgb(nut, 0, 0.85, 0.85, 0.86);
    cairo_pattern_add_color_stop_rgb(nut, 1, 0.32, 0.32, 0.34);
    cairo_set_source(cr, nut);
    cairo_fill(cr);
    cairo_pattern_destroy(nut);
    cairo_arc(cr, cx, cy, 3.6, 0, kFullTurn);
    cairo_set_source_rgb(cr, 0.12, 0.12, 0.13);
    cairo_fill(cr);
    const double dir = frame == 0 ? -1.0 : 1.0;
    const double tipY = cy + dir * 11.5;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, cx + 1.2, cy + 1.0);
    cairo_line_to(cr, cx + 1.2, tipY + 1.0);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_set_line_width(cr, 3.4);
    cairo_stroke(cr);
    cairo_pattern_t* bat = cairo_pattern_create_linear(cx - 2, 0, cx + 2, 0);
    cairo_pattern_add_color_stop_rgb(bat, 0, 0.95, 0.95, 0.95);
    cairo_pattern_add_color_stop_rgb(bat, 1, 0.5, 0.5, 0.52);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx, tipY);
    cairo_set_source(cr, bat);
    cairo_set_line_width(cr, 3.2);
    cairo_stroke(cr);
    cairo_arc(cr, cx, tipY, 2.3, 0, kFullTurn);
    cairo_set_source(cr, bat);
    cairo_fill(cr);
    cairo_pattern_destroy(bat);
}

}  // namespace ambrel::skin
