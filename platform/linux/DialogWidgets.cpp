#include "platform/linux/DialogWidgets.h"

#include "toolkit/CDrawContext.h"

namespace ambrel {

using namespace VSTGUI;

namespace {
constexpr CColor kDialogText{30, 30, 30, 255};
constexpr CColor kDialogFace{230, 230, 226, 255};
constexpr CColor kButtonFace{214, 214, 208, 255};
constexpr CColor kButtonEdge{110, 110, 104, 255};
}  // namespace

void DialogLabel::draw(CDrawContext* context) {
    context->setFillColor(kDialogFace);
    context->fillRect(size);
    context->setFont(kNormalFont);
    context->setFontColor(kDialogText);
    context->drawString(text.c_str(), size, false, kLeftText);
    setDirty(false);
}

void DialogButton::draw(CDrawContext* context) {
    context->setFillColor(value > 0.5f ? kButtonEdge : kButtonFace);
    context->fillRect(size);
    context->setFrameColor(kButtonEdge);
    context->drawRect(size);
    context->setFont(kNormalFont);
    context->setFontColor(value > 0.5f ? kButtonFace : kDialogText);
    context->drawString(label.c_str(), size, false, kCenterText);
    setDirty(false);
}

void DialogButton::mouse(CDrawContext* context, CPoint& /*where*/, int buttons) {
    if (!bMouseEnabled || !context) return;
    if (buttons == -1) buttons = context->getMouseButtons();
    if (!(buttons & kLButton)) return;
    value = 1.0f;
    setDirty(true);
    if (listener) listener->valueChanged(context, this);
}

}  // namespace ambrel
