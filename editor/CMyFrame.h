#pragma once
// The editor's frame: a click first ends an open value entry (the typed value
// is applied) and then still reaches the control under it; the mouse wheel
// goes to the view under the pointer (or the modal view), wherever the host
// says the wheel turned.

#include "toolkit/CFrame.h"

namespace ambrel {

class CMyFrame : public VSTGUI::CFrame {
public:
    CMyFrame(const VSTGUI::CRect& size, void* parentWindow, AEffGUIEditor* editor);
    ~CMyFrame() override;

    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int buttons = -1) override;
    bool onWheel(VSTGUI::CDrawContext* context, const VSTGUI::CPoint& where, VSTGUI::CMouseWheelAxis axis,
                 float distance) override;
    using VSTGUI::CFrame::onWheel;
    bool isTypeOf(const char* className) const override;

    // The entry field to close on the next click (none: nullptr). The frame
    // keeps a reference while it is set.
    void setEntryView(VSTGUI::CView* view);
    VSTGUI::CView* getEntryView() const { return entryView; }

protected:
    VSTGUI::CView* entryView = nullptr;
};

}  // namespace ambrel
