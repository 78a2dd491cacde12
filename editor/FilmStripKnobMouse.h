#pragma once
// The mouse handling shared by the product's film-strip knobs: Control-click
// restores the default, a double click opens typed entry, anything else drags
// (linearly or circularly by the knob mode and Alt) inside an edit bracket.

#include "toolkit/CAnimKnob.h"

namespace ambrel {

struct KnobMouseVariant {
    bool notifyOnPress;             // tell the listener before anything else
    bool controlClickStartsClock;   // a Control-click counts as a first click
    bool notifyOnEveryMove;         // tell the listener whenever the pointer moved
};

inline constexpr KnobMouseVariant kPlainKnobMouse{false, true, false};
inline constexpr KnobMouseVariant kDriveKnobMouse{true, false, true};

void filmStripKnobMouse(VSTGUI::CAnimKnob& knob, VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int buttons,
                        const KnobMouseVariant& variant);

}  // namespace ambrel
