#pragma once
// The preset editor as its controls and the effect see it. It is the
// listener of every control of the editor (the two operations of the
// toolkit's CControlListener come first); the preset strip's own controls
// call the file actions and the program stepping directly, and the effect
// tells it when the current program took a new name. No listener means no
// editor. The operations a listener does not need do nothing here.

#include "toolkit/CControlListener.h"

namespace ambrel {

class CPresetSystemListener : public VSTGUI::CControlListener {
public:
    ~CPresetSystemListener() override = default;
    void valueChanged(VSTGUI::CDrawContext* /*context*/, VSTGUI::CControl* /*control*/) override {}

    // The four file actions of the load and save buttons.
    virtual void loadBank() {}
    virtual void saveBank() {}
    virtual void loadPreset() {}
    virtual void savePreset() {}
    // The previous (false) or next (true) program slot.
    virtual void stepProgram(bool /*up*/) {}
    // Typed value entry for the control with this tag, and its result.
    virtual void openValueEntry(int /*tag*/) {}
    virtual void applyValueEntry(int /*tag*/, const char* /*text*/) {}

    // The current program took a new name (rename by the host, memory recall, preset load).
    virtual void programNameChanged(const char* name) = 0;
};

}  // namespace ambrel
