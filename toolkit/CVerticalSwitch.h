#pragma once
// A switch of several positions stacked from top to bottom; clicking or
// dragging over it picks the position under the pointer.

#include "toolkit/CControl.h"

namespace VSTGUI {

class CVerticalSwitch : public CControl {
public:
    CVerticalSwitch(const CRect& size, CControlListener* listener, int tag, int subPixmaps, int heightOfOneImage,
                    int maxPositions, CBitmap* background, const CPoint& offset = CPoint());
    ~CVerticalSwitch() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int buttons = -1) override;
    bool isTypeOf(const char* className) const override;
    // The value for a pointer at y (window pixels).
    float valueAtY(int y) const;

protected:
    int subPixmaps;
    int heightOfOneImage;
    int maxPositions;
    CPoint offset;
};

}  // namespace VSTGUI
