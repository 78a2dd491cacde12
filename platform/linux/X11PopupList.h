#pragma once
// The menu control's pop-up list on Linux: an override-redirect window on the
// screen, entries in columns of itemsPerColumn, separators drawn as lines, a
// check mark on the current entry when asked for, the entry under the pointer
// highlighted. Releasing the button over an entry (or Enter) picks it; a click
// outside (or Escape) dismisses the list. Pointer and keyboard are grabbed
// while it is open.

#include <X11/Xlib.h>
#include <cairo.h>

#include "toolkit/PlatformSeam.h"

namespace VSTGUI::platform::x11 {

class X11PopupList {
public:
    X11PopupList(Display* display, ::Window frameWindow, const PopupSpec& spec);
    ~X11PopupList();
    X11PopupList(const X11PopupList&) = delete;
    X11PopupList& operator=(const X11PopupList&) = delete;

    ::Window window() const { return list; }
    // Handles an event of the list's window; true when the list is done, with
    // chosen the picked entry or -1.
    bool handle(XEvent& event, int& chosen);
    // The entry at a point of the list's window, -1 for none or a separator.
    int entryAt(int x, int y) const;
    CRect entryRect(int index) const;  // in the list's window

private:
    void paint();
    bool isSeparator(int index) const;
    void step(int direction);

    Display* display;
    ::Window list = 0;
    cairo_surface_t* surface = nullptr;
    PopupSpec spec;
    int perColumn = 1;
    int columns = 1;
    int rowHeight = 18;
    int columnWidth = 100;
    int hover = -1;
    bool grabbed = false;
};

}  // namespace VSTGUI::platform::x11
