#pragma once
// Small drawing helpers over cairo shared by the painters: colours, rounded
// shapes, legends in the skin's fonts.

#include <cairo.h>

#include <string_view>

#include "resources/generator/Palette.h"
#include "resources/generator/SkinFonts.h"

namespace ambrel::skin {

enum class Align { Left, Centre, Right };

void setColour(cairo_t* cr, Rgb c, double alpha = 1.0);

// Fixed antialiasing and hinting so every build renders the same pixels.
void useSkinFontOptions(cairo_t* cr);

void roundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r);
void fillRoundedRect(cairo_t* cr, double x, double y, double w, double h, double r, Rgb c, double alpha = 1.0);

// A vertical two-colour gradient over a rounded rectangle.
void fillRoundedRectGradient(cairo_t* cr, double x, double y, double w, double h, double r, Rgb top, Rgb bottom);

// A sunken window: dark upper-left edge, light lower-right edge, filled inside.
void sunkenWindow(cairo_t* cr, double x, double y, double w, double h, double r, Rgb inside, Rgb shadow, Rgb light);

double textWidth(cairo_t* cr, std::string_view text, double size, Face face);

// Draws text with its baseline at y.
void drawText(cairo_t* cr, std::string_view text, double x, double y, double size, Face face, Align align, Rgb c,
              double alpha = 1.0);

// Draws text centred on (cx, cy), vertically by its capital height.
void drawTextCentred(cairo_t* cr, std::string_view text, double cx, double cy, double size, Face face, Rgb c,
                     double alpha = 1.0);

// A legend printed on the panel with a faint highlight below it.
void drawEngraved(cairo_t* cr, std::string_view text, double cx, double cy, double size, Face face, Rgb ink,
                  Rgb highlight);

// A slotted screw head seen from the front.
void drawScrew(cairo_t* cr, double cx, double cy, double r, double slotDegrees);

}  // namespace ambrel::skin
