#include "editor/CViewContainerSwitch.h"

#include <cstring>

#include "toolkit/CDrawContext.h"

namespace ambrel {

using namespace VSTGUI;

CViewContainerSwitch::CViewContainerSwitch(const CRect& rect, CControlListener* l, int t) : CControl(rect, l, t) {}

CViewContainerSwitch::~CViewContainerSwitch() = default;

void CViewContainerSwitch::draw(CDrawContext*) { setDirty(false); }

void CViewContainerSwitch::mouse(CDrawContext* context, CPoint&, int buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = context ? context->getMouseButtons() : 0;
    if (!(buttons & kLButton)) return;
    value = value == 0.0f ? 1.0f : 0.0f;
    if (listener) listener->valueChanged(context, this);
}

bool CViewContainerSwitch::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CViewContainerSwitch") == 0) || CControl::isTypeOf(className);
}

}  // namespace ambrel
