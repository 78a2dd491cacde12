#pragma once
// The four-way channel button: press the left, right, bottom or top of it to
// pick one of four values (0.33, 0.67, 1.0, 0.0); the corners change nothing.
// Four pictures, each a quarter of the bitmap's height.

#include "toolkit/COnOffButton.h"

namespace ambrel {

class CMyLRUDButton : public VSTGUI::COnOffButton {
public:
    CMyLRUDButton(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int tag, VSTGUI::CBitmap* background,
                  int style = 0);
    ~CMyLRUDButton() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int buttons = -1) override;
    bool isTypeOf(const char* className) const override;
};

}  // namespace ambrel
