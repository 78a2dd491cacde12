#include "dsp/FilterSection.h"

#include <cmath>
#include <numbers>

namespace ambrel {

FilterSection::FilterSection(double rate_, double frequency_, double q_)
    : rate(rate_), frequency(frequency_), q(q_) {
    antiDenormal = 1e-13;
    reset();
    design();
}

void FilterSection::setRate(double rate_) {
    rate = rate_;
    design();
}

void FilterSection::setFrequency(double frequency_) {
    frequency = frequency_;
    design();
}

void FilterSection::reset() {
    x0 = x1 = x2 = 0.0;
    y0 = y1 = y2 = 0.0;
}

void FilterSection::design() {
    if (frequency > 0.499 * rate) frequency = 0.499 * rate;
    const double w = 2.0 * std::numbers::pi * frequency / rate;
    // The resonance is relaxed towards the Nyquist frequency so that a section
    // designed close to it stays well behaved.
    const double edge = std::pow(frequency / (0.50001 * rate), 8.0);
    const double alpha = std::sin(w) / (2.0 * q * (1.0 - edge));
    const double cw = std::cos(w);
    a0 = 1.0 + alpha;
    a1 = -2.0 * cw / a0;
    a2 = (1.0 - alpha) / a0;
    b0 = (1.0 - cw) / 2.0 / a0;
    b1 = (1.0 - cw) / a0;
    b2 = b0;
}

}  // namespace ambrel
