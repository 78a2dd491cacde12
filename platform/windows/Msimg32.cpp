#include "platform/windows/Msimg32.h"

#include <algorithm>
#include <cstdint>

namespace VSTGUI::platform::win32 {
namespace {

// The pixels of a DC's selected bitmap when it is a 32-bit DIB section.
struct DibPixels {
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    bool topDown = false;
    std::uint32_t* row(int y) const {
        return bits + static_cast<std::size_t>(topDown ? y : height - 1 - y) * static_cast<std::size_t>(width);
    }
};

bool dibOf(HDC dc, DibPixels& out) {
    auto bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    DIBSECTION section{};
    if (!bitmap || GetObjectA(bitmap, sizeof section, &section) != sizeof section) return false;
    if (!section.dsBm.bmBits || section.dsBm.bmBitsPixel != 32) return false;
    out.bits = static_cast<std::uint32_t*>(section.dsBm.bmBits);
    out.width = section.dsBm.bmWidth;
    out.height = section.dsBm.bmHeight;
    out.topDown = section.dsBmih.biHeight < 0;
    return true;
}

// The part of the destination rectangle inside both surfaces and the clip box;
// the source offset moves with it.
bool clipped(HDC dest, const DibPixels& d, const DibPixels& s, int& x, int& y, int& width, int& height, int& sx,
             int& sy) {
    RECT box{0, 0, d.width, d.height};
    RECT clip;
    if (GetClipBox(dest, &clip) != ERROR) IntersectRect(&box, &box, &clip);
    int left = std::max({x, static_cast<int>(box.left), x + (0 - sx)});
    int top = std::max({y, static_cast<int>(box.top), y + (0 - sy)});
    int right = std::min({x + width, static_cast<int>(box.right), x + (s.width - sx)});
    int bottom = std::min({y + height, static_cast<int>(box.bottom), y + (s.height - sy)});
    if (right <= left || bottom <= top) return false;
    sx += left - x;
    sy += top - y;
    x = left;
    y = top;
    width = right - left;
    height = bottom - top;
    return true;
}

std::uint32_t mix(std::uint32_t under, std::uint32_t over, unsigned alpha) {
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        unsigned a = (under >> shift) & 0xFF;
        unsigned b = (over >> shift) & 0xFF;
        out |= ((b * alpha + a * (255 - alpha) + 127) / 255) << shift;
    }
    return out;
}

}  // namespace

Msimg32& Msimg32::instance() {
    static Msimg32 library;
    return library;
}

Msimg32::Msimg32() { load(); }

void Msimg32::load() {
    if (!library) library = LoadLibraryA("msimg32.dll");
    if (!library) return;
    alphaBlend = reinterpret_cast<AlphaBlendFn>(reinterpret_cast<void*>(GetProcAddress(library, "AlphaBlend")));
    // Colour-keyed copies are used from the library on the NT family only.
    const bool ntFamily = (GetVersion() & 0x80000000u) == 0;
    transparentBlt = ntFamily ? reinterpret_cast<TransparentBltFn>(
                                    reinterpret_cast<void*>(GetProcAddress(library, "TransparentBlt")))
                              : nullptr;
}

void Msimg32::simulateMissing(bool missing) {
    alphaBlend = nullptr;
    transparentBlt = nullptr;
    if (!missing) load();
}

void Msimg32::blend(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, BYTE alpha) const {
    if (width <= 0 || height <= 0 || alpha == 0) return;
    if (alpha == 255) {
        BitBlt(dest, x, y, width, height, source, sx, sy, SRCCOPY);
        return;
    }
    if (alphaBlend) {
        BLENDFUNCTION function{AC_SRC_OVER, 0, alpha, 0};
        alphaBlend(dest, x, y, width, height, source, sx, sy, width, height, function);
        return;
    }
    DibPixels d, s;
    if (!dibOf(dest, d) || !dibOf(source, s)) return;
    if (!clipped(dest, d, s, x, y, width, height, sx, sy)) return;
    GdiFlush();
    for (int row = 0; row < height; ++row) {
        std::uint32_t* to = d.row(y + row) + x;
        const std::uint32_t* from = s.row(sy + row) + sx;
        for (int i = 0; i < width; ++i) to[i] = mix(to[i], from[i], alpha);
    }
}

void Msimg32::keyedCopy(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy,
                        COLORREF key) const {
    if (width <= 0 || height <= 0) return;
    if (transparentBlt) {
        transparentBlt(dest, x, y, width, height, source, sx, sy, width, height, key);
        return;
    }
    DibPixels d, s;
    if (!dibOf(dest, d) || !dibOf(source, s)) {
        BitBlt(dest, x, y, width, height, source, sx, sy, SRCCOPY);
        return;
    }
    if (!clipped(dest, d, s, x, y, width, height, sx, sy)) return;
    GdiFlush();
    // DIB pixels are 0x00RRGGBB, a COLORREF is 0x00BBGGRR.
    const std::uint32_t keyPixel = (static_cast<std::uint32_t>(GetRValue(key)) << 16) |
                                   (static_cast<std::uint32_t>(GetGValue(key)) << 8) | GetBValue(key);
    for (int row = 0; row < height; ++row) {
        std::uint32_t* to = d.row(y + row) + x;
        const std::uint32_t* from = s.row(sy + row) + sx;
        for (int i = 0; i < width; ++i) {
            if ((from[i] & 0xFFFFFFu) != keyPixel) to[i] = from[i] & 0xFFFFFFu;
        }
    }
}

}  // namespace VSTGUI::platform::win32
