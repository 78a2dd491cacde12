#pragma once
// One of the preset strip's four load/save buttons. A left click shows the
// pressed picture, runs its file action on the preset listener at once (the
// dialog opens while the button is down) and waits for the release. The
// bitmap is a column of 14-pixel frames: normal, highlighted, pressed.

#include "presets/CPresetSystemListener.h"
#include "toolkit/CKickButton.h"

namespace ambrel {

class CSaveLoadButton : public VSTGUI::CKickButton {
public:
    enum Action { kLoadBank = 0, kSaveBank = 1, kLoadPreset = 2, kSavePreset = 3 };
    static constexpr int kFrameHeight = 14;

    CSaveLoadButton(const VSTGUI::CRect& size, CPresetSystemListener* listener, int tag, VSTGUI::CBitmap* bitmap,
                    Action action);

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int buttons = -1) override;
    bool isTypeOf(const char* className) const override;
    // The hover highlight; redraws only when it changes.
    virtual void setLit(bool on);

    bool isLit() const { return lit; }
    Action action() const { return actionNumber; }
    int shownFrame() const;

private:
    void runAction();

    Action actionNumber;
    CPresetSystemListener* presetListener;
    bool lit = false;
};

}  // namespace ambrel
