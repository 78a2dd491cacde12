#pragma once
// A round control turned by dragging: linearly (up and right raise the value)
// or circularly (the value follows the pointer's angle), chosen by the global
// knob mode and the Alt key; Shift slows a linear drag; Control-click restores
// the default; the wheel steps it.

#include "toolkit/CColor.h"
#include "toolkit/CControl.h"

namespace VSTGUI {

class CKnob : public CControl {
public:
    CKnob(const CRect& size, CControlListener* listener, int tag, CBitmap* background, CBitmap* handle,
          const CPoint& offset = CPoint());
    ~CKnob() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int buttons = -1) override;
    bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
    bool isTypeOf(const char* className) const override;

    virtual void drawHandle(CDrawContext* context);
    virtual void setStartAngle(float radians) { startAngle = radians; }
    virtual float getStartAngle() const { return startAngle; }
    virtual void setRangeAngle(float radians) { rangeAngle = radians; }
    virtual float getRangeAngle() const { return rangeAngle; }
    virtual void valueToPoint(CPoint& point) const;
    // The value at point (relative to the control's top-left): its angle around
    // the centre from the start angle through the travel, scaled to min..max;
    // points in the gap go to the nearer end.
    virtual float valueFromPoint(const CPoint& point) const;
    virtual void setInsetValue(int value) { inset = value; }
    virtual void setColorHandle(CColor color) { colorHandle = color; }
    virtual void setColorShadowHandle(CColor color) { colorShadowHandle = color; }
    virtual void setHandleBitmap(CBitmap* bitmap);
    virtual void setZoomFactor(float factor) { zoomFactor = factor; }
    virtual float getZoomFactor() const { return zoomFactor; }

protected:
    CBitmap* pHandle = nullptr;
    CPoint offset;
    float startAngle;
    float rangeAngle;
    float zoomFactor = 1.5f;
    int inset = 3;
    CColor colorHandle{255, 255, 255, 255};
    CColor colorShadowHandle{64, 64, 64, 255};
};

}  // namespace VSTGUI
