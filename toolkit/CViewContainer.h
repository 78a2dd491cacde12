#pragma once
// An ordered list of child views over an optional background bitmap, and an
// optional modal view that takes every click.
//
// Ownership: addView takes a reference on the view (the creator forgets its own
// when it no longer needs it); removeView(view, true) releases the container's
// reference, removeView(view, false) hands it to the caller, who forgets it
// later. A container that is destroyed releases all its children.

#include <vector>

#include "toolkit/CView.h"

namespace VSTGUI {

class CViewContainer : public CView {
public:
    CViewContainer(const CRect& size, CFrame* frame = nullptr, CBitmap* background = nullptr);
    ~CViewContainer() override;

    virtual void addView(CView* view);
    virtual void removeView(CView* view, bool withForget = true);
    virtual void removeAll(bool withForget = true);
    virtual bool isChild(const CView* view) const;
    virtual int getNbViews() const { return static_cast<int>(children.size()); }
    virtual CView* getView(int index) const;
    // The modal view if set; else, from the most recently added child back, the
    // first whose mouseable area contains where (edges included). With deep,
    // containers found are searched in turn.
    virtual CView* getViewAt(const CPoint& where, bool deep = false) const;
    virtual void setModalView(CView* view) { modalView = view; }
    virtual CView* getModalView() const { return modalView; }

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    void drawBackgroundRect(CDrawContext* context, const CRect& rect);
    void mouse(CDrawContext* context, CPoint& where, int buttons = -1) override;
    bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis, float distance) override;
    bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
    bool isDirty() const override;
    void setDirty(bool state = true) override;
    void update(CDrawContext* context) override;
    bool attached(CView* parent) override;
    bool removed(CView* parent) override;
    void setParentFrame(CFrame* frame) override;
    bool isContainer() const override { return true; }
    bool isTypeOf(const char* className) const override;

protected:
    // The child a click or a wheel turn at where goes to.
    CView* targetAt(const CPoint& where) const;

    std::vector<CView*> children;
    CView* modalView = nullptr;
};

}  // namespace VSTGUI
