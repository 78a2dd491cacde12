#pragma once
// The two small views the fallback dialogs are made of: a line of text and a
// push button drawn without a skin. Both are plain toolkit views.

#include <string>

#include "toolkit/CControl.h"

namespace ambrel {

class DialogLabel : public VSTGUI::CView {
public:
    DialogLabel(const VSTGUI::CRect& size, std::string text) : CView(size), text(std::move(text)) {}
    void draw(VSTGUI::CDrawContext* context) override;

private:
    std::string text;
};

// Reports its tag through the listener when clicked.
class DialogButton : public VSTGUI::CControl {
public:
    DialogButton(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int tag, std::string label)
        : CControl(size, listener, tag), label(std::move(label)) {}
    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int buttons = -1) override;

private:
    std::string label;
};

}  // namespace ambrel
