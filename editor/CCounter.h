#pragma once
// The six-glyph numeric readout: a number in one of five display modes
// (blank, decibels, hertz, percent, plain), drawn glyph by glyph from a strip.

#include "editor/CounterGlyphs.h"
#include "toolkit/CControl.h"

namespace ambrel {

class CCounter : public VSTGUI::CControl {
public:
    CCounter(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int tag, float value, int mode,
             int glyphOriginX, int glyphOriginY, int glyphWidth, int glyphHeight, VSTGUI::CBitmap* background);
    ~CCounter() override;

    void draw(VSTGUI::CDrawContext* context) override;
    bool isTypeOf(const char* className) const override;

    virtual float getNormalizedValue();  // value / maximum, within 0..1
    virtual void setValueAndMode(float newValue, int newMode);
    int getMode() const { return mode; }
    const CounterGlyphs& getGlyphs() const { return glyphs; }  // as drawn last

protected:
    int mode;
    CounterGlyphs glyphs;
    int glyphOriginX;
    int glyphOriginY;
    int glyphWidth;
    int glyphHeight;
};

}  // namespace ambrel
