#include "editor/CMyTextEdit.h"

#include <cstring>

#include "editor/CValueEntryHost.h"
#include "toolkit/CFrame.h"

namespace ambrel {

using namespace VSTGUI;

CMyTextEdit::CMyTextEdit(const CRect& rect, CControlListener* l, int t, const char* text, CBitmap* background, int s)
    : CTextEdit(rect, l, t, text, background, s) {}

CMyTextEdit::~CMyTextEdit() = default;

void CMyTextEdit::beginEntry(int index, CDrawContext* context) {
    paramIndex = index;
    // The field only needs the keyboard focus. Going through the control's
    // beginEdit would also open a host edit bracket for the field's own tag,
    // which is no parameter and would never be closed.
    if (pParentFrame && pParentFrame->getFocusView() != this) pParentFrame->setFocusView(this);
    takeFocus(context);
}

void CMyTextEdit::looseFocus(CDrawContext* context) {
    CTextEdit::looseFocus(context);
    // Enter and a later click both end the same entry; it is applied once.
    const int index = paramIndex;
    if (index < 0) return;
    paramIndex = -1;
    char entry[kEntryTextSize];
    std::strncpy(entry, text(), kEntryTextSize - 1);
    entry[kEntryTextSize - 1] = 0;
    if (CValueEntryHost* host = valueEntryHostOf(listener)) host->applyValueEntry(index, entry);
}

bool CMyTextEdit::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CMyTextEdit") == 0) || CTextEdit::isTypeOf(className);
}

}  // namespace ambrel
