#pragma once
// The six glyph positions of the numeric readout for a value in one of its
// display modes. Glyph indices follow the readout's glyph strip.

#include <array>

namespace ambrel {

enum CounterGlyph : int {
    kGlyphPoint = 10,
    kGlyphKilo = 11,
    kGlyphPlus = 12,
    kGlyphMinus = 13,
    kGlyphPercent = 14,
    kGlyphDecibel = 15,
    kGlyphHertz = 16,
    kGlyphBlank = 17,
};
inline constexpr int kCounterGlyphCount = 18;
inline constexpr int kCounterPositions = 6;

enum CounterMode : int {
    kCounterBlank = 0,
    kCounterDecibels = 1,  // sign, 2 decimals below 10, 1 decimal from 10, dB
    kCounterHertz = 2,     // 1 decimal below 1000, then k with hundreds and tens
    kCounterPercent = 3,   // 1 decimal and a percent sign
    kCounterPlain = 4,     // 2 decimals; every other mode number reads like this
};

using CounterGlyphs = std::array<int, kCounterPositions>;

CounterGlyphs counterGlyphs(float value, int mode);

}  // namespace ambrel
