#include "GuiHarness.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cairo.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <list>

#include "toolkit/BitmapResources.h"
#include "toolkit/CFrame.h"

namespace editor_test {
namespace {

void put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

// A whole 24-bit bottom-up .bmp file.
std::vector<unsigned char> bmp24(int width, int height, const std::function<std::uint32_t(int, int)>& pixel) {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::vector<unsigned char> b(54 + stride * height, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<std::uint32_t>(b.size()));
    put32(b, 10, 54);
    put32(b, 14, 40);
    put32(b, 18, static_cast<std::uint32_t>(width));
    put32(b, 22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = 24;
    for (int y = 0; y < height; ++y) {
        const std::size_t row = 54 + stride * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = pixel(x, y);
            b[row + 3 * x] = c & 0xFF;
            b[row + 3 * x + 1] = (c >> 8) & 0xFF;
            b[row + 3 * x + 2] = (c >> 16) & 0xFF;
        }
    }
    return b;
}

void keep(int id, std::vector<unsigned char> file) {
    static std::list<std::vector<unsigned char>> files;
    files.push_back(std::move(file));
    VSTGUI::registerBitmapResource(id, files.back().data(), files.back().size());
}

std::uint32_t framed(std::uint32_t fill, int x, int y, int w, int h) {
    const bool border = x == 0 || y == 0 || x == w - 1 || y == h - 1;
    return border ? (fill >> 1) & 0x7F7F7F : fill;
}

}  // namespace

std::uint32_t stripColour(int base, int frame) {
    // Red carries the frame number, green the picture, blue a constant.
    return (static_cast<std::uint32_t>(frame * 2 + 10) << 16) | (static_cast<std::uint32_t>(base & 0xFF) << 8) | 0x80;
}

void registerStrip(int id, int width, int frameHeight, int frames, int base) {
    keep(id, bmp24(width, frameHeight * frames, [=](int x, int y) {
             return framed(stripColour(base, y / frameHeight), x, y % frameHeight, width, frameHeight);
         }));
}

void registerGridStrip(int id, int frameWidth, int frameHeight, int columns, int rows, int base) {
    keep(id, bmp24(frameWidth * columns, frameHeight * rows, [=](int x, int y) {
             const int frame = (x / frameWidth) * rows + y / frameHeight;
             return framed(stripColour(base, frame), x % frameWidth, y % frameHeight, frameWidth, frameHeight);
         }));
}

void registerPlain(int id, int width, int height, std::uint32_t colour) {
    keep(id, bmp24(width, height, [=](int, int) { return colour; }));
}

void TestEditor::doIdleStuff() {
    ++idlePasses;
    if (!script.empty()) {
        auto step = std::move(script.front());
        script.pop_front();
        step();
    } else if (releaseAll) {
        releaseAll();
    }
    AEffGUIEditor::idle();
}

// A private X server for this test program, so tests running side by side
// never move each other's pointer: "Xvfb -displayfd" tells the number it took.
// -noreset keeps it from resetting whenever its last client leaves.
class PrivateServer {
public:
    PrivateServer() {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid = fork();
        if (pid < 0) return;
        if (pid == 0) {
            close(fds[0]);
            char fd[16];
            std::snprintf(fd, sizeof fd, "%d", fds[1]);
            const int null = ::open("/dev/null", O_WRONLY);
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
        if (number.empty()) stop();
        else name = ":" + number;
    }
    ~PrivateServer() { stop(); }
    void stop() {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        pid = -1;
    }
    std::string name;

private:
    pid_t pid = -1;
};

// One connection for the whole test program, on the private server (or, when
// Xvfb cannot be started, the display the tests were given). The frames'
// windows open theirs on the same server through DISPLAY.
Display* testDisplay() {
    static PrivateServer server;
    static Display* display = [] {
        if (!server.name.empty()) setenv("DISPLAY", server.name.c_str(), 1);
        Display* d = nullptr;
        for (int attempt = 0; attempt < 50 && !d; ++attempt) {
            d = XOpenDisplay(nullptr);
            if (!d) usleep(20000);
        }
        int event = 0, error = 0, major = 0, minor = 0;
        if (d && !XTestQueryExtension(d, &event, &error, &major, &minor)) {
            XCloseDisplay(d);
            d = nullptr;
        }
        return d;
    }();
    return display;
}

XInput::XInput() : dpy(testDisplay()) {}

XInput::~XInput() {
    if (dpy) releaseEverything();
}

void XInput::attach(VSTGUI::CFrame* frame) {
    window = static_cast<Window>(reinterpret_cast<std::uintptr_t>(frame->getNativeWindow()));
    width = frame->getWidth();
    height = frame->getHeight();
    // Wait until the server shows the window, so input and pictures reach it.
    for (int i = 0; i < 400; ++i) {
        XWindowAttributes attributes{};
        if (window && XGetWindowAttributes(dpy, window, &attributes) && attributes.map_state == IsViewable) break;
        frame->idle();
        usleep(2000);
    }
    // Away from the screen's edges, so drags have room in every direction.
    XMoveWindow(dpy, window, 300, 400);
    XRaiseWindow(dpy, window);
    sync();
    frame->setDirty(true);
    pump(frame);
}

void XInput::sync() { XSync(dpy, False); }

void XInput::moveTo(int x, int y) {
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(dpy, window, DefaultRootWindow(dpy), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(dpy, DefaultScreen(dpy), rootX, rootY, 0);
    sync();
}

void XInput::press(int button) {
    XTestFakeButtonEvent(dpy, static_cast<unsigned>(button), True, 0);
    buttonsDown.push_back(button);
    sync();
}

void XInput::release(int button) {
    auto at = std::find(buttonsDown.begin(), buttonsDown.end(), button);
    if (at == buttonsDown.end()) return;
    buttonsDown.erase(at);
    XTestFakeButtonEvent(dpy, static_cast<unsigned>(button), False, 0);
    sync();
}

void XInput::keyDown(unsigned long keysym) {
    XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, keysym), True, 0);
    keysDown.push_back(keysym);
    sync();
}

void XInput::keyUp(unsigned long keysym) {
    auto at = std::find(keysDown.begin(), keysDown.end(), keysym);
    if (at == keysDown.end()) return;
    keysDown.erase(at);
    XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, keysym), False, 0);
    sync();
}

void XInput::type(const std::string& text) {
    for (char c : text) {
        const char name[2] = {c, 0};
        KeySym sym = c == '.' ? XK_period : c == '-' ? XK_minus : c == ' ' ? XK_space : XStringToKeysym(name);
        const bool shifted = c >= 'A' && c <= 'Z';
        if (shifted) keyDown(XK_Shift_L);
        keyDown(sym);
        keyUp(sym);
        if (shifted) keyUp(XK_Shift_L);
    }
}

void XInput::wheel(int notches) {
    const unsigned button = notches > 0 ? 4 : 5;
    for (int i = 0; i < std::abs(notches); ++i) {
        XTestFakeButtonEvent(dpy, button, True, 0);
        XTestFakeButtonEvent(dpy, button, False, 0);
    }
    sync();
}

void XInput::releaseEverything() {
    while (!buttonsDown.empty()) release(buttonsDown.back());
    while (!keysDown.empty()) keyUp(keysDown.back());
}

std::uint32_t XInput::pixel(int x, int y) {
    XImage* image = XGetImage(dpy, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0xFFFFFFFF;
    const std::uint32_t value = static_cast<std::uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
    XDestroyImage(image);
    return value;
}

bool XInput::screenshot(const std::string& name) {
    XImage* image = XGetImage(dpy, window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (!image) return false;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) row[x] = static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF;
    }
    cairo_surface_mark_dirty(surface);
    XDestroyImage(image);
    // Next to the test program, inside the build folder.
    std::error_code error;
    const auto folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path() / "editor-screens";
    std::filesystem::create_directories(folder, error);
    const bool saved = cairo_surface_write_to_png(surface, (folder / (name + ".png")).c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return saved;
}

void pump(VSTGUI::CFrame* frame, int passes) {
    for (int i = 0; i < passes; ++i) {
        frame->idle();
        usleep(1000);
    }
}

}  // namespace editor_test
