#include "toolkit/CTextEdit.h"

#include <cstring>

#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"

namespace VSTGUI {

CTextEdit::CTextEdit(const CRect& rect, CControlListener* l, int t, const char* text, CBitmap* background, int s)
    : CParamDisplay(rect, background, s) {
    listener = l;
    tag = t;
    setText(text);
}

CTextEdit::~CTextEdit() {
    if (pParentFrame) pParentFrame->closeEditBox(this);
}

bool CTextEdit::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CTextEdit") == 0) || CParamDisplay::isTypeOf(className);
}

void CTextEdit::setText(const char* text) {
    if (!text) text = "";
    std::strncpy(buffer, text, kMaxLength);
    buffer[kMaxLength] = 0;
    setDirty(true);
}

void CTextEdit::getText(char* text) const {
    if (text) std::strcpy(text, buffer);
}

bool CTextEdit::isEditing() const { return pParentFrame && pParentFrame->isEditing(this); }

void CTextEdit::draw(CDrawContext* context) {
    drawText(context, buffer);
    setDirty(false);
}

void CTextEdit::mouse(CDrawContext* context, CPoint&, int buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = context ? context->getMouseButtons() : 0;
    if (!(buttons & kLButton) || isEditing()) return;
    if (listener && (buttons & kModifierKeys)) {
        if (listener->controlModifierClicked(context, this, buttons) != 0) return;
    }
    if (pParentFrame) pParentFrame->setFocusView(this);
    takeFocus(context);
}

void CTextEdit::takeFocus(CDrawContext*) {
    if (!pParentFrame || isEditing()) return;
    platform::EditBoxSpec spec;
    spec.area = size;
    spec.text = buffer;
    spec.maxLength = kMaxLength;
    spec.align = horiTxtAlign;
    FontSpec font = fontSpec(fontID);
    spec.font.face = font.face;
    spec.font.size = font.size;
    spec.font.weight = 600;
    spec.fontColor = fontColor;
    spec.backColor = backColor;
    spec.margin = 3;
    pParentFrame->openEditBox(this, spec);
}

void CTextEdit::looseFocus(CDrawContext* context) {
    if (!isEditing()) return;
    std::string typed = pParentFrame->editBoxText();
    pParentFrame->closeEditBox(this);
    bool changed = std::strncmp(typed.c_str(), buffer, kMaxLength) != 0;
    setText(typed.c_str());
    if (context) {
        draw(context);
    } else {
        redraw();
    }
    if (changed && listener) listener->valueChanged(context, this);
    if (pParentFrame && pParentFrame->getFocusView() == this) pParentFrame->setFocusView(nullptr);
}

}  // namespace VSTGUI
