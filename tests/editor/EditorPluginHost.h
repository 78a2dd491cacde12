#pragma once
// A small host for the editor tests of the built plug-in binaries: it loads a
// binary, opens the editor in a window of its own on a private X server,
// moves the real pointer and keys with XTest, records what the plug-in asks
// of it (automation, edit brackets), plays a script of input whenever the
// plug-in asks for an idle pass (a knob drag does so while the button is
// held), processes audio and reads back what the server shows.

#include <X11/Xlib.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/vst/VstInterface.h"
#include "plugin/LoadedPlugin.h"

namespace editor_test {
Display* testDisplay();  // GuiHarness.cpp: the test program's private X server
}

namespace editor_plugin_test {

struct HostCall {
    VstInt32 opcode;
    VstInt32 index;
    float value;
};

// What every plug-in instance of the test program told its host.
struct HostLog {
    static HostLog& instance();
    static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    std::vector<HostCall> calls;
    std::deque<std::function<void()>> script;  // one step per idle request
    int idleRequests = 0;
    // The calls with opcode audioMasterAutomate, audioMasterBeginEdit or audioMasterEndEdit.
    std::vector<HostCall> edits() const;
};

// A rectangle of the screen as 0x00RRGGBB pixels.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool operator==(const Picture&) const = default;
    int differingPixels(const Picture& other) const;
    // "left,top-right,bottom" of the pixels that differ (for failure messages).
    std::string differenceBounds(const Picture& other) const;
};

class EditorPluginHost {
public:
    explicit EditorPluginHost(const char* binary);
    ~EditorPluginHost();
    EditorPluginHost(const EditorPluginHost&) = delete;
    EditorPluginHost& operator=(const EditorPluginHost&) = delete;

    bool ok() const { return effect != nullptr && dpy != nullptr; }
    AEffect* effect = nullptr;

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0);
    bool openEditor();   // effEditOpen in the host window; waits until it shows
    void closeEditor();  // effEditClose
    void idle(int passes = 6);  // effEditIdle, with a short pause after each
    float parameter(int index) { return effect->getParameter(effect, index); }
    void setParameter(int index, float v) { effect->setParameter(effect, index, v); }
    void resume();  // mains off and on: audio starts from silence
    // One call of processReplacing with the same signal on both inputs; the left output.
    std::vector<float> process(const std::vector<float>& input);

    // Input, in window pixels.
    void moveTo(int x, int y);
    void press(int button = 1);
    void release(int button = 1);
    void click(int x, int y);  // move, press, let the plug-in see it, release
    void keyDown(unsigned long keysym);
    void keyUp(unsigned long keysym);
    void type(const std::string& text);
    void releaseEverything();

    Picture picture(int x, int y, int width, int height);
    Picture window() { return picture(0, 0, kWidth, kHeight); }
    // Saves the window as <folder>/<name>.png: $AMBREL_SCREENSHOT_DIR, else
    // editor-screens beside the test program.
    bool screenshot(const std::string& name);

    static constexpr int kWidth = 450;
    static constexpr int kHeight = 460;

private:
    void sync();
    bool childShown();
    plugintest::LoadedPlugin binary;
    Display* dpy = nullptr;
    Window hostWindow = 0;
    std::vector<int> buttonsDown;
    std::vector<unsigned long> keysDown;
};

}  // namespace editor_plugin_test
