#include "dsp/AlignmentLine.h"

#include <algorithm>

namespace ambrel {

namespace {
// The ring length is a power of two; clamping keeps every index inside the
// rings even if a caller passed a length beyond their capacity.
int maskFor(int length) { return std::clamp(length, 4, AlignmentLine::kCapacity) - 1; }
}  // namespace

void AlignmentLine::start(int length) { index_ = maskFor(length); }

void AlignmentLine::clear() {
    left_.fill(0.0);
    right_.fill(0.0);
}

void AlignmentLine::process(double* left, double* right, int count, int length) {
    const int mask = maskFor(length);
    int index = index_ & mask;
    for (int i = 0; i < count; ++i) {
        left_[index] = left[i];
        right_[index] = right[i];
        index = (index + 1) & mask;
        const int read = (index + 2) & mask;
        left[i] = left_[read];
        right[i] = right_[read];
    }
    index_ = index;
}

}  // namespace ambrel
