#include "editor/MeterFrames.h"

#include <algorithm>
#include <cmath>

namespace ambrel {

double needlePosition(float value, int scale) {
    const double v = value > 0.0f ? static_cast<double>(value) : 0.0;  // NaN rests too
    double q = std::pow(v, 1.2);
    if (scale == 1) q = std::sqrt(q);
    return q * 0.617 + 0.018;
}

int needleFrame(float value, int scale, int frameCount) {
    const double p = std::min(needlePosition(value, scale), 1.0);
    return static_cast<int>((frameCount - 1) * p + 0.5);
}

float ledLevelAfterRedraw(float shownLevel, float value, float decayStep) {
    float level = shownLevel;
    if (level > 0.45f) level -= decayStep;
    if (level < 0.0f) level = 0.0f;
    return level > value ? level : value;
}

int ledFrame(float level, int frameCount) {
    if (!(level > 0.0f)) return 0;
    const float capped = std::min(level, 1.0f);
    return static_cast<int>((frameCount - 1) * capped + 0.5f);
}

}  // namespace ambrel
