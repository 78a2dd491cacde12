#pragma once
// Xlib reports errors through one process-wide handler whose default ends the
// process. Around every use of our own display connection a trap installs a
// handler that swallows errors of our connections (a host that destroyed its
// window before closing the editor) and passes any other connection's errors on
// to the handler it replaced; the trap puts that handler back when it ends.

#include <X11/Xlib.h>

namespace VSTGUI::platform::x11 {

void registerOwnDisplay(Display* display);
void unregisterOwnDisplay(Display* display);

class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;
    // Waits for the server and tells whether any of our requests failed so far.
    bool syncFailed();

private:
    Display* display;
    int (*previous)(Display*, XErrorEvent*);
    int errorsBefore;
};

}  // namespace VSTGUI::platform::x11
