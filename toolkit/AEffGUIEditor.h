#pragma once
// The editor glue between the host's editor requests and a toolkit frame. The
// product editor derives from it, builds its frame in open and destroys it in
// close; this class supplies the rectangle, idle, keys, wheel, the knob mode,
// the edit brackets to the host and the throttled idle used during drags.

#include "toolkit/AEffEditor.h"

class AudioEffect;

namespace VSTGUI {
class CFrame;
}

class AEffGUIEditor : public AEffEditor {
public:
    explicit AEffGUIEditor(AudioEffect* effect);
    ~AEffGUIEditor() override;

    bool getRect(ERect** rect) override;
    bool open(void* ptr) override;
    void close() override;
    void idle() override;
    bool onKeyDown(VstKeyCode& keyCode) override;
    bool onKeyUp(VstKeyCode& keyCode) override;
    bool onWheel(float distance) override;
    bool setKnobMode(VstInt32 mode) override;
    virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}
    virtual bool beginEdit(VstInt32 index);
    virtual bool endEdit(VstInt32 index);
    // Called by controls in their drag loops: at most one idle pass per 50 to
    // 100 ms, with a 4 ms sleep between tries, so the window repaints and the
    // host stays responsive while the mouse is held.
    virtual void doIdleStuff();

    VSTGUI::CFrame* getFrame() const { return frame; }

    // The frame's own notifications (a new frame while one is still open closes
    // the old one first; a frame that goes is forgotten).
    void frameCreated(VSTGUI::CFrame* newFrame);
    void frameDestroyed(VSTGUI::CFrame* oldFrame);

protected:
    ERect rect{};
    VSTGUI::CFrame* frame = nullptr;
    int nextIdleTime = 0;
    bool inIdleStuff = false;
};
