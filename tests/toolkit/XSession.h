#pragma once
// A private X server for the GUI tests (Xvfb, started once per test process,
// so tests that move the pointer never disturb each other or a desktop), a
// connection of the test's own for the host's parent window and for real input
// through the XTest extension, and screenshots as PNG files.

#include <X11/Xlib.h>

#include <functional>
#include <string>

namespace toolkit_test {

class XSession {
public:
    // Null (with a reason) when no X server could be started.
    static XSession* get(std::string* whyNot = nullptr);

    Display* display() const { return dpy; }
    // A top-level window standing in for the host's editor window, mapped at (x, y).
    Window makeHostWindow(int width, int height, int x = 0, int y = 0);
    void destroyWindow(Window window);

    void moveTo(int rootX, int rootY);
    void moveBy(int dx, int dy);
    void press(unsigned button = 1);
    void release(unsigned button = 1);
    void click(unsigned button = 1);
    void keyDown(unsigned long keysym);
    void keyUp(unsigned long keysym);
    void tap(unsigned long keysym);
    void type(const char* text);
    // Window coordinates of window at (x, y) on the screen.
    void toRoot(Window window, int x, int y, int& rootX, int& rootY);
    // Writes what the server shows of window (rectangle w by h at x, y) to a PNG under
    // screenshots/ in the working folder (the build tree); returns the path.
    std::string screenshot(Window window, const std::string& name, int x = 0, int y = 0, int w = 0, int h = 0);
    // The colour the server shows at a window point (0x00RRGGBB).
    unsigned long pixel(Window window, int x, int y);

    ~XSession();

private:
    XSession(Display* display, int serverPid) : dpy(display), pid(serverPid) {}
    Display* dpy;
    int pid;
    friend struct XSessionOwner;
};

// Calls step until done() holds or three seconds pass; true when it held.
bool waitFor(const std::function<void()>& step, const std::function<bool()>& done);

}  // namespace toolkit_test
