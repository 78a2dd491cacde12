#pragma once
// How controls report to their owner (the editor).

namespace VSTGUI {

class CControl;
class CDrawContext;

class CControlListener {
public:
    virtual ~CControlListener() = default;
    virtual void valueChanged(CDrawContext* context, CControl* control) = 0;
    // Non-zero takes the click away from the control.
    virtual long controlModifierClicked(CDrawContext*, CControl*, long /*buttons*/) { return 0; }
};

}  // namespace VSTGUI
