#include "editor/ValueFormatters.h"

#include <cmath>
#include <cstdio>

#include "editor/DisplayRounding.h"

namespace ambrel {
namespace {

// Integer part for printing, kept inside int so huge or broken values cannot
// overflow a conversion.
int clampedInt(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 2147483647.0) return 2147483647;
    if (x <= -2147483647.0) return -2147483647;
    return static_cast<int>(x);
}

// value rounded to `decimals` places, printed with exactly that many digits.
void printFixed(double value, int decimals, const char* unit, char* text) {
    const double rounded = roundForDisplay(value, decimals);
    long long scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const long long scaled = static_cast<long long>(std::trunc(rounded * static_cast<double>(scale)));
    if (decimals == 0) {
        std::snprintf(text, kFormattedTextSize, "%lld%s", scaled, unit);
    } else {
        std::snprintf(text, kFormattedTextSize, "%lld.%0*lld%s", scaled / scale, decimals, scaled % scale, unit);
    }
}

// a in dB with one truncated decimal; readings between -1 and 0 keep their
// minus sign, which the integer part alone would lose.
void printTenths(double a, const char* unit, char* text) {
    a = snapToStep(a, 0.1);
    const int whole = clampedInt(a);
    const int tenth = clampedInt(std::fabs(snapToStep((a - whole) * 10.0, 1.0)));
    if (a >= 0.0 || a <= -1.0) {
        std::snprintf(text, kFormattedTextSize, "%d.%d%s", whole, tenth, unit);
    } else {
        std::snprintf(text, kFormattedTextSize, "-%d.%d%s", whole, tenth, unit);
    }
}

// Truncated |x| with float noise removed first (0.29 reads 29, not 28).
int truncatedMagnitude(double x, double step) {
    return clampedInt(std::fabs(snapToStep(x, step)));
}

}  // namespace

void formatMilliseconds(float value, char* text) {
    // Thresholds compare in the value's own precision, so 0.0001f counts as 0.0001.
    const double v = value;
    if (!(value >= 0.0001f)) {
        std::snprintf(text, kFormattedTextSize, "0ms");
    } else if (value < 1.0f) {
        printFixed(v, 3, "ms", text);
    } else if (value < 10.0f) {
        printFixed(v, 2, "ms", text);
    } else if (value < 100.0f) {
        printFixed(v, 1, "ms", text);
    } else if (value < 1000.0f) {
        printFixed(v, 0, "ms", text);
    } else {
        // Anything absurd reads as a huge figure rather than overflowing.
        printFixed(std::fmin(v, 1e12) / 1000.0, 3, "s", text);
    }
}

void formatSamples(float value, char* text) {
    if (value >= 1.0f) {
        std::snprintf(text, kFormattedTextSize, "%dsmps", clampedInt(value));
    } else {
        std::snprintf(text, kFormattedTextSize, "0smps");
    }
}

void formatDecibels(float value, char* text) {
    if (value > 0.00000001f && std::isfinite(value)) {
        printTenths(20.0 * std::log10(static_cast<double>(value)), "dB", text);
    } else {
        std::snprintf(text, kFormattedTextSize, "-oo dB");
    }
}

void formatDecibelsFullScale(float value, char* text) {
    if (value > 0.00000001f && std::isfinite(value)) {
        printTenths(6.0 * std::log10(static_cast<double>(value)) / std::log10(2.0), "dBFS", text);
    } else {
        std::snprintf(text, kFormattedTextSize, "-oo dBFS");
    }
}

void formatInteger(float value, char* text) {
    std::snprintf(text, kFormattedTextSize, "%d", clampedInt(snapToStep(value, 1.0)));
}

void formatFactor(float value, char* text) {
    const double v = value;
    const int hundredths = truncatedMagnitude(v * 100.0, 1.0);
    std::snprintf(text, kFormattedTextSize, "x%s%d.%d%d", v < 0.0 ? "-" : "", hundredths / 100, (hundredths / 10) % 10,
                  hundredths % 10);
}

void formatPercent(float value, char* text) {
    const double v = value;
    if (v >= 0.2) {
        std::snprintf(text, kFormattedTextSize, "%d%%", clampedInt(snapToStep(v * 100.0, 1.0)));
    } else {
        const int thousandths = truncatedMagnitude(v * 1000.0, 1.0);
        std::snprintf(text, kFormattedTextSize, "%d.%d%%", clampedInt(snapToStep(v * 100.0, 1.0)), thousandths % 10);
    }
}

}  // namespace ambrel
