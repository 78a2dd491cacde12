#pragma once
// The painters: one function per kind of bitmap. Each paints one frame into a
// cell whose top-left corner is the origin, already clipped to the cell.

#include <cairo.h>

#include "resources/generator/BitmapSpec.h"
#include "resources/generator/SkinEdition.h"

namespace ambrel::skin {

struct ArtContext {
    const SkinEdition& edition;
    BitmapShape shape;
    cairo_surface_t* mainBackground;  // drawn first; nullptr while it is being drawn
};

using FramePainter = void (*)(cairo_t* cr, int frame, const ArtContext& ctx);

// Backgrounds.
void paintMainBackground(cairo_t* cr, int frame, const ArtContext& ctx);
void paintSettingsBackground(cairo_t* cr, int frame, const ArtContext& ctx);

// Knob film strips.
void paintSmallKnob(cairo_t* cr, int frame, const ArtContext& ctx);     // 19008: 0..100 %
void paintBipolarKnob(cairo_t* cr, int frame, const ArtContext& ctx);   // 19013: -..0..+
void paintHighFreqKnob(cairo_t* cr, int frame, const ArtContext& ctx);  // 19010
void paintLowFreqKnob(cairo_t* cr, int frame, const ArtContext& ctx);   // 19012
void paintReleaseKnob(cairo_t* cr, int frame, const ArtContext& ctx);   // 19024
void paintDriveKnob(cairo_t* cr, int frame, const ArtContext& ctx);     // 19009
void paintSettingsKnob(cairo_t* cr, int frame, const ArtContext& ctx);  // 19032

// Meters, lamps, readout.
void paintMeterFaceNarrow(cairo_t* cr, int frame, const ArtContext& ctx);  // 19003: -20..+3 dB
void paintMeterFaceWide(cairo_t* cr, int frame, const ArtContext& ctx);    // 19004: -40..+6 dB
void paintOverLed(cairo_t* cr, int frame, const ArtContext& ctx);    // 19026
void paintGlyph(cairo_t* cr, int frame, const ArtContext& ctx);      // 19021

// Buttons and switches of the two pages. Frame 0 is off (or the first
// position), the next frames the following states.
void paintProcessButton(cairo_t* cr, int frame, const ArtContext& ctx);  // 19014, 19114
void paintModeButton(cairo_t* cr, int frame, const ArtContext& ctx);     // 19015
void paintLinkButton(cairo_t* cr, int frame, const ArtContext& ctx);     // 19017
void paintFatButton(cairo_t* cr, int frame, const ArtContext& ctx);      // 19034
void paintLampKey(cairo_t* cr, int frame, const ArtContext& ctx);        // 19035, 19036, 19037
void paintMeterSourceSwitch(cairo_t* cr, int frame, const ArtContext& ctx);  // 19005
void paintMeterTypeButton(cairo_t* cr, int frame, const ArtContext& ctx);    // 19006
void paintChannelButton(cairo_t* cr, int frame, const ArtContext& ctx);      // 19016
void paintToggleSwitch(cairo_t* cr, int frame, const ArtContext& ctx);       // 19033

// The preset bar's buttons: frames normal, highlighted, pressed, disabled
// (the rocker: normal, left lit, right lit, left pressed, right pressed).
void paintSaveButton(cairo_t* cr, int frame, const ArtContext& ctx);    // 19994, 19999
void paintLoadButton(cairo_t* cr, int frame, const ArtContext& ctx);    // 19993, 19998
void paintStoreButton(cairo_t* cr, int frame, const ArtContext& ctx);   // 19995, 19996
void paintRecallButton(cairo_t* cr, int frame, const ArtContext& ctx);  // 19991, 19992
void paintRocker(cairo_t* cr, int frame, const ArtContext& ctx);        // 19997

}  // namespace ambrel::skin
