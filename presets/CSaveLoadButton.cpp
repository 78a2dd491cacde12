#include "presets/CSaveLoadButton.h"

#include <cstring>

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"

namespace ambrel {

using namespace VSTGUI;

CSaveLoadButton::CSaveLoadButton(const CRect& rect, CPresetSystemListener* listener, int tag, CBitmap* bitmap,
                                 Action action)
    : CKickButton(rect, listener, tag, kFrameHeight, bitmap, CPoint(0, 0)),
      actionNumber(action),
      presetListener(listener) {}

bool CSaveLoadButton::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CSaveLoadButton") == 0) || CKickButton::isTypeOf(className);
}

int CSaveLoadButton::shownFrame() const { return value > 0.5f ? 2 : (lit ? 1 : 0); }

void CSaveLoadButton::draw(CDrawContext* context) {
    if (pBackground) pBackground->draw(context, size, CPoint(0, shownFrame() * kFrameHeight));
    setDirty(false);
}

void CSaveLoadButton::setLit(bool on) {
    if (lit == on) return;
    lit = on;
    setDirty(true);
}

void CSaveLoadButton::runAction() {
    switch (actionNumber) {
        case kLoadBank: presetListener->loadBank(); break;
        case kSaveBank: presetListener->saveBank(); break;
        case kLoadPreset: presetListener->loadPreset(); break;
        case kSavePreset: presetListener->savePreset(); break;
    }
}

void CSaveLoadButton::mouse(CDrawContext* context, CPoint& /*where*/, int buttons) {
    if (!bMouseEnabled || !getFrame() || !context || !presetListener) return;
    if (buttons == -1) buttons = context->getMouseButtons();
    if (!(buttons & kLButton)) return;
    value = 1.0f;
    getFrame()->drawView(this);  // pressed while the dialog is up
    runAction();
    while (context->getMouseButtons() & kLButton) doIdleStuff();
    value = 0.0f;
    setDirty(true);
}

}  // namespace ambrel
