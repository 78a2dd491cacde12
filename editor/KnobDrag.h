#pragma once
// The arithmetic of the product knobs' two drag forms, kept apart from the
// mouse loop so it can be reasoned about (and tested) on its own.

namespace ambrel {

// Linear drag: one pixel up counts 1, one pixel right counts 0.5; 300 counts
// cover the whole range, 1500 while fine mode (Shift) is held. Switching fine
// mode mid-drag moves the reference so the value does not jump.
class LinearKnobDrag {
public:
    static constexpr float kCoarseDivisor = 300.0f;
    static constexpr float kFineDivisor = 1500.0f;

    LinearKnobDrag(float startValue, float minimum, float maximum, bool fine);

    // The pointer moved by (right, up) pixels since the previous pass.
    void move(int right, int up);
    void setFine(bool fine);
    float value() const;
    float step() const { return step_; }

private:
    static float stepFor(float range, bool fine);

    float startValue_;
    float minimum_;
    float maximum_;
    float step_;
    int accumulator_ = 0;  // 2 per pixel up, 1 per pixel right
};

// Circular drag across the knob's gap: an angle value more than half the
// range away from the previous one means the pointer went through the gap, so
// the value stays at the end it came from until the pointer returns.
class CircularGapGuard {
public:
    CircularGapGuard(float startAngleValue, float minimum, float maximum);

    // The value to show for the pointer's angle value this pass.
    float follow(float angleValue);

private:
    float previous_;
    float minimum_;
    float maximum_;
};

}  // namespace ambrel
