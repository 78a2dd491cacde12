#include "toolkit/CVerticalSwitch.h"

#include <cstring>

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"

namespace VSTGUI {

CVerticalSwitch::CVerticalSwitch(const CRect& rect, CControlListener* l, int t, int pixmaps, int imageHeight,
                                 int positions, CBitmap* background, const CPoint& off)
    : CControl(rect, l, t, background), subPixmaps(pixmaps), heightOfOneImage(imageHeight), maxPositions(positions),
      offset(off) {}

CVerticalSwitch::~CVerticalSwitch() = default;

bool CVerticalSwitch::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CVerticalSwitch") == 0) || CControl::isTypeOf(className);
}

void CVerticalSwitch::draw(CDrawContext* context) {
    if (pBackground) {
        // The nearest position's picture.
        int frame = maxPositions > 1 ? static_cast<int>(value * static_cast<float>(maxPositions - 1) + 0.5f) : 0;
        if (frame < 0) frame = 0;
        if (frame > subPixmaps - 1) frame = subPixmaps - 1;
        pBackground->draw(context, size, CPoint(offset.x, offset.y + frame * heightOfOneImage));
    }
    setDirty(false);
}

float CVerticalSwitch::valueAtY(int y) const {
    // A switch of one position (or without height) has nothing to choose.
    if (maxPositions < 2 || heightOfOneImage <= 0) return 0.0f;
    double slice = static_cast<double>(heightOfOneImage) / maxPositions;
    int position = static_cast<int>((y - size.top) / slice);
    float v = static_cast<float>(position) / static_cast<float>(maxPositions - 1);
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}

void CVerticalSwitch::mouse(CDrawContext* context, CPoint& where, int buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = context->getMouseButtons();
    if (!(buttons & kLButton)) return;
    if (listener && (buttons & kModifierKeys)) {
        if (listener->controlModifierClicked(context, this, buttons) != 0) return;
    }
    if (checkDefaultValue(context, buttons)) return;
    int atClick = buttons;
    beginEdit();
    // At least one pass, so a click handled after its release still counts.
    do {
        value = valueAtY(where.y);
        if (isDirty() && listener) listener->valueChanged(context, this);
        getMouseLocation(context, where);
        doIdleStuff();
    } while (context->getMouseButtons() == atClick);
    endEdit();
}

}  // namespace VSTGUI
