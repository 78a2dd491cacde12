#pragma once
// A memory button of the preset strip: a momentary push button whose press
// tells the listener at once (a store happens at the press, not the release),
// then shows the pressed picture until the left button is released. The
// bitmap holds four 14-pixel frames: normal, highlighted, pressed, disabled.

#include "presets/CPresetSystemListener.h"
#include "toolkit/COnOffButton.h"

namespace ambrel {

class CPSOnOffButton : public VSTGUI::COnOffButton {
public:
    CPSOnOffButton(const VSTGUI::CRect& size, CPresetSystemListener* listener, int tag, VSTGUI::CBitmap* bitmap);

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int buttons = -1) override;
    bool isTypeOf(const char* className) const override;
    // The hover highlight; redraws only when it changes.
    virtual void setLit(bool on);

    void setEnabled(bool on);
    bool isEnabled() const { return enabled; }
    bool isLit() const { return lit; }
    bool isPressed() const { return pressed; }
    int shownFrame() const;

private:
    void redrawNow();

    bool lit = false;
    bool enabled = true;
    bool pressed = false;
};

}  // namespace ambrel
