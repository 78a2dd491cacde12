#pragma once
// Draws a whole edition's bitmap set. The main background comes first, as the
// over LEDs start their cells from the bezel they sit on.

#include <cairo.h>

#include <vector>

#include "resources/generator/BitmapSpec.h"
#include "resources/generator/SkinEdition.h"

namespace ambrel::skin {

struct RenderedBitmap {
    int id = 0;
    BitmapShape shape{};
    const char* role = "";
    cairo_surface_t* surface = nullptr;  // owned; RGB24
};

class RenderedSet {
public:
    RenderedSet() = default;
    RenderedSet(const RenderedSet&) = delete;
    RenderedSet& operator=(const RenderedSet&) = delete;
    RenderedSet(RenderedSet&& other) noexcept : bitmaps_(std::move(other.bitmaps_)) { other.bitmaps_.clear(); }
    ~RenderedSet();

    std::vector<RenderedBitmap>& bitmaps() { return bitmaps_; }
    const std::vector<RenderedBitmap>& bitmaps() const { return bitmaps_; }
    const RenderedBitmap* find(int id) const;

private:
    std::vector<RenderedBitmap> bitmaps_;
};

// Returns false when the edition names an id the skin cannot draw.
bool renderEdition(const SkinEdition& edition, RenderedSet& out);

}  // namespace ambrel::skin
