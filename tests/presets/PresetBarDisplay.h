#pragma once
// A private X server for one test process (Xvfb picks a free display number
// itself, so tests running side by side never share a pointer), with real
// input through XTest and screenshots as PNG.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cairo-xlib.h>
#include <cairo.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace ambrel::testing {

class PrivateDisplay {
public:
    PrivateDisplay() {
        // A window the test looks at may go between two requests (a dialog
        // closing): that is no failure of the test's own connection.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        int ends[2];
        if (::pipe(ends) != 0) return;
        const std::string fd = std::to_string(ends[1]);
        const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x600x24", "-nolisten", "tcp",
                              nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclose(&actions, ends[0]);
        const int spawned = posix_spawnp(&server, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(ends[1]);
        if (spawned != 0) {
            server = -1;
            ::close(ends[0]);
            return;
        }
        std::string number;
        pollfd entry{ends[0], POLLIN, 0};
        char c = 0;
        while (::poll(&entry, 1, 10000) > 0 && ::read(ends[0], &c, 1) == 1 && c != '\n') number.push_back(c);
        ::close(ends[0]);
        if (number.empty()) return;
        name = ":" + number;
        ::setenv("DISPLAY", name.c_str(), 1);
        dpy = XOpenDisplay(name.c_str());
    }
    ~PrivateDisplay() {
        if (dpy) XCloseDisplay(dpy);
        if (server > 0) {
            ::kill(server, SIGTERM);
            ::waitpid(server, nullptr, 0);
        }
    }
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    bool ok() const { return dpy != nullptr; }
    Display* display() const { return dpy; }
    const std::string& displayName() const { return name; }

    // Input, in screen pixels; each call reaches the server before it returns.
    void moveTo(int x, int y) {
        XTestFakeMotionEvent(dpy, -1, x, y, CurrentTime);
        XSync(dpy, False);
    }
    void press(unsigned button = 1) {
        XTestFakeButtonEvent(dpy, button, True, CurrentTime);
        XSync(dpy, False);
    }
    void release(unsigned button = 1) {
        XTestFakeButtonEvent(dpy, button, False, CurrentTime);
        XSync(dpy, False);
    }
    void click(int x, int y) {
        moveTo(x, y);
        press();
        release();
    }
    void key(KeySym symbol) {
        const KeyCode code = XKeysymToKeycode(dpy, symbol);
        XTestFakeKeyEvent(dpy, code, True, CurrentTime);
        XTestFakeKeyEvent(dpy, code, False, CurrentTime);
        XSync(dpy, False);
    }
    void shiftedKey(KeySym symbol) {
        const KeyCode shift = XKeysymToKeycode(dpy, XK_Shift_L);
        XTestFakeKeyEvent(dpy, shift, True, CurrentTime);
        key(symbol);
        XTestFakeKeyEvent(dpy, shift, False, CurrentTime);
        XSync(dpy, False);
    }
    // Letters, digits, blanks, '/', '.', '-' and '_'.
    void type(const std::string& text) {
        for (char c : text) {
            if (c >= 'A' && c <= 'Z') {
                shiftedKey(static_cast<KeySym>(c - 'A' + 'a'));
                continue;
            }
            switch (c) {
                case '/': key(XK_slash); break;
                case '.': key(XK_period); break;
                case '-': key(XK_minus); break;
                case ' ': key(XK_space); break;
                case '_': shiftedKey(XK_minus); break;
                default: key(static_cast<KeySym>(static_cast<unsigned char>(c))); break;
            }
        }
    }

    // The topmost mapped override-redirect window (a pop-up list), or 0.
    ::Window topmostPopup(XWindowAttributes& attributes) {
        ::Window rootOut = 0;
        ::Window parent = 0;
        ::Window* children = nullptr;
        unsigned count = 0;
        ::Window found = 0;
        if (XQueryTree(dpy, DefaultRootWindow(dpy), &rootOut, &parent, &children, &count)) {
            for (unsigned i = count; i-- > 0 && !found;) {
                XWindowAttributes a;
                if (XGetWindowAttributes(dpy, children[i], &a) && a.override_redirect && a.map_state == IsViewable) {
                    found = children[i];
                    attributes = a;
                }
            }
            if (children) XFree(children);
        }
        return found;
    }

    // The screen's area as a PNG below the screenshot folder; returns the path.
    std::string screenshot(const std::string& fileName, int x, int y, int width, int height) {
        const std::filesystem::path folder = screenshotFolder();
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        const std::string path = (folder / fileName).string();
        const int screen = DefaultScreen(dpy);
        cairo_surface_t* root = cairo_xlib_surface_create(dpy, RootWindow(dpy, screen), DefaultVisual(dpy, screen),
                                                          DisplayWidth(dpy, screen), DisplayHeight(dpy, screen));
        cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
        cairo_t* cr = cairo_create(image);
        cairo_set_source_surface(cr, root, -x, -y);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_write_to_png(image, path.c_str());
        cairo_surface_destroy(image);
        cairo_surface_destroy(root);
        return path;
    }

    // Screenshots go to $AMBREL_SCREENSHOT_DIR, else to "screenshots" in the working folder.
    static std::filesystem::path screenshotFolder() {
        if (const char* folder = std::getenv("AMBREL_SCREENSHOT_DIR")) return folder;
        return "screenshots";
    }

    // A top-level window whose name is `title`, or 0.
    ::Window findWindow(const std::string& title) {
        ::Window rootOut = 0;
        ::Window parent = 0;
        ::Window* children = nullptr;
        unsigned count = 0;
        ::Window found = 0;
        if (XQueryTree(dpy, DefaultRootWindow(dpy), &rootOut, &parent, &children, &count)) {
            for (unsigned i = 0; i < count && !found; ++i) {
                char* windowName = nullptr;
                if (XFetchName(dpy, children[i], &windowName) && windowName) {
                    if (title == windowName) found = children[i];
                    XFree(windowName);
                }
            }
            if (children) XFree(children);
        }
        return found;
    }

private:
    pid_t server = -1;
    Display* dpy = nullptr;
    std::string name;
};

}  // namespace ambrel::testing
