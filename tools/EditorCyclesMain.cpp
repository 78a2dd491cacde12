// ambrel-editor-cycles PLUGIN [CYCLES]: loads a plug-in binary as a host does
// (dlopen, the entry point, the dispatcher), and opens its editor in a window
// of ours on $DISPLAY, idles it while audio runs and closes it again, CYCLES
// times (100 unless told). Made to run under a memory checker: whatever an
// open/close cycle leaks or touches wrongly shows a hundredfold.
// Exit code: 0 every cycle showed the editor, 1 a cycle failed, 2 bad usage.

#include <X11/Xlib.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "tools/HostedPlugin.h"

namespace {

constexpr int kBlock = 256;
constexpr int kIdlePasses = 8;

// Whether the plug-in put a mapped window into ours.
bool editorShown(Display* dpy, Window parent) {
    Window root = 0, up = 0;
    Window* children = nullptr;
    unsigned count = 0;
    bool shown = false;
    if (XQueryTree(dpy, parent, &root, &up, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes a{};
            if (XGetWindowAttributes(dpy, children[i], &a) && a.map_state == IsViewable) shown = true;
        }
        if (children) XFree(children);
    }
    return shown;
}

// One block of a loud tone through the effect, so the meters have something to show.
void processBlock(AEffect* effect, std::vector<float>& in, std::vector<float>& out, int& phase) {
    for (int i = 0; i < kBlock; ++i, ++phase) in[static_cast<std::size_t>(i)] = (phase % 100 < 50) ? 0.9f : -0.9f;
    float* inputs[2] = {in.data(), in.data()};
    float* outputs[2] = {out.data(), out.data() + kBlock};
    effect->processReplacing(effect, inputs, outputs, kBlock);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: ambrel-editor-cycles PLUGIN [CYCLES]\n";
        return 2;
    }
    const int cycles = argc == 3 ? std::atoi(argv[2]) : 100;
    if (cycles <= 0) {
        std::cerr << "ambrel-editor-cycles: CYCLES must be a positive number\n";
        return 2;
    }
    // Like every desktop host, this one draws with cairo and fontconfig itself,
    // so they stay loaded when the plug-in is unloaded and their process-wide
    // caches stay theirs instead of showing as lost blocks.
    std::cout << "cairo " << cairo_version_string() << ", fontconfig " << FcGetVersion() << "\n";
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::cerr << "ambrel-editor-cycles: cannot open the X display\n";
        return 1;
    }
    int status = 0;
    {
        ambrel::tools::HostedPlugin plugin;
        if (!plugin.load(argv[1], 44100.0, kBlock)) {
            std::cerr << "ambrel-editor-cycles: " << plugin.error() << "\n";
            XCloseDisplay(dpy);
            return 1;
        }
        AEffect* effect = plugin.effect();
        if (!(effect->flags & effFlagsHasEditor) || !plugin.canReplacing()) {
            std::cerr << "ambrel-editor-cycles: the plug-in has no editor or no processReplacing\n";
            XCloseDisplay(dpy);
            return 1;
        }
        const Window parent = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 600, 600, 0, 0, 0x303030);
        XMapWindow(dpy, parent);
        XSync(dpy, False);
        plugin.resume();
        std::vector<float> in(kBlock), out(2 * kBlock);
        int phase = 0;
        for (int cycle = 1; cycle <= cycles && status == 0; ++cycle) {
            ERect* rect = nullptr;
            plugin.dispatch(effEditGetRect, 0, 0, &rect);
            void* handle = reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent));
            if (plugin.dispatch(effEditOpen, 0, 0, handle) != 1) {
                std::cerr << "ambrel-editor-cycles: cycle " << cycle << ": the editor did not open\n";
                status = 1;
                break;
            }
            bool shown = false;
            for (int pass = 0; pass < 400 && !shown; ++pass) {
                XSync(dpy, False);
                plugin.dispatch(effEditIdle);
                shown = editorShown(dpy, parent);
                if (!shown) usleep(2000);
            }
            for (int pass = 0; pass < kIdlePasses; ++pass) {
                processBlock(effect, in, out, phase);
                plugin.dispatch(effEditIdle);
                XSync(dpy, False);
            }
            plugin.dispatch(effEditClose);
            XSync(dpy, False);
            if (!shown) {
                std::cerr << "ambrel-editor-cycles: cycle " << cycle << ": the editor never showed\n";
                status = 1;
            } else if (editorShown(dpy, parent)) {
                std::cerr << "ambrel-editor-cycles: cycle " << cycle << ": the editor stayed after closing\n";
                status = 1;
            }
        }
        plugin.suspend();
        XDestroyWindow(dpy, parent);
        XSync(dpy, False);
    }  // the plug-in is closed and unloaded before the display goes
    XCloseDisplay(dpy);
    if (status == 0) std::cout << "ambrel-editor-cycles: " << cycles << " open/idle/close cycles\n";
    return status;
}
