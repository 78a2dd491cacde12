#pragma once
// The frame's window on Windows: a child window of the host's HWND (or a
// top-level window) of the class "Plugin%p" (the module handle), registered
// once per process. The toolkit draws into a DIB back buffer that WM_PAINT
// copies to the screen, so nothing flickers. Input messages become toolkit
// events, queued until the frame takes them; the frame's own pumping takes
// the window's pending messages too, so it works whether or not the host's
// message loop runs meanwhile. Buttons capture the mouse until released.

#include <windows.h>

#include <deque>
#include <memory>

#include "platform/windows/GdiDrawDevice.h"
#include "platform/windows/Win32EditBox.h"

namespace VSTGUI::platform::win32 {

class Win32Window final : public NativeWindow {
public:
    static std::unique_ptr<Win32Window> create(HWND parent, int width, int height);
    ~Win32Window() override;

    void* nativeHandle() const override { return hwnd; }
    DrawDevice& backBuffer() override { return back; }
    void present(const CRect& area) override;
    bool nextEvent(Event& event, bool exposeOnly) override;
    int mouseButtons() override;
    CPoint mouseLocation() override;
    bool alive() const override { return hwnd != nullptr; }
    int doubleClickTime() const override { return static_cast<int>(GetDoubleClickTime()); }

    bool openEditBox(const EditBoxSpec& spec) override;
    bool editBoxOpen() const override { return edit != nullptr; }
    std::string editBoxText() const override;
    bool editBoxKey(const VstKeyCode& key) override;
    void closeEditBox() override;

    bool openPopupList(const PopupSpec& spec) override;
    bool popupListOpen() const override { return popupRunning; }
    void closePopupList() override;

private:
    Win32Window(int width, int height);
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void push(const Event& event) { queued.push_back(event); }
    void buttonDown(int button, LPARAM lParam);
    void buttonUp(LPARAM lParam);
    void pump(UINT first, UINT last);

    HWND hwnd = nullptr;
    HWND host = nullptr;
    int width;
    int height;
    GdiDrawDevice back;
    std::unique_ptr<Win32EditBox> edit;
    bool popupRunning = false;
    std::shared_ptr<bool> lifetime = std::make_shared<bool>(true);
    std::deque<Event> queued;
};

// The frame window that took the last mouse click, if it still exists: the
// owner of the file dialogs the click opens.
HWND lastClickedFrameWindow();

}  // namespace VSTGUI::platform::win32
