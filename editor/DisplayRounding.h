#pragma once
// Rounding and truncation shared by the numeric readout and the text formatters.

namespace ambrel {

// Rounds half away from zero to `decimals` places (negative: to tens, hundreds,
// ...). A fraction of 0.49999 already rounds up, and the result is nudged past
// the rounding edge so that truncating it afterwards yields the rounded digits
// even when the decimal value has no exact binary form (15.32 stays 15.32).
double roundForDisplay(double value, int decimals);

// When x lies within float noise of a multiple of step, that multiple; else x.
// Keeps exact readings such as 0.1 (-20 dB) from truncating to -19.9.
double snapToStep(double x, double step);

}  // namespace ambrel
