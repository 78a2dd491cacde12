#include "editor/AmbrelValueEntry.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace ambrel {

bool takesValueEntry(ParameterRole role) { return role >= kDrive && role <= kOutput; }

void valueEntryText(ParameterRole role, float displayValue, char* text, std::size_t size) {
    if (!text || size == 0) return;
    text[0] = 0;
    if (!takesValueEntry(role)) return;
    const bool twoDecimals = role == kDrive || role == kRelease;
    std::snprintf(text, size, twoDecimals ? "%.2f" : "%.1f", static_cast<double>(displayValue));
}

float valueEntryNormalized(ParameterRole role, double x, double f) {
    const double log16 = std::log(16.0);
    double v = 0.0;
    switch (role) {
        case kDrive: v = (24.0 * f + x) / (48.0 * f); break;
        case kKnee:
        case kSpeed:
        case kMix: v = x / 100.0; break;
        case kRelease: v = std::log(4.0 * x) / log16; break;
        case kHighAdjust:
        case kLowAdjust: v = (12.0 * f + x) / (24.0 * f); break;
        case kHighFreq: v = std::log(x / 1000.0) / log16; break;
        case kLowFreq: v = std::log(x / 25.0) / log16; break;
        case kCeiling:
        case kOutput: {
            const double s = std::sqrt(f);
            v = (12.0 * s + x) / (24.0 * s);
            break;
        }
        default: return 0.0f;
    }
    // A logarithm of 0 or of a negative number, or a range factor of 0, lands
    // at the bottom rather than handing the effect a value it would ignore.
    if (!(v >= 0.0)) return 0.0f;
    return v > 1.0 ? 1.0f : static_cast<float>(v);
}

double valueEntryNumber(const char* text) { return text ? std::strtod(text, nullptr) : 0.0; }

}  // namespace ambrel
