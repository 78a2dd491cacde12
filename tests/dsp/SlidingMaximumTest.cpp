#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "EngineFixture.h"
#include "dsp/SlidingMaximum.h"

using namespace ambrel;

// The peak of every window equals the plain maximum of its samples, also
// across calls and when the window changes between calls.
TEST(SlidingMaximumTest, MatchesTheMaximumOfTheWindow) {
    auto e = test::makeEngine(fullEdition());
    const int mask = e->lookAheadLength - 1;
    std::mt19937 gen(9);
    std::uniform_real_distribution<double> dist(0.0, 1.0);
    std::vector<double> history;
    int write = 0;
    const int windows[] = {5, 5, 54, 2, 1, 200, 54, 7};
    for (int window : windows) {
        kernel::SlidingMaximum peak;
        peak.attach(*e, Engine::kStageMid, 1, mask, window, write);
        for (int i = 0; i < 300; ++i) {
            // Rising runs, falling runs and noise.
            const double a = i < 100 ? i * 0.01 : (i < 200 ? 2.0 - i * 0.01 : dist(gen));
            history.push_back(a);
            const double got = peak.push(write, a);
            const std::size_t from = history.size() > static_cast<std::size_t>(window) ? history.size() - window : 0;
            const double want = *std::max_element(history.begin() + static_cast<long>(from), history.end());
            ASSERT_EQ(got, want) << "window " << window << " sample " << i;
            write = (write + 1) & mask;
        }
        peak.store();
    }
}
