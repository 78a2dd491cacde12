#pragma once
// What the knobs and the entry field need from their listener for typed value
// entry. The editor implements it next to CControlListener; the controls find
// it on their listener, so a listener without typed entry simply has none.

#include "toolkit/CControlListener.h"

namespace ambrel {

class CValueEntryHost {
public:
    virtual ~CValueEntryHost() = default;
    // A double click on a knob: open the entry field for parameter index.
    virtual void openValueEntry(int index) = 0;
    // The entry field closed with text (at most 63 characters) for index.
    virtual void applyValueEntry(int index, const char* text) = 0;
};

inline CValueEntryHost* valueEntryHostOf(VSTGUI::CControlListener* listener) {
    return dynamic_cast<CValueEntryHost*>(listener);
}

}  // namespace ambrel
