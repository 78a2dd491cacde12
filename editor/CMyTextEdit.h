#pragma once
// The typed value-entry field: opened for one parameter with beginEntry; when
// the entry ends (Enter, the box losing the focus, or a click elsewhere) the
// text goes to the listener's applyValueEntry.

#include "toolkit/CTextEdit.h"

namespace ambrel {

class CMyTextEdit : public VSTGUI::CTextEdit {
public:
    // The longest text handed on; longer typing is cut to it.
    static constexpr int kEntryTextSize = 64;

    CMyTextEdit(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int tag, const char* text = nullptr,
                VSTGUI::CBitmap* background = nullptr, int style = 0);
    ~CMyTextEdit() override;

    // Opens the platform edit box for parameter index.
    virtual void beginEntry(int index, VSTGUI::CDrawContext* context = nullptr);
    void looseFocus(VSTGUI::CDrawContext* context = nullptr) override;
    bool isTypeOf(const char* className) const override;

    int getParamIndex() const { return paramIndex; }  // -1 while no entry is open

protected:
    int paramIndex = -1;
};

}  // namespace ambrel
