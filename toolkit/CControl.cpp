#include "toolkit/CControl.h"

#include <cstring>

#include "toolkit/CBitmap.h"
#include "toolkit/CFrame.h"
#include "toolkit/Clock.h"

namespace VSTGUI {

CControl::CControl(const CRect& rect, CControlListener* l, int t, CBitmap* background)
    : CView(rect), listener(l), tag(t), delta(doubleClickTime()) {
    if (background) {
        pBackground = background;
        background->remember();
    }
}

CControl::~CControl() = default;

bool CControl::isDirty() const { return value != oldValue || CView::isDirty(); }

void CControl::setDirty(bool state) {
    CView::setDirty(state);
    if (state) oldValue = value == -1.0f ? 0.0f : -1.0f;
    else oldValue = value;
}

bool CControl::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CControl") == 0) || CView::isTypeOf(className);
}

void CControl::doIdleStuff() {
    if (pParentFrame) pParentFrame->doIdleStuff();
}

void CControl::beginEdit() {
    if (!pParentFrame) return;
    pParentFrame->setFocusView(this);
    pParentFrame->beginEdit(tag);
}

void CControl::endEdit() {
    if (pParentFrame) pParentFrame->endEdit(tag);
}

void CControl::copyBackOffset() { backOffset = size.topLeft(); }

void CControl::bounceValue() {
    if (value > vmax) value = vmax;
    else if (value < vmin) value = vmin;
}

bool CControl::checkDefaultValue(CDrawContext* context, int buttons) {
    if (buttons != (kLButton | kControl)) return false;
    beginEdit();
    value = defaultValue;
    if (isDirty() && listener) listener->valueChanged(context, this);
    endEdit();
    return true;
}

int CControl::currentTicks() const { return pParentFrame ? pParentFrame->getTicks() : toolkitClock().ticks(); }

bool CControl::isDoubleClick() {
    int now = currentTicks();
    if (lastTicks <= 0) {
        lastTicks = now;
        return false;
    }
    if (lastTicks + delta > now) {
        lastTicks = -1;
        return true;
    }
    lastTicks = now;
    return false;
}

}  // namespace VSTGUI
