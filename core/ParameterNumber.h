#pragma once
// Number texts of the parameter displays. Both writers are locale-independent
// (a host may run with a decimal comma) and write at most 12 characters and the
// terminator, so a 13-byte host buffer always suffices.

namespace ambrel {

// Writes x with `decimals` fractional digits (0..7). Halves round away from zero
// (with a tolerance of 1e-5 of the last digit), the digits after the point are
// then cut from a text of 8 characters counting sign and point, and with no
// decimals the point goes too: 0 -> "0.00", 12.5 -> "13", -3.456 -> "-3.46".
// No blanks are added. A magnitude above 99999999 (above 9999999 when negative)
// or a value that is not finite leaves `out` untouched.
void formatParameterNumber(double x, int decimals, char* out);

// Writes x in fixed notation with six decimals ("3.000000"), at most 12
// characters; a value that does not fit leaves `out` empty.
void formatFloatText(double x, char* out);

}  // namespace ambrel
