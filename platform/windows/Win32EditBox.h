#pragma once
// The text field's edit box on Windows: a real "EDIT" child window over the
// control, single line, auto-scrolling, aligned like the control, in the
// control's face at its size and weight, with its margins and colours, all
// text selected and the keyboard focus given to it. Enter or the box losing
// the focus ends the edit; Escape restores the text it opened with and ends it.

#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/PlatformSeam.h"

namespace VSTGUI::platform::win32 {

class Win32EditBox {
public:
    // ended is called (from the box's window procedure) when the edit ends.
    Win32EditBox(HWND parent, const EditBoxSpec& spec, std::function<void()> ended);
    ~Win32EditBox();
    Win32EditBox(const Win32EditBox&) = delete;
    Win32EditBox& operator=(const Win32EditBox&) = delete;

    HWND window() const { return box; }
    std::string text() const;
    // A key the host passed on; true when it ends the edit.
    bool key(const VstKeyCode& key);
    // The colours of the box, for the parent's WM_CTLCOLOREDIT.
    LRESULT colour(HDC dc) const;

private:
    static LRESULT CALLBACK boxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void restore();

    HWND box = nullptr;
    WNDPROC original = nullptr;
    HBRUSH background = nullptr;
    EditBoxSpec spec;
    std::function<void()> onEnded;
    bool closing = false;
};

}  // namespace VSTGUI::platform::win32
