#include "EditorPluginHost.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace editor_plugin_test {

HostLog& HostLog::instance() {
    static HostLog log;
    return log;
}

VstIntPtr HostLog::callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
    HostLog& log = instance();
    switch (opcode) {
        case audioMasterVersion: return 2400;
        case audioMasterGetSampleRate: return 44100;
        case audioMasterGetBlockSize: return 512;
        case audioMasterAutomate:
        case audioMasterBeginEdit:
        case audioMasterEndEdit: log.calls.push_back({opcode, index, opt}); return 1;
        case audioMasterIdle:
            ++log.idleRequests;
            if (!log.script.empty()) {
                auto step = std::move(log.script.front());
                log.script.pop_front();
                step();
            }
            return 1;
        default: return 0;
    }
}

std::vector<HostCall> HostLog::edits() const {
    std::vector<HostCall> out;
    for (const HostCall& c : calls)
        if (c.opcode == audioMasterAutomate || c.opcode == audioMasterBeginEdit || c.opcode == audioMasterEndEdit)
            out.push_back(c);
    return out;
}

int Picture::differingPixels(const Picture& other) const {
    if (width != other.width || height != other.height) return width * height;
    int n = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) n += pixels[i] != other.pixels[i];
    return n;
}

std::string Picture::differenceBounds(const Picture& other) const {
    if (width != other.width || height != other.height) return "sizes differ";
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (at(x, y) != other.at(x, y)) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
    if (right < 0) return "none";
    return std::to_string(left) + "," + std::to_string(top) + "-" + std::to_string(right) + "," + std::to_string(bottom);
}

EditorPluginHost::EditorPluginHost(const char* path) : binary(path) {
    plugintest::useTemporarySettingsFolder();
    dpy = editor_test::testDisplay();  // also points DISPLAY at the private server
    if (!binary.loaded()) return;
    effect = binary.createWith(&HostLog::callback);
    if (!effect || !dpy) return;
    hostWindow = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, kWidth, kHeight, 0, 0, 0x303030);
    XMapWindow(dpy, hostWindow);
    // Away from the screen's edges, so drags have room in every direction.
    XMoveWindow(dpy, hostWindow, 300, 300);
    for (int i = 0; i < 400; ++i) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(dpy, hostWindow, &a) && a.map_state == IsViewable) break;
        usleep(2000);
    }
    sync();
}

EditorPluginHost::~EditorPluginHost() {
    if (dpy) releaseEverything();
    if (effect) dispatch(effClose);
    if (dpy && hostWindow) {
        XDestroyWindow(dpy, hostWindow);
        sync();
    }
}

VstIntPtr EditorPluginHost::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

bool EditorPluginHost::childShown() {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    bool shown = false;
    if (XQueryTree(dpy, hostWindow, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes a{};
            if (XGetWindowAttributes(dpy, children[i], &a) && a.map_state == IsViewable) shown = true;
        }
        if (children) XFree(children);
    }
    return shown;
}

bool EditorPluginHost::openEditor() {
    void* parent = reinterpret_cast<void*>(static_cast<std::uintptr_t>(hostWindow));
    if (dispatch(effEditOpen, 0, 0, parent) != 1) return false;
    for (int i = 0; i < 400 && !childShown(); ++i) {
        dispatch(effEditIdle);
        usleep(2000);
    }
    idle(12);
    return childShown();
}

void EditorPluginHost::closeEditor() {
    dispatch(effEditClose);
    sync();
}

void EditorPluginHost::idle(int passes) {
    for (int i = 0; i < passes; ++i) {
        sync();
        dispatch(effEditIdle);
        usleep(1500);
    }
    sync();
}

void EditorPluginHost::resume() {
    dispatch(effMainsChanged, 0, 0);
    dispatch(effMainsChanged, 0, 1);
}

std::vector<float> EditorPluginHost::process(const std::vector<float>& input) {
    std::vector<float> left(input), right(input), outLeft(input.size()), outRight(input.size());
    float* in[2] = {left.data(), right.data()};
    float* out[2] = {outLeft.data(), outRight.data()};
    effect->processReplacing(effect, in, out, static_cast<VstInt32>(input.size()));
    return outLeft;
}

void EditorPluginHost::sync() { XSync(dpy, False); }

void EditorPluginHost::moveTo(int x, int y) {
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(dpy, hostWindow, DefaultRootWindow(dpy), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(dpy, DefaultScreen(dpy), rootX, rootY, 0);
    sync();
}

void EditorPluginHost::press(int button) {
    XTestFakeButtonEvent(dpy, static_cast<unsigned>(button), True, 0);
    buttonsDown.push_back(button);
    sync();
}

void EditorPluginHost::release(int button) {
    auto at = std::find(buttonsDown.begin(), buttonsDown.end(), button);
    if (at == buttonsDown.end()) return;
    buttonsDown.erase(at);
    XTestFakeButtonEvent(dpy, static_cast<unsigned>(button), False, 0);
    sync();
}

void EditorPluginHost::click(int x, int y) {
    moveTo(x, y);
    idle(2);
    press();
    // A control that waits for the release (or drags) asks for idle passes:
    // the release comes with the first of them, or right after the press.
    HostLog::instance().script.push_back([this] { release(); });
    idle(2);
    HostLog::instance().script.clear();
    release();
    idle(4);
}

void EditorPluginHost::keyDown(unsigned long keysym) {
    XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, keysym), True, 0);
    keysDown.push_back(keysym);
    sync();
}

void EditorPluginHost::keyUp(unsigned long keysym) {
    auto at = std::find(keysDown.begin(), keysDown.end(), keysym);
    if (at == keysDown.end()) return;
    keysDown.erase(at);
    XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, keysym), False, 0);
    sync();
}

void EditorPluginHost::type(const std::string& text) {
    for (char c : text) {
        const char name[2] = {c, 0};
        const KeySym sym = c == '.' ? XK_period : c == '-' ? XK_minus : XStringToKeysym(name);
        keyDown(sym);
        keyUp(sym);
    }
}

void EditorPluginHost::releaseEverything() {
    HostLog::instance().script.clear();
    while (!buttonsDown.empty()) release(buttonsDown.back());
    while (!keysDown.empty()) keyUp(keysDown.back());
}

Picture EditorPluginHost::picture(int x, int y, int width, int height) {
    Picture p;
    int rootX = 0, rootY = 0;
    Window child = 0;
    sync();
    XTranslateCoordinates(dpy, hostWindow, DefaultRootWindow(dpy), x, y, &rootX, &rootY, &child);
    XImage* image = XGetImage(dpy, DefaultRootWindow(dpy), rootX, rootY, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image) return p;
    p.width = width;
    p.height = height;
    p.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i)
            p.pixels[static_cast<std::size_t>(j) * width + i] = static_cast<std::uint32_t>(XGetPixel(image, i, j)) & 0xFFFFFF;
    XDestroyImage(image);
    return p;
}

bool EditorPluginHost::screenshot(const std::string& name) {
    const Picture shot = window();
    if (shot.pixels.empty()) return false;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, shot.width, shot.height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < shot.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < shot.width; ++x) row[x] = shot.at(x, y);
    }
    cairo_surface_mark_dirty(surface);
    std::error_code error;
    std::filesystem::path folder;
    if (const char* given = std::getenv("AMBREL_SCREENSHOT_DIR"); given && *given)
        folder = given;
    else
        folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path() / "editor-screens";
    std::filesystem::create_directories(folder, error);
    const bool saved = cairo_surface_write_to_png(surface, (folder / (name + ".png")).c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return saved;
}

}  // namespace editor_plugin_test
