#pragma once
// Pieces the two page backgrounds share.

#include <cairo.h>

#include <string_view>

#include "resources/generator/Palette.h"
#include "resources/generator/SkinLayout.h"

namespace ambrel::skin {

// The product name as a logo: the maker's word in the accent colour, the rest
// in the given colour; centred on cx when centred, else starting at x.
void drawLogo(cairo_t* cr, std::string_view productName, double x, double baseline, double size, Rgb ink,
              bool centred);

// A legend centred above a control.
void drawCaption(cairo_t* cr, std::string_view text, double cx, double cy, Rgb ink, double size = 7.6);

// The preset bar's shading: fills rows top..bottom (window y) of the bar
// over x..x+width, drawn at y - yShift, so the bar's buttons can start
// their cells with the bar exactly as it is behind them.
void fillPresetBarRows(cairo_t* cr, double x, double width, int top, int bottom, int yShift);

// The preset bar along the bottom edge (from y 443 down), with its legends,
// the program name window and the program menu's drop-down mark.
void drawPresetBar(cairo_t* cr);

}  // namespace ambrel::skin
