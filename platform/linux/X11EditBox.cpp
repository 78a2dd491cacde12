#include "platform/linux/X11EditBox.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <cairo-xlib.h>

#include <algorithm>
#include <cmath>

#include "platform/linux/CairoFonts.h"
#include "platform/linux/X11Keys.h"

namespace VSTGUI::platform::x11 {

using namespace cairo_backend;

X11EditBox::X11EditBox(Display* d, ::Window parent, const EditBoxSpec& s)
    : display(d), spec(s), content(s.text.substr(0, static_cast<std::size_t>(std::max(0, s.maxLength)))),
      original(content) {
    int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.colormap = DefaultColormap(display, screen);
    attributes.event_mask = ExposureMask | KeyPressMask | ButtonPressMask | FocusChangeMask;
    int w = std::max(1, spec.area.width());
    int h = std::max(1, spec.area.height());
    box = XCreateWindow(display, parent, spec.area.left, spec.area.top, static_cast<unsigned>(w), static_cast<unsigned>(h),
                        0, DefaultDepth(display, screen), InputOutput, DefaultVisual(display, screen),
                        CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask, &attributes);
    surface = cairo_xlib_surface_create(display, box, DefaultVisual(display, screen), w, h);
    caret = content.size();
    anchor = 0;
    XMapRaised(display, box);
    XSetInputFocus(display, box, RevertToParent, CurrentTime);
    paint();
}

X11EditBox::~X11EditBox() {
    cairo_surface_destroy(surface);
    XDestroyWindow(display, box);
    XFlush(display);
}

bool X11EditBox::handle(XEvent& event) {
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0) paint();
        return false;
    case ButtonPress:
        if (event.xbutton.button == Button1) {
            caret = anchor = caretAt(event.xbutton.x);
            XSetInputFocus(display, box, RevertToParent, CurrentTime);
            paint();
        }
        return false;
    case FocusOut:
        // Focus moving inside the box or a keyboard grab is no loss of focus.
        if (event.xfocus.mode == NotifyGrab || event.xfocus.mode == NotifyUngrab) return false;
        if (event.xfocus.detail == NotifyInferior || event.xfocus.detail == NotifyPointer) return false;
        return true;
    case KeyPress: {
        char text[8] = {};
        KeySym sym = NoSymbol;
        int length = XLookupString(&event.xkey, text, sizeof text, &sym, nullptr);
        VstKeyCode code = translateKey(event.xkey);
        int character = 0;
        if (length == 1 && static_cast<unsigned char>(text[0]) >= 0x20 && text[0] != 0x7F) {
            character = static_cast<unsigned char>(text[0]);
        }
        if (sym == XK_Escape) {
            content = original;
            return true;
        }
        return edit(code.virt, character, (event.xkey.state & ShiftMask) != 0, (event.xkey.state & ControlMask) != 0);
    }
    default: return false;
    }
}

bool X11EditBox::key(const VstKeyCode& code, bool& ended) {
    ended = false;
    if (code.virt == VKEY_ESCAPE) {
        content = original;
        ended = true;
        return true;
    }
    int character = code.virt ? 0 : code.character;
    if (character && (code.modifier & MODIFIER_SHIFT) && character >= 'a' && character <= 'z') character -= 32;
    if (code.virt == VKEY_SPACE) character = ' ';
    ended = edit(code.virt, character, (code.modifier & MODIFIER_SHIFT) != 0, (code.modifier & MODIFIER_CONTROL) != 0);
    return true;
}

bool X11EditBox::edit(int virt, int character, bool shift, bool control) {
    std::size_t low = std::min(caret, anchor);
    std::size_t high = std::max(caret, anchor);
    switch (virt) {
    case VKEY_RETURN:
    case VKEY_ENTER: return true;
    case VKEY_BACK:
        if (low != high) eraseSelection();
        else if (caret > 0) {
            content.erase(caret - 1, 1);
            anchor = --caret;
        }
        break;
    case VKEY_DELETE:
        if (low != high) eraseSelection();
        else if (caret < content.size()) content.erase(caret, 1);
        break;
    case VKEY_LEFT:
        if (!shift && low != high) caret = low;
        else if (caret > 0) --caret;
        if (!shift) anchor = caret;
        break;
    case VKEY_RIGHT:
        if (!shift && low != high) caret = high;
        else if (caret < content.size()) ++caret;
        if (!shift) anchor = caret;
        break;
    case VKEY_HOME:
        caret = 0;
        if (!shift) anchor = caret;
        break;
    case VKEY_END:
        caret = content.size();
        if (!shift) anchor = caret;
        break;
    default:
        if (control && (character == 'a' || character == 'A')) {
            anchor = 0;
            caret = content.size();
        } else if (character && !control) {
            insert(static_cast<char>(character));
        }
        break;
    }
    paint();
    return false;
}

void X11EditBox::eraseSelection() {
    std::size_t low = std::min(caret, anchor);
    std::size_t high = std::max(caret, anchor);
    content.erase(low, high - low);
    caret = anchor = low;
}

void X11EditBox::insert(char c) {
    eraseSelection();
    if (static_cast<int>(content.size()) >= spec.maxLength) return;
    content.insert(caret, 1, c);
    anchor = ++caret;
}

double X11EditBox::textX() {
    cairo_t* cr = cairo_create(surface);
    selectFont(cr, spec.font);
    double full = textAdvance(cr, content.c_str());
    double toCaret = textAdvance(cr, content.c_str(), caret);
    cairo_destroy(cr);
    double inner = spec.area.width() - 2.0 * spec.margin;
    if (full <= inner) {
        scroll = 0.0;
        if (spec.align == 1) return spec.margin + (inner - full) / 2.0;
        if (spec.align == 2) return spec.margin + inner - full;
        return spec.margin;
    }
    // Longer than the box: scroll so the caret stays in view.
    if (toCaret - scroll > inner) scroll = toCaret - inner;
    if (toCaret - scroll < 0.0) scroll = toCaret;
    return spec.margin - scroll;
}

std::size_t X11EditBox::caretAt(int x) {
    double start = textX();
    cairo_t* cr = cairo_create(surface);
    selectFont(cr, spec.font);
    std::size_t best = 0;
    double bestDistance = 1e9;
    for (std::size_t i = 0; i <= content.size(); ++i) {
        double distance = std::abs(start + textAdvance(cr, content.c_str(), i) - x);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    cairo_destroy(cr);
    return best;
}

void X11EditBox::paint() {
    double x = textX();
    cairo_t* cr = cairo_create(surface);
    cairo_push_group(cr);  // drawn whole, then shown at once
    setSourceColor(cr, spec.backColor);
    cairo_paint(cr);
    selectFont(cr, spec.font);
    cairo_font_extents_t metrics;
    cairo_font_extents(cr, &metrics);
    double height = spec.area.height();
    double baseline = (height - (metrics.ascent + metrics.descent)) / 2.0 + metrics.ascent;
    std::size_t low = std::min(caret, anchor);
    std::size_t high = std::max(caret, anchor);
    std::string utf8 = latin1ToUtf8(content.c_str());
    cairo_rectangle(cr, spec.margin, 0, spec.area.width() - 2.0 * spec.margin, height);
    cairo_clip(cr);
    if (low != high) {
        double from = x + textAdvance(cr, content.c_str(), low);
        double to = x + textAdvance(cr, content.c_str(), high);
        cairo_set_source_rgb(cr, 0.2, 0.45, 0.85);
        cairo_rectangle(cr, from, baseline - metrics.ascent, to - from, metrics.ascent + metrics.descent);
        cairo_fill(cr);
    }
    setSourceColor(cr, spec.fontColor);
    cairo_move_to(cr, std::round(x), std::round(baseline));
    cairo_show_text(cr, utf8.c_str());
    if (low != high) {
        // The selected part again, light on the selection colour.
        double from = x + textAdvance(cr, content.c_str(), low);
        double to = x + textAdvance(cr, content.c_str(), high);
        cairo_save(cr);
        cairo_rectangle(cr, from, 0, to - from, height);
        cairo_clip(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_move_to(cr, std::round(x), std::round(baseline));
        cairo_show_text(cr, utf8.c_str());
        cairo_restore(cr);
    } else {
        double at = std::round(x + textAdvance(cr, content.c_str(), caret)) + 0.5;
        setSourceColor(cr, spec.fontColor);
        cairo_set_line_width(cr, 1.0);
        cairo_move_to(cr, at, baseline - metrics.ascent);
        cairo_line_to(cr, at, baseline + metrics.descent);
        cairo_stroke(cr);
    }
    cairo_reset_clip(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    XFlush(display);
}

}  // namespace VSTGUI::platform::x11
