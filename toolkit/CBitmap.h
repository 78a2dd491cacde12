#pragma once
// A picture built from a resource id, shared by reference count. A resource
// that cannot be found or decoded leaves an empty bitmap (0 by 0) that draws
// nothing.

#include <memory>

#include "toolkit/CGeometry.h"
#include "toolkit/CReferenceCounter.h"

namespace VSTGUI {

class CDrawContext;
namespace platform { class Bitmap; }

class CBitmap : public CReferenceCounter {
public:
    explicit CBitmap(int resourceId);
    ~CBitmap() override;

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    int getResourceId() const { return resourceId; }
    bool isLoaded() const { return native != nullptr; }
    // A plain copy of dest's size from offset in the picture.
    void draw(CDrawContext* context, const CRect& dest, const CPoint& offset = CPoint());
    // The colour-keyed and alpha-blended forms are plain copies on this platform:
    // the skin has neither key colours nor alpha.
    void drawTransparent(CDrawContext* context, const CRect& dest, const CPoint& offset = CPoint()) {
        draw(context, dest, offset);
    }
    void drawAlphaBlend(CDrawContext* context, const CRect& dest, const CPoint& offset = CPoint(), unsigned char = 128) {
        draw(context, dest, offset);
    }
    const platform::Bitmap* platformBitmap() const { return native.get(); }

private:
    int resourceId;
    int width = 0;
    int height = 0;
    std::unique_ptr<platform::Bitmap> native;
};

}  // namespace VSTGUI
