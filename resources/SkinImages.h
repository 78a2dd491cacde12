#pragma once
#include <cstddef>
namespace ambrel {
struct SkinImage { int id; const unsigned char* data; std::size_t size; };  // data: a whole .bmp file as described
// Defined by the edition's skin library (ambrel_skin_full or ambrel_skin_sibling); nullptr when the id is absent.
const SkinImage* findSkinImage(int id);
// All images of the linked set, for tests and the contact sheet.
const SkinImage* skinImages(std::size_t* count);
}
