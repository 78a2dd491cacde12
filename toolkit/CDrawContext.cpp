#include "toolkit/CDrawContext.h"

#include <algorithm>

#include "toolkit/CFrame.h"
#include "toolkit/PlatformSeam.h"

namespace VSTGUI {

CDrawContext::CDrawContext(CFrame* owner, platform::DrawDevice* device) : frame(owner), drawDevice(device) {}

void CDrawContext::setFont(int id, int size, int style) {
    fontId = id;
    fontSize = size;
    fontStyle = style;
}

platform::FontRequest CDrawContext::currentFont() const {
    FontSpec spec = fontSpec(fontId);
    platform::FontRequest request;
    request.face = spec.face;
    request.size = fontSize > 0 ? fontSize : spec.size;
    request.weight = (fontStyle & kBoldFace) ? 700 : 400;
    return request;
}

void CDrawContext::lineTo(const CPoint& point) {
    if (drawDevice) drawDevice->drawLine(penAt, point, frameColor, lineWidth);
    int pad = lineWidth + 1;
    noteDrawn(CRect(std::min(penAt.x, point.x) - pad, std::min(penAt.y, point.y) - pad,
                    std::max(penAt.x, point.x) + pad, std::max(penAt.y, point.y) + pad));
    penAt = point;
}

void CDrawContext::drawRect(const CRect& rect) {
    if (drawDevice) drawDevice->frameRect(rect, frameColor, lineWidth);
    noteDrawn(rect);
}

void CDrawContext::fillRect(const CRect& rect) {
    if (drawDevice) drawDevice->fillRect(rect, fillColor);
    noteDrawn(rect);
}

void CDrawContext::fillEllipse(const CRect& rect) {
    if (drawDevice) drawDevice->fillEllipse(rect, fillColor);
    noteDrawn(rect);
}

void CDrawContext::drawString(const char* text, const CRect& rect, bool opaque, int align) {
    if (!drawDevice || !text) return;
    if (opaque) drawDevice->fillRect(rect, fillColor);
    drawDevice->drawText(text, rect, align, currentFont(), fontColor);
    noteDrawn(rect);
}

int CDrawContext::getStringWidth(const char* text) {
    return drawDevice && text ? drawDevice->textWidth(text, currentFont()) : 0;
}

void CDrawContext::drawBitmap(const platform::Bitmap& bitmap, const CRect& dest, const CPoint& offset) {
    if (drawDevice) drawDevice->drawBitmap(bitmap, dest, offset);
    noteDrawn(dest);
}

void CDrawContext::setClipRect(const CRect& rect) {
    clip = rect;
    if (drawDevice) drawDevice->setClip(rect);
}

void CDrawContext::resetClipRect() {
    clip = CRect(-32768, -32768, 32767, 32767);
    if (drawDevice) drawDevice->resetClip();
}

int CDrawContext::getMouseButtons() { return frame ? frame->getCurrentMouseButtons() : 0; }

void CDrawContext::getMouseLocation(CPoint& point) {
    if (frame) frame->getCurrentMouseLocation(point);
}

void CDrawContext::noteDrawn(const CRect& drawnRect) {
    CRect rect = drawnRect;
    rect.bound(clip);
    if (rect.isEmpty()) return;
    if (drawn.size() >= 24) {
        // Many small areas: show their bounding box instead.
        for (std::size_t i = 1; i < drawn.size(); ++i) drawn[0].unite(drawn[i]);
        drawn.resize(1);
    }
    for (CRect& r : drawn) {
        if (r.rectOverlap(rect)) {
            r.unite(rect);
            return;
        }
    }
    drawn.push_back(rect);
}

std::vector<CRect> CDrawContext::takeDrawnAreas() {
    std::vector<CRect> out;
    out.swap(drawn);
    return out;
}

}  // namespace VSTGUI
