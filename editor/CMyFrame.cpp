#include "editor/CMyFrame.h"

#include <cstring>

#include "toolkit/CDrawContext.h"

namespace ambrel {

using namespace VSTGUI;

CMyFrame::CMyFrame(const CRect& rect, void* parentWindow, AEffGUIEditor* owner) : CFrame(rect, parentWindow, owner) {}

CMyFrame::~CMyFrame() { setEntryView(nullptr); }

void CMyFrame::setEntryView(CView* view) {
    if (view == entryView) return;
    if (view) view->remember();
    if (entryView) entryView->forget();
    entryView = view;
}

void CMyFrame::mouse(CDrawContext* context, CPoint& where, int buttons) {
    if (entryView) {
        CView* entry = entryView;
        entryView = nullptr;
        entry->looseFocus(context);
        entry->forget();
    }
    CFrame::mouse(context, where, buttons);
}

bool CMyFrame::onWheel(CDrawContext* context, const CPoint&, CMouseWheelAxis axis, float distance) {
    CPoint pointer;
    if (context) context->getMouseLocation(pointer);
    else getCurrentMouseLocation(pointer);
    CView* target = modalView ? modalView : getViewAt(pointer);
    if (!target) return false;
    if (context) return target->onWheel(context, pointer, axis, distance);
    CDrawContext temporary(this, drawDevice());
    return target->onWheel(&temporary, pointer, axis, distance);
}

bool CMyFrame::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CMyFrame") == 0) || CFrame::isTypeOf(className);
}

}  // namespace ambrel
