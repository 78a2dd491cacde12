#include "toolkit/CViewContainer.h"

#include <algorithm>
#include <cstring>

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"

namespace VSTGUI {

CViewContainer::CViewContainer(const CRect& rect, CFrame* frame, CBitmap* background) : CView(rect) {
    pParentFrame = frame;
    if (background) {
        pBackground = background;
        background->remember();
    }
}

CViewContainer::~CViewContainer() { removeAll(true); }

void CViewContainer::addView(CView* view) {
    if (!view || isChild(view)) return;
    view->remember();
    children.push_back(view);
    view->attached(this);
    view->setDirty(true);
}

void CViewContainer::removeView(CView* view, bool withForget) {
    auto it = std::find(children.begin(), children.end(), view);
    if (it == children.end()) return;
    children.erase(it);
    if (modalView == view) modalView = nullptr;
    CRect area = view->getSize();
    view->removed(this);
    if (pParentFrame) pParentFrame->invalidateArea(area);
    if (withForget) view->forget();
}

void CViewContainer::removeAll(bool withForget) {
    while (!children.empty()) removeView(children.back(), withForget);
}

bool CViewContainer::isChild(const CView* view) const {
    return std::find(children.begin(), children.end(), view) != children.end();
}

CView* CViewContainer::getView(int index) const {
    return index >= 0 && index < getNbViews() ? children[static_cast<size_t>(index)] : nullptr;
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) const {
    if (modalView) return modalView;
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        CRect area;
        (*it)->getMouseableArea(area);
        if (!area.containsInclusive(where)) continue;
        if (deep && (*it)->isContainer()) {
            if (CView* inner = static_cast<CViewContainer*>(*it)->getViewAt(where, true)) return inner;
        }
        return *it;
    }
    return nullptr;
}

CView* CViewContainer::targetAt(const CPoint& where) const {
    if (modalView) return modalView;
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if ((*it)->getMouseEnabled() && (*it)->hitTest(where)) return *it;
    }
    return nullptr;
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& rect) {
    if (pBackground) {
        CRect area = rect;
        area.bound(size);
        if (!area.isEmpty()) pBackground->draw(context, area, CPoint(area.left - size.left, area.top - size.top));
    } else if (!bTransparencyEnabled) {
        context->setFillColor(CColor{212, 208, 200, 255});
        CRect area = rect;
        context->fillRect(area.bound(size));
    }
}

void CViewContainer::draw(CDrawContext* context) {
    drawBackgroundRect(context, size);
    for (CView* child : children) child->draw(context);
    CView::setDirty(false);
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect) {
    CRect area = updateRect;
    area.bound(size);
    if (area.isEmpty()) return;
    CRect saved = context->getClipRect();
    CRect clip = area;
    clip.bound(saved);
    context->setClipRect(clip);
    drawBackgroundRect(context, area);
    for (CView* child : children) {
        if (child->checkUpdate(area)) child->drawRect(context, area);
    }
    if (saved == CRect(-32768, -32768, 32767, 32767)) context->resetClipRect();
    else context->setClipRect(saved);
}

void CViewContainer::mouse(CDrawContext* context, CPoint& where, int buttons) {
    if (CView* view = targetAt(where)) view->mouse(context, where, buttons);
}

bool CViewContainer::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis, float distance) {
    CView* view = targetAt(where);
    return view ? view->onWheel(context, where, axis, distance) : false;
}

bool CViewContainer::onWheel(CDrawContext* context, const CPoint& where, float distance) {
    CView* view = targetAt(where);
    return view ? view->onWheel(context, where, distance) : false;
}

bool CViewContainer::isDirty() const {
    if (CView::isDirty()) return true;
    for (CView* child : children) {
        if (child->isDirty()) return true;
    }
    return false;
}

void CViewContainer::setDirty(bool state) {
    CView::setDirty(state);
    if (!state) {
        for (CView* child : children) child->setDirty(false);
    }
}

void CViewContainer::update(CDrawContext* context) {
    if (!context) {
        if (isDirty() && pParentFrame) pParentFrame->drawView(this);
        return;
    }
    if (CView::isDirty()) {
        draw(context);
        context->noteDrawn(size);
        return;
    }
    for (CView* child : children) {
        if (!child->isDirty()) continue;
        if (child->getTransparency() && !child->isContainer()) {
            // What lies under a see-through view must be drawn again first.
            CRect area = child->getSize();
            drawRect(context, area);
            context->noteDrawn(area);
            child->setDirty(false);
        } else {
            child->update(context);
        }
    }
}

bool CViewContainer::attached(CView* parent) {
    CView::attached(parent);
    for (CView* child : children) child->attached(this);
    return true;
}

bool CViewContainer::removed(CView* parent) {
    for (CView* child : children) {
        if (pParentFrame) pParentFrame->viewWillGo(child);
        child->setParentFrame(nullptr);
    }
    return CView::removed(parent);
}

void CViewContainer::setParentFrame(CFrame* frame) {
    CView::setParentFrame(frame);
    for (CView* child : children) child->setParentFrame(frame);
}

bool CViewContainer::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CViewContainer") == 0) || CView::isTypeOf(className);
}

}  // namespace VSTGUI
