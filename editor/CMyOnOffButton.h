#pragma once
// An on/off button that reads any value from 0.5 up as on, the way the
// processing reads switch parameters; clicks are the stock button's.

#include "toolkit/COnOffButton.h"

namespace ambrel {

class CMyOnOffButton : public VSTGUI::COnOffButton {
public:
    CMyOnOffButton(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int tag, VSTGUI::CBitmap* background,
                   int style = 0);
    ~CMyOnOffButton() override;

    void draw(VSTGUI::CDrawContext* context) override;
    bool isTypeOf(const char* className) const override;
};

}  // namespace ambrel
