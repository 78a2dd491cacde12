#include "resources/generator/SkinRenderer.h"

#include <algorithm>

#include "resources/generator/Canvas.h"
#include "resources/generator/SkinCatalog.h"

namespace ambrel::skin {

RenderedSet::~RenderedSet() {
    for (RenderedBitmap& b : bitmaps_)
        if (b.surface) cairo_surface_destroy(b.surface);
}

const RenderedBitmap* RenderedSet::find(int id) const {
    for (const RenderedBitmap& b : bitmaps_)
        if (b.id == id) return &b;
    return nullptr;
}

namespace {

cairo_surface_t* renderOne(const BitmapArt& art, const SkinEdition& edition, cairo_surface_t* mainBackground) {
    const BitmapShape& shape = art.shape;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, shape.width, shape.height);
    cairo_t* cr = cairo_create(surface);
    useSkinFontOptions(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    const ArtContext ctx{edition, shape, mainBackground};
    // Cells beyond the last frame (the drive strip's grid has nine) repeat it.
    const int cells = shape.rows() * shape.columns;
    for (int cell = 0; cell < cells; ++cell) {
        const FrameCell c = shape.cell(cell);
        cairo_save(cr);
        cairo_translate(cr, c.x, c.y);
        cairo_rectangle(cr, 0, 0, c.width, c.height);
        cairo_clip(cr);
        cairo_new_path(cr);
        art.paint(cr, std::min(cell, shape.frames - 1), ctx);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    return surface;
}

}  // namespace

bool renderEdition(const SkinEdition& edition, RenderedSet& out) {
    std::vector<const BitmapArt*> arts;
    for (int id : edition.bitmapIds) {
        const BitmapArt* art = findBitmapArt(id);
        if (art == nullptr) return false;
        arts.push_back(art);
    }
    // The main background first: strips drawn over it start from it.
    std::stable_partition(arts.begin(), arts.end(), [](const BitmapArt* a) { return a->paint == paintMainBackground; });
    cairo_surface_t* mainBackground = nullptr;
    for (const BitmapArt* art : arts) {
        cairo_surface_t* s = renderOne(*art, edition, mainBackground);
        if (art->paint == paintMainBackground) mainBackground = s;
        out.bitmaps().push_back({art->id, art->shape, art->role, s});
    }
    std::sort(out.bitmaps().begin(), out.bitmaps().end(),
              [](const RenderedBitmap& a, const RenderedBitmap& b) { return a.id < b.id; });
    return true;
}

}  // namespace ambrel::skin
