#include "editor/DisplayRounding.h"

#include <algorithm>
#include <cmath>

namespace ambrel {

double roundForDisplay(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    const double scale = std::pow(10.0, decimals);
    const double f = value * scale;
    const double fraction = f - std::trunc(f);
    if (fraction >= 0.49999) return (f + 1.0) / scale;
    if (fraction <= -0.49999) return (f - 1.0) / scale;
    return value;
}

double snapToStep(double x, double step) {
    if (!std::isfinite(x) || step <= 0.0) return x;
    const double nearest = std::round(x / step) * step;
    const double tolerance = 1e-6 * std::max(1.0, std::fabs(x));
    return std::fabs(x - nearest) <= tolerance ? nearest : x;
}

}  // namespace ambrel
