#include "platform/linux/X11Window.h"

#include <X11/Xutil.h>
#include <cairo-xlib.h>
#include <dlfcn.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/linux/X11ErrorTrap.h"
#include "platform/linux/X11Keys.h"
#include "toolkit/CButtons.h"

namespace VSTGUI::platform {

std::unique_ptr<NativeWindow> createWindow(void* parent, int width, int height) {
    return x11::X11Window::create(parent, width, height);
}

namespace x11 {
namespace {

Event eventOf(Event::Type type) {
    Event event;
    event.type = type;
    return event;
}

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | KeyPressMask | KeyReleaseMask |
                            FocusChangeMask | StructureNotifyMask;

// The module's own load address, as the window class names it.
void* moduleBase() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&moduleBase), &info) && info.dli_fbase) return info.dli_fbase;
    return nullptr;
}

Bool isExposeOnly(Display*, XEvent* event, XPointer) {
    return (event->type == Expose || event->type == DestroyNotify) ? True : False;
}

}  // namespace

std::unique_ptr<X11Window> X11Window::create(void* parent, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    Display* dpy = XOpenDisplay(nullptr);
    // A server that just lost its last client resets and refuses connections
    // for a moment: try again briefly before giving up.
    for (int attempt = 0; !dpy && attempt < 5 && std::getenv("DISPLAY"); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        dpy = XOpenDisplay(nullptr);
    }
    if (!dpy) return nullptr;
    registerOwnDisplay(dpy);
    ::Window win = 0;
    {
        X11ErrorTrap trap(dpy);
        int screen = DefaultScreen(dpy);
        ::Window parentWindow = parent ? static_cast<::Window>(reinterpret_cast<std::uintptr_t>(parent))
                                       : RootWindow(dpy, screen);
        XWindowAttributes parentAttributes;
        bool parentOk = XGetWindowAttributes(dpy, parentWindow, &parentAttributes) != 0 && !trap.syncFailed();
        if (parentOk) {
            XSetWindowAttributes attributes{};
            attributes.background_pixmap = None;  // never cleared by the server: no flicker
            attributes.border_pixel = 0;
            attributes.colormap = DefaultColormap(dpy, screen);
            attributes.event_mask = kEventMask;
            attributes.bit_gravity = NorthWestGravity;
            win = XCreateWindow(dpy, parentWindow, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                DefaultDepth(dpy, screen), InputOutput, DefaultVisual(dpy, screen),
                                CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask | CWBitGravity, &attributes);
            XStoreName(dpy, win, "Window");
            char className[64];
            std::snprintf(className, sizeof className, "Plugin%p", moduleBase());
            XClassHint hint{};
            hint.res_name = className;
            hint.res_class = className;
            XSetClassHint(dpy, win, &hint);
            if (!parent) {
                XSizeHints* size = XAllocSizeHints();
                size->flags = PMinSize | PMaxSize;
                size->min_width = size->max_width = width;
                size->min_height = size->max_height = height;
                XSetWMNormalHints(dpy, win, size);
                XFree(size);
            }
            XMapWindow(dpy, win);
            if (trap.syncFailed()) {
                XDestroyWindow(dpy, win);
                trap.syncFailed();
                win = 0;
            }
        }
    }
    if (!win) {
        XCloseDisplay(dpy);
        unregisterOwnDisplay(dpy);
        return nullptr;
    }
    auto window = std::unique_ptr<X11Window>(new X11Window(dpy, win, width, height));
    window->hostWindow = parent ? static_cast<::Window>(reinterpret_cast<std::uintptr_t>(parent)) : 0;
    return window;
}

X11Window::X11Window(Display* display, ::Window window, int w, int h) : dpy(display), win(window), width(w), height(h) {
    X11ErrorTrap trap(dpy);
    int screen = DefaultScreen(dpy);
    back = std::make_unique<cairo_backend::CairoDrawDevice>(cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h));
    Visual* visual = DefaultVisual(dpy, screen);
    int depth = DefaultDepth(dpy, screen);
    int bitsPerPixel = 0;
    int formats = 0;
    if (XPixmapFormatValues* list = XListPixmapFormats(dpy, &formats)) {
        for (int i = 0; i < formats; ++i) {
            if (list[i].depth == depth) bitsPerPixel = list[i].bits_per_pixel;
        }
        XFree(list);
    }
    bool sameLayout = (depth == 24 || depth == 32) && bitsPerPixel == 32 && visual->red_mask == 0xFF0000 &&
                      visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF;
    if (sameLayout) {
        cairo_surface_t* buffer = back->surface();
        image = XCreateImage(dpy, visual, static_cast<unsigned>(depth), ZPixmap, 0,
                             reinterpret_cast<char*>(cairo_image_surface_get_data(buffer)), static_cast<unsigned>(w),
                             static_cast<unsigned>(h), 32, cairo_image_surface_get_stride(buffer));
        if (image) {
            image->byte_order = LSBFirst;  // 0x00RRGGBB words in memory order
            gc = XCreateGC(dpy, win, 0, nullptr);
        }
    }
    if (!image) {
        front = cairo_xlib_surface_create(dpy, win, visual, w, h);
        frontContext = cairo_create(front);
        cairo_set_operator(frontContext, CAIRO_OPERATOR_SOURCE);
    }
    if (const char* value = XGetDefault(dpy, "ambrel", "multiClickTime")) desktopDoubleClick = std::atoi(value);
}

X11Window::~X11Window() {
    X11ErrorTrap trap(dpy);
    popup.reset();
    edit.reset();
    if (image) {
        image->data = nullptr;  // the pixels belong to the back buffer
        XDestroyImage(image);
        XFreeGC(dpy, gc);
    }
    if (front) {
        cairo_destroy(frontContext);
        cairo_surface_finish(front);
        cairo_surface_destroy(front);
    }
    back.reset();
    if (isAlive) XDestroyWindow(dpy, win);
    XSync(dpy, False);
    XCloseDisplay(dpy);
    unregisterOwnDisplay(dpy);
}

void* X11Window::nativeHandle() const { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(win)); }

void X11Window::present(const CRect& area) {
    if (!isAlive) return;
    CRect r = area;
    r.bound(CRect(0, 0, width, height));
    if (r.isEmpty()) return;
    X11ErrorTrap trap(dpy);
    cairo_surface_flush(back->surface());
    if (image) {
        XPutImage(dpy, win, gc, image, r.left, r.top, r.left, r.top, static_cast<unsigned>(r.width()),
                  static_cast<unsigned>(r.height()));
        XFlush(dpy);
        return;
    }
    cairo_set_source_surface(frontContext, back->surface(), 0, 0);
    cairo_rectangle(frontContext, r.left, r.top, r.width(), r.height());
    cairo_fill(frontContext);
    cairo_surface_flush(front);
    XFlush(dpy);
}

bool X11Window::nextEvent(Event& event, bool exposeOnly) {
    X11ErrorTrap trap(dpy);
    if (exposeOnly) {
        XEvent xevent;
        while (XCheckIfEvent(dpy, &xevent, isExposeOnly, nullptr)) {
            if (translate(xevent, event)) return true;
        }
        return false;
    }
    for (;;) {
        if (!internal.empty()) {
            event = internal.front();
            internal.pop_front();
            return true;
        }
        if (!XPending(dpy)) return false;
        XEvent xevent;
        XNextEvent(dpy, &xevent);
        if (translate(xevent, event)) return true;
    }
}

bool X11Window::translate(XEvent& xevent, Event& event) {
    event = Event{};
    if (edit && xevent.xany.window == edit->window()) {
        if (edit->handle(xevent)) internal.push_back(eventOf(Event::kEditBoxEnded));
        return false;
    }
    if (popup && xevent.xany.window == popup->window()) {
        int chosen = -1;
        if (popup->handle(xevent, chosen)) {
            popup.reset();
            Event closed = eventOf(Event::kPopupClosed);
            closed.index = chosen;
            internal.push_back(closed);
        }
        return false;
    }
    if (xevent.xany.window != win) return false;
    switch (xevent.type) {
    case Expose:
        event.type = Event::kExpose;
        event.area = CRect(xevent.xexpose.x, xevent.xexpose.y, xevent.xexpose.x + xevent.xexpose.width,
                           xevent.xexpose.y + xevent.xexpose.height);
        return true;
    case DestroyNotify:
        if (xevent.xdestroywindow.window != win) return false;
        isAlive = false;
        event.type = Event::kDestroyed;
        return true;
    case ButtonPress: {
        unsigned button = xevent.xbutton.button;
        event.where = CPoint(xevent.xbutton.x, xevent.xbutton.y);
        int modifiers = toolkitButtons(xevent.xbutton.state) & ~(kLButton | kMButton | kRButton);
        if (button >= 4 && button <= 7) {
            event.type = Event::kWheel;
            event.buttons = modifiers;
            event.axis = button <= 5 ? 1 : 0;
            event.distance = (button == 4 || button == 7) ? 1.0f : -1.0f;
            return true;
        }
        if (button > 3) return false;
        event.type = Event::kButtonDown;
        event.buttons = modifiers | (button == 1 ? kLButton : button == 2 ? kMButton : kRButton);
        return true;
    }
    case ButtonRelease:
        if (xevent.xbutton.button > 3) return false;
        event.type = Event::kButtonUp;
        event.where = CPoint(xevent.xbutton.x, xevent.xbutton.y);
        return true;
    case KeyPress:
    case KeyRelease:
        event.type = xevent.type == KeyPress ? Event::kKeyDown : Event::kKeyUp;
        event.key = translateKey(xevent.xkey);
        return true;
    default: return false;
    }
}

int X11Window::mouseButtons() {
    if (!isAlive) return 0;
    X11ErrorTrap trap(dpy);
    ::Window root = 0;
    ::Window child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(dpy, win, &root, &child, &rootX, &rootY, &x, &y, &mask)) return 0;
    return toolkitButtons(mask);
}

CPoint X11Window::mouseLocation() {
    if (!isAlive) return CPoint(-1, -1);
    X11ErrorTrap trap(dpy);
    ::Window root = 0;
    ::Window child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(dpy, win, &root, &child, &rootX, &rootY, &x, &y, &mask)) return CPoint(-1, -1);
    return CPoint(x, y);
}

bool X11Window::openEditBox(const EditBoxSpec& spec) {
    if (!isAlive) return false;
    X11ErrorTrap trap(dpy);
    edit.reset();
    edit = std::make_unique<X11EditBox>(dpy, win, spec);
    return true;
}

std::string X11Window::editBoxText() const { return edit ? edit->text() : std::string(); }

bool X11Window::editBoxKey(const VstKeyCode& key) {
    if (!edit) return false;
    X11ErrorTrap trap(dpy);
    bool ended = false;
    bool used = edit->key(key, ended);
    if (ended) internal.push_back(eventOf(Event::kEditBoxEnded));
    return used;
}

void X11Window::closeEditBox() {
    if (!edit) return;
    X11ErrorTrap trap(dpy);
    edit.reset();
    // Pending events of the box's window are dropped with it.
    for (auto it = internal.begin(); it != internal.end();) {
        it = it->type == Event::kEditBoxEnded ? internal.erase(it) : it + 1;
    }
    // The keyboard goes back to the host, so its shortcuts keep working.
    if (isAlive) XSetInputFocus(dpy, hostWindow ? hostWindow : win, RevertToParent, CurrentTime);
}

bool X11Window::openPopupList(const PopupSpec& spec) {
    if (!isAlive || spec.entries.empty()) return false;
    X11ErrorTrap trap(dpy);
    popup = std::make_unique<X11PopupList>(dpy, win, spec);
    return true;
}

void X11Window::closePopupList() {
    X11ErrorTrap trap(dpy);
    popup.reset();
}

}  // namespace x11
}  // namespace VSTGUI::platform
