#include "editor/CMyLRUDButton.h"

#include <cstring>

#include "editor/ControlFrames.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"

namespace ambrel {

using namespace VSTGUI;

CMyLRUDButton::CMyLRUDButton(const CRect& rect, CControlListener* l, int t, CBitmap* background, int s)
    : COnOffButton(rect, l, t, background, s) {}

CMyLRUDButton::~CMyLRUDButton() = default;

void CMyLRUDButton::draw(CDrawContext* context) {
    if (pBackground) {
        const int frameHeight = pBackground->getHeight() / 4;
        pBackground->draw(context, size, CPoint(0, fourWayFrame(value) * frameHeight));
    }
    setDirty(false);
}

void CMyLRUDButton::mouse(CDrawContext* context, CPoint& where, int buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = context ? context->getMouseButtons() : 0;
    if (!(buttons & kLButton)) return;
    if (listener && (buttons & kModifierKeys)) {
        if (listener->controlModifierClicked(context, this, buttons) != 0) return;
    }
    const ZoneRect zones{size.left, size.top, size.right, size.bottom};
    beginEdit();
    do {
        value = fourWayZoneValue(zones, where.x, where.y, value);
        if (isDirty() && listener) listener->valueChanged(context, this);
        getMouseLocation(context, where);
        doIdleStuff();
    } while (context && (context->getMouseButtons() & (kLButton | kMButton | kRButton)));
    if (listener) listener->valueChanged(context, this);
    endEdit();
}

bool CMyLRUDButton::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CMyLRUDButton") == 0) || COnOffButton::isTypeOf(className);
}

}  // namespace ambrel
