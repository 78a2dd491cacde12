#pragma once
// Typed value entry on the main page's knobs: the text the entry field opens
// with, and the normalized value a typed number stands for. Both work in the
// units of the knob's readout (dB, percent, seconds factor, hertz), with the
// fine-adjust range factor f scaling the dB ranges of Drive and the tone and
// level knobs the way the processing does.

#include <cstddef>

#include "core/ParameterRole.h"

namespace ambrel {

// True for the knobs whose double click opens the entry field.
bool takesValueEntry(ParameterRole role);

// The field's opening text for a knob showing displayValue: two decimals for
// Drive and Release, one for the others. Empty for roles without entry.
void valueEntryText(ParameterRole role, float displayValue, char* text, std::size_t size);

// The normalized value for the typed number x, limited to 0..1 (a number
// outside a logarithmic knob's domain gives its bottom end).
float valueEntryNormalized(ParameterRole role, double x, double fineRange);

// The number a typed text stands for: the C library's conversion, no number 0.
double valueEntryNumber(const char* text);

}  // namespace ambrel
