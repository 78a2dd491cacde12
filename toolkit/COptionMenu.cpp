#include "toolkit/COptionMenu.h"

#include <cstring>

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"

namespace VSTGUI {

COptionMenu::COptionMenu(const CRect& rect, CControlListener* l, int t, CBitmap* background, CBitmap* clicked, int s)
    : CParamDisplay(rect, background, s), bgWhenClick(clicked) {
    listener = l;
    tag = t;
    if (bgWhenClick) bgWhenClick->remember();
    setMax(0.0f);
}

COptionMenu::~COptionMenu() {
    if (bgWhenClick) bgWhenClick->forget();
}

bool COptionMenu::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "COptionMenu") == 0) || CParamDisplay::isTypeOf(className);
}

bool COptionMenu::addEntry(const char* text, int index) {
    std::string entry = text ? std::string(text).substr(0, 255) : std::string();
    if (index < 0 || index >= getNbEntries()) entries.push_back(entry);
    else entries.insert(entries.begin() + index, entry);
    setMax(static_cast<float>(getNbEntries() - 1));
    setDirty(true);
    return true;
}

bool COptionMenu::setEntry(int index, const char* text) {
    if (index < 0 || index >= getNbEntries() || !text) return false;
    entries[static_cast<size_t>(index)] = std::string(text).substr(0, 255);
    setDirty(true);
    return true;
}

bool COptionMenu::getEntry(int index, char* text) const {
    if (!text) return false;
    text[0] = 0;
    if (index < 0 || index >= getNbEntries()) return false;
    std::strncpy(text, entries[static_cast<size_t>(index)].c_str(), 255);
    text[255] = 0;
    return true;
}

bool COptionMenu::removeEntry(int index) {
    if (index < 0 || index >= getNbEntries()) return false;
    entries.erase(entries.begin() + index);
    if (currentIndex >= getNbEntries()) currentIndex = getNbEntries() - 1;
    setMax(static_cast<float>(getNbEntries() > 0 ? getNbEntries() - 1 : 0));
    setDirty(true);
    return true;
}

void COptionMenu::removeAllEntry() {
    entries.clear();
    currentIndex = -1;
    setMax(0.0f);
    setDirty(true);
}

bool COptionMenu::isSeparator(int index) const {
    return index >= 0 && index < getNbEntries() && entries[static_cast<size_t>(index)] == "-";
}

bool COptionMenu::setCurrent(int index, bool countSeparator) {
    if (!countSeparator) {
        // index counts entries only: find the entry that many real entries in.
        int real = -1;
        int found = -1;
        for (int i = 0; i < getNbEntries() && found < 0; ++i) {
            if (!isSeparator(i) && ++real == index) found = i;
        }
        if (found < 0) return false;
        index = found;
    }
    if (index < 0 || index >= getNbEntries()) return false;
    currentIndex = index;
    value = static_cast<float>(index);
    setDirty(true);
    return true;
}

int COptionMenu::getCurrent(char* text, bool countSeparator) const {
    if (text) getEntry(currentIndex, text);
    if (currentIndex < 0 || countSeparator) return currentIndex;
    int real = 0;
    for (int i = 0; i < currentIndex; ++i) {
        if (!isSeparator(i)) ++real;
    }
    return real;
}

void COptionMenu::draw(CDrawContext* context) {
    if (!(style & kNoDrawStyle)) {
        const char* text = currentIndex >= 0 && currentIndex < getNbEntries() ? entries[static_cast<size_t>(currentIndex)].c_str() : "";
        drawText(context, text);
    }
    setDirty(false);
}

void COptionMenu::mouse(CDrawContext* context, CPoint&, int buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = context ? context->getMouseButtons() : 0;
    if (!(buttons & (kLButton | kRButton))) return;
    if (listener && (buttons & kModifierKeys)) {
        if (listener->controlModifierClicked(context, this, buttons) != 0) return;
    }
    takeFocus(context);
}

void COptionMenu::takeFocus(CDrawContext*) {
    if (!pParentFrame || entries.empty() || pParentFrame->isPopupOpen()) return;
    platform::PopupSpec spec;
    spec.entries = entries;
    spec.current = currentIndex;
    spec.checkCurrent = (style & kCheckStyle) != 0;
    spec.itemsPerColumn = itemsPerColumn;
    spec.where = CPoint(size.left, size.bottom);
    FontSpec font = fontSpec(kNormalFont);
    spec.font.face = font.face;
    spec.font.size = font.size;
    pParentFrame->openPopupList(this, spec);
}

void COptionMenu::popupClosed(CDrawContext* context, int index) {
    if (index < 0 || index >= getNbEntries() || isSeparator(index)) return;
    currentIndex = index;
    value = static_cast<float>(index);
    if (listener) listener->valueChanged(context, this);
    setDirty(true);
}

}  // namespace VSTGUI
