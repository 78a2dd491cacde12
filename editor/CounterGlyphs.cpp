#include "editor/CounterGlyphs.h"

#include <cmath>

#include "editor/DisplayRounding.h"

namespace ambrel {
namespace {

// The decimal digit of magnitude a at 10^power. The leading position of each
// layout takes everything above it as well, so a figure too large for the
// readout yields a "digit" above 9, which shows as a blank.
int digitAt(double a, int power, bool leading) {
    // Multiplying by an exact power of ten keeps 0.25 at 25 hundredths.
    const double scaled = std::floor(power >= 0 ? a / std::pow(10.0, power) : a * std::pow(10.0, -power));
    if (leading) return scaled > 9.0 ? 10 : static_cast<int>(scaled);
    // fmod is exact; scaled - 10 * floor(scaled / 10) is not once scaled
    // passes 2^53, and its result then no longer fits an int.
    return static_cast<int>(std::fmod(scaled, 10.0));
}

int glyphOf(int digit) { return digit >= 0 && digit <= 9 ? digit : kGlyphBlank; }

// The leading digit shows only from 1 to 9.
int leadingGlyph(int digit) { return digit >= 1 && digit <= 9 ? digit : kGlyphBlank; }

// Hundreds, tens and units of a three-digit figure: hundreds only from 1, tens
// hidden while both they and the hundreds are zero, units always shown.
void threeDigits(double a, CounterGlyphs& g) {
    const int hundreds = digitAt(a, 2, true);
    const int tens = digitAt(a, 1, false);
    g[0] = leadingGlyph(hundreds);
    g[1] = (g[0] == kGlyphBlank && tens == 0) ? kGlyphBlank : glyphOf(tens);
    g[2] = glyphOf(digitAt(a, 0, false));
}

CounterGlyphs decibels(double value) {
    CounterGlyphs g{};
    const double rounded = roundForDisplay(value, 2);
    const double a = std::fabs(rounded);
    g[0] = value > 0.01 ? kGlyphPlus : value < -0.01 ? kGlyphMinus : kGlyphBlank;
    if (a < 10.0) {
        g[1] = glyphOf(digitAt(a, 0, true));
        g[2] = kGlyphPoint;
        g[3] = glyphOf(digitAt(a, -1, false));
        g[4] = glyphOf(digitAt(a, -2, false));
    } else {
        // The tenths come from the rounded figure too: 19.996 reads 20.0, where
        // the unrounded tenths would have made it 20.9.
        g[1] = leadingGlyph(digitAt(a, 1, true));
        g[2] = glyphOf(digitAt(a, 0, false));
        g[3] = kGlyphPoint;
        g[4] = glyphOf(digitAt(a, -1, false));
    }
    g[5] = kGlyphDecibel;
    return g;
}

CounterGlyphs hertz(double value) {
    CounterGlyphs g{};
    const double tenths = std::fabs(roundForDisplay(value, 1));
    if (tenths < 1000.0) {
        threeDigits(tenths, g);
        g[3] = kGlyphPoint;
        g[4] = glyphOf(digitAt(tenths, -1, false));
    } else {
        const double a = std::fabs(roundForDisplay(value, -1));
        g[0] = leadingGlyph(digitAt(a, 4, true));
        g[1] = glyphOf(digitAt(a, 3, false));
        g[2] = kGlyphKilo;
        g[3] = glyphOf(digitAt(a, 2, false));
        g[4] = glyphOf(digitAt(a, 1, false));
    }
    g[5] = kGlyphHertz;
    return g;
}

CounterGlyphs percent(double value) {
    CounterGlyphs g{};
    const double a = std::fabs(roundForDisplay(value, 1));
    threeDigits(a, g);
    g[3] = kGlyphPoint;
    g[4] = glyphOf(digitAt(a, -1, false));
    g[5] = kGlyphPercent;
    return g;
}

CounterGlyphs plain(double value) {
    CounterGlyphs g{};
    const double a = std::fabs(roundForDisplay(value, 2));
    threeDigits(a, g);
    g[3] = kGlyphPoint;
    g[4] = glyphOf(digitAt(a, -1, false));
    g[5] = glyphOf(digitAt(a, -2, false));
    return g;
}

}  // namespace

CounterGlyphs counterGlyphs(float value, int mode) {
    CounterGlyphs blank;
    blank.fill(kGlyphBlank);
    // Nothing sensible to show for a broken value.
    if (mode == kCounterBlank || !std::isfinite(value)) return blank;
    switch (mode) {
        case kCounterDecibels: return decibels(value);
        case kCounterHertz: return hertz(value);
        case kCounterPercent: return percent(value);
        default: return plain(value);
    }
}

}  // namespace ambrel
