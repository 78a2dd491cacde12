#pragma once
// The preset strip's previous/next rocker: a left click on its left half steps
// to the previous program, on its right half to the next, at the press (no
// wait for the release). Hovering lights the half under the mouse. The bitmap
// holds five 14-pixel frames: normal, left lit, right lit, left pressed,
// right pressed.

#include "presets/CPresetSystemListener.h"
#include "toolkit/CRockerSwitch.h"

namespace ambrel {

class CPSRockerSwitch : public VSTGUI::CRockerSwitch {
public:
    enum Hover { kHoverNone = 0, kHoverLeft = 1, kHoverRight = 2 };
    static constexpr int kFrameHeight = 14;

    CPSRockerSwitch(const VSTGUI::CRect& size, CPresetSystemListener* listener, int tag, VSTGUI::CBitmap* bitmap);

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int buttons = -1) override;
    bool isTypeOf(const char* className) const override;
    // The hover highlight of the half under `where` (window pixels); redraws only when it changes.
    virtual void setLit(bool on, const VSTGUI::CPoint& where);

    Hover hover() const { return hoverState; }
    int shownFrame() const;

private:
    CPresetSystemListener* presetListener;
    Hover hoverState = kHoverNone;
    VSTGUI::CRect leftHalf;
    VSTGUI::CRect rightHalf;
};

}  // namespace ambrel
