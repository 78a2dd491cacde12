#pragma once
// An over indicator from a 6-frame strip: an over lights it fully, each
// redraw fades it one frame down to a dim level that stays until a click.
// The level drawn last lives in the control's last-drawn value, so the
// toolkit's dirty test is what runs each fade step.

#include "toolkit/CControl.h"

namespace ambrel {

class CMovieLED : public VSTGUI::CControl {
public:
    CMovieLED(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int tag, int subPixmaps,
              int heightOfOneImage, VSTGUI::CBitmap* background, const VSTGUI::CPoint& offset = VSTGUI::CPoint());
    ~CMovieLED() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int buttons = -1) override;
    bool isTypeOf(const char* className) const override;

    virtual void reset();  // dark until the next over
    float shownLevel() const { return oldValue; }
    int frameShown() const;  // the frame of the level drawn last

protected:
    VSTGUI::CPoint offset;
    int frameCount;
    int frameHeight;
    float decayStep;
};

}  // namespace ambrel
