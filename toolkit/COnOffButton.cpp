#include "toolkit/COnOffButton.h"

#include <cstring>

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"

namespace VSTGUI {

COnOffButton::COnOffButton(const CRect& rect, CControlListener* l, int t, CBitmap* background, int s)
    : CControl(rect, l, t, background), style(s) {}

COnOffButton::~COnOffButton() = default;

bool COnOffButton::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "COnOffButton") == 0) || CControl::isTypeOf(className);
}

void COnOffButton::draw(CDrawContext* context) {
    if (pBackground) {
        int off = value != 0.0f ? pBackground->getHeight() / 2 : 0;
        pBackground->draw(context, size, CPoint(0, off));
    }
    setDirty(false);
}

void COnOffButton::mouse(CDrawContext* context, CPoint&, int buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = context->getMouseButtons();
    if (!(buttons & kLButton)) return;
    if (listener && (buttons & kModifierKeys)) {
        if (listener->controlModifierClicked(context, this, buttons) != 0) return;
    }
    value = static_cast<int>(value) != 0 ? 0.0f : 1.0f;
    if (listener) listener->valueChanged(context, this);
}

}  // namespace VSTGUI
