#include "platform/windows/Win32Window.h"

#include <windowsx.h>

#include "platform/windows/Msimg32.h"
#include "platform/windows/Win32Keys.h"
#include "platform/windows/Win32Module.h"
#include "platform/windows/Win32PopupMenu.h"
#include "toolkit/CButtons.h"

namespace VSTGUI::platform {

std::unique_ptr<NativeWindow> createWindow(void* parent, int width, int height) {
    return win32::Win32Window::create(static_cast<HWND>(parent), width, height);
}

namespace win32 {
namespace {

HWND gLastClicked = nullptr;

bool registerFrameClass() {
    static const bool registered = [] {
        const std::string name = frameWindowClassName();
        WNDCLASSA existing{};
        if (GetClassInfoA(thisModule(), name.c_str(), &existing)) return true;
        WNDCLASSA windowClass{};
        windowClass.style = CS_GLOBALCLASS;
        windowClass.lpfnWndProc = DefWindowProcA;  // each window installs its own procedure
        windowClass.hInstance = thisModule();
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = name.c_str();
        return RegisterClassA(&windowClass) != 0;
    }();
    return registered;
}

Event eventOf(Event::Type type) {
    Event event;
    event.type = type;
    return event;
}

constexpr char kFrameWindowProperty[] = "AmbrelFrameWindow";

}  // namespace

HWND lastClickedFrameWindow() { return gLastClicked && IsWindow(gLastClicked) ? gLastClicked : nullptr; }

std::unique_ptr<Win32Window> Win32Window::create(HWND parent, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    if (parent && !IsWindow(parent)) return nullptr;
    if (!registerFrameClass()) return nullptr;
    // The frame resolves the image library's functions as it opens.
    Msimg32::instance();
    auto window = std::unique_ptr<Win32Window>(new Win32Window(width, height));
    if (!window->back.valid()) return nullptr;
    DWORD style = parent ? WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN
                         : WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_CLIPCHILDREN;
    RECT outer{0, 0, width, height};
    if (!parent) AdjustWindowRect(&outer, style, FALSE);
    HWND hwnd = CreateWindowExA(0, frameWindowClassName().c_str(), "Window", style, parent ? 0 : CW_USEDEFAULT,
                                parent ? 0 : CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, parent,
                                nullptr, thisModule(), nullptr);
    if (!hwnd) return nullptr;
    window->hwnd = hwnd;
    window->host = parent;
    SetPropA(hwnd, kFrameWindowProperty, window.get());
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Window::windowProc));
    InvalidateRect(hwnd, nullptr, FALSE);
    return window;
}

Win32Window::Win32Window(int w, int h) : width(w), height(h), back(w, h) {}

Win32Window::~Win32Window() {
    *lifetime = false;
    popupRunning = false;
    edit.reset();
    if (hwnd) {
        HWND window = hwnd;
        hwnd = nullptr;
        RemovePropA(window, kFrameWindowProperty);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
        if (GetCapture() == window) ReleaseCapture();
        DestroyWindow(window);
        if (gLastClicked == window) gLastClicked = nullptr;
    }
}

LRESULT CALLBACK Win32Window::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<Win32Window*>(GetPropA(window, kFrameWindowProperty));
    if (!self || self->hwnd != window) return DefWindowProcA(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

void Win32Window::buttonDown(int button, LPARAM lParam) {
    gLastClicked = hwnd;
    SetCapture(hwnd);
    Event event = eventOf(Event::kButtonDown);
    event.where = CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    event.buttons = button | heldModifiers();
    push(event);
}

void Win32Window::buttonUp(LPARAM lParam) {
    if ((heldButtons() & (kLButton | kMButton | kRButton)) == 0 && GetCapture() == hwnd) ReleaseCapture();
    Event event = eventOf(Event::kButtonUp);
    event.where = CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    push(event);
}

LRESULT Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        const RECT& r = paint.rcPaint;
        GdiFlush();
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, back.dc(), r.left, r.top, SRCCOPY);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_ERASEBKGND: return 1;  // the back buffer covers everything
    case WM_LBUTTONDOWN: buttonDown(kLButton, lParam); return 0;
    case WM_MBUTTONDOWN: buttonDown(kMButton, lParam); return 0;
    case WM_RBUTTONDOWN: buttonDown(kRButton, lParam); return 0;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP: buttonUp(lParam); return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
        POINT where{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};  // screen coordinates
        ScreenToClient(hwnd, &where);
        Event event = eventOf(Event::kWheel);
        event.where = CPoint(where.x, where.y);
        event.buttons = heldModifiers();
        event.axis = message == WM_MOUSEWHEEL ? 1 : 0;
        event.distance = static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA;
        push(event);
        return 0;
    }
    case WM_KEYDOWN:
    case WM_KEYUP: {
        Event event = eventOf(message == WM_KEYDOWN ? Event::kKeyDown : Event::kKeyUp);
        event.key = translateKey(wParam);
        push(event);
        return 0;
    }
    case WM_CTLCOLOREDIT:
        if (edit && reinterpret_cast<HWND>(lParam) == edit->window()) return edit->colour(reinterpret_cast<HDC>(wParam));
        break;
    case WM_DESTROY: {
        // The host destroyed its window, and ours with it.
        RemovePropA(hwnd, kFrameWindowProperty);
        hwnd = nullptr;
        edit.reset();
        push(eventOf(Event::kDestroyed));
        return 0;
    }
    default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Win32Window::present(const CRect& area) {
    if (!hwnd) return;
    CRect r = area;
    r.bound(CRect(0, 0, width, height));
    if (r.isEmpty()) return;
    GdiFlush();
    HDC dc = GetDC(hwnd);
    if (!dc) return;
    BitBlt(dc, r.left, r.top, r.width(), r.height(), back.dc(), r.left, r.top, SRCCOPY);
    ReleaseDC(hwnd, dc);
    // The screen now shows this area; a pending paint of it is not needed.
    RECT done{r.left, r.top, r.right, r.bottom};
    ValidateRect(hwnd, &done);
}

void Win32Window::pump(UINT first, UINT last) {
    // Bounded, so a flood of messages never keeps the caller here.
    MSG message;
    for (int i = 0; i < 64 && hwnd && PeekMessageA(&message, hwnd, first, last, PM_REMOVE); ++i) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    for (int i = 0; i < 64 && edit && PeekMessageA(&message, edit->window(), first, last, PM_REMOVE); ++i) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool Win32Window::nextEvent(Event& event, bool exposeOnly) {
    if (exposeOnly) {
        // Paints are answered from the back buffer inside the window procedure.
        pump(WM_PAINT, WM_PAINT);
        for (auto it = queued.begin(); it != queued.end(); ++it) {
            if (it->type == Event::kDestroyed) {
                event = *it;
                queued.erase(it);
                return true;
            }
        }
        return false;
    }
    if (queued.empty()) pump(0, 0);
    if (queued.empty()) return false;
    event = queued.front();
    queued.pop_front();
    return true;
}

int Win32Window::mouseButtons() { return hwnd ? heldButtons() : 0; }

CPoint Win32Window::mouseLocation() {
    POINT where{};
    if (!hwnd || !GetCursorPos(&where) || !ScreenToClient(hwnd, &where)) return CPoint(-1, -1);
    return CPoint(where.x, where.y);
}

bool Win32Window::openEditBox(const EditBoxSpec& spec) {
    if (!hwnd) return false;
    edit.reset();
    edit = std::make_unique<Win32EditBox>(hwnd, spec, [this] { push(eventOf(Event::kEditBoxEnded)); });
    if (!edit->window()) {
        edit.reset();
        return false;
    }
    return true;
}

std::string Win32Window::editBoxText() const { return edit ? edit->text() : std::string(); }

bool Win32Window::editBoxKey(const VstKeyCode& key) {
    if (!edit) return false;
    if (edit->key(key)) push(eventOf(Event::kEditBoxEnded));
    return true;
}

void Win32Window::closeEditBox() {
    if (!edit) return;
    const bool hadFocus = GetFocus() == edit->window();
    edit.reset();
    // Pending events of the box go with it.
    for (auto it = queued.begin(); it != queued.end();) {
        it = it->type == Event::kEditBoxEnded ? queued.erase(it) : it + 1;
    }
    // The keyboard goes back to the host, so its shortcuts keep working.
    if (hadFocus && hwnd) SetFocus(host ? host : hwnd);
}

bool Win32Window::openPopupList(const PopupSpec& spec) {
    if (!hwnd || spec.entries.empty() || popupRunning) return false;
    if (GetCapture() == hwnd) ReleaseCapture();  // the menu tracks the mouse itself
    popupRunning = true;
    std::shared_ptr<bool> stillHere = lifetime;
    int chosen = runPopupMenu(hwnd, spec);
    // The frame (and this object) may have gone while the menu ran.
    if (!*stillHere) return true;
    popupRunning = false;
    Event closed = eventOf(Event::kPopupClosed);
    closed.index = chosen;
    push(closed);
    return true;
}

void Win32Window::closePopupList() {
    if (popupRunning) EndMenu();
}

}  // namespace win32
}  // namespace VSTGUI::platform
