#pragma once
#include <cstddef>
namespace ambrel {
struct SkinImage { int id; const unsigned char* data; std::size_t size; };  // data: a whole .bmp file
const SkinImage* findSkinImage(int id);          // defined by the edition's skin library; nullptr if absent
const SkinImage* skinImages(std::size_t* count);  // all images of the linked set
}
