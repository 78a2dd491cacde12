#pragma once
// A vertical switch whose picture follows the processing's reading of the
// value (position int(count x value), the last for 1.0) rather than the
// nearest position; clicks are the stock switch's.

#include "toolkit/CVerticalSwitch.h"

namespace ambrel {

class CMyVerticalSwitch : public VSTGUI::CVerticalSwitch {
public:
    CMyVerticalSwitch(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int tag, int subPixmaps,
                      int heightOfOneImage, int maxPositions, VSTGUI::CBitmap* background,
                      const VSTGUI::CPoint& offset = VSTGUI::CPoint());
    ~CMyVerticalSwitch() override;

    void draw(VSTGUI::CDrawContext* context) override;
    bool isTypeOf(const char* className) const override;
};

}  // namespace ambrel
