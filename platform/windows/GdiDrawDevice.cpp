#include "platform/windows/GdiDrawDevice.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/windows/GdiFonts.h"
#include "platform/windows/Msimg32.h"
#include "platform/windows/PngWriter.h"

namespace VSTGUI::platform {

std::unique_ptr<Bitmap> createBitmap(int width, int height, const std::function<void(int, std::uint32_t*)>& fillRow) {
    if (width <= 0 || height <= 0 || !fillRow) return nullptr;
    auto bitmap = std::make_unique<win32::GdiBitmap>(width, height);
    if (!bitmap->surface().valid()) return nullptr;
    GdiFlush();
    for (int y = 0; y < height; ++y) fillRow(y, bitmap->surface().row(y));
    return bitmap;
}

std::unique_ptr<Offscreen> createOffscreen(int width, int height) {
    auto device = std::make_unique<win32::GdiDrawDevice>(std::max(width, 1), std::max(height, 1));
    if (!device->valid()) return nullptr;
    return device;
}

namespace win32 {
namespace {

COLORREF colorRef(CColor color) { return RGB(color.red, color.green, color.blue); }

void solidFill(HDC dc, const CRect& rect, COLORREF color) {
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

}  // namespace

GdiSurface::GdiSurface(int width, int height) : w(width), h(height) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    memory = CreateCompatibleDC(nullptr);
    if (!memory) return;
    void* pixels = nullptr;
    bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!bitmap || !pixels) {
        if (bitmap) DeleteObject(bitmap);
        bitmap = nullptr;
        DeleteDC(memory);
        memory = nullptr;
        return;
    }
    previous = SelectObject(memory, bitmap);
    bits = static_cast<std::uint32_t*>(pixels);
}

GdiSurface::~GdiSurface() {
    if (memory) {
        if (previous) SelectObject(memory, previous);
        DeleteDC(memory);
    }
    if (bitmap) DeleteObject(bitmap);
}

GdiDrawDevice::GdiDrawDevice(int width, int height) : target(width, height) {
    if (!target.valid()) return;
    // Button face until the first picture is drawn.
    solidFill(target.dc(), CRect(0, 0, width, height), RGB(212, 208, 200));
}

void GdiDrawDevice::setClip(const CRect& clip) {
    HRGN region = CreateRectRgn(clip.left, clip.top, std::max(clip.left, clip.right), std::max(clip.top, clip.bottom));
    SelectClipRgn(target.dc(), region);
    DeleteObject(region);
}

void GdiDrawDevice::resetClip() { SelectClipRgn(target.dc(), nullptr); }

template <typename Paint>
void GdiDrawDevice::paintBlended(const CRect& bounds, CColor color, Paint paint) {
    if (color.alpha == 0) return;
    if (color.alpha == 255) {
        paint(target.dc());
        return;
    }
    CRect area = bounds;
    area.bound(CRect(0, 0, target.width(), target.height()));
    if (area.isEmpty()) return;
    GdiSurface scratch(area.width(), area.height());
    if (!scratch.valid()) return;
    BitBlt(scratch.dc(), 0, 0, area.width(), area.height(), target.dc(), area.left, area.top, SRCCOPY);
    SetViewportOrgEx(scratch.dc(), -area.left, -area.top, nullptr);
    paint(scratch.dc());
    SetViewportOrgEx(scratch.dc(), 0, 0, nullptr);
    Msimg32::instance().blend(target.dc(), area.left, area.top, area.width(), area.height(), scratch.dc(), 0, 0,
                              color.alpha);
}

void GdiDrawDevice::fillRect(const CRect& rect, CColor color) {
    if (rect.isEmpty()) return;
    paintBlended(rect, color, [&](HDC dc) { solidFill(dc, rect, colorRef(color)); });
}

void GdiDrawDevice::frameRect(const CRect& rect, CColor color, int lineWidth) {
    if (rect.isEmpty() || lineWidth <= 0) return;
    paintBlended(rect, color, [&](HDC dc) {
        COLORREF c = colorRef(color);
        int lw = std::min({lineWidth, (rect.width() + 1) / 2, (rect.height() + 1) / 2});
        solidFill(dc, CRect(rect.left, rect.top, rect.right, rect.top + lw), c);
        solidFill(dc, CRect(rect.left, rect.bottom - lw, rect.right, rect.bottom), c);
        solidFill(dc, CRect(rect.left, rect.top + lw, rect.left + lw, rect.bottom - lw), c);
        solidFill(dc, CRect(rect.right - lw, rect.top + lw, rect.right, rect.bottom - lw), c);
    });
}

void GdiDrawDevice::drawLine(CPoint from, CPoint to, CColor color, int lineWidth) {
    int pad = std::max(lineWidth, 1);
    CRect bounds(std::min(from.x, to.x) - pad, std::min(from.y, to.y) - pad, std::max(from.x, to.x) + pad + 1,
                 std::max(from.y, to.y) + pad + 1);
    paintBlended(bounds, color, [&](HDC dc) {
        HPEN pen = CreatePen(PS_SOLID, std::max(lineWidth, 1), colorRef(color));
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, from.x, from.y, nullptr);
        LineTo(dc, to.x, to.y);
        // GDI leaves out the last point; the toolkit's lines include it.
        if (lineWidth <= 1) SetPixelV(dc, to.x, to.y, colorRef(color));
        SelectObject(dc, old);
        DeleteObject(pen);
    });
}

void GdiDrawDevice::fillEllipse(const CRect& rect, CColor color) {
    if (rect.isEmpty()) return;
    paintBlended(rect, color, [&](HDC dc) {
        HBRUSH brush = CreateSolidBrush(colorRef(color));
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
        // Without a pen GDI fills one pixel short on the right and bottom.
        Ellipse(dc, rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
    });
}

void GdiDrawDevice::drawBitmap(const Bitmap& source, const CRect& dest, CPoint offset) {
    const auto& bitmap = static_cast<const GdiBitmap&>(source);
    // Only the part of dest that the picture covers is copied.
    CRect covered(dest.left - offset.x, dest.top - offset.y, dest.left - offset.x + bitmap.width(),
                  dest.top - offset.y + bitmap.height());
    CRect area = dest;
    area.bound(covered);
    if (area.isEmpty()) return;
    BitBlt(target.dc(), area.left, area.top, area.width(), area.height(), bitmap.surface().dc(),
           area.left - covered.left, area.top - covered.top, SRCCOPY);
}

void GdiDrawDevice::drawText(const char* text, const CRect& rect, int align, const FontRequest& font, CColor color) {
    if (!text || !*text || rect.isEmpty() || color.alpha == 0) return;
    HDC dc = target.dc();
    int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    SelectObject(dc, gdiFont(font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colorRef(color));
    SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    const int length = static_cast<int>(std::strlen(text));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text, length, &extent);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    double x = rect.left;
    if (align == 1) x = rect.left + (rect.width() - extent.cx) / 2.0;
    else if (align == 2) x = rect.right - extent.cx;
    double y = rect.top + (rect.height() - (metrics.tmAscent + metrics.tmDescent)) / 2.0 + metrics.tmAscent;
    TextOutA(dc, static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), text, length);
    RestoreDC(dc, saved);
}

int GdiDrawDevice::textWidth(const char* text, const FontRequest& font) {
    if (!text || !*text) return 0;
    HDC dc = target.dc();
    HGDIOBJ old = SelectObject(dc, gdiFont(font));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &extent);
    SelectObject(dc, old);
    return extent.cx;
}

bool GdiDrawDevice::savePng(const char* path) {
    if (!path || !target.valid()) return false;
    GdiFlush();
    return writePng(path, target.width(), target.height(), [this](int x, int y) { return target.row(y)[x] & 0xFFFFFFu; });
}

std::uint32_t GdiDrawDevice::pixel(int x, int y) {
    if (!target.valid() || x < 0 || y < 0 || x >= target.width() || y >= target.height()) return 0;
    GdiFlush();
    return target.row(y)[x] & 0x00FFFFFFu;
}

}  // namespace win32
}  // namespace VSTGUI::platform
