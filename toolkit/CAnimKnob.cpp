#include "toolkit/CAnimKnob.h"

#include <cmath>
#include <cstring>

#include "toolkit/CBitmap.h"

namespace VSTGUI {

CAnimKnob::CAnimKnob(const CRect& rect, CControlListener* l, int t, int pixmaps, int imageHeight,
                     CBitmap* background, const CPoint& off)
    : CKnob(rect, l, t, background, nullptr, off), subPixmaps(pixmaps), heightOfOneImage(imageHeight) {}

CAnimKnob::~CAnimKnob() = default;

bool CAnimKnob::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CAnimKnob") == 0) || CKnob::isTypeOf(className);
}

CPoint CAnimKnob::sourceOffset() const {
    CPoint where(0, 0);
    if (value >= 0.0f && heightOfOneImage > 0 && subPixmaps > 1) {
        float position = bInverseBitmap ? 1.0f - value : value;
        float span = position * static_cast<float>(heightOfOneImage) * static_cast<float>(subPixmaps - 1);
        int frame = static_cast<int>(std::floor(span / static_cast<float>(heightOfOneImage)));
        if (frame < 0) frame = 0;
        if (frame > subPixmaps - 1) frame = subPixmaps - 1;
        where.y = frame * heightOfOneImage;
    }
    return where;
}

void CAnimKnob::draw(CDrawContext* context) {
    if (pBackground) pBackground->draw(context, size, sourceOffset());
    setDirty(false);
}

}  // namespace VSTGUI
