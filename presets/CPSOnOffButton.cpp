#include "presets/CPSOnOffButton.h"

#include <cstring>

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"

namespace ambrel {

using namespace VSTGUI;

namespace {
constexpr int kFrameCount = 4;
}

CPSOnOffButton::CPSOnOffButton(const CRect& rect, CPresetSystemListener* listener, int tag, CBitmap* bitmap)
    : COnOffButton(rect, listener, tag, bitmap) {}

bool CPSOnOffButton::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CPSOnOffButton") == 0) || COnOffButton::isTypeOf(className);
}

int CPSOnOffButton::shownFrame() const { return !enabled ? 3 : (pressed ? 2 : (lit ? 1 : 0)); }

void CPSOnOffButton::draw(CDrawContext* context) {
    if (pBackground) {
        const int frameHeight = pBackground->getHeight() / kFrameCount;
        pBackground->draw(context, size, CPoint(0, shownFrame() * frameHeight));
    }
    setDirty(false);
}

void CPSOnOffButton::setLit(bool on) {
    if (lit == on) return;
    lit = on;
    setDirty(true);
}

void CPSOnOffButton::setEnabled(bool on) {
    if (enabled == on) return;
    enabled = on;
    setDirty(true);
}

void CPSOnOffButton::redrawNow() {
    setDirty(true);
    if (getFrame()) getFrame()->drawView(this);
}

void CPSOnOffButton::mouse(CDrawContext* context, CPoint& /*where*/, int buttons) {
    if (!bMouseEnabled || !context) return;
    if (buttons == -1) buttons = context->getMouseButtons();
    if (!(buttons & kLButton)) return;
    if (listener) listener->valueChanged(context, this);
    pressed = true;
    redrawNow();
    while (context->getMouseButtons() & kLButton) doIdleStuff();
    pressed = false;
    redrawNow();
}

}  // namespace ambrel
