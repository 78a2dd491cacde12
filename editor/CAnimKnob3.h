#pragma once
// The large drive knob: CAnimKnob2's handling with the listener told on every
// press and every pointer movement (it drives the numeric readout), and a film
// strip laid out in columns: frames run down a column, then to the next one.

#include "toolkit/CAnimKnob.h"

namespace ambrel {

class CAnimKnob3 : public VSTGUI::CAnimKnob {
public:
    CAnimKnob3(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int tag, int subPixmaps,
               int heightOfOneImage, int widthOfOneImage, VSTGUI::CBitmap* background,
               const VSTGUI::CPoint& offset = VSTGUI::CPoint());
    ~CAnimKnob3() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int buttons = -1) override;
    bool isTypeOf(const char* className) const override;
    VSTGUI::CPoint sourceOffset() const override;

    int getRowCount() const { return rowCount; }
    int getStripHeight() const { return stripHeight; }
    int getFrameWidth() const { return frameWidth; }

protected:
    int rowCount;     // frames per column
    int stripHeight;  // the bitmap's height: one column
    int frameWidth;
};

}  // namespace ambrel
