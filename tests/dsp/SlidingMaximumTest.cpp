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

// Both lanes give their own channel's maximum, and trackers left out of step
// by a one-channel kernel are brought back together.
TEST(SlidingMaximumTest, TwoLanesMatchTheMaximumOfEachChannel) {
    auto e = test::makeEngine(fullEdition());
    const int mask = e->lookAheadLength - 1;
    std::mt19937 gen(4);
    std::uniform_real_distribution<double> dist(0.0, 1.0);
    std::vector<double> historyL, historyR;
    int write = 0;
    for (int round = 0; round < 6; ++round) {
        const int window = round % 2 ? 54 : 9;
        if (round == 3) {  // the left tracker alone moves on
            kernel::SlidingMaximum left;
            left.attach(*e, Engine::kStageHigh, 0, mask, window, write);
            for (int i = 0; i < 5; ++i) {
                const double a = dist(gen);
                historyL.push_back(a);
                historyR.push_back(0.0);
                e->peakTracker[Engine::kStageHigh][1][write] = 0.0;
                left.push(write, a);
                write = (write + 1) & mask;
            }
            left.store();
        }
        kernel::SlidingMaximum2 peak;
        peak.attach(*e, Engine::kStageHigh, mask, window, write);
        for (int i = 0; i < 200; ++i) {
            const double l = dist(gen), r = i < 100 ? i * 0.01 : dist(gen);
            historyL.push_back(l);
            historyR.push_back(r);
            const lanes::V2 got = peak.push(write, lanes::V2{l, r});
            const long from = std::max(0L, static_cast<long>(historyL.size()) - window);
            ASSERT_EQ(got[0], *std::max_element(historyL.begin() + from, historyL.end())) << round << " " << i;
            ASSERT_EQ(got[1], *std::max_element(historyR.begin() + from, historyR.end())) << round << " " << i;
            write = (write + 1) & mask;
        }
        peak.store();
    }
}
