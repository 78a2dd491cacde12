#include "tools/LevelStats.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace ambrel::tools {

double toDb(double linear) {
    return linear > 0.0 ? 20.0 * std::log10(linear) : -std::numeric_limits<double>::infinity();
}

std::string formatDb(double db) {
    if (std::isinf(db) && db < 0) return "-inf";
    if (std::fabs(db) < 0.005) return "0.00";  // no "-0.00"
    char text[32];
    std::snprintf(text, sizeof text, "%+.2f", db);
    return text;
}

double Levels::peakDb() const { return toDb(peak); }
double Levels::rmsDb() const { return toDb(rms); }

Levels measureLevels(const std::vector<std::vector<double>>& channels, long begin, long end) {
    Levels levels;
    double sumSquares = 0.0;
    long count = 0;
    for (const auto& channel : channels) {
        const long stop = end < 0 ? static_cast<long>(channel.size()) : std::min<long>(end, channel.size());
        for (long i = begin; i < stop; ++i) {
            const double v = channel[i];
            levels.peak = std::max(levels.peak, std::fabs(v));
            sumSquares += v * v;
            ++count;
        }
    }
    levels.rms = count ? std::sqrt(sumSquares / count) : 0.0;
    return levels;
}

}  // namespace ambrel::tools
