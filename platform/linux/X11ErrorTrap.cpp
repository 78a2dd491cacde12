#include "platform/linux/X11ErrorTrap.h"

#include <algorithm>
#include <vector>

namespace VSTGUI::platform::x11 {
namespace {

std::vector<Display*>& ownDisplays() {
    static std::vector<Display*> displays;
    return displays;
}

int (*outerHandler)(Display*, XErrorEvent*) = nullptr;
int trapDepth = 0;
int errorCount = 0;

int trapHandler(Display* display, XErrorEvent* error) {
    auto& own = ownDisplays();
    if (std::find(own.begin(), own.end(), display) != own.end()) {
        ++errorCount;
        return 0;
    }
    return outerHandler ? outerHandler(display, error) : 0;
}

}  // namespace

void registerOwnDisplay(Display* display) { ownDisplays().push_back(display); }

void unregisterOwnDisplay(Display* display) {
    auto& own = ownDisplays();
    own.erase(std::remove(own.begin(), own.end(), display), own.end());
}

X11ErrorTrap::X11ErrorTrap(Display* d) : display(d), errorsBefore(errorCount) {
    previous = XSetErrorHandler(trapHandler);
    if (trapDepth++ == 0) outerHandler = previous;
}

X11ErrorTrap::~X11ErrorTrap() {
    XSetErrorHandler(previous);
    if (--trapDepth == 0) outerHandler = nullptr;
}

bool X11ErrorTrap::syncFailed() {
    if (display) XSync(display, False);
    return errorCount != errorsBefore;
}

}  // namespace VSTGUI::platform::x11
