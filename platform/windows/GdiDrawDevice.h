#pragma once
// The toolkit's draw device and bitmaps on GDI: 32-bit top-down DIB sections
// selected into memory DCs, for the frame's back buffer, off-screen drawing
// and the decoded skin pictures.

#include <windows.h>

#include <cstdint>

#include "toolkit/PlatformSeam.h"

namespace VSTGUI::platform::win32 {

// A memory DC with its own 0x00RRGGBB DIB section, rows top-down.
class GdiSurface {
public:
    GdiSurface(int width, int height);
    ~GdiSurface();
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;

    bool valid() const { return bits != nullptr; }
    HDC dc() const { return memory; }
    std::uint32_t* row(int y) const { return bits + static_cast<std::size_t>(y) * static_cast<std::size_t>(w); }
    int width() const { return w; }
    int height() const { return h; }

private:
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    std::uint32_t* bits = nullptr;
    int w;
    int h;
};

class GdiBitmap final : public Bitmap {
public:
    GdiBitmap(int width, int height) : pixels(width, height) {}
    int width() const override { return pixels.width(); }
    int height() const override { return pixels.height(); }
    const GdiSurface& surface() const { return pixels; }
    GdiSurface& surface() { return pixels; }

private:
    GdiSurface pixels;
};

class GdiDrawDevice final : public Offscreen {
public:
    GdiDrawDevice(int width, int height);
    GdiDrawDevice(const GdiDrawDevice&) = delete;
    GdiDrawDevice& operator=(const GdiDrawDevice&) = delete;

    bool valid() const { return target.valid(); }
    HDC dc() const { return target.dc(); }

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

private:
    // Translucent colours are drawn into a scratch surface and blended on.
    template <typename Paint>
    void paintBlended(const CRect& bounds, CColor color, Paint paint);

    GdiSurface target;
};

}  // namespace VSTGUI::platform::win32
