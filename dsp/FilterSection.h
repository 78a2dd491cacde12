#pragma once
// One second-order low-pass section with its own design data and state, used
// by the level detectors and the VU ballistics. Direct form I; a tiny offset
// whose sign flips on every tick keeps the state out of the denormal range.

namespace ambrel {

class FilterSection {
public:
    static constexpr int kLowPass = 0;

    FilterSection() : FilterSection(44100.0, 1000.0, 0.5) {}
    FilterSection(double rate, double frequency, double q);

    void setRate(double rate);          // store and redesign
    void setFrequency(double frequency);  // store and redesign
    void reset();                       // clear the six state values
    void design();                      // recompute the coefficients

    double tick(double x) {
        antiDenormal = -antiDenormal;
        const double xd = x + antiDenormal;
        const double y = b0 * xd + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = xd;
        y2 = y1;
        y1 = y + antiDenormal;
        return y;
    }

    double rate = 44100.0;
    int type = kLowPass;
    double frequency = 1000.0;  // limited to 0.499 x rate at each design
    double q = 0.5;
    double antiDenormal = 1e-13;
    double a0 = 1.0, a1 = 0.0, a2 = 0.0;  // a0 unnormalized, the others divided by it
    double b0 = 1.0, b1 = 0.0, b2 = 0.0;
    double x0 = 0.0, x1 = 0.0, x2 = 0.0;
    double y0 = 0.0, y1 = 0.0, y2 = 0.0;
};

}  // namespace ambrel
