#include "platform/linux/X11PopupList.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <cairo-xlib.h>

#include <algorithm>
#include <cmath>

#include "platform/linux/CairoFonts.h"

namespace VSTGUI::platform::x11 {

using namespace cairo_backend;

namespace {
constexpr int kCheckArea = 20;
constexpr int kRightMargin = 12;
}  // namespace

X11PopupList::X11PopupList(Display* d, ::Window frameWindow, const PopupSpec& s) : display(d), spec(s) {
    int count = static_cast<int>(spec.entries.size());
    perColumn = spec.itemsPerColumn > 0 ? spec.itemsPerColumn : std::max(1, count);
    columns = std::max(1, (count + perColumn - 1) / perColumn);
    rowHeight = spec.font.size + 6;
    hover = spec.current;

    // Column width from the widest entry.
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    cairo_t* measure = cairo_create(scratch);
    selectFont(measure, spec.font);
    double widest = 40.0;
    for (const std::string& entry : spec.entries) widest = std::max(widest, textAdvance(measure, entry.c_str()));
    cairo_destroy(measure);
    cairo_surface_destroy(scratch);
    columnWidth = static_cast<int>(std::ceil(widest)) + kCheckArea + kRightMargin;

    int width = columns * columnWidth + 2;
    int height = std::min(count, perColumn) * rowHeight + 2;
    int screen = DefaultScreen(display);
    int x = 0;
    int y = 0;
    ::Window child = 0;
    XTranslateCoordinates(display, frameWindow, RootWindow(display, screen), spec.where.x, spec.where.y, &x, &y, &child);
    int screenWidth = DisplayWidth(display, screen);
    int screenHeight = DisplayHeight(display, screen);
    if (x + width > screenWidth) x = std::max(0, screenWidth - width);
    if (y + height > screenHeight) y = std::max(0, screenHeight - height);

    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.save_under = True;
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.colormap = DefaultColormap(display, screen);
    attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask;
    list = XCreateWindow(display, RootWindow(display, screen), x, y, static_cast<unsigned>(width),
                         static_cast<unsigned>(height), 0, DefaultDepth(display, screen), InputOutput,
                         DefaultVisual(display, screen),
                         CWOverrideRedirect | CWSaveUnder | CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask,
                         &attributes);
    surface = cairo_xlib_surface_create(display, list, DefaultVisual(display, screen), width, height);
    XMapRaised(display, list);
    XSync(display, False);
    grabbed = XGrabPointer(display, list, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                           GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
    XGrabKeyboard(display, list, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    paint();
}

X11PopupList::~X11PopupList() {
    if (grabbed) XUngrabPointer(display, CurrentTime);
    XUngrabKeyboard(display, CurrentTime);
    cairo_surface_destroy(surface);
    XDestroyWindow(display, list);
    XFlush(display);
}

bool X11PopupList::isSeparator(int index) const {
    return index >= 0 && index < static_cast<int>(spec.entries.size()) && spec.entries[static_cast<size_t>(index)] == "-";
}

CRect X11PopupList::entryRect(int index) const {
    int column = index / perColumn;
    int row = index % perColumn;
    int left = 1 + column * columnWidth;
    int top = 1 + row * rowHeight;
    return CRect(left, top, left + columnWidth, top + rowHeight);
}

int X11PopupList::entryAt(int x, int y) const {
    if (x < 1 || y < 1) return -1;
    int column = (x - 1) / columnWidth;
    int row = (y - 1) / rowHeight;
    if (column >= columns || row >= perColumn) return -1;
    int index = column * perColumn + row;
    if (index >= static_cast<int>(spec.entries.size()) || isSeparator(index)) return -1;
    return index;
}

void X11PopupList::step(int direction) {
    int count = static_cast<int>(spec.entries.size());
    for (int i = 0; i < count; ++i) {
        hover = hover < 0 ? (direction > 0 ? 0 : count - 1) : (hover + direction + count) % count;
        if (!isSeparator(hover)) break;
    }
}

bool X11PopupList::handle(XEvent& event, int& chosen) {
    chosen = -1;
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0) paint();
        return false;
    case MotionNotify: {
        int now = entryAt(event.xmotion.x, event.xmotion.y);
        if (now != hover && now >= 0) {
            hover = now;
            paint();
        }
        return false;
    }
    case ButtonPress: {
        XWindowAttributes attributes;
        XGetWindowAttributes(display, list, &attributes);
        bool inside = event.xbutton.x >= 0 && event.xbutton.y >= 0 && event.xbutton.x < attributes.width &&
                      event.xbutton.y < attributes.height;
        return !inside;  // a click outside dismisses the list
    }
    case ButtonRelease: {
        if (event.xbutton.button > Button3) return false;
        int index = entryAt(event.xbutton.x, event.xbutton.y);
        if (index < 0) return false;
        chosen = index;
        return true;
    }
    case KeyPress: {
        KeySym sym = XLookupKeysym(&event.xkey, 0);
        if (sym == XK_Escape) return true;
        if (sym == XK_Return || sym == XK_KP_Enter) {
            chosen = isSeparator(hover) ? -1 : hover;
            return true;
        }
        if (sym == XK_Down) step(1);
        else if (sym == XK_Up) step(-1);
        else if (sym == XK_Right) hover = std::min(static_cast<int>(spec.entries.size()) - 1, hover + perColumn);
        else if (sym == XK_Left) hover = std::max(0, hover - perColumn);
        paint();
        return false;
    }
    default: return false;
    }
}

void X11PopupList::paint() {
    int width = cairo_xlib_surface_get_width(surface);
    int height = cairo_xlib_surface_get_height(surface);
    cairo_t* cr = cairo_create(surface);
    cairo_push_group(cr);
    cairo_set_source_rgb(cr, 0.96, 0.96, 0.96);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.45, 0.45, 0.45);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, 0.5, 0.5, width - 1.0, height - 1.0);
    cairo_stroke(cr);
    selectFont(cr, spec.font);
    cairo_font_extents_t metrics;
    cairo_font_extents(cr, &metrics);
    for (int i = 0; i < static_cast<int>(spec.entries.size()); ++i) {
        CRect r = entryRect(i);
        if (isSeparator(i)) {
            cairo_set_source_rgb(cr, 0.7, 0.7, 0.7);
            cairo_move_to(cr, r.left + 4, r.top + rowHeight / 2 + 0.5);
            cairo_line_to(cr, r.right - 4, r.top + rowHeight / 2 + 0.5);
            cairo_stroke(cr);
            continue;
        }
        bool lit = i == hover;
        if (lit) {
            cairo_set_source_rgb(cr, 0.2, 0.45, 0.85);
            cairo_rectangle(cr, r.left, r.top, r.width(), r.height());
            cairo_fill(cr);
        }
        double baseline = r.top + (rowHeight - (metrics.ascent + metrics.descent)) / 2.0 + metrics.ascent;
        if (lit) cairo_set_source_rgb(cr, 1, 1, 1);
        else cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
        if (spec.checkCurrent && i == spec.current) {
            double cx = r.left + 5;
            double cy = r.top + rowHeight / 2.0;
            cairo_set_line_width(cr, 2.0);
            cairo_move_to(cr, cx, cy);
            cairo_line_to(cr, cx + 3.5, cy + 4);
            cairo_line_to(cr, cx + 10, cy - 5);
            cairo_stroke(cr);
            cairo_set_line_width(cr, 1.0);
        }
        std::string utf8 = latin1ToUtf8(spec.entries[static_cast<size_t>(i)].c_str());
        cairo_move_to(cr, r.left + kCheckArea, std::round(baseline));
        cairo_show_text(cr, utf8.c_str());
    }
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    XFlush(display);
}

}  // namespace VSTGUI::platform::x11
