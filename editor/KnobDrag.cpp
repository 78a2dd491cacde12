#include "editor/KnobDrag.h"

namespace ambrel {

LinearKnobDrag::LinearKnobDrag(float startValue, float minimum, float maximum, bool fine)
    : startValue_(startValue), minimum_(minimum), maximum_(maximum), step_(stepFor(maximum - minimum, fine)) {}

float LinearKnobDrag::stepFor(float range, bool fine) {
    return range / (fine ? kFineDivisor : kCoarseDivisor);
}

void LinearKnobDrag::move(int right, int up) { accumulator_ += 2 * up + right; }

void LinearKnobDrag::setFine(bool fine) {
    const float newStep = stepFor(maximum_ - minimum_, fine);
    const float offset = accumulator_ * 0.5f;
    startValue_ += (step_ - newStep) * offset;
    step_ = newStep;
}

float LinearKnobDrag::value() const {
    const float v = startValue_ + accumulator_ * 0.5f * step_;
    if (v > maximum_) return maximum_;
    if (v < minimum_) return minimum_;
    return v;
}

CircularGapGuard::CircularGapGuard(float startAngleValue, float minimum, float maximum)
    : previous_(startAngleValue), minimum_(minimum), maximum_(maximum) {}

float CircularGapGuard::follow(float angleValue) {
    const float halfRange = (maximum_ - minimum_) * 0.5f;
    if (angleValue < previous_ - halfRange) return maximum_;
    if (angleValue > previous_ + halfRange) return minimum_;
    previous_ = angleValue;
    return angleValue;
}

}  // namespace ambrel
