#include "dsp/OutputClip.h"

#include <algorithm>

namespace ambrel {

void clipStereo(double* left, double* right, int count, double limit) {
    for (int i = 0; i < count; ++i) {
        left[i] = std::max(-limit, std::min(left[i], limit));
        right[i] = std::max(-limit, std::min(right[i], limit));
    }
}

}  // namespace ambrel
