#pragma once
// A two-state button: a click toggles the value between 0 and 1; the bitmap's
// upper half shows off, the lower half on.

#include "toolkit/CControl.h"

namespace VSTGUI {

class COnOffButton : public CControl {
public:
    COnOffButton(const CRect& size, CControlListener* listener, int tag, CBitmap* background, int style = 0);
    ~COnOffButton() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int buttons = -1) override;
    bool isTypeOf(const char* className) const override;
    virtual int getStyle() const { return style; }
    virtual void setStyle(int newStyle) { style = newStyle; }

protected:
    int style;
};

}  // namespace VSTGUI
