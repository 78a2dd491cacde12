#pragma once
// Where CBitmap finds the picture of a resource id: the images embedded in the
// library (the edition's skin), or, taking precedence, images registered at run
// time (tests register their own before the skin exists).

#include <cstddef>

namespace VSTGUI {

struct BitmapResource {
    const unsigned char* data = nullptr;  // a whole .bmp file
    std::size_t size = 0;
};

// The data must outlive every bitmap built from it. A null data removes the entry.
void registerBitmapResource(int id, const unsigned char* data, std::size_t size);
void clearRegisteredBitmapResources();
BitmapResource findBitmapResource(int id);

}  // namespace VSTGUI
