#include "toolkit/CParamDisplay.h"

#include <cstdio>
#include <cstring>

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"

namespace VSTGUI {

CParamDisplay::CParamDisplay(const CRect& rect, CBitmap* background, int s) : CControl(rect, nullptr, 0, background), style(s) {
    // A readout over a backdrop shows the backdrop, so nothing under it needs drawing.
    bTransparencyEnabled = false;
}

CParamDisplay::~CParamDisplay() = default;

bool CParamDisplay::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CParamDisplay") == 0) || CControl::isTypeOf(className);
}

void CParamDisplay::setStringConvert(StringConvertFn convert) {
    stringConvert = convert;
    stringConvertUser = nullptr;
    stringConvertIndex = nullptr;
    setDirty(true);
}

void CParamDisplay::setStringConvert(StringConvertUserFn convert, void* data) {
    stringConvertUser = convert;
    userData = data;
    stringConvert = nullptr;
    stringConvertIndex = nullptr;
    setDirty(true);
}

void CParamDisplay::setStringConvert(StringConvertIndexFn convert) {
    stringConvertIndex = convert;
    stringConvert = nullptr;
    stringConvertUser = nullptr;
    setDirty(true);
}

void CParamDisplay::setString2ValueConvert(String2ValueFn convert, void* data) {
    string2Value = convert;
    string2ValueUserData = data;
}

void CParamDisplay::valueText(float v, char* text) const {
    text[0] = 0;
    if (stringConvertUser) stringConvertUser(v, text, userData);
    else if (stringConvert) stringConvert(v, text);
    else if (stringConvertIndex) stringConvertIndex(tag, v, text);
    else std::snprintf(text, 256, "%2.2f", static_cast<double>(v));
    text[255] = 0;
}

void CParamDisplay::draw(CDrawContext* context) {
    char text[256];
    valueText(value, text);
    drawText(context, text);
    setDirty(false);
}

void CParamDisplay::drawText(CDrawContext* context, const char* text) {
    if (style & kNoDrawStyle) return;
    if (pBackground) {
        pBackground->draw(context, size, backOffset);
    } else if (!bTransparencyEnabled) {
        context->setFillColor(backColor);
        context->fillRect(size);
        if (!(style & kNoFrame)) {
            context->setFrameColor(frameColor);
            context->setLineWidth(1);
            context->drawRect(size);
        }
    }
    if ((style & kNoTextStyle) || !text || !*text) return;
    context->setFont(fontID, 0, txtFace);
    if (style & kShadowText) {
        CRect shadow = size;
        shadow.offset(1, 1);
        context->setFontColor(shadowColor);
        context->drawString(text, shadow, false, horiTxtAlign);
    }
    context->setFontColor(fontColor);
    context->drawString(text, size, false, horiTxtAlign);
}

}  // namespace VSTGUI
