#include "editor/CAnimKnob3.h"

#include <cstring>

#include "editor/ControlFrames.h"
#include "editor/FilmStripKnobMouse.h"
#include "toolkit/CBitmap.h"

namespace ambrel {

using namespace VSTGUI;

CAnimKnob3::CAnimKnob3(const CRect& rect, CControlListener* l, int t, int pixmaps, int imageHeight, int imageWidth,
                       CBitmap* background, const CPoint& off)
    : CAnimKnob(rect, l, t, pixmaps, imageHeight, background, off),
      rowCount(0),
      stripHeight(background ? background->getHeight() : 0),
      frameWidth(imageWidth) {
    rowCount = imageHeight > 0 ? stripHeight / imageHeight : 0;
}

CAnimKnob3::~CAnimKnob3() = default;

CPoint CAnimKnob3::sourceOffset() const {
    const int frame = knobFrame(value, subPixmaps, heightOfOneImage);
    const StripOrigin origin = gridFrameOrigin(frame, heightOfOneImage, frameWidth, stripHeight);
    return CPoint(origin.x, origin.y);
}

void CAnimKnob3::draw(CDrawContext* context) {
    if (pBackground) {
        if (bTransparencyEnabled) pBackground->drawTransparent(context, size, sourceOffset());
        else pBackground->draw(context, size, sourceOffset());
    }
    setDirty(false);
}

void CAnimKnob3::mouse(CDrawContext* context, CPoint& where, int buttons) {
    filmStripKnobMouse(*this, context, where, buttons, kDriveKnobMouse);
}

bool CAnimKnob3::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CAnimKnob3") == 0) || CAnimKnob::isTypeOf(className);
}

}  // namespace ambrel
