#pragma once
// The main page's film-strip knob: fine drag with Shift (300 pixels up for the
// whole range, 1500 with Shift, half speed sideways), default on Control-click,
// typed entry on a double click.

#include "toolkit/CAnimKnob.h"

namespace ambrel {

class CAnimKnob2 : public VSTGUI::CAnimKnob {
public:
    CAnimKnob2(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int tag, int subPixmaps,
               int heightOfOneImage, VSTGUI::CBitmap* background, const VSTGUI::CPoint& offset = VSTGUI::CPoint());
    ~CAnimKnob2() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int buttons = -1) override;
    bool isTypeOf(const char* className) const override;
};

}  // namespace ambrel
