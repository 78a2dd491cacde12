#include "core/ParameterNumber.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace ambrel {

namespace {
constexpr int kNumberWidth = 8;  // characters before the cut, sign and point included
constexpr int kMaxTextLength = 12;
}  // namespace

void formatParameterNumber(double x, int decimals, char* out) {
    if (out == nullptr || !std::isfinite(x)) return;
    if (decimals < 0) decimals = 0;
    if (decimals > kNumberWidth - 1) decimals = kNumberWidth - 1;

    // Halves go away from zero: x moves one last digit outwards when it lies
    // within 1e-5 of a half or beyond, and the digits are then cut.
    const double unit = std::pow(10.0, decimals);
    const double scaled = x * unit;
    const double rest = scaled - std::trunc(scaled);
    int nudge = 0;
    if (rest >= 0.49999)
        nudge = 1;
    else if (rest <= -0.49999)
        nudge = -1;
    const double nudged = x + nudge / unit;

    const bool negative = nudged < 0.0;
    if (std::fabs(nudged) > (negative ? 9999999.0 : 99999999.0)) return;

    // The digits come from the cut count of last digits rather than from the
    // nudged binary value, whose own rounding could add one to the last digit
    // (0.29 would read 0.30).
    long long count = static_cast<long long>(std::trunc(scaled)) + nudge;
    if (count < 0) count = -count;
    const auto powerOfTen = static_cast<long long>(unit);
    const long long whole = count / powerOfTen;
    const long long fraction = count % powerOfTen;

    char text[kNumberWidth + 4];
    int length = 0;
    if (negative) text[length++] = '-';
    const auto [end, error] = std::to_chars(text + length, text + sizeof text, whole);
    if (error != std::errc()) return;
    length = static_cast<int>(end - text);
    text[length++] = '.';

    // Fractional digits while the text is shorter than 8 characters, at most `decimals` of them.
    int digits = kNumberWidth - length;
    if (digits > decimals) digits = decimals;
    if (digits < 0) digits = 0;
    long long divisor = powerOfTen;
    for (int i = 0; i < digits; ++i) {
        divisor /= 10;
        text[length++] = static_cast<char>('0' + (fraction / divisor) % 10);
    }
    if (decimals == 0) --length;  // the point goes too

    std::memcpy(out, text, static_cast<std::size_t>(length));
    out[length] = 0;
}

void formatFloatText(double x, char* out) {
    if (out == nullptr) return;
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, x, std::chars_format::fixed, 6);
    const auto length = end - text;
    if (error != std::errc() || length > kMaxTextLength) {
        out[0] = 0;
        return;
    }
    std::memcpy(out, text, static_cast<std::size_t>(length));
    out[length] = 0;
}

}  // namespace ambrel
