#include "editor/CMyOnOffButton.h"

#include <cstring>

#include "toolkit/CBitmap.h"

namespace ambrel {

using namespace VSTGUI;

CMyOnOffButton::CMyOnOffButton(const CRect& rect, CControlListener* l, int t, CBitmap* background, int s)
    : COnOffButton(rect, l, t, background, s) {}

CMyOnOffButton::~CMyOnOffButton() = default;

void CMyOnOffButton::draw(CDrawContext* context) {
    if (pBackground) {
        const int off = value >= 0.5f ? pBackground->getHeight() / 2 : 0;
        pBackground->draw(context, size, CPoint(0, off));
    }
    setDirty(false);
}

bool CMyOnOffButton::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CMyOnOffButton") == 0) || COnOffButton::isTypeOf(className);
}

}  // namespace ambrel
