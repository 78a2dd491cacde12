#include "XSession.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>
#include <cairo.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace toolkit_test {

struct XSessionOwner {
    std::unique_ptr<XSession> session;
    std::string failure;
    bool tried = false;
    ~XSessionOwner() {
        if (session) {
            XSession* s = session.release();
            delete s;
        }
    }
};

namespace {

XSessionOwner& owner() {
    static XSessionOwner instance;
    return instance;
}

// Starts "Xvfb -displayfd" and returns its display name, or "" on failure.
std::string startXvfb(int& pid) {
    int fds[2];
    if (pipe(fds) != 0) return "";
    pid = fork();
    if (pid < 0) return "";
    if (pid == 0) {
        close(fds[0]);
        char fd[16];
        std::snprintf(fd, sizeof fd, "%d", fds[1]);
        int null = ::open("/dev/null", 0);
        if (null >= 0) {
            dup2(null, 1);
            dup2(null, 2);
        }
        execlp("Xvfb", "Xvfb", "-displayfd", fd, "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number.push_back(c);
    close(fds[0]);
    if (number.empty()) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = -1;
        return "";
    }
    return ":" + number;
}

}  // namespace

XSession* XSession::get(std::string* whyNot) {
    XSessionOwner& o = owner();
    if (!o.tried) {
        o.tried = true;
        int pid = -1;
        std::string name = startXvfb(pid);
        if (name.empty()) {
            // No Xvfb: the display the tests were given, if there is one.
            const char* given = std::getenv("DISPLAY");
            if (given && *given) name = given;
            pid = -1;
        }
        if (name.empty()) {
            o.failure = "Xvfb could not be started (is the xvfb package installed?) and no DISPLAY was given";
        } else {
            setenv("DISPLAY", name.c_str(), 1);
            Display* dpy = XOpenDisplay(name.c_str());
            int event = 0, error = 0, major = 0, minor = 0;
            if (!dpy) {
                o.failure = "the X server " + name + " did not accept a connection";
                if (pid > 0) {
                    kill(pid, SIGTERM);
                    waitpid(pid, nullptr, 0);
                }
            } else if (!XTestQueryExtension(dpy, &event, &error, &major, &minor)) {
                o.failure = "the X server has no XTest extension";
                XCloseDisplay(dpy);
                if (pid > 0) {
                    kill(pid, SIGTERM);
                    waitpid(pid, nullptr, 0);
                }
            } else {
                o.session.reset(new XSession(dpy, pid));
            }
        }
    }
    if (!o.session && whyNot) *whyNot = o.failure;
    return o.session.get();
}

XSession::~XSession() {
    XCloseDisplay(dpy);
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

Window XSession::makeHostWindow(int width, int height, int x, int y) {
    int screen = DefaultScreen(dpy);
    Window w = XCreateSimpleWindow(dpy, RootWindow(dpy, screen), x, y, static_cast<unsigned>(width),
                                   static_cast<unsigned>(height), 0, BlackPixel(dpy, screen), BlackPixel(dpy, screen));
    XStoreName(dpy, w, "host");
    XMapRaised(dpy, w);
    XSync(dpy, False);
    return w;
}

void XSession::destroyWindow(Window window) {
    XDestroyWindow(dpy, window);
    XSync(dpy, False);
}

void XSession::moveTo(int rootX, int rootY) {
    XTestFakeMotionEvent(dpy, DefaultScreen(dpy), rootX, rootY, CurrentTime);
    XSync(dpy, False);
}

void XSession::moveBy(int dx, int dy) {
    XTestFakeRelativeMotionEvent(dpy, dx, dy, CurrentTime);
    XSync(dpy, False);
}

void XSession::press(unsigned button) {
    XTestFakeButtonEvent(dpy, button, True, CurrentTime);
    XSync(dpy, False);
}

void XSession::release(unsigned button) {
    XTestFakeButtonEvent(dpy, button, False, CurrentTime);
    XSync(dpy, False);
}

void XSession::click(unsigned button) {
    press(button);
    release(button);
}

void XSession::keyDown(unsigned long keysym) {
    XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, keysym), True, CurrentTime);
    XSync(dpy, False);
}

void XSession::keyUp(unsigned long keysym) {
    XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, keysym), False, CurrentTime);
    XSync(dpy, False);
}

void XSession::tap(unsigned long keysym) {
    keyDown(keysym);
    keyUp(keysym);
}

void XSession::type(const char* text) {
    for (const char* p = text; *p; ++p) {
        char name[2] = {*p, 0};
        KeySym sym = XStringToKeysym(name);
        if (*p == ' ') sym = XK_space;
        bool upper = *p >= 'A' && *p <= 'Z';
        if (upper) {
            keyDown(XK_Shift_L);
            sym = XStringToKeysym(std::string(1, static_cast<char>(*p + 32)).c_str());
        }
        tap(sym);
        if (upper) keyUp(XK_Shift_L);
    }
}

void XSession::toRoot(Window window, int x, int y, int& rootX, int& rootY) {
    Window child = 0;
    XTranslateCoordinates(dpy, window, DefaultRootWindow(dpy), x, y, &rootX, &rootY, &child);
}

std::string XSession::screenshot(Window window, const std::string& name, int x, int y, int w, int h) {
    XSync(dpy, False);
    if (w <= 0 || h <= 0) {
        XWindowAttributes a;
        XGetWindowAttributes(dpy, window, &a);
        w = a.width;
        h = a.height;
    }
    XImage* image = XGetImage(dpy, window, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), AllPlanes, ZPixmap);
    if (!image) return "";
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int row = 0; row < h; ++row) {
        auto* out = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(row) * stride);
        for (int col = 0; col < w; ++col) out[col] = static_cast<std::uint32_t>(XGetPixel(image, col, row) & 0xFFFFFF);
    }
    cairo_surface_mark_dirty(surface);
    XDestroyImage(image);
    mkdir("screenshots", 0755);
    mkdir("screenshots/toolkit", 0755);
    std::string path = "screenshots/toolkit/" + name + ".png";
    cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    return path;
}

unsigned long XSession::pixel(Window window, int x, int y) {
    XSync(dpy, False);
    XImage* image = XGetImage(dpy, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0xFFFFFFFF;
    unsigned long value = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return value;
}

bool waitFor(const std::function<void()>& step, const std::function<bool()>& done) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < deadline) {
        step();
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

}  // namespace toolkit_test
