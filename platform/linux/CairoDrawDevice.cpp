#include "platform/linux/CairoDrawDevice.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <string>

#include "platform/linux/CairoFonts.h"

namespace VSTGUI::platform {

std::unique_ptr<Bitmap> createBitmap(int width, int height, const std::function<void(int, std::uint32_t*)>& fillRow) {
    if (width <= 0 || height <= 0 || !fillRow) return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) fillRow(y, reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride));
    cairo_surface_mark_dirty(surface);
    return std::make_unique<cairo_backend::CairoBitmap>(surface, width, height);
}

std::unique_ptr<Offscreen> createOffscreen(int width, int height) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(width, 1), std::max(height, 1));
    return std::make_unique<cairo_backend::CairoDrawDevice>(surface);
}

namespace cairo_backend {

CairoDrawDevice::CairoDrawDevice(cairo_surface_t* surface) : target(surface), cr(cairo_create(surface)) {
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
    cairo_set_source_rgb(cr, 212 / 255.0, 208 / 255.0, 200 / 255.0);
    cairo_paint(cr);
}

CairoDrawDevice::~CairoDrawDevice() {
    cairo_destroy(cr);
    cairo_surface_destroy(target);
}

void CairoDrawDevice::setClip(const CRect& clip) {
    cairo_reset_clip(cr);
    cairo_rectangle(cr, clip.left, clip.top, std::max(0, clip.width()), std::max(0, clip.height()));
    cairo_clip(cr);
}

void CairoDrawDevice::resetClip() { cairo_reset_clip(cr); }

void CairoDrawDevice::fillRect(const CRect& rect, CColor color) {
    if (rect.isEmpty()) return;
    setSourceColor(cr, color);
    cairo_rectangle(cr, rect.left, rect.top, rect.width(), rect.height());
    cairo_fill(cr);
}

void CairoDrawDevice::frameRect(const CRect& rect, CColor color, int lineWidth) {
    if (rect.isEmpty()) return;
    double half = lineWidth / 2.0;
    setSourceColor(cr, color);
    cairo_set_line_width(cr, lineWidth);
    cairo_rectangle(cr, rect.left + half, rect.top + half, rect.width() - lineWidth, rect.height() - lineWidth);
    cairo_stroke(cr);
}

void CairoDrawDevice::drawLine(CPoint from, CPoint to, CColor color, int lineWidth) {
    setSourceColor(cr, color);
    cairo_set_line_width(cr, lineWidth);
    cairo_move_to(cr, from.x + 0.5, from.y + 0.5);
    cairo_line_to(cr, to.x + 0.5, to.y + 0.5);
    cairo_stroke(cr);
}

void CairoDrawDevice::fillEllipse(const CRect& rect, CColor color) {
    if (rect.isEmpty()) return;
    cairo_save(cr);
    cairo_translate(cr, rect.left + rect.width() / 2.0, rect.top + rect.height() / 2.0);
    cairo_scale(cr, rect.width() / 2.0, rect.height() / 2.0);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_restore(cr);
    setSourceColor(cr, color);
    cairo_fill(cr);
}

void CairoDrawDevice::drawBitmap(const Bitmap& source, const CRect& dest, CPoint offset) {
    const auto& bitmap = static_cast<const CairoBitmap&>(source);
    // Only the part of dest that the picture covers is copied.
    CRect covered(dest.left - offset.x, dest.top - offset.y, dest.left - offset.x + bitmap.width(),
                  dest.top - offset.y + bitmap.height());
    CRect area = dest;
    area.bound(covered);
    if (area.isEmpty()) return;
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, bitmap.surface(), dest.left - offset.x, dest.top - offset.y);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, area.left, area.top, area.width(), area.height());
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

void CairoDrawDevice::drawText(const char* text, const CRect& rect, int align, const FontRequest& font, CColor color) {
    if (!text || !*text || rect.isEmpty()) return;
    std::string utf8 = latin1ToUtf8(text);
    cairo_save(cr);
    cairo_rectangle(cr, rect.left, rect.top, rect.width(), rect.height());
    cairo_clip(cr);
    selectFont(cr, font);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, utf8.c_str(), &extents);
    cairo_font_extents_t metrics;
    cairo_font_extents(cr, &metrics);
    double x = rect.left;
    if (align == 1) x = rect.left + (rect.width() - extents.x_advance) / 2.0;
    else if (align == 2) x = rect.right - extents.x_advance;
    double y = rect.top + (rect.height() - (metrics.ascent + metrics.descent)) / 2.0 + metrics.ascent;
    setSourceColor(cr, color);
    cairo_move_to(cr, std::round(x), std::round(y));
    cairo_show_text(cr, utf8.c_str());
    cairo_restore(cr);
}

int CairoDrawDevice::textWidth(const char* text, const FontRequest& font) {
    cairo_save(cr);
    selectFont(cr, font);
    double width = textAdvance(cr, text);
    cairo_restore(cr);
    return static_cast<int>(std::ceil(width));
}

bool CairoDrawDevice::savePng(const char* path) {
    cairo_surface_flush(target);
    return cairo_surface_write_to_png(target, path) == CAIRO_STATUS_SUCCESS;
}

std::uint32_t CairoDrawDevice::pixel(int x, int y) {
    cairo_surface_flush(target);
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(target) || y >= cairo_image_surface_get_height(target)) {
        return 0;
    }
    const unsigned char* data = cairo_image_surface_get_data(target);
    int stride = cairo_image_surface_get_stride(target);
    std::uint32_t value;
    std::memcpy(&value, data + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 4, 4);
    return value & 0x00FFFFFFu;
}

}  // namespace cairo_backend
}  // namespace VSTGUI::platform
