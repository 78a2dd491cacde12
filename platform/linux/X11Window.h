#pragma once
// The frame's window on Linux: its own display connection, a child window of
// the host's X11 window (or a top-level window), a cairo back buffer shown on
// expose and after each redraw, the pointer read from the server, the edit box
// and the pop-up list. Every use of the connection runs inside an error trap,
// so a host that destroys its window first never takes the process down.

#include <X11/Xlib.h>
#include <cairo.h>

#include <deque>
#include <memory>

#include "platform/linux/CairoDrawDevice.h"
#include "platform/linux/X11EditBox.h"
#include "platform/linux/X11PopupList.h"

namespace VSTGUI::platform::x11 {

class X11Window final : public NativeWindow {
public:
    static std::unique_ptr<X11Window> create(void* parent, int width, int height);
    ~X11Window() override;

    void* nativeHandle() const override;
    DrawDevice& backBuffer() override { return *back; }
    void present(const CRect& area) override;
    bool nextEvent(Event& event, bool exposeOnly) override;
    int mouseButtons() override;
    CPoint mouseLocation() override;
    bool alive() const override { return isAlive; }
    int doubleClickTime() const override { return desktopDoubleClick; }

    bool openEditBox(const EditBoxSpec& spec) override;
    bool editBoxOpen() const override { return edit != nullptr; }
    std::string editBoxText() const override;
    bool editBoxKey(const VstKeyCode& key) override;
    void closeEditBox() override;

    bool openPopupList(const PopupSpec& spec) override;
    bool popupListOpen() const override { return popup != nullptr; }
    void closePopupList() override;

    Display* display() const { return dpy; }
    ::Window window() const { return win; }

private:
    X11Window(Display* display, ::Window window, int width, int height);
    bool translate(XEvent& xevent, Event& event);

    Display* dpy;
    ::Window win;
    ::Window hostWindow = 0;
    int width;
    int height;
    bool isAlive = true;
    int desktopDoubleClick = 0;
    std::unique_ptr<cairo_backend::CairoDrawDevice> back;
    // The back buffer shown with XPutImage when the screen's pixel layout is the
    // back buffer's own (24-bit true colour in 32-bit pixels), else through cairo.
    XImage* image = nullptr;
    GC gc = nullptr;
    cairo_surface_t* front = nullptr;
    cairo_t* frontContext = nullptr;
    std::unique_ptr<X11EditBox> edit;
    std::unique_ptr<X11PopupList> popup;
    std::deque<Event> internal;
};

}  // namespace VSTGUI::platform::x11
