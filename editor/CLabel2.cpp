#include "editor/CLabel2.h"

#include <cstring>

#include "toolkit/CDrawContext.h"

namespace ambrel {

using namespace VSTGUI;

CLabel2::CLabel2(const CRect& rect, const char* label) : CParamDisplay(rect) {
    if (label) std::strncpy(text, label, kTextSize - 1);
    text[kTextSize - 1] = 0;
}

CLabel2::~CLabel2() = default;

void CLabel2::draw(CDrawContext* context) {
    if (context) {
        context->setFont(kNormalFontVerySmall);
        context->setFontColor(CColor{0, 0, 0, 255});
        context->drawString(text, size, false, kLeftText);
    }
    setDirty(false);
}

bool CLabel2::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CLabel2") == 0) || CParamDisplay::isTypeOf(className);
}

}  // namespace ambrel
