#include "toolkit/CView.h"

#include <cstring>

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"

namespace VSTGUI {

CView::CView(const CRect& rect) : size(rect), mouseableArea(rect) {}

CView::~CView() {
    if (pBackground) pBackground->forget();
}

void CView::draw(CDrawContext* context) {
    if (pBackground) pBackground->draw(context, size);
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect&) { draw(context); }

void CView::mouse(CDrawContext*, CPoint&, int) {}

void CView::setBackground(CBitmap* bitmap) {
    if (bitmap) bitmap->remember();
    if (pBackground) pBackground->forget();
    pBackground = bitmap;
    setDirty(true);
}

int CView::onKeyDown(VstKeyCode&) { return -1; }
int CView::onKeyUp(VstKeyCode&) { return -1; }

bool CView::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis, float distance) {
    return onWheel(context, where, distance);
}

bool CView::onWheel(CDrawContext*, const CPoint&, float) { return false; }
bool CView::onDrop(void**, int, int, CPoint&) { return false; }
void CView::onDragEnter(CDrawContext*, void*, CPoint&) {}
void CView::onDragLeave(CDrawContext*, void*, CPoint&) {}
void CView::onDragMove(CDrawContext*, void*, CPoint&) {}
void CView::looseFocus(CDrawContext*) {}
void CView::takeFocus(CDrawContext*) {}

bool CView::hitTest(const CPoint& where, int) const { return mouseableArea.containsInclusive(where); }

void CView::setViewSize(const CRect& rect) {
    size = rect;
    setDirty(true);
}

bool CView::attached(CView* parent) {
    pParentView = parent;
    pParentFrame = parent ? parent->getFrame() : nullptr;
    return true;
}

bool CView::removed(CView*) {
    if (pParentFrame) pParentFrame->viewWillGo(this);
    pParentView = nullptr;
    pParentFrame = nullptr;
    return true;
}

void CView::getMouseLocation(CDrawContext* context, CPoint& point) {
    if (context) context->getMouseLocation(point);
    else if (pParentFrame) pParentFrame->getCurrentMouseLocation(point);
    frameToLocal(point);
}

bool CView::isTypeOf(const char* className) const { return className && std::strcmp(className, "CView") == 0; }

void CView::update(CDrawContext* context) {
    if (!isDirty()) return;
    if (context) {
        draw(context);
        context->noteDrawn(size);
    } else if (pParentFrame) {
        pParentFrame->drawView(this);
    }
    setDirty(false);
}

void CView::redraw() {
    if (pParentFrame) pParentFrame->drawView(this);
}

}  // namespace VSTGUI
