#pragma once
// Number-to-text formatters for the value readouts. Each writes a
// zero-terminated text of at most kFormattedTextSize characters (the zero
// included) into text; the readouts hold a pointer to one of them.

namespace ambrel {

inline constexpr int kFormattedTextSize = 32;

using ValueFormatter = void (*)(float value, char* text);

void formatMilliseconds(float value, char* text);      // latency, VU and PPM times
void formatSamples(float value, char* text);           // latency in samples
void formatDecibels(float value, char* text);          // band saturation (a gain factor)
void formatDecibelsFullScale(float value, char* text); // 0 VU reference (a gain factor)
void formatInteger(float value, char* text);           // overs threshold
void formatFactor(float value, char* text);            // band release factor
void formatPercent(float value, char* text);           // fine-adjust range (a factor)

}  // namespace ambrel
