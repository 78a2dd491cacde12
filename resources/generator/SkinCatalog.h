#pragma once
// Every bitmap id the skin can draw: its shape and its painter.

#include "resources/generator/Art.h"
#include "resources/generator/BitmapSpec.h"

namespace ambrel::skin {

struct BitmapArt {
    int id;
    BitmapShape shape;
    FramePainter paint;
    const char* role;  // what the bitmap is, for the contact sheet
};

// nullptr for an id the skin does not know.
const BitmapArt* findBitmapArt(int id);

}  // namespace ambrel::skin
