#pragma once
// The image library "msimg32.dll", loaded at run time: alpha blending and
// colour-keyed copies. Without the library (or a function in it) each call
// falls back to the same operation done on the pixels of 32-bit DIB sections,
// so the pictures come out the same; for other surfaces the fallback is a
// plain copy (keyed) or nothing (blend).

#include <windows.h>

namespace VSTGUI::platform::win32 {

class Msimg32 {
public:
    // The process-wide instance; the library is loaded on first use.
    static Msimg32& instance();

    bool hasAlphaBlend() const { return alphaBlend != nullptr; }
    bool hasTransparentBlt() const { return transparentBlt != nullptr; }

    // A constant-alpha blend (no per-pixel alpha) of the source rectangle onto
    // the destination rectangle of the same size.
    void blend(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, BYTE alpha) const;
    // Copies the source rectangle except the pixels of colour key.
    void keyedCopy(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, COLORREF key) const;

    // For tests: the same library forced absent (true) or loaded again (false).
    void simulateMissing(bool missing);

private:
    Msimg32();
    void load();

    using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    using TransparentBltFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
    HMODULE library = nullptr;
    AlphaBlendFn alphaBlend = nullptr;
    TransparentBltFn transparentBlt = nullptr;
};

}  // namespace VSTGUI::platform::win32
