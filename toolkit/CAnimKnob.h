#pragma once
// A knob drawn from a film strip: frame count pictures of frame height stacked
// down the bitmap; the value picks the picture (inverted with the inverse flag).

#include "toolkit/CKnob.h"

namespace VSTGUI {

class CAnimKnob : public CKnob {
public:
    CAnimKnob(const CRect& size, CControlListener* listener, int tag, int subPixmaps, int heightOfOneImage,
              CBitmap* background, const CPoint& offset = CPoint());
    ~CAnimKnob() override;

    void draw(CDrawContext* context) override;
    bool isTypeOf(const char* className) const override;
    // Where the picture for the current value starts in the strip.
    virtual CPoint sourceOffset() const;
    void setInverseBitmap(bool state) { bInverseBitmap = state; }
    bool getInverseBitmap() const { return bInverseBitmap; }
    int getNumSubPixmaps() const { return subPixmaps; }
    int getHeightOfOneImage() const { return heightOfOneImage; }

protected:
    int subPixmaps;
    int heightOfOneImage;
    bool bInverseBitmap = false;
};

}  // namespace VSTGUI
