#pragma once
// A text field: shows its text like a CParamDisplay; a click (or takeFocus)
// opens the platform edit box over it; Enter or the box losing the focus calls
// looseFocus, which takes the text back, closes the box, redraws and tells the
// listener when the text changed.

#include "toolkit/CParamDisplay.h"

namespace VSTGUI {

class CTextEdit : public CParamDisplay {
public:
    static constexpr int kMaxLength = 255;

    CTextEdit(const CRect& size, CControlListener* listener, int tag, const char* text = nullptr,
              CBitmap* background = nullptr, int style = 0);
    ~CTextEdit() override;

    virtual void setText(const char* text);
    virtual void getText(char* text) const;  // text holds kMaxLength + 1 characters
    const char* text() const { return buffer; }

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int buttons = -1) override;
    void takeFocus(CDrawContext* context = nullptr) override;
    void looseFocus(CDrawContext* context = nullptr) override;
    bool isTypeOf(const char* className) const override;
    bool isEditing() const;

protected:
    char buffer[kMaxLength + 1] = {};
};

}  // namespace VSTGUI
