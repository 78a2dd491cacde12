// The main page and frame background (19000, the sibling's 19100): the logo
// header, the meter bezels with their over LEDs' legends, a legend and scale
// ends for every control, the readout window behind the numeric counter, the
// latency readouts, the door to the settings page and the preset bar.
// Everything a control covers is plain panel, so each strip fits wherever the
// editor places it.
#include <numbers>

#include "resources/generator/Art.h"
#include "resources/generator/Canvas.h"
#include "resources/generator/PanelArt.h"
#include "resources/generator/SkinLayout.h"

namespace ambrel::skin {

namespace {

using namespace main_page;

constexpr Rgb kInk = palette::kLegend;

void drawHeader(cairo_t* cr, const SkinEdition& edition) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 24);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.20, 0.20, 0.21);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.12, 0.12, 0.13);
    cairo_rectangle(cr, 0, 0, kWindowWidth, 24);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_rectangle(cr, 0, 24, kWindowWidth, 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 25, kWindowWidth, 1);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_fill(cr);
    drawScrew(cr, 10, 12, 3.6, 30);
    drawScrew(cr, kWindowWidth - 10, 12, 3.6, 110);
    drawLogo(cr, edition.productName, 24, 18, 15.0, palette::kHeaderText, false);
    drawText(cr, "analog saturation & compression emulator", kWindowWidth - 22, 16, 8.4, Face::Sans, Align::Right,
             rgb255(176, 172, 162));
}

void drawMeterBezel(cairo_t* cr, const Box& face, const Box& led, const char* channel) {
    fillRoundedRect(cr, face.left - 5, face.top - 5, face.width() + 10, face.height() + 10, 5, palette::kPanelLight);
    fillRoundedRect(cr, face.left - 5, face.top - 5, face.width() + 9, face.height() + 9, 5, palette::kPanelShade);
    fillRoundedRect(cr, face.left - 4, face.top - 4, face.width() + 8, face.height() + 8, 4, palette::kBezel);
    fillRoundedRect(cr, face.left - 1, face.top - 1, face.width() + 2, face.height() + 2, 1.5, rgb255(8, 8, 8));
    drawText(cr, "OVER", led.left - 4, led.centreY() + 2.8, 7.0, Face::CondensedBold, Align::Right, kInk);
    drawText(cr, channel, face.left - 1, led.centreY() + 3.0, 8.4, Face::SansBold, Align::Left, kInk);
}

void drawKnobLegends(cairo_t* cr) {
    drawCaption(cr, "KNEE", kKnee.centreX(), kKnee.top - 7, kInk);
    drawCaption(cr, "SPEED", kSpeed.centreX(), kSpeed.top - 7, kInk);
    drawCaption(cr, "RELEASE", kRelease.centreX(), kRelease.top - 7, kInk);

    drawCaption(cr, "DRIVE", kDrive.centreX(), kDrive.top - 7, kInk, 9.0);

    drawCaption(cr, "LOW ADJUST", kLowAdjust.centreX(), kLowAdjust.top - 7, kInk);
    drawCaption(cr, "HIGH ADJUST", kHighAdjust.centreX(), kHighAdjust.top - 7, kInk);
    drawCaption(cr, "LOW FREQ", kLowFreq.centreX(), kLowFreq.top - 7, kInk);
    drawCaption(cr, "HIGH FREQ", kHighFreq.centreX(), kHighFreq.top - 7, kInk);

    drawCaption(cr, "CEILING", kCeiling.centreX(), kCeiling.top - 8, kInk);
    drawCaption(cr, "MIX", kMix.centreX(), kMix.top - 7, kInk);
    drawCaption(cr, "OUTPUT", kOutput.centreX(), kOutput.top - 8, kInk);
}

void drawButtonLegends(cairo_t* cr, const SkinEdition& edition) {
    drawCaption(cr, "AUTO", kAuto.centreX(), kAuto.top - 6, kInk, 7.0);
    drawCaption(cr, "LONG", kLong.centreX(), kLong.top - 6, kInk, 7.0);
    drawCaption(cr, "BRICKWALL", kBrickwall.centreX(), kBrickwall.top - 6, kInk, 7.0);
    const double row = kProcess.top - 6;
    drawCaption(cr, "PROCESS", kProcess.centreX(), row, kInk, 7.0);
    if (edition.hasFatButton) {
        drawCaption(cr, "OVERSAMPLE", kFat.centreX(), row, kInk, 6.6);
    } else {
        // Without the oversampling button its place carries the maker's badge.
        const Box& b = kFat;
        sunkenWindow(cr, b.left + 3, b.top + 6, b.width() - 6, b.height() - 14, 3, palette::kPanel,
                     palette::kPanelShade, palette::kPanelLight);
        drawTextCentred(cr, "ZEM", b.centreX(), b.centreY() - 3.5, 8.0, Face::SansBold, palette::kAccent);
        drawTextCentred(cr, "ANALOG", b.centreX(), b.centreY() + 5.5, 5.8, Face::CondensedBold, palette::kLegendSoft);
    }
    drawCaption(cr, "BANDS", kMode.centreX(), row, kInk, 7.0);
    drawCaption(cr, "LINK", kLink.right - 12, row, kInk, 7.0);
}

void drawReadoutWindow(cairo_t* cr) {
    const Box& r = kReadout;
    sunkenWindow(cr, r.left - 5, r.top - 4, r.width() + 10, r.height() + 8, 3, palette::kReadoutBack,
                 palette::kPanelShade, palette::kPanelLight);
    setColour(cr, palette::kReadoutBack);
    cairo_rectangle(cr, r.left, r.top, r.width(), r.height());
    cairo_fill(cr);
}

void drawLatency(cairo_t* cr) {
    const Box& ms = kLatencyMs;
    const Box& smps = kLatencySamples;
    sunkenWindow(cr, ms.left - 2, ms.top - 2, smps.right - ms.left + 4, ms.height() + 4, 2, rgb255(232, 230, 222),
                 palette::kPanelShade, palette::kPanelLight);
    cairo_rectangle(cr, ms.right + 0.5, ms.top, 1, ms.height());
    setColour(cr, palette::kPanelShade);
    cairo_fill(cr);
    drawText(cr, "LATENCY", ms.left - 5, ms.centreY() + 2.6, 7.0, Face::CondensedBold, Align::Right, kInk);
}

void drawSettingsDoor(cairo_t* cr) {
    const Box& d = kToSettings;
    fillRoundedRect(cr, d.left + 4, d.top + 1, d.width() - 8, d.height() - 2, 3, palette::kPanelShade);
    fillRoundedRect(cr, d.left + 4, d.top + 1, d.width() - 9, d.height() - 3, 3, palette::kPanelLight);
    fillRoundedRectGradient(cr, d.left + 5, d.top + 2, d.width() - 10, d.height() - 4, 2.5, rgb255(214, 211, 204),
                            rgb255(192, 189, 181));
    drawTextCentred(cr, "SETTINGS", d.centreX() - 4, d.centreY(), 8.0, Face::SansBold, kInk);
    const double ax = d.centreX() + 26;
    cairo_move_to(cr, ax, d.centreY() - 3.2);
    cairo_line_to(cr, ax + 4.0, d.centreY());
    cairo_line_to(cr, ax, d.centreY() + 3.2);
    cairo_close_path(cr);
    setColour(cr, palette::kAccent);
    cairo_fill(cr);
}

void drawGrooves(cairo_t* cr) {
    const double y = 143;
    cairo_rectangle(cr, 12, y, kWindowWidth - 24, 1);
    setColour(cr, palette::kPanelShade);
    cairo_fill(cr);
    cairo_rectangle(cr, 12, y + 1, kWindowWidth - 24, 1);
    setColour(cr, palette::kPanelLight);
    cairo_fill(cr);
}

}  // namespace

void paintMainBackground(cairo_t* cr, int, const ArtContext& ctx) {
    setColour(cr, palette::kPanel);
    cairo_paint(cr);
    drawHeader(cr, ctx.edition);
    drawMeterBezel(cr, kLeftMeter, kLeftLed, "L");
    drawMeterBezel(cr, kRightMeter, kRightLed, "R");
    drawGrooves(cr);
    drawKnobLegends(cr);
    drawButtonLegends(cr, ctx.edition);
    drawReadoutWindow(cr);
    drawLatency(cr);
    drawSettingsDoor(cr);
    drawScrew(cr, 14, 430, 3.4, 70);
    drawScrew(cr, kWindowWidth - 14, 430, 3.4, 160);
    drawPresetBar(cr);
}

}  // namespace ambrel::skin
