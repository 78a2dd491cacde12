#pragma once
// A needle meter drawn from a 101-frame strip, with two faces (two scales); a
// click swaps the face and reports the new scale as the control's value.

#include "toolkit/CControl.h"

namespace ambrel {

class CMovieMeter : public VSTGUI::CControl {
public:
    static constexpr int kFrameCount = 101;

    // face0 is the background (scale 0), face1 the second scale's face.
    CMovieMeter(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int tag, VSTGUI::CBitmap* face0,
                VSTGUI::CBitmap* face1, int scale);
    ~CMovieMeter() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int buttons = -1) override;
    bool isTypeOf(const char* className) const override;

    // Needle travel 0..1 (before the limit to 1) of a value on the current face.
    virtual float needlePosition(float value);
    virtual int setScale(int newScale);
    int getScale() const { return scale; }
    int frameShown() const;  // the frame the current value draws

protected:
    VSTGUI::CPoint offset;
    int frameCount = kFrameCount;
    int frameHeight = 0;
    VSTGUI::CBitmap* scaleBitmap = nullptr;
    int scale = 0;
};

}  // namespace ambrel
