#include "toolkit/BitmapResources.h"

#include <map>

#include "resources/SkinImages.h"

namespace VSTGUI {
namespace {
std::map<int, BitmapResource>& registered() {
    static std::map<int, BitmapResource> table;
    return table;
}
}  // namespace

void registerBitmapResource(int id, const unsigned char* data, std::size_t size) {
    if (!data) {
        registered().erase(id);
        return;
    }
    registered()[id] = {data, size};
}

void clearRegisteredBitmapResources() { registered().clear(); }

BitmapResource findBitmapResource(int id) {
    auto it = registered().find(id);
    if (it != registered().end()) return it->second;
    if (const ambrel::SkinImage* image = ambrel::findSkinImage(id)) return {image->data, image->size};
    return {};
}

}  // namespace VSTGUI
