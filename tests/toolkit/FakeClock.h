#pragma once
// A clock the test moves by hand; sleeping advances it.

#include "toolkit/Clock.h"

namespace toolkit_test {

class FakeClock final : public VSTGUI::Clock {
public:
    explicit FakeClock(int start = 1000) : now(start) { VSTGUI::setClock(this); }
    ~FakeClock() override { VSTGUI::setClock(nullptr); }
    std::int32_t ticks() override { return now; }
    void sleep(int ms) override {
        now += ms;
        ++sleeps;
    }
    int now;
    int sleeps = 0;
};

}  // namespace toolkit_test
