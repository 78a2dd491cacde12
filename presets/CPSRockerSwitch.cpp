#include "presets/CPSRockerSwitch.h"

#include <cstring>

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"

namespace ambrel {

using namespace VSTGUI;

CPSRockerSwitch::CPSRockerSwitch(const CRect& rect, CPresetSystemListener* listener, int tag, CBitmap* bitmap)
    : CRockerSwitch(rect, listener, tag, kFrameHeight, bitmap, CPoint(0, 0), kHorizontal),
      presetListener(listener),
      leftHalf(rect.left, rect.top, (rect.left + rect.right) / 2, rect.bottom),
      rightHalf((rect.left + rect.right) / 2, rect.top, rect.right, rect.bottom) {}

bool CPSRockerSwitch::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CPSRockerSwitch") == 0) || CRockerSwitch::isTypeOf(className);
}

int CPSRockerSwitch::shownFrame() const {
    if (value == 1.0f) return 4;
    if (value == -1.0f) return 3;
    return hoverState == kHoverLeft ? 1 : (hoverState == kHoverRight ? 2 : 0);
}

void CPSRockerSwitch::draw(CDrawContext* context) {
    if (pBackground) pBackground->draw(context, size, CPoint(0, shownFrame() * kFrameHeight));
    setDirty(false);
}

void CPSRockerSwitch::setLit(bool on, const CPoint& where) {
    Hover next = kHoverNone;
    // The views are found with their edges included; so are the halves.
    if (on) next = leftHalf.containsInclusive(where) && where.x < leftHalf.right ? kHoverLeft
                   : rightHalf.containsInclusive(where)                      ? kHoverRight
                                                                             : kHoverNone;
    if (next == hoverState) return;
    hoverState = next;
    setDirty(true);
}

void CPSRockerSwitch::mouse(CDrawContext* context, CPoint& where, int buttons) {
    if (!bMouseEnabled || !presetListener) return;
    if (buttons == -1) buttons = context ? context->getMouseButtons() : 0;
    if (!(buttons & kLButton)) return;
    const int half = (size.right - size.left) / 2;
    const bool inHeight = where.y >= size.top && where.y <= size.bottom;
    bool up;
    if (inHeight && where.x >= size.left && where.x <= size.left + half)
        up = false;
    else if (inHeight && where.x >= size.left + half && where.x <= size.right)
        up = true;
    else
        return;
    value = up ? 1.0f : -1.0f;
    if (getFrame()) getFrame()->drawView(this);
    presetListener->stepProgram(up);
    value = 0.0f;
    setDirty(true);
}

}  // namespace ambrel
