#pragma once
// A view with a normalized value, reported to a listener under a tag.
//
// Redraw protocol: setValue stores only; the control is dirty when its value
// differs from the value last drawn or its dirty flag is set; every draw ends
// with setDirty(false), which records the value as drawn.

#include "toolkit/CControlListener.h"
#include "toolkit/CView.h"

namespace VSTGUI {

class CControl : public CView {
public:
    CControl(const CRect& size, CControlListener* listener = nullptr, int tag = 0, CBitmap* background = nullptr);
    ~CControl() override;

    void draw(CDrawContext* context) override = 0;
    bool isDirty() const override;
    void setDirty(bool state = true) override;
    bool isTypeOf(const char* className) const override;

    virtual void doIdleStuff();
    virtual void setValue(float v) { value = v; }
    virtual float getValue() const { return value; }
    virtual void setMin(float v) { vmin = v; }
    virtual float getMin() const { return vmin; }
    virtual void setMax(float v) { vmax = v; }
    virtual float getMax() const { return vmax; }
    virtual void setOldValue(float v) { oldValue = v; }
    virtual float getOldValue() const { return oldValue; }
    virtual void setDefaultValue(float v) { defaultValue = v; }
    virtual float getDefaultValue() const { return defaultValue; }
    virtual void setTag(int t) { tag = t; }
    virtual int getTag() const { return tag; }
    // Makes this control the frame's focus view and opens an edit of its tag
    // with the host; endEdit closes it.
    virtual void beginEdit();
    virtual void endEdit();
    virtual void setBackOffset(const CPoint& offset) { backOffset = offset; }
    // The background offset becomes the control's own top-left corner, so a
    // window-sized backdrop shows the patch behind the control.
    virtual void copyBackOffset();
    virtual void setWheelInc(float v) { wheelInc = v; }
    virtual float getWheelInc() const { return wheelInc; }
    virtual void bounceValue();
    // Left button + Control exactly: the default value, the listener told when
    // dirty, inside beginEdit/endEdit; true then.
    virtual bool checkDefaultValue(CDrawContext* context, int buttons);

    // With the frame's clock: a second click within the double-click time.
    bool isDoubleClick();
    void setListener(CControlListener* l) { listener = l; }
    CControlListener* getListener() const { return listener; }
    const CPoint& getBackOffset() const { return backOffset; }
    int getDoubleClickTime() const { return delta; }

protected:
    int currentTicks() const;

    CControlListener* listener;
    int tag;
    float oldValue = 1.0f;
    float defaultValue = 0.5f;
    float value = 0.0f;
    float vmin = 0.0f;
    float vmax = 1.0f;
    float wheelInc = 0.1f;
    int lastTicks = -1;
    int delta;
    CPoint backOffset;
};

}  // namespace VSTGUI
