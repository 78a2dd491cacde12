#include "toolkit/CBitmap.h"

#include "toolkit/BitmapResources.h"
#include "toolkit/BmpDecoder.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/PlatformSeam.h"

namespace VSTGUI {

CBitmap::CBitmap(int id) : resourceId(id) {
    BitmapResource resource = findBitmapResource(id);
    DecodedImage image;
    if (!decodeBmp(resource.data, resource.size, image)) return;
    native = platform::createBitmap(image.width, image.height, image.pixels.data());
    if (native) {
        width = image.width;
        height = image.height;
    }
}

CBitmap::~CBitmap() = default;

void CBitmap::draw(CDrawContext* context, const CRect& dest, const CPoint& offset) {
    if (!context || !native) return;
    context->drawBitmap(*native, dest, offset);
}

}  // namespace VSTGUI
