#pragma once
// The toolkit's millisecond clock: monotonic, counted from the first use in the
// process (so it stays positive for 24 days of a process's life). Tests may
// install their own clock.

#include <cstdint>

namespace VSTGUI {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int32_t ticks() = 0;
    virtual void sleep(int milliseconds) = 0;
};

Clock& toolkitClock();
// nullptr restores the system clock.
void setClock(Clock* replacement);

// The double-click time: what the desktop asks for, but at least 250 ms.
int doubleClickTime();
void noteDesktopDoubleClickTime(int milliseconds);

}  // namespace VSTGUI
