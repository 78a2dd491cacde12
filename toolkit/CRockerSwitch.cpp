#include "toolkit/CRockerSwitch.h"

#include <cstring>

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"

namespace VSTGUI {

CRockerSwitch::CRockerSwitch(const CRect& rect, CControlListener* l, int t, int imageHeight, CBitmap* background,
                             const CPoint& off, int s)
    : CControl(rect, l, t, background), heightOfOneImage(imageHeight), offset(off), style(s) {
    setMin(-1.0f);
    setMax(1.0f);
    setDefaultValue(0.0f);
}

CRockerSwitch::~CRockerSwitch() = default;

bool CRockerSwitch::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CRockerSwitch") == 0) || CControl::isTypeOf(className);
}

void CRockerSwitch::draw(CDrawContext* context) {
    if (pBackground) {
        int frame = value == 1.0f ? 2 : (value == -1.0f ? 1 : 0);
        pBackground->draw(context, size, CPoint(offset.x, offset.y + frame * heightOfOneImage));
    }
    setDirty(false);
}

void CRockerSwitch::mouse(CDrawContext* context, CPoint& where, int buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = context->getMouseButtons();
    if (!(buttons & kLButton)) return;
    if (listener && (buttons & kModifierKeys)) {
        if (listener->controlModifierClicked(context, this, buttons) != 0) return;
    }
    beginEdit();
    do {
        if (!size.containsInclusive(where)) value = 0.0f;
        else if (style & kVertical) value = where.y < (size.top + size.bottom) / 2 ? -1.0f : 1.0f;
        else value = where.x < (size.left + size.right) / 2 ? -1.0f : 1.0f;
        if (isDirty() && listener) listener->valueChanged(context, this);
        getMouseLocation(context, where);
        doIdleStuff();
    } while (context->getMouseButtons() & kLButton);
    value = 0.0f;
    if (isDirty() && listener) listener->valueChanged(context, this);
    endEdit();
}

}  // namespace VSTGUI
