#include "editor/FilmStripKnobMouse.h"

#include <optional>

#include "editor/CValueEntryHost.h"
#include "editor/KnobDrag.h"
#include "toolkit/CButtons.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"

namespace ambrel {

using namespace VSTGUI;

namespace {

void tell(CAnimKnob& knob, CDrawContext* context) {
    if (CControlListener* listener = knob.getListener()) listener->valueChanged(context, &knob);
}

CPoint relativeTo(const CAnimKnob& knob, const CPoint& p) {
    return CPoint(p.x - knob.getSize().left, p.y - knob.getSize().top);
}

}  // namespace

void filmStripKnobMouse(CAnimKnob& knob, CDrawContext* context, CPoint& where, int buttons,
                        const KnobMouseVariant& variant) {
    if (!knob.getMouseEnabled()) return;
    if (buttons == -1) buttons = context ? context->getMouseButtons() : 0;
    if (!(buttons & kLButton)) return;
    if (variant.notifyOnPress) tell(knob, context);

    if (buttons == (kLButton | kControl)) {
        if (variant.controlClickStartsClock) knob.isDoubleClick();
        knob.setValue(knob.getDefaultValue());
        if (knob.isDirty()) tell(knob, context);
        return;
    }
    if (knob.isDoubleClick()) {
        if (CValueEntryHost* host = valueEntryHostOf(knob.getListener())) host->openValueEntry(knob.getTag());
        return;
    }

    const float minimum = knob.getMin();
    const float maximum = knob.getMax();
    const bool linear = (getKnobMode() == kLinearMode) != ((buttons & kAlt) != 0);
    std::optional<LinearKnobDrag> linearDrag;
    std::optional<CircularGapGuard> circularDrag;
    if (linear) {
        linearDrag.emplace(knob.getValue(), minimum, maximum, (buttons & kShift) != 0);
    } else {
        circularDrag.emplace(knob.valueFromPoint(relativeTo(knob, where)), minimum, maximum);
    }

    CPoint previous = where;
    CPoint previousNotified(0, 0);
    int previousButtons = buttons;
    tell(knob, context);
    knob.getMouseLocation(context, where);
    knob.doIdleStuff();
    CFrame* frame = knob.getFrame();
    const int tag = knob.getTag();
    if (frame) frame->beginEdit(tag);

    do {
        buttons = context ? context->getMouseButtons() : 0;
        if (linearDrag) {
            linearDrag->move(where.x - previous.x, previous.y - where.y);
            if (buttons != previousButtons) linearDrag->setFine((buttons & kShift) != 0);
            knob.setValue(linearDrag->value());
        } else {
            knob.setValue(circularDrag->follow(knob.valueFromPoint(relativeTo(knob, where))));
        }
        previous = where;
        previousButtons = buttons;
        const bool moved = !(where == previousNotified);
        if (knob.isDirty() || (variant.notifyOnEveryMove && moved)) tell(knob, context);
        previousNotified = where;
        knob.getMouseLocation(context, where);
        knob.doIdleStuff();
    } while (buttons & kLButton);

    if (frame) frame->endEdit(tag);
}

}  // namespace ambrel
