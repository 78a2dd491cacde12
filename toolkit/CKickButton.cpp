#include "toolkit/CKickButton.h"

#include <cstring>

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"

namespace VSTGUI {

CKickButton::CKickButton(const CRect& rect, CControlListener* l, int t, int imageHeight, CBitmap* background,
                         const CPoint& off)
    : CControl(rect, l, t, background), heightOfOneImage(imageHeight), offset(off) {}

CKickButton::~CKickButton() = default;

bool CKickButton::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CKickButton") == 0) || CControl::isTypeOf(className);
}

void CKickButton::draw(CDrawContext* context) {
    if (pBackground) {
        CPoint where(offset.x, offset.y + (value >= 0.5f ? heightOfOneImage : 0));
        pBackground->draw(context, size, where);
    }
    setDirty(false);
}

void CKickButton::mouse(CDrawContext* context, CPoint& where, int buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = context->getMouseButtons();
    if (!(buttons & kLButton)) return;
    if (listener && (buttons & kModifierKeys)) {
        if (listener->controlModifierClicked(context, this, buttons) != 0) return;
    }
    beginEdit();
    do {
        value = size.containsInclusive(where) ? 1.0f : 0.0f;
        if (isDirty() && listener) listener->valueChanged(context, this);
        getMouseLocation(context, where);
        doIdleStuff();
    } while (context->getMouseButtons() & kLButton);
    if (value != 0.0f) {
        value = 0.0f;
        if (listener) listener->valueChanged(context, this);
    }
    endEdit();
}

}  // namespace VSTGUI
