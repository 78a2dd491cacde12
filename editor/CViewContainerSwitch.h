#pragma once
// An invisible area that flips its value between 0 and 1 on a left click and
// tells the listener; the editor switches pages with it.

#include "toolkit/CControl.h"

namespace ambrel {

class CViewContainerSwitch : public VSTGUI::CControl {
public:
    CViewContainerSwitch(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int tag);
    ~CViewContainerSwitch() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int buttons = -1) override;
    bool isTypeOf(const char* className) const override;
};

}  // namespace ambrel
