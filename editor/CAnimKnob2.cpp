#include "editor/CAnimKnob2.h"

#include <cstring>

#include "editor/FilmStripKnobMouse.h"

namespace ambrel {

using namespace VSTGUI;

CAnimKnob2::CAnimKnob2(const CRect& rect, CControlListener* l, int t, int pixmaps, int imageHeight,
                       CBitmap* background, const CPoint& off)
    : CAnimKnob(rect, l, t, pixmaps, imageHeight, background, off) {}

CAnimKnob2::~CAnimKnob2() = default;

void CAnimKnob2::draw(CDrawContext* context) { CAnimKnob::draw(context); }

void CAnimKnob2::mouse(CDrawContext* context, CPoint& where, int buttons) {
    filmStripKnobMouse(*this, context, where, buttons, kPlainKnobMouse);
}

bool CAnimKnob2::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CAnimKnob2") == 0) || CAnimKnob::isTypeOf(className);
}

}  // namespace ambrel
