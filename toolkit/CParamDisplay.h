#pragma once
// A control that shows its value as text: through a string-conversion hook, or
// "%2.2f" without one; over its background bitmap (from the background offset)
// or, without one, a filled and framed box; in its font, face, colour and
// alignment, optionally with a shadow one pixel down and right.

#include "toolkit/CColor.h"
#include "toolkit/CControl.h"
#include "toolkit/CFont.h"

namespace VSTGUI {

// Style flags.
enum CParamDisplayStyle {
    kShadowText = 1 << 2,
    k3DIn = 1 << 3,
    k3DOut = 1 << 4,
    kPopupStyle = 1 << 5,
    kCheckStyle = 1 << 10,    // a pop-up list checks the current entry
    kNoTextStyle = 1 << 11,
    kNoDrawStyle = 1 << 12,   // the control draws nothing (the skin shows through)
    kNoFrame = 1 << 13,
};

using StringConvertFn = void (*)(float value, char* text);
using StringConvertUserFn = void (*)(float value, char* text, void* userData);
using StringConvertIndexFn = void (*)(int index, float value, char* text);
using String2ValueFn = bool (*)(const char* text, float& value, void* userData);

class CParamDisplay : public CControl {
public:
    explicit CParamDisplay(const CRect& size, CBitmap* background = nullptr, int style = 0);
    ~CParamDisplay() override;

    void draw(CDrawContext* context) override;
    bool isTypeOf(const char* className) const override;

    virtual void setFont(int fontId) { fontID = fontId; setDirty(true); }
    virtual void setFontColor(CColor color) { fontColor = color; setDirty(true); }
    virtual void setBackColor(CColor color) { backColor = color; setDirty(true); }
    virtual void setFrameColor(CColor color) { frameColor = color; setDirty(true); }
    virtual void setShadowColor(CColor color) { shadowColor = color; setDirty(true); }
    virtual void setHoriAlign(int align) { horiTxtAlign = align; setDirty(true); }
    virtual void setStringConvert(StringConvertFn convert);
    virtual void setStringConvert(StringConvertUserFn convert, void* userData);
    virtual void setStringConvert(StringConvertIndexFn convert);
    virtual void setString2ValueConvert(String2ValueFn convert, void* userData = nullptr);
    virtual void setTxtFace(int face) { txtFace = face; setDirty(true); }
    virtual void setTextTransparency(bool state) { bTextTransparencyEnabled = state; }

    virtual void setStyle(int newStyle) { style = newStyle; setDirty(true); }
    virtual int getStyle() const { return style; }
    int getFont() const { return fontID; }
    CColor getFontColor() const { return fontColor; }
    CColor getBackColor() const { return backColor; }
    CColor getFrameColor() const { return frameColor; }
    int getHoriAlign() const { return horiTxtAlign; }
    int getTxtFace() const { return txtFace; }
    bool getTextTransparency() const { return bTextTransparencyEnabled; }
    // The text the display shows for value (at most 255 characters).
    virtual void valueText(float v, char* text) const;

protected:
    // Background (unless no-draw), then the text.
    void drawText(CDrawContext* context, const char* text);

    int horiTxtAlign = kCenterText;
    int style;
    int fontID = kNormalFontSmall;
    int txtFace = kNormalFace;
    CColor fontColor = kWhiteCColor;
    CColor backColor = kBlackCColor;
    CColor frameColor = kBlackCColor;
    CColor shadowColor = kRedCColor;
    bool bTextTransparencyEnabled = true;
    StringConvertFn stringConvert = nullptr;
    StringConvertUserFn stringConvertUser = nullptr;
    StringConvertIndexFn stringConvertIndex = nullptr;
    String2ValueFn string2Value = nullptr;
    void* userData = nullptr;
    void* string2ValueUserData = nullptr;
};

}  // namespace VSTGUI
