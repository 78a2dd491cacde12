#include "editor/CMyVerticalSwitch.h"

#include <algorithm>
#include <cstring>

#include "editor/ControlFrames.h"
#include "toolkit/CBitmap.h"

namespace ambrel {

using namespace VSTGUI;

CMyVerticalSwitch::CMyVerticalSwitch(const CRect& rect, CControlListener* l, int t, int pixmaps, int imageHeight,
                                     int positions, CBitmap* background, const CPoint& off)
    : CVerticalSwitch(rect, l, t, pixmaps, imageHeight, positions, background, off) {}

CMyVerticalSwitch::~CMyVerticalSwitch() = default;

void CMyVerticalSwitch::draw(CDrawContext* context) {
    if (pBackground) {
        // A strip with fewer pictures than positions shows its last one.
        const int frame = std::min(switchFrame(value, maxPositions), std::max(subPixmaps - 1, 0));
        pBackground->draw(context, size, CPoint(offset.x, offset.y + frame * heightOfOneImage));
    }
    setDirty(false);
}

bool CMyVerticalSwitch::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CMyVerticalSwitch") == 0) || CVerticalSwitch::isTypeOf(className);
}

}  // namespace ambrel
