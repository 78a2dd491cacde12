#include "editor/CMovieLED.h"

#include <algorithm>
#include <cstring>

#include "editor/MeterFrames.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"

namespace ambrel {

using namespace VSTGUI;

CMovieLED::CMovieLED(const CRect& rect, CControlListener* l, int t, int pixmaps, int imageHeight, CBitmap* background,
                     const CPoint& off)
    : CControl(rect, l, t, background),
      offset(off),
      frameCount(pixmaps),
      frameHeight(imageHeight),
      decayStep(pixmaps > 1 ? 1.0f / static_cast<float>(pixmaps - 1) : 1.0f) {
    value = 0.0f;
    oldValue = 0.0f;
}

CMovieLED::~CMovieLED() = default;

int CMovieLED::frameShown() const { return ledFrame(oldValue, frameCount); }

void CMovieLED::draw(CDrawContext* context) {
    if (!(value >= 0.0f)) value = 0.0f;  // a NaN flag would keep the LED dirty forever
    value = std::min(ledLevelAfterRedraw(oldValue, value, decayStep), 1.0f);
    if (pBackground) {
        const CPoint source(offset.x, offset.y + ledFrame(value, frameCount) * frameHeight);
        if (bTransparencyEnabled) pBackground->drawTransparent(context, size, source);
        else pBackground->draw(context, size, source);
    }
    setDirty(false);  // the level drawn becomes the shown level
}

void CMovieLED::reset() {
    value = 0.0f;
    oldValue = 0.0f;
    setDirty(true);
}

void CMovieLED::mouse(CDrawContext* context, CPoint&, int buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = context ? context->getMouseButtons() : 0;
    if (buttons & kLButton) reset();
}

bool CMovieLED::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CMovieLED") == 0) || CControl::isTypeOf(className);
}

}  // namespace ambrel
