#include "platform/windows/Win32EditBox.h"

#include <algorithm>

#include "platform/windows/GdiFonts.h"
#include "platform/windows/Win32Module.h"

namespace VSTGUI::platform::win32 {
namespace {
constexpr char kEditBoxProperty[] = "AmbrelEditBox";
}

Win32EditBox::Win32EditBox(HWND parent, const EditBoxSpec& boxSpec, std::function<void()> ended)
    : spec(boxSpec), onEnded(std::move(ended)) {
    DWORD alignment = spec.align == 1 ? ES_CENTER : spec.align == 2 ? ES_RIGHT : ES_LEFT;
    box = CreateWindowExA(0, "EDIT", spec.text.c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | alignment,
                          spec.area.left, spec.area.top, std::max(1, spec.area.width()),
                          std::max(1, spec.area.height()), parent, nullptr, thisModule(), nullptr);
    if (!box) return;
    background = CreateSolidBrush(RGB(spec.backColor.red, spec.backColor.green, spec.backColor.blue));
    SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(gdiFont(spec.font)), FALSE);
    SendMessageA(box, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(spec.margin, spec.margin));
    SendMessageA(box, EM_SETLIMITTEXT, static_cast<WPARAM>(spec.maxLength), 0);
    SetPropA(box, kEditBoxProperty, this);
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32EditBox::boxProc)));
    SetFocus(box);
    SendMessageA(box, EM_SETSEL, 0, -1);
}

Win32EditBox::~Win32EditBox() {
    closing = true;
    if (box && IsWindow(box)) {
        SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropA(box, kEditBoxProperty);
        DestroyWindow(box);
    }
    if (background) DeleteObject(background);
}

std::string Win32EditBox::text() const {
    if (!box) return spec.text;
    char buffer[1024] = {};
    GetWindowTextA(box, buffer, sizeof buffer);
    return buffer;
}

void Win32EditBox::restore() { SetWindowTextA(box, spec.text.c_str()); }

LRESULT Win32EditBox::colour(HDC dc) const {
    SetTextColor(dc, RGB(spec.fontColor.red, spec.fontColor.green, spec.fontColor.blue));
    SetBkColor(dc, RGB(spec.backColor.red, spec.backColor.green, spec.backColor.blue));
    return reinterpret_cast<LRESULT>(background);
}

bool Win32EditBox::key(const VstKeyCode& code) {
    if (!box) return false;
    switch (code.virt) {
    case VKEY_ESCAPE: restore(); return true;
    case VKEY_RETURN:
    case VKEY_ENTER: return true;
    case VKEY_BACK: SendMessageA(box, WM_CHAR, VK_BACK, 0); return false;
    case VKEY_DELETE: SendMessageA(box, WM_KEYDOWN, VK_DELETE, 0); return false;
    case VKEY_LEFT: SendMessageA(box, WM_KEYDOWN, VK_LEFT, 0); return false;
    case VKEY_RIGHT: SendMessageA(box, WM_KEYDOWN, VK_RIGHT, 0); return false;
    case VKEY_HOME: SendMessageA(box, WM_KEYDOWN, VK_HOME, 0); return false;
    case VKEY_END: SendMessageA(box, WM_KEYDOWN, VK_END, 0); return false;
    default: break;
    }
    int character = code.virt == VKEY_SPACE ? ' ' : code.virt ? 0 : code.character;
    if (character && (code.modifier & MODIFIER_SHIFT) && character >= 'a' && character <= 'z') character -= 32;
    if (character > 0 && character < 256) SendMessageA(box, WM_CHAR, static_cast<WPARAM>(character), 0);
    return false;
}

LRESULT CALLBACK Win32EditBox::boxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<Win32EditBox*>(GetPropA(window, kEditBoxProperty));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS | CallWindowProcA(self->original, window, message, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            if (wParam == VK_ESCAPE) self->restore();
            if (!self->closing && self->onEnded) self->onEnded();
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r' || wParam == 27) return 0;  // no beep for the keys handled above
        break;
    case WM_KILLFOCUS:
        if (!self->closing && self->onEnded) self->onEnded();
        break;
    default: break;
    }
    return CallWindowProcA(self->original, window, message, wParam, lParam);
}

}  // namespace VSTGUI::platform::win32
