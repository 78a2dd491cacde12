#include "editor/CMovieMeter.h"

#include <cstring>

#include "editor/MeterFrames.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"

namespace ambrel {

using namespace VSTGUI;

CMovieMeter::CMovieMeter(const CRect& rect, CControlListener* l, int t, CBitmap* face0, CBitmap* face1, int s)
    : CControl(rect, l, t, face0), scaleBitmap(face1), scale(s) {
    frameHeight = face0 ? face0->getHeight() / kFrameCount : 0;
    if (scaleBitmap) scaleBitmap->remember();
}

CMovieMeter::~CMovieMeter() {
    if (scaleBitmap) scaleBitmap->forget();
}

float CMovieMeter::needlePosition(float v) { return static_cast<float>(ambrel::needlePosition(v, scale)); }

int CMovieMeter::setScale(int newScale) {
    scale = newScale;
    setDirty(true);
    return scale;
}

int CMovieMeter::frameShown() const { return needleFrame(value, scale, frameCount); }

void CMovieMeter::draw(CDrawContext* context) {
    if (!(value >= 0.0f)) value = 0.0f;  // negative (or broken) readings rest; a NaN would stay dirty forever
    CBitmap* face = scale == 1 ? scaleBitmap : pBackground;
    if (face) {
        const CPoint source(offset.x, offset.y + frameShown() * frameHeight);
        if (bTransparencyEnabled) face->drawTransparent(context, size, source);
        else face->draw(context, size, source);
    }
    setDirty(false);
}

void CMovieMeter::mouse(CDrawContext* context, CPoint&, int buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = context ? context->getMouseButtons() : 0;
    if (!(buttons & kLButton)) return;
    scale = scale <= 0 ? 1 : 0;
    value = static_cast<float>(scale);
    if (context) draw(context);
    else redraw();
    if (listener) listener->valueChanged(context, this);
}

bool CMovieMeter::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CMovieMeter") == 0) || CControl::isTypeOf(className);
}

}  // namespace ambrel
