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
    drawTextCentred(cr, text, cx, cy, size, face, palette::kReadoutInk);
}

// Unit legends squeezed sideways to fit the 9-pixel cell at a readable height.
void drawSqueezedText(cairo_t* cr, const char* text, double cx, double cy, double size, double maxWidth) {
    const double w = textWidth(cr, text, size, Face::CondensedBold);
    const double squeeze = w > maxWidth ? maxWidth / w : 1.0;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, squeeze, 1.0);
    drawTextCentred(cr, text, 0, 0, size, Face::CondensedBold, palette::kReadoutInk);
    cairo_restore(cr);
}
// The unit legends in a pixel font: two letters of 3 by 7 pixels side by side
// stay crisp where antialiased text of that size would blur.
constexpr const char* kUnitLetters[2][2][7] = {
    {{"..#", "..#", "###", "#.#", "#.#", "#.#", "###"}, {"##.", "#.#", "#.#", "##.", "#.#", "#.#", "##."}},
    {{"#.#", "#.#", "#.#", "###", "#.#", "#.#", "#.#"}, {"...", "...", "###", "..#", ".#.", "#..", "###"}},
};

void drawUnit(cairo_t* cr, int unit, double bottom) {
    const double top = bottom - 7;
    for (int letter = 0; letter < 2; ++letter) {
        const double left = 1 + letter * 4;
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 3; ++col)
                if (kUnitLetters[unit][letter][row][col] == '#') cairo_rectangle(cr, left + col, top + row, 1, 1);
    }
    setColour(cr, palette::kReadoutInk);
    cairo_fill(cr);
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
        drawUnit(cr, frame - 15, 13);
        return;
    }
    if (frame == 14) {
        drawSqueezedText(cr, kGlyphText[frame], cx, cy, 11.0, 8.0);
        return;
    }
    drawGlowingText(cr, kGlyphText[frame], cx, cy, 12.0, Face::MonoBold);
}

}  // namespace ambrel::skin
