#include "toolkit/Clock.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "toolkit/CButtons.h"

namespace VSTGUI {
namespace {

class SystemClock final : public Clock {
public:
    std::int32_t ticks() override {
        auto elapsed = std::chrono::steady_clock::now() - origin;
        return static_cast<std::int32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()) + 1;
    }
    void sleep(int milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

private:
    std::chrono::steady_clock::time_point origin = std::chrono::steady_clock::now();
};

SystemClock& systemClock() {
    static SystemClock instance;
    return instance;
}

Clock* installed = nullptr;
int desktopDoubleClick = 0;
int knobMode = kCircularMode;

}  // namespace

Clock& toolkitClock() { return installed ? *installed : systemClock(); }
void setClock(Clock* replacement) { installed = replacement; }

int doubleClickTime() { return std::max(250, desktopDoubleClick); }
void noteDesktopDoubleClickTime(int milliseconds) {
    if (milliseconds > 0 && milliseconds < 5000) desktopDoubleClick = milliseconds;
}

int getKnobMode() { return knobMode; }
void detail::setKnobMode(int mode) { knobMode = mode; }

}  // namespace VSTGUI
