// The preset bar's small buttons (12 by 14 cells) and the previous/next
// rocker (31 by 14): grey keys on the dark bar with a light icon; lit keys
// brighten and their icon turns amber, pressed keys sink, disabled keys fade.
#include <cmath>
#include <numbers>

#include "resources/generator/Art.h"
#include "resources/generator/Canvas.h"
#include "resources/generator/PanelArt.h"
#include "resources/generator/SkinLayout.h"

namespace ambrel::skin {

namespace {

enum class KeyState { Normal, Lit, Pressed, Disabled };

KeyState stateOfFrame(int frame) {
    switch (frame) {
        case 1: return KeyState::Lit;
        case 2: return KeyState::Pressed;
        case 3: return KeyState::Disabled;
        default: return KeyState::Normal;
    }
}

// Draws the key body over x..x+w and returns the icon colour.
Rgb drawKey(cairo_t* cr, double x, double w, double h, KeyState state) {
    Rgb top = rgb255(96, 97, 102);
    Rgb bottom = rgb255(58, 59, 63);
    Rgb icon = rgb255(222, 222, 218);
    double dy = 0;
    switch (state) {
        case KeyState::Normal: break;
        case KeyState::Lit:
            top = rgb255(128, 129, 135);
            bottom = rgb255(80, 81, 86);
            icon = palette::kLampOn;
            break;
        case KeyState::Pressed:
            top = rgb255(40, 40, 43);
            bottom = rgb255(64, 64, 68);
            icon = palette::kLampGlow;
            dy = 0.6;
            break;
        case KeyState::Disabled:
            top = rgb255(60, 60, 63);
            bottom = rgb255(48, 48, 51);
            icon = rgb255(96, 96, 98);
            break;
    }
    fillRoundedRect(cr, x, 0.5, w, h - 1, 2.0, rgb255(8, 8, 9));
    fillRoundedRectGradient(cr, x + 0.5, 1 + dy, w - 1, h - 2 - dy, 1.6, top, bottom);
    if (state != KeyState::Pressed) {
        cairo_move_to(cr, x + 1.5, 1.5);
        cairo_line_to(cr, x + w - 1.5, 1.5);
        cairo_set_source_rgba(cr, 1, 1, 1, state == KeyState::Disabled ? 0.06 : 0.22);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
    cairo_translate(cr, 0, dy);
    return icon;
}

// Every key's cell starts as the bar behind it.
void beginKey(cairo_t* cr, const ArtContext& ctx) {
    fillPresetBarRows(cr, 0, ctx.shape.frameWidth(), preset_bar::kTop, preset_bar::kTop + ctx.shape.frameHeight(),
                      preset_bar::kTop);
}

// An arrow on a tray: down into it (save) or up out of it (load).
void drawTrayArrow(cairo_t* cr, int frame, const ArtContext& ctx, bool down) {
    beginKey(cr, ctx);
    const double w = ctx.shape.frameWidth();
    const double h = ctx.shape.frameHeight();
    const Rgb icon = drawKey(cr, 0, w, h, stateOfFrame(frame));
    setColour(cr, icon);
    cairo_rectangle(cr, 2.5, 10.0, w - 5, 1.3);
    cairo_fill(cr);
    const double cx = w / 2;
    if (down) {
        cairo_rectangle(cr, cx - 0.75, 3.0, 1.5, 3.2);
        cairo_fill(cr);
        cairo_move_to(cr, cx - 3.0, 5.8);
        cairo_line_to(cr, cx + 3.0, 5.8);
        cairo_line_to(cr, cx, 8.9);
    } else {
        cairo_rectangle(cr, cx - 0.75, 5.6, 1.5, 3.4);
        cairo_fill(cr);
        cairo_move_to(cr, cx - 3.0, 6.0);
        cairo_line_to(cr, cx + 3.0, 6.0);
        cairo_line_to(cr, cx, 2.8);
    }
    cairo_close_path(cr);
    cairo_fill(cr);
}

}  // namespace

void paintSaveButton(cairo_t* cr, int frame, const ArtContext& ctx) { drawTrayArrow(cr, frame, ctx, true); }

void paintLoadButton(cairo_t* cr, int frame, const ArtContext& ctx) { drawTrayArrow(cr, frame, ctx, false); }

void paintStoreButton(cairo_t* cr, int frame, const ArtContext& ctx) {
    beginKey(cr, ctx);
    const double w = ctx.shape.frameWidth();
    const double h = ctx.shape.frameHeight();
    const KeyState state = stateOfFrame(frame);
    drawKey(cr, 0, w, h, state);
    // The store key carries a red record dot.
    const Rgb dot = state == KeyState::Disabled ? rgb255(90, 60, 58)
                    : state == KeyState::Normal ? rgb255(214, 64, 48)
                                                : rgb255(255, 96, 70);
    cairo_arc(cr, w / 2, h / 2 - 0.5, 2.8, 0, 2 * std::numbers::pi);
    setColour(cr, dot);
    cairo_fill(cr);
}

void paintRecallButton(cairo_t* cr, int frame, const ArtContext& ctx) {
    beginKey(cr, ctx);
    const double w = ctx.shape.frameWidth();
    const double h = ctx.shape.frameHeight();
    const Rgb icon = drawKey(cr, 0, w, h, stateOfFrame(frame));
    setColour(cr, icon);
    cairo_move_to(cr, w / 2 - 2.2, h / 2 - 3.8);
    cairo_line_to(cr, w / 2 + 2.8, h / 2 - 0.5);
    cairo_line_to(cr, w / 2 - 2.2, h / 2 + 2.8);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void paintRocker(cairo_t* cr, int frame, const ArtContext& ctx) {
    // Frames: 0 normal, 1 left lit, 2 right lit, 3 left pressed, 4 right pressed.
    beginKey(cr, ctx);
    const double w = ctx.shape.frameWidth();
    const double h = ctx.shape.frameHeight();
    const double half = std::floor(w / 2);
    const KeyState left = frame == 1 ? KeyState::Lit : frame == 3 ? KeyState::Pressed : KeyState::Normal;
    const KeyState right = frame == 2 ? KeyState::Lit : frame == 4 ? KeyState::Pressed : KeyState::Normal;
    for (int side = 0; side < 2; ++side) {
        cairo_save(cr);
        const double x = side == 0 ? 0 : half;
        const double kw = side == 0 ? half : w - half;
        const Rgb icon = drawKey(cr, x, kw, h, side == 0 ? left : right);
        setColour(cr, icon);
        const double cx = x + kw / 2;
        const double cy = h / 2 - 0.5;
        const double dir = side == 0 ? -1.0 : 1.0;
        cairo_move_to(cr, cx + dir * 3.0, cy);
        cairo_line_to(cr, cx - dir * 2.2, cy - 3.4);
        cairo_line_to(cr, cx - dir * 2.2, cy + 3.4);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_restore(cr);
    }
}

}  // namespace ambrel::skin
