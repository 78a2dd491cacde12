// The numeric readout's glyphs, 9 by 17 each: amber characters on the dark
// readout window, in the order the counter indexes them.
#include "resources/generator/Art.h"
#include "resources/generator/Canvas.h"

namespace ambrel::skin {

namespace {
// Index: 0..9 digits, 10 point, 11 k, 12 plus, 13 minus, 14 percent, 15 dB, 16 Hz, 17 blank.
constexpr const char* kGlyphText[18] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
                                        ".", "k", "+", "-", "%", "dB", "Hz", ""};

void drawGlowingText(cairo_t* cr, const char* text, double cx, double cy, double size, Face face) {
    drawTextCentred(cr, text, cx, cy, size, face, palette::kReadoutInk, 0.22);
    drawTextCentred(cr, text, cx + 0.35, cy, size, face, palette::kReadoutInk, 0.22);
    drawTextCentred(cr, text, cx, cy, size, face, palette::kReadoutInk);
}
}  // namespace

void paintGlyph(cairo_t* cr, int frame, const ArtContext& ctx) {
    const double w = ctx.shape.frameWidth();
    const double h = ctx.shape.frameHeight();
    setColour(cr, palette::kReadoutBack);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    if (frame < 0 || frame >= 18 || frame == 17) return;
    const double cx = w / 2.0;
    const double cy = h / 2.0 + 0.5;
    if (frame == 10) {
        cairo_rectangle(cr, cx - 1.2, 11.6, 2.4, 2.4);
        setColour(cr, palette::kReadoutInk);
        cairo_fill(cr);
        return;
    }
    if (frame == 15 || frame == 16) {
        drawGlowingText(cr, kGlyphText[frame], cx, cy + 1.5, 6.4, Face::CondensedBold);
        return;
    }
    if (frame == 14) {
        drawGlowingText(cr, kGlyphText[frame], cx, cy, 9.5, Face::CondensedBold);
        return;
    }
    drawGlowingText(cr, kGlyphText[frame], cx, cy, 13.0, Face::MonoBold);
}

}  // namespace ambrel::skin
