#include "toolkit/CBitmap.h"

#include "toolkit/BitmapResources.h"
#include "toolkit/BmpDecoder.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/PlatformSeam.h"

namespace VSTGUI {

CBitmap::CBitmap(int id) : resourceId(id) {
    BitmapResource resource = findBitmapResource(id);
    BmpLayout layout;
    if (!parseBmp(resource.data, resource.size, layout)) return;
    native = platform::createBitmap(layout.width, layout.height,
                                    [&layout](int y, std::uint32_t* row) { readBmpRow(layout, y, row); });
    if (native) {
        width = layout.width;
        height = layout.height;
    }
}

CBitmap::~CBitmap() = default;

void CBitmap::draw(CDrawContext* context, const CRect& dest, const CPoint& offset) {
    if (!context || !native) return;
    context->drawBitmap(*native, dest, offset);
}

}  // namespace VSTGUI
