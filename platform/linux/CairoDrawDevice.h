#pragma once
// The toolkit's draw device and bitmaps on cairo image surfaces: the frame's
// back buffer, off-screen drawing and decoded skin pictures.

#include <cairo.h>

#include "toolkit/PlatformSeam.h"

namespace VSTGUI::platform::cairo_backend {

class CairoBitmap final : public Bitmap {
public:
    CairoBitmap(cairo_surface_t* surface, int width, int height) : image(surface), w(width), h(height) {}
    ~CairoBitmap() override { cairo_surface_destroy(image); }
    int width() const override { return w; }
    int height() const override { return h; }
    cairo_surface_t* surface() const { return image; }

private:
    cairo_surface_t* image;
    int w;
    int h;
};

class CairoDrawDevice final : public Offscreen {
public:
    // Takes the surface (an RGB24 image surface).
    explicit CairoDrawDevice(cairo_surface_t* surface);
    ~CairoDrawDevice() override;
    CairoDrawDevice(const CairoDrawDevice&) = delete;
    CairoDrawDevice& operator=(const CairoDrawDevice&) = delete;

    void setClip(const CRect& clip) override;
    void resetClip() override;
    void fillRect(const CRect& rect, CColor color) override;
    void frameRect(const CRect& rect, CColor color, int lineWidth) override;
    void drawLine(CPoint from, CPoint to, CColor color, int lineWidth) override;
    void fillEllipse(const CRect& rect, CColor color) override;
    void drawBitmap(const Bitmap& source, const CRect& dest, CPoint offset) override;
    void drawText(const char* text, const CRect& rect, int align, const FontRequest& font, CColor color) override;
    int textWidth(const char* text, const FontRequest& font) override;
    bool savePng(const char* path) override;
    std::uint32_t pixel(int x, int y) override;

    cairo_surface_t* surface() const { return target; }

private:
    cairo_surface_t* target;
    cairo_t* cr;
};

}  // namespace VSTGUI::platform::cairo_backend
