#pragma once
// The base of everything on screen: a rectangle in window pixels, a mouseable
// area, the frame and view it belongs to, a background bitmap and the dirty,
// mouse-enabled and transparency flags. Containers share the frame's
// coordinates, so a view's rectangle is always in window pixels.

#include "core/vst/VstInterface.h"
#include "toolkit/CButtons.h"
#include "toolkit/CGeometry.h"
#include "toolkit/CReferenceCounter.h"

namespace VSTGUI {

class CBitmap;
class CDrawContext;
class CFrame;

class CView : public CReferenceCounter {
public:
    explicit CView(const CRect& size);
    ~CView() override;

    virtual void draw(CDrawContext* context);  // the background bitmap, if any
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);
    virtual bool checkUpdate(const CRect& updateRect) const { return updateRect.rectOverlap(size); }
    // buttons -1: read them from the context at this moment.
    virtual void mouse(CDrawContext* context, CPoint& where, int buttons = -1);
    virtual void setBackground(CBitmap* bitmap);
    virtual CBitmap* getBackground() const { return pBackground; }
    // Key handlers answer 1 when they used the key, -1 otherwise.
    virtual int onKeyDown(VstKeyCode& keyCode);
    virtual int onKeyUp(VstKeyCode& keyCode);
    virtual bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis, float distance);
    virtual bool onWheel(CDrawContext* context, const CPoint& where, float distance);
    virtual bool onDrop(void** items, int count, int type, CPoint& where);
    virtual void onDragEnter(CDrawContext* context, void* drag, CPoint& where);
    virtual void onDragLeave(CDrawContext* context, void* drag, CPoint& where);
    virtual void onDragMove(CDrawContext* context, void* drag, CPoint& where);
    virtual void looseFocus(CDrawContext* context = nullptr);
    virtual void takeFocus(CDrawContext* context = nullptr);
    virtual bool isDirty() const { return bDirty; }
    virtual void setDirty(bool state = true) { bDirty = state; }

    virtual void setMouseEnabled(bool state = true) { bMouseEnabled = state; }
    virtual bool getMouseEnabled() const { return bMouseEnabled; }
    virtual void setMouseableArea(const CRect& rect) { mouseableArea = rect; }
    virtual CRect& getMouseableArea(CRect& rect) const { return rect = mouseableArea; }
    virtual bool hitTest(const CPoint& where, int buttons = -1) const;
    virtual void setTransparency(bool state) { bTransparencyEnabled = state; }
    virtual bool getTransparency() const { return bTransparencyEnabled; }
    virtual void setViewSize(const CRect& rect);
    virtual CRect& getViewSize(CRect& rect) const { return rect = size; }
    virtual int getWidth() const { return size.width(); }
    virtual int getHeight() const { return size.height(); }
    virtual bool attached(CView* parent);
    virtual bool removed(CView* parent);
    virtual bool isAttached() const { return pParentView != nullptr; }
    virtual CPoint& localToFrame(CPoint& point) const { return point; }
    virtual CPoint& frameToLocal(CPoint& point) const { return point; }
    virtual void getMouseLocation(CDrawContext* context, CPoint& point);
    virtual CFrame* getFrame() const { return pParentFrame; }
    virtual CView* getParentView() const { return pParentView; }
    virtual void setParentFrame(CFrame* frame) { pParentFrame = frame; }
    virtual bool isContainer() const { return false; }

    virtual bool isTypeOf(const char* className) const;
    // If dirty: draw into context, or have the frame draw the view when there
    // is no context; then clean.
    virtual void update(CDrawContext* context);

    const CRect& getSize() const { return size; }
    void invalid() { setDirty(true); }
    void redraw();  // draw now, through the frame

protected:
    CRect size;
    CRect mouseableArea;
    CFrame* pParentFrame = nullptr;
    CView* pParentView = nullptr;
    CBitmap* pBackground = nullptr;
    bool bDirty = false;
    bool bMouseEnabled = true;
    bool bTransparencyEnabled = false;
};

}  // namespace VSTGUI
