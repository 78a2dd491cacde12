#pragma once
// The text field's edit box on Linux: our own single-line editor in a child
// window over the control, with a caret, a selection (all text selected when it
// opens), typing, Backspace and Delete, the cursor keys, Home and End, at most
// maxLength characters, the control's font and colours and its margins. Enter
// ends the edit; so does the box losing the keyboard focus; Escape restores the
// text it opened with and ends it.

#include <X11/Xlib.h>
#include <cairo.h>

#include <string>

#include "toolkit/PlatformSeam.h"

namespace VSTGUI::platform::x11 {

class X11EditBox {
public:
    X11EditBox(Display* display, ::Window parent, const EditBoxSpec& spec);
    ~X11EditBox();
    X11EditBox(const X11EditBox&) = delete;
    X11EditBox& operator=(const X11EditBox&) = delete;

    ::Window window() const { return box; }
    const std::string& text() const { return content; }
    // Handles an event of the box's window; true when it ends the edit.
    bool handle(XEvent& event);
    // A key passed on by the host; true when it ends the edit.
    bool key(const VstKeyCode& key, bool& ended);

private:
    bool edit(int virt, int character, bool shift, bool control);
    void insert(char c);
    void eraseSelection();
    std::size_t caretAt(int x);
    void paint();
    double textX();

    Display* display;
    ::Window box = 0;
    cairo_surface_t* surface = nullptr;
    EditBoxSpec spec;
    std::string content;
    std::string original;
    std::size_t caret = 0;
    std::size_t anchor = 0;
    double scroll = 0.0;
};

}  // namespace VSTGUI::platform::x11
