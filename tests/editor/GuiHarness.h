#pragma once
// What the editor's GUI tests share: pictures registered under skin ids, a
// hand-moved clock, a listener that records what the controls report, a test
// editor whose drag-loop idle plays a script of real input, and XTest input
// on a real X server with screenshots of what the server shows.

#include <X11/Xlib.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "editor/CValueEntryHost.h"
#include "editor/CMyFrame.h"
#include "toolkit/AEffGUIEditor.h"
#include "toolkit/CControl.h"
#include "toolkit/Clock.h"

namespace editor_test {

// Film strip: frames of width x frameHeight stacked; frame f is filled with
// stripColour(base, f) and framed by a darker border.
std::uint32_t stripColour(int base, int frame);
void registerStrip(int id, int width, int frameHeight, int frames, int base);
// Frames in columns of `rows`, then on to the next column.
void registerGridStrip(int id, int frameWidth, int frameHeight, int columns, int rows, int base);
void registerPlain(int id, int width, int height, std::uint32_t colour);

class FakeClock final : public VSTGUI::Clock {
public:
    FakeClock() { VSTGUI::setClock(this); }
    ~FakeClock() override { VSTGUI::setClock(nullptr); }
    std::int32_t ticks() override { return now; }
    void sleep(int ms) override { now += ms; }
    std::int32_t now = 100000;
};

struct Notice {
    int tag;
    float value;
};

class Recorder : public VSTGUI::CControlListener, public ambrel::CValueEntryHost {
public:
    void valueChanged(VSTGUI::CDrawContext*, VSTGUI::CControl* control) override {
        notices.push_back({control->getTag(), control->getValue()});
    }
    void openValueEntry(int index) override { opened.push_back(index); }
    void applyValueEntry(int index, const char* text) override { applied.emplace_back(index, text); }

    std::vector<Notice> notices;
    std::vector<int> opened;
    std::vector<std::pair<int, std::string>> applied;
};

struct EditCall {
    bool begin;
    int index;
    bool operator==(const EditCall&) const = default;
};

class TestEditor : public AEffGUIEditor {
public:
    TestEditor() : AEffGUIEditor(nullptr) {}
    void adopt(VSTGUI::CFrame* f) { frame = f; }
    bool beginEdit(VstInt32 index) override {
        edits.push_back({true, index});
        return true;
    }
    bool endEdit(VstInt32 index) override {
        edits.push_back({false, index});
        return true;
    }
    // Controls call this once per pass of their mouse loops: one scripted
    // step runs, then the frame redraws. An empty script lets the button go.
    void doIdleStuff() override;

    std::deque<std::function<void()>> script;
    std::function<void()> releaseAll;
    std::vector<EditCall> edits;
    int idlePasses = 0;
};

// XTest input into one frame's window, and what the server shows of it.
class XInput {
public:
    XInput();
    ~XInput();
    bool ok() const { return dpy != nullptr; }
    void attach(VSTGUI::CFrame* frame);
    void moveTo(int x, int y);  // window pixels
    void press(int button = 1);
    void release(int button = 1);
    void keyDown(unsigned long keysym);
    void keyUp(unsigned long keysym);
    void type(const std::string& text);
    void wheel(int notches);  // positive: up
    void releaseEverything();
    std::uint32_t pixel(int x, int y);  // 0x00RRGGBB on screen
    bool screenshot(const std::string& name);  // editor-screens/<name>.png beside the test program

private:
    void sync();
    Display* dpy = nullptr;
    Window window = 0;
    int width = 0;
    int height = 0;
    std::vector<int> buttonsDown;
    std::vector<unsigned long> keysDown;
};

// Runs the frame's idle until the input sent has been handled.
void pump(VSTGUI::CFrame* frame, int passes = 12);

}  // namespace editor_test
