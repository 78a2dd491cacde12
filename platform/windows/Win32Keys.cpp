#include "platform/windows/Win32Keys.h"

#include <cctype>

#include "toolkit/CButtons.h"

namespace VSTGUI::platform::win32 {
namespace {

int namedKey(WPARAM vk) {
    switch (vk) {
    case VK_BACK: return VKEY_BACK;
    case VK_TAB: return VKEY_TAB;
    case VK_CLEAR: return VKEY_CLEAR;
    case VK_RETURN: return VKEY_RETURN;
    case VK_PAUSE: return VKEY_PAUSE;
    case VK_ESCAPE: return VKEY_ESCAPE;
    case VK_SPACE: return VKEY_SPACE;
    case VK_NEXT: return VKEY_PAGEDOWN;
    case VK_PRIOR: return VKEY_PAGEUP;
    case VK_END: return VKEY_END;
    case VK_HOME: return VKEY_HOME;
    case VK_LEFT: return VKEY_LEFT;
    case VK_UP: return VKEY_UP;
    case VK_RIGHT: return VKEY_RIGHT;
    case VK_DOWN: return VKEY_DOWN;
    case VK_SELECT: return VKEY_SELECT;
    case VK_PRINT: return VKEY_PRINT;
    case VK_SNAPSHOT: return VKEY_SNAPSHOT;
    case VK_INSERT: return VKEY_INSERT;
    case VK_DELETE: return VKEY_DELETE;
    case VK_HELP: return VKEY_HELP;
    case VK_MULTIPLY: return VKEY_MULTIPLY;
    case VK_ADD: return VKEY_ADD;
    case VK_SEPARATOR: return VKEY_SEPARATOR;
    case VK_SUBTRACT: return VKEY_SUBTRACT;
    case VK_DECIMAL: return VKEY_DECIMAL;
    case VK_DIVIDE: return VKEY_DIVIDE;
    case VK_NUMLOCK: return VKEY_NUMLOCK;
    case VK_SCROLL: return VKEY_SCROLL;
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: return VKEY_SHIFT;
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: return VKEY_CONTROL;
    case VK_MENU: case VK_LMENU: case VK_RMENU: return VKEY_ALT;
    default: break;
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return VKEY_NUMPAD0 + static_cast<int>(vk - VK_NUMPAD0);
    if (vk >= VK_F1 && vk <= VK_F12) return VKEY_F1 + static_cast<int>(vk - VK_F1);
    return 0;
}

bool held(int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; }

}  // namespace

VstKeyCode translateKey(WPARAM virtualKey) {
    VstKeyCode key{};
    key.virt = static_cast<unsigned char>(namedKey(virtualKey));
    if (key.virt == VKEY_SPACE) {
        key.character = ' ';
    } else if (!key.virt) {
        UINT c = MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_CHAR) & 0x7FFFFFFFu;
        if (c >= 0x20 && c != 0x7F && c <= 0xFF) key.character = std::tolower(static_cast<int>(c));
    }
    if (held(VK_SHIFT)) key.modifier |= MODIFIER_SHIFT;
    if (held(VK_MENU)) key.modifier |= MODIFIER_ALTERNATE;
    if (held(VK_CONTROL)) key.modifier |= MODIFIER_CONTROL;
    return key;
}

int heldModifiers() {
    int buttons = 0;
    if (held(VK_SHIFT)) buttons |= kShift;
    if (held(VK_CONTROL)) buttons |= kControl;
    if (held(VK_MENU)) buttons |= kAlt;
    return buttons;
}

int heldButtons() {
    // The key state reads the physical buttons; the toolkit wants the logical ones.
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    int buttons = heldModifiers();
    if (held(swapped ? VK_RBUTTON : VK_LBUTTON)) buttons |= kLButton;
    if (held(VK_MBUTTON)) buttons |= kMButton;
    if (held(swapped ? VK_LBUTTON : VK_RBUTTON)) buttons |= kRButton;
    return buttons;
}

}  // namespace VSTGUI::platform::win32
