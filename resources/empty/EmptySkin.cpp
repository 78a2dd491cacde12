// Placeholder until the skin generator lands: a translation unit so that the
// skin libraries exist, with an empty image set.
#include "resources/SkinImages.h"

namespace ambrel {
int emptySkinPlaceholder = 0;

const SkinImage* findSkinImage(int) { return nullptr; }

const SkinImage* skinImages(std::size_t* count) {
    if (count) *count = 0;
    return nullptr;
}
}  // namespace ambrel
