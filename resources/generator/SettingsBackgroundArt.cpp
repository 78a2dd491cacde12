// The settings page background (19002): a charcoal panel with a light name
// plate (which leads back to the main page and carries the version label),
// the band section (saturation and release per band), the VU and PPM meter
// ballistics, the over indicator threshold, the fine-adjust range and the
// knob-mode switch, each readout in its own dark window.
#include "resources/generator/Art.h"
#include "resources/generator/Canvas.h"
#include "resources/generator/PanelArt.h"
#include "resources/generator/SkinLayout.h"

namespace ambrel::skin {

namespace {

using namespace settings_page;

constexpr Rgb kRearInk = palette::kRearLegend;
constexpr Rgb kSoft = palette::kRearLegendSoft;

void drawSection(cairo_t* cr, double x, double y, double w, double h, const char* title, const char* detail) {
    roundedRectPath(cr, x + 0.5, y + 0.5, w, h, 5);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.07);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    roundedRectPath(cr, x - 0.5, y - 0.5, w, h, 5);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_stroke(cr);
    // The title interrupts the top edge.
    const double titleWidth = textWidth(cr, title, 7.8, Face::CondensedBold);
    const double detailWidth = detail ? textWidth(cr, detail, 7.0, Face::Condensed) + 6 : 0;
    setColour(cr, palette::kRearPanel);
    cairo_rectangle(cr, x + 10, y - 3, titleWidth + detailWidth + 8, 6);
    cairo_fill(cr);
    drawText(cr, title, x + 14, y + 3, 7.8, Face::CondensedBold, Align::Left, kRearInk);
    if (detail) drawText(cr, detail, x + 14 + titleWidth + 6, y + 3, 7.0, Face::Condensed, Align::Left, kSoft);
}

void drawReadout(cairo_t* cr, const Box& r) {
    sunkenWindow(cr, r.left, r.top, r.width(), r.height(), 2, palette::kRearWindow, rgb255(14, 14, 15),
                 rgb255(70, 71, 75));
}

// Readouts that touch share one window, parted by a thin line.
void drawReadoutRow(cairo_t* cr, const KnobSite& a, const KnobSite& b, const KnobSite& c) {
    const Box row{a.readout.left, a.readout.top, c.readout.right, a.readout.bottom};
    drawReadout(cr, row);
    for (double x : {(a.readout.right + b.readout.left) / 2.0, (b.readout.right + c.readout.left) / 2.0}) {
        cairo_rectangle(cr, x, row.top + 2, 1, row.height() - 4);
        setColour(cr, rgb255(62, 63, 67));
        cairo_fill(cr);
    }
}

void drawKnobSite(cairo_t* cr, const KnobSite& k, const char* caption, bool ownReadout = true) {
    if (ownReadout) drawReadout(cr, k.readout);
    if (caption) drawCaption(cr, caption, k.x + kKnobSize / 2.0, k.y - 7, kSoft, 7.0);
}

// A caption to the right of a knob, in one or two lines.
void drawSideCaption(cairo_t* cr, const KnobSite& k, double cx, const char* line1, const char* line2) {
    const double cy = k.y + kKnobSize / 2.0;
    if (line2 == nullptr) {
        drawCaption(cr, line1, cx, cy, kRearInk, 7.4);
        return;
    }
    drawCaption(cr, line1, cx, cy - 5, kRearInk, 7.4);
    drawCaption(cr, line2, cx, cy + 5, kSoft, 6.8);
}

void drawNamePlate(cairo_t* cr, const SkinEdition& edition) {
    const Box& p = kBackToMain;
    fillRoundedRect(cr, p.left - 1, p.top - 1, p.width() + 2, p.height() + 2, 6, rgb255(12, 12, 13));
    fillRoundedRectGradient(cr, p.left, p.top, p.width(), p.height(), 5.5, rgb255(222, 219, 211),
                            rgb255(190, 187, 179));
    drawLogo(cr, edition.productName, p.centreX(), p.top + 48, 22.0, palette::kLegend, true);
    drawTextCentred(cr, "analog saturation & compression emulator", p.centreX(), p.top + 62, 7.6, Face::Sans,
                    palette::kLegendSoft);
    drawTextCentred(cr, "SETTINGS", p.centreX(), p.top + 14, 8.0, Face::SansBold, palette::kLegend);
    drawTextCentred(cr, edition.moduleName, p.centreX(), p.top + 76, 6.6, Face::Condensed, palette::kLegendSoft);
    // The way back.
    const double y = p.bottom - 10;
    drawTextCentred(cr, "BACK TO CONTROLS", p.centreX() + 4, y, 6.8, Face::CondensedBold, palette::kLegend);
    const double ax = p.centreX() - 37;
    cairo_move_to(cr, ax, y - 3);
    cairo_line_to(cr, ax - 4, y);
    cairo_line_to(cr, ax, y + 3);
    cairo_close_path(cr);
    setColour(cr, palette::kAccent);
    cairo_fill(cr);
}

void drawKnobModeLegends(cairo_t* cr) {
    const Box& s = kKnobMode;
    drawCaption(cr, "KNOB MODE", s.centreX() + 14, s.top - 8, kRearInk, 7.2);
    drawText(cr, "CIRCULAR", s.right + 4, s.top + 8, 6.8, Face::Condensed, Align::Left, kSoft);
    drawText(cr, "LINEAR", s.right + 4, s.bottom - 3, 6.8, Face::Condensed, Align::Left, kSoft);
}

}  // namespace

void paintSettingsBackground(cairo_t* cr, int, const ArtContext& ctx) {
    setColour(cr, palette::kRearPanel);
    cairo_paint(cr);
    for (double x : {10.0, kWindowWidth - 10.0})
        for (double y : {10.0, kSettingsHeight - 16.0}) drawScrew(cr, x, y, 3.4, x + y);
    drawNamePlate(cr, ctx.edition);

    drawSection(cr, 40, 156, 170, 90, "BAND SATURATION", ctx.edition.bandSaturationRange);
    drawSection(cr, 240, 156, 170, 90, "BAND RELEASE", ctx.edition.bandReleaseRange);
    drawReadoutRow(cr, kLowSat, kMidSat, kHighSat);
    drawReadoutRow(cr, kLowRel, kMidRel, kHighRel);
    drawKnobSite(cr, kLowSat, "LOW", false);
    drawKnobSite(cr, kMidSat, "MID", false);
    drawKnobSite(cr, kHighSat, "HIGH", false);
    drawKnobSite(cr, kLowRel, "LOW", false);
    drawKnobSite(cr, kMidRel, "MID", false);
    drawKnobSite(cr, kHighRel, "HIGH", false);

    drawSection(cr, 40, 252, 170, 110, "VU METER", nullptr);
    drawKnobSite(cr, kVuIntegration, nullptr);
    drawKnobSite(cr, kVuReference, nullptr);
    drawSideCaption(cr, kVuIntegration, 152, "INTEGRATION", "time");
    drawSideCaption(cr, kVuReference, 152, "0 VU LEVEL", "reference");

    drawSection(cr, 240, 252, 170, 110, "PPM METER", nullptr);
    drawKnobSite(cr, kPpmIntegration, nullptr);
    drawKnobSite(cr, kPpmReturn, nullptr);
    drawSideCaption(cr, kPpmIntegration, 352, "INTEGRATION", "time");
    drawSideCaption(cr, kPpmReturn, 352, "RETURN", "time");

    drawSection(cr, 40, 372, 170, 62, "OVER INDICATOR", nullptr);
    drawKnobSite(cr, kOvers, nullptr);
    drawSideCaption(cr, kOvers, 152, "THRESHOLD", "samples over full scale");

    drawSection(cr, 240, 372, 200, 62, "EDITOR", nullptr);
    drawKnobSite(cr, kFineAdjust, nullptr);
    drawSideCaption(cr, kFineAdjust, 334, "FINE ADJUST", "knob range");
    drawKnobModeLegends(cr);
}

}  // namespace ambrel::skin
