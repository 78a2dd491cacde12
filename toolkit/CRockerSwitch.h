#pragma once
// A three-state rocker: -1 while its left (or upper) half is held, 1 for the
// right (or lower) half, 0 at rest. The bitmap holds the rest, minus and plus
// pictures in that order.

#include "toolkit/CControl.h"

namespace VSTGUI {

enum CRockerStyle { kHorizontal = 1 << 0, kVertical = 1 << 1 };

class CRockerSwitch : public CControl {
public:
    CRockerSwitch(const CRect& size, CControlListener* listener, int tag, int heightOfOneImage, CBitmap* background,
                  const CPoint& offset = CPoint(), int style = kHorizontal);
    ~CRockerSwitch() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int buttons = -1) override;
    bool isTypeOf(const char* className) const override;

protected:
    int heightOfOneImage;
    CPoint offset;
    int style;
};

}  // namespace VSTGUI
