#include "platform/linux/X11Keys.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cctype>

#include "toolkit/CButtons.h"

namespace VSTGUI::platform::x11 {
namespace {

int namedKey(KeySym sym) {
    switch (sym) {
    case XK_BackSpace: return VKEY_BACK;
    case XK_Tab: case XK_ISO_Left_Tab: return VKEY_TAB;
    case XK_Clear: return VKEY_CLEAR;
    case XK_Return: return VKEY_RETURN;
    case XK_Pause: return VKEY_PAUSE;
    case XK_Escape: return VKEY_ESCAPE;
    case XK_space: return VKEY_SPACE;
    case XK_End: case XK_KP_End: return VKEY_END;
    case XK_Home: case XK_KP_Home: return VKEY_HOME;
    case XK_Left: case XK_KP_Left: return VKEY_LEFT;
    case XK_Up: case XK_KP_Up: return VKEY_UP;
    case XK_Right: case XK_KP_Right: return VKEY_RIGHT;
    case XK_Down: case XK_KP_Down: return VKEY_DOWN;
    case XK_Page_Up: case XK_KP_Page_Up: return VKEY_PAGEUP;
    case XK_Page_Down: case XK_KP_Page_Down: return VKEY_PAGEDOWN;
    case XK_Select: return VKEY_SELECT;
    case XK_Print: return VKEY_PRINT;
    case XK_KP_Enter: return VKEY_ENTER;
    case XK_Insert: case XK_KP_Insert: return VKEY_INSERT;
    case XK_Delete: case XK_KP_Delete: return VKEY_DELETE;
    case XK_Help: return VKEY_HELP;
    case XK_KP_Multiply: return VKEY_MULTIPLY;
    case XK_KP_Add: return VKEY_ADD;
    case XK_KP_Separator: return VKEY_SEPARATOR;
    case XK_KP_Subtract: return VKEY_SUBTRACT;
    case XK_KP_Decimal: return VKEY_DECIMAL;
    case XK_KP_Divide: return VKEY_DIVIDE;
    case XK_Num_Lock: return VKEY_NUMLOCK;
    case XK_Scroll_Lock: return VKEY_SCROLL;
    case XK_Shift_L: case XK_Shift_R: return VKEY_SHIFT;
    case XK_Control_L: case XK_Control_R: return VKEY_CONTROL;
    case XK_Alt_L: case XK_Alt_R: return VKEY_ALT;
    case XK_KP_Equal: return VKEY_EQUALS;
    default: break;
    }
    if (sym >= XK_KP_0 && sym <= XK_KP_9) return VKEY_NUMPAD0 + static_cast<int>(sym - XK_KP_0);
    if (sym >= XK_F1 && sym <= XK_F12) return VKEY_F1 + static_cast<int>(sym - XK_F1);
    return 0;
}

}  // namespace

VstKeyCode translateKey(XKeyEvent& event) {
    VstKeyCode key{};
    char text[8] = {};
    KeySym sym = NoSymbol;
    int length = XLookupString(&event, text, sizeof text, &sym, nullptr);
    key.virt = static_cast<unsigned char>(namedKey(sym));
    if (key.virt == VKEY_SPACE) key.character = ' ';
    else if (!key.virt && length == 1 && static_cast<unsigned char>(text[0]) >= 0x20 && text[0] != 0x7F) {
        key.character = std::tolower(static_cast<unsigned char>(text[0]));
    } else if (!key.virt && sym >= 0x20 && sym <= 0xFF) {
        key.character = std::tolower(static_cast<int>(sym));  // a Latin-1 key under Control
    }
    if (event.state & ShiftMask) key.modifier |= MODIFIER_SHIFT;
    if (event.state & Mod1Mask) key.modifier |= MODIFIER_ALTERNATE;
    if (event.state & ControlMask) key.modifier |= MODIFIER_CONTROL;
    if (event.state & Mod4Mask) key.modifier |= MODIFIER_COMMAND;
    return key;
}

int toolkitButtons(unsigned int state) {
    int buttons = 0;
    if (state & Button1Mask) buttons |= kLButton;
    if (state & Button2Mask) buttons |= kMButton;
    if (state & Button3Mask) buttons |= kRButton;
    if (state & ShiftMask) buttons |= kShift;
    if (state & ControlMask) buttons |= kControl;
    if (state & Mod1Mask) buttons |= kAlt;
    if (state & Mod4Mask) buttons |= kApple;
    return buttons;
}

}  // namespace VSTGUI::platform::x11
