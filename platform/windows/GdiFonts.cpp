#include "platform/windows/GdiFonts.h"

#include <cstring>
#include <map>
#include <string>
#include <tuple>

namespace VSTGUI::platform {
namespace win32 {

HFONT gdiFont(const FontRequest& font) {
    static std::map<std::tuple<std::string, int, int>, HFONT> cache;
    const char* face = font.face ? font.face : "Arial";
    auto key = std::make_tuple(std::string(face), font.size, font.weight);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    const bool symbol = std::strcmp(face, "Symbol") == 0;
    // A negative height asks for the em size rather than the cell height.
    HFONT handle = CreateFontA(-font.size, 0, 0, 0, font.weight, FALSE, FALSE, FALSE,
                               symbol ? SYMBOL_CHARSET : ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                               ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
    if (!handle) handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    cache[key] = handle;
    return handle;
}

}  // namespace win32

std::string resolvedFontFamily(const FontRequest& font) {
    std::string family;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return family;
    HGDIOBJ old = SelectObject(dc, win32::gdiFont(font));
    char name[LF_FACESIZE] = {};
    if (GetTextFaceA(dc, sizeof name, name) > 0) family = name;
    SelectObject(dc, old);
    DeleteDC(dc);
    return family;
}

}  // namespace VSTGUI::platform
