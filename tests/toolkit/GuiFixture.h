#pragma once
// The GUI tests' plug-in: an effect with four parameters whose host callback
// records every request, and an editor that builds a frame inside the host's
// window with the stock controls at skin positions. The editor's doIdleStuff
// runs one step of a script per call, so a test can move the real pointer
// (through XTest) while a control's drag loop is running.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "XSession.h"
#include "core/AudioEffectX.h"
#include "toolkit/AEffGUIEditor.h"
#include "toolkit/CAnimKnob.h"
#include "toolkit/CFrame.h"
#include "toolkit/COnOffButton.h"
#include "toolkit/COptionMenu.h"
#include "toolkit/CParamDisplay.h"
#include "toolkit/CTextEdit.h"
#include "toolkit/CVerticalSwitch.h"

namespace toolkit_test {

struct HostCall {
    VstInt32 opcode;
    VstInt32 index;
    float opt;
};

class GuiEffect : public AudioEffectX {
public:
    GuiEffect();
    void processReplacing(float**, float**, VstInt32) override {}
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    std::vector<HostCall> calls;
    float values[4] = {0.25f, 0.0f, 0.0f, 0.0f};
};

struct Change {
    int tag;
    float value;
};

class GuiEditor : public AEffGUIEditor, public VSTGUI::CControlListener {
public:
    explicit GuiEditor(AudioEffect* effect);
    bool open(void* parent) override;
    void close() override;
    void doIdleStuff() override;
    void valueChanged(VSTGUI::CDrawContext* context, VSTGUI::CControl* control) override;

    VSTGUI::CAnimKnob* knob = nullptr;
    VSTGUI::COnOffButton* button = nullptr;
    VSTGUI::CVerticalSwitch* vswitch = nullptr;
    VSTGUI::CTextEdit* text = nullptr;
    VSTGUI::COptionMenu* menu = nullptr;
    VSTGUI::CParamDisplay* display = nullptr;
    std::vector<Change> changes;
    std::vector<std::function<void()>> script;
    std::size_t step = 0;
    int opens = 0;
};

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void openEditor();
    void closeEditor();
    // Runs the host's idle until done holds (at most three seconds).
    bool pumpUntil(const std::function<bool()>& done);
    void pumpFor(int passes);
    // The screen position of a window point of the host window.
    void screen(int x, int y, int& rootX, int& rootY) { session->toRoot(host, x, y, rootX, rootY); }
    void pointAt(int x, int y);
    std::string shoot(const std::string& name);
    // True when the screen shows colour at a host-window point within three seconds
    // (the frame's drawing travels on its own connection).
    bool showsColour(int x, int y, unsigned long colour);
    int countHostCalls(VstInt32 opcode) const;

    XSession* session = nullptr;
    Window host = 0;
    GuiEffect* effect = nullptr;
    GuiEditor* editor = nullptr;
};

}  // namespace toolkit_test
