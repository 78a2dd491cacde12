#include "editor/CCounter.h"

#include <cstring>

#include "toolkit/CBitmap.h"

namespace ambrel {

using namespace VSTGUI;

CCounter::CCounter(const CRect& rect, CControlListener* l, int t, float v, int m, int originX, int originY, int width,
                   int height, CBitmap* background)
    : CControl(rect, l, t, background),
      mode(m),
      glyphOriginX(originX),
      glyphOriginY(originY),
      glyphWidth(width),
      glyphHeight(height) {
    glyphs.fill(kGlyphBlank);
    value = v;
}

CCounter::~CCounter() = default;

float CCounter::getNormalizedValue() {
    if (!(vmax != 0.0f)) return 0.0f;
    const float n = value / vmax;
    return n < 0.0f ? 0.0f : (n > 1.0f ? 1.0f : n);
}

void CCounter::setValueAndMode(float newValue, int newMode) {
    value = newValue;
    mode = newMode;
    setDirty(true);
}

void CCounter::draw(CDrawContext* context) {
    glyphs = counterGlyphs(value, mode);
    if (pBackground) {
        for (int i = 0; i < kCounterPositions; ++i) {
            const CRect dest(glyphOriginX + i * glyphWidth, glyphOriginY, glyphOriginX + (i + 1) * glyphWidth,
                             glyphOriginY + glyphHeight);
            pBackground->draw(context, dest, CPoint(0, glyphHeight * glyphs[i]));
        }
    }
    setDirty(false);
}

bool CCounter::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CCounter") == 0) || CControl::isTypeOf(className);
}

}  // namespace ambrel
