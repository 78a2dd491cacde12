#pragma once
// A fixed text in the small font, black, left-aligned, over whatever is
// behind it (the background is not painted).

#include "toolkit/CParamDisplay.h"

namespace ambrel {

class CLabel2 : public VSTGUI::CParamDisplay {
public:
    static constexpr int kTextSize = 256;

    CLabel2(const VSTGUI::CRect& size, const char* text);
    ~CLabel2() override;

    void draw(VSTGUI::CDrawContext* context) override;
    bool isTypeOf(const char* className) const override;
    const char* getLabel() const { return text; }

protected:
    char text[kTextSize] = {};
};

}  // namespace ambrel
