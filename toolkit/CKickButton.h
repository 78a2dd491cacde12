#pragma once
// A momentary button: value 1 while pressed with the pointer over it, 0 after
// release; the bitmap holds the released picture above the pressed one.

#include "toolkit/CControl.h"

namespace VSTGUI {

class CKickButton : public CControl {
public:
    CKickButton(const CRect& size, CControlListener* listener, int tag, int heightOfOneImage, CBitmap* background,
                const CPoint& offset = CPoint());
    ~CKickButton() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int buttons = -1) override;
    bool isTypeOf(const char* className) const override;

protected:
    int heightOfOneImage;
    CPoint offset;
};

}  // namespace VSTGUI
